// A small HTTP/1.1 server on 127.0.0.1 with a port the system picks, for
// tests of the HTTP requests. It keeps every request it is sent and answers
// by the path (the target without its query) from a table of replies, each
// of which can also misbehave: answer in chunks, lie about its length and
// hang up, trickle, or say nothing at all.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

struct ServerReply {
  enum class Kind {
    kNormal,   // status, headers, Content-Length and the body
    kChunked,  // the body in chunks of at most 4096 bytes
    kCut,      // Content-Length of twice the body, the body, then hang up
    kSilent,   // reads the request and never answers
    kRaw,      // the body as it stands, without a status line, then hang up
    kTrickle,  // status, headers and Content-Length, then a byte every 10 ms
  };
  ServerReply(int statusCode = 200, std::string text = "", Kind how = Kind::kNormal, std::string extra = "",
              bool withoutLength = false)
      : status(statusCode), body(std::move(text)), kind(how), headers(std::move(extra)), noLength(withoutLength) {}
  int status;
  std::string body;
  Kind kind;
  // Extra header lines, each ending in "\r\n" (a Location).
  std::string headers;
  // Leave Content-Length out (a kNormal reply then ends by hanging up).
  bool noLength;
  // The request's body becomes the reply's.
  bool echo = false;
};

struct ServerRequest {
  std::string method;
  std::string target;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

class LoopbackServer {
 public:
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& target) const;
  // Paths without a reply answer 200 "ok".
  void On(const std::string& path, ServerReply reply);
  std::vector<ServerRequest> Requests() const;

  // A port nothing listens on (bound, then closed again).
  static int RefusedPort();

 private:
  void Accept();
  void Serve(int connection);
  ServerReply ReplyFor(const std::string& target) const;

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, ServerReply> replies_;
  std::vector<ServerRequest> requests_;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

}  // namespace testsupport

#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testsupport {

namespace {

// Waits up to 100 ms for the socket to be readable.
bool Readable(int socket) {
  pollfd p{socket, POLLIN, 0};
  return poll(&p, 1, 100) > 0;
}

bool SendAll(int socket, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
  }
}

int Bound(int* port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    std::perror("bind");
    std::abort();
  }
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return s;
}

}  // namespace

LoopbackServer::LoopbackServer() {
  listener_ = Bound(&port_);
  listen(listener_, 16);
  acceptor_ = std::thread([this] { Accept(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  acceptor_.join();
  for (std::thread& t : connections_) t.join();
  close(listener_);
}

int LoopbackServer::RefusedPort() {
  int port = 0;
  close(Bound(&port));
  return port;
}

std::string LoopbackServer::Url(const std::string& target) const {
  return "http://127.0.0.1:" + std::to_string(port_) + target;
}

void LoopbackServer::On(const std::string& path, ServerReply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_[path] = std::move(reply);
}

std::vector<ServerRequest> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

ServerReply LoopbackServer::ReplyFor(const std::string& target) const {
  const std::string path = target.substr(0, target.find('?'));
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = replies_.find(path);
  if (found != replies_.end()) return found->second;
  return ServerReply(200, "ok");
}

void LoopbackServer::Accept() {
  while (!stopping_) {
    if (!Readable(listener_)) continue;
    const int connection = accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    connections_.emplace_back([this, connection] {
      Serve(connection);
      close(connection);
    });
  }
}

// Requests one after another on the connection until the client hangs up
// or a reply ends it.
void LoopbackServer::Serve(int connection) {
  std::string pending;
  char chunk[65536];
  while (!stopping_) {
    size_t end = pending.find("\r\n\r\n");
    while (end == std::string::npos) {
      if (stopping_) return;
      if (!Readable(connection)) continue;
      const ssize_t n = recv(connection, chunk, sizeof chunk, 0);
      if (n <= 0) return;
      pending.append(chunk, static_cast<size_t>(n));
      end = pending.find("\r\n\r\n");
    }
    ServerRequest request;
    const std::string head = pending.substr(0, end);
    pending.erase(0, end + 4);
    size_t lineEnd = head.find("\r\n");
    const std::string first = head.substr(0, lineEnd);
    const size_t space1 = first.find(' '), space2 = first.rfind(' ');
    request.method = first.substr(0, space1);
    request.target = first.substr(space1 + 1, space2 - space1 - 1);
    while (lineEnd != std::string::npos) {
      const size_t start = lineEnd + 2;
      lineEnd = head.find("\r\n", start);
      const std::string line = head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
      const size_t colon = line.find(':');
      if (colon == std::string::npos) continue;
      size_t value = colon + 1;
      while (value < line.size() && line[value] == ' ') ++value;
      request.headers[Lower(line.substr(0, colon))] = line.substr(value);
    }
    const auto length = request.headers.find("content-length");
    const size_t bodyLength = length == request.headers.end() ? 0 : std::strtoul(length->second.c_str(), nullptr, 10);
    while (pending.size() < bodyLength) {
      if (stopping_) return;
      if (!Readable(connection)) continue;
      const ssize_t n = recv(connection, chunk, sizeof chunk, 0);
      if (n <= 0) return;
      pending.append(chunk, static_cast<size_t>(n));
    }
    request.body = pending.substr(0, bodyLength);
    pending.erase(0, bodyLength);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }

    ServerReply reply = ReplyFor(request.target);
    if (reply.echo) reply.body = request.body;
    if (reply.kind == ServerReply::Kind::kSilent) {
      while (!stopping_) {
        if (Readable(connection) && recv(connection, chunk, sizeof chunk, 0) <= 0) return;
      }
      return;
    }
    if (reply.kind == ServerReply::Kind::kRaw) {
      SendAll(connection, reply.body);
      return;
    }
    std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) + "\r\n" + reply.headers;
    if (reply.kind == ServerReply::Kind::kChunked) {
      out += "Transfer-Encoding: chunked\r\n\r\n";
      for (size_t at = 0; at < reply.body.size(); at += 4096) {
        const size_t n = std::min<size_t>(4096, reply.body.size() - at);
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", n);
        out += size + reply.body.substr(at, n) + "\r\n";
      }
      out += "0\r\n\r\n";
      if (!SendAll(connection, out)) return;
      continue;
    }
    if (reply.kind == ServerReply::Kind::kTrickle) {
      out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n\r\n";
      if (!SendAll(connection, out)) return;
      for (char byte : reply.body) {
        if (stopping_ || !SendAll(connection, std::string(1, byte))) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      continue;
    }
    if (reply.kind == ServerReply::Kind::kCut) {
      out += "Content-Length: " + std::to_string(reply.body.size() * 2 + 1) + "\r\n\r\n" + reply.body;
      SendAll(connection, out);
      return;
    }
    if (!reply.noLength) out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    out += "\r\n" + reply.body;
    if (!SendAll(connection, out) || reply.noLength) return;
  }
}

}  // namespace testsupport

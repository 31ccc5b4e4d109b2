// Requests against a server on the loopback interface: what arrives there,
// what comes back, and what becomes of requests that fail at each stage.
#include "requests/http_request.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/http_transport.h"
#include "runtime/console.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

namespace {

using testsupport::LoopbackServer;
using testsupport::ServerReply;
using testsupport::ServerRequest;

struct Answer {
  bool delivered = false;
  int32_t id = -1, status = -1, received = -1, event = -1;
  std::string url, body;
};

int32_t Record(HTTP_REQ_CONTEXT* request, void* argument, int32_t* map) {
  Answer* answer = static_cast<Answer*>(argument);
  answer->delivered = true;
  answer->id = request->id;
  answer->status = request->status;
  answer->received = request->received;
  answer->url = request->url;
  answer->body.assign(reinterpret_cast<const char*>(request->buffer), size_t(request->received));
  EXPECT_EQ(request->buffer[request->received], 0) << "a zero follows the body";
  *map = -1;
  return 62;
}

int g_cleanups = 0;
void CountCleanup(void*) { ++g_cleanups; }

class HttpRequests : public testing::Test {
 protected:
  void SetUp() override {
    HTTP_ResetForTest();
    g_cleanups = 0;
  }
  void TearDown() override {
    HTTP_ResetForTest();
    HttpTransport_SetLimits(HttpLimits());
  }

  // Delivers everything finished, as the step does, in list order.
  static void DeliverAll() {
    for (HTTP_REQ_CONTEXT* r = HTTP_TakeFinished(); r != nullptr;) {
      HTTP_REQ_CONTEXT* next = r->next;
      int32_t map = 0;
      HTTP_Complete(r, &map);
      HTTP_Dispose(r);
      r = next;
    }
  }
  Answer Get(const std::string& url) {
    Answer answer;
    HTTP_Get(url.c_str(), 0, Record, CountCleanup, &answer);
    DeliverAll();
    return answer;
  }
  Answer Post(const std::string& url, const std::string& body) {
    Answer answer;
    HTTP_Post(url.c_str(), body.c_str(), Record, CountCleanup, &answer);
    DeliverAll();
    return answer;
  }

  LoopbackServer server_;
  testsupport::ConsoleCapture console_;
};

TEST_F(HttpRequests, RequestsArriveAsAskedAndAnswersLandWhole) {
  Answer a = Get(server_.Url("/p?q=1"));
  ASSERT_TRUE(a.delivered);
  EXPECT_EQ(a.status, 200);
  EXPECT_EQ(a.body, "ok");
  EXPECT_EQ(a.url, server_.Url("/p?q=1"));
  ServerRequest sent = server_.Requests().back();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.target, "/p?q=1");
  EXPECT_EQ(sent.headers["host"], "127.0.0.1:" + std::to_string(server_.Port()));
  EXPECT_EQ(sent.headers["user-agent"], "Korvalith HTTP");

  Post(server_.Url("/form"), "a=1&b=2");
  sent = server_.Requests().back();
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.body, "a=1&b=2");
  EXPECT_EQ(sent.headers["content-type"], "application/x-www-form-urlencoded");

  // Larger than the first buffer, each way.
  std::string big(300000, 'x');
  for (size_t i = 0; i < big.size(); i += 1000) big[i] = char('a' + i % 26);
  server_.On("/big", {200, big});
  EXPECT_EQ(Get(server_.Url("/big")).body, big);
  ServerReply chunked{200, big.substr(0, 200000), ServerReply::Kind::kChunked};
  server_.On("/chunked", chunked);
  EXPECT_EQ(Get(server_.Url("/chunked")).body, chunked.body);
  Post(server_.Url("/form"), big.substr(0, 200000));
  EXPECT_EQ(server_.Requests().back().body, big.substr(0, 200000));

  server_.On("/missing", {404, "nope"});
  a = Get(server_.Url("/missing"));
  EXPECT_EQ(a.status, 404);
  EXPECT_EQ(a.body, "nope");

  server_.On("/moved", {302, "", ServerReply::Kind::kNormal, "Location: /target\r\n"});
  server_.On("/target", {200, "arrived"});
  a = Get(server_.Url("/moved"));
  EXPECT_EQ(a.status, 200);
  EXPECT_EQ(a.body, "arrived");
  EXPECT_EQ(a.url, server_.Url("/moved")) << "the address as asked";

  Get(server_.Url("/a b\xC3\xA9#frag"));
  EXPECT_EQ(server_.Requests().back().target, "/a%20b%C3%A9");
  EXPECT_EQ(console_.Text(), "");
  EXPECT_EQ(g_cleanups, 8);
}

TEST_F(HttpRequests, RequestsWithoutAnAnswerPrintTheirLineAndAreGone) {
  Answer a = Get("http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort()) + "/");
  EXPECT_FALSE(a.delivered);
  EXPECT_EQ(console_.Text(), "InternetConnect: Couldn't connect to server\n");
  EXPECT_EQ(g_httpRequestList, nullptr);
  EXPECT_EQ(g_cleanups, 1) << "the caller's argument is freed";

  HttpLimits quick;
  quick.stallSeconds = 1;
  HttpTransport_SetLimits(quick);
  server_.On("/silent", {200, "", ServerReply::Kind::kSilent});
  testsupport::ConsoleCapture silent;
  a = Get(server_.Url("/silent"));
  EXPECT_FALSE(a.delivered);
  EXPECT_EQ(silent.Text(), "HttpSendRequest: Timeout was reached\n");

  server_.On("/garbage", {200, "\x01\x02 not an answer\r\n\r\n", ServerReply::Kind::kRaw});
  testsupport::ConsoleCapture garbage;
  a = Get(server_.Url("/garbage"));
  EXPECT_FALSE(a.delivered);
  EXPECT_EQ(garbage.Text().rfind("HttpSendRequest: ", 0), 0u) << garbage.Text();

  testsupport::ConsoleCapture address;
  HTTP_Get("http://", 0, Record, CountCleanup, &a);
  EXPECT_EQ(address.Text().rfind("InternetCanonicalizeUrl: ", 0), 0u) << address.Text();
  EXPECT_EQ(g_httpRequestList, nullptr);
  EXPECT_EQ(g_cleanups, 4);

  // A later request still works, and ids went on counting.
  a = Get(server_.Url("/"));
  EXPECT_EQ(a.body, "ok");
  EXPECT_EQ(a.id, 4);
}

TEST_F(HttpRequests, AnswersThatBreakOffAreDeliveredEmptyAfterTheirLine) {
  HttpLimits limits;
  limits.maxBodyBytes = 150000;
  HttpTransport_SetLimits(limits);
  server_.On("/cut", {200, std::string(1000, 'c'), ServerReply::Kind::kCut});
  server_.On("/loop", {302, "", ServerReply::Kind::kNormal, "Location: /loop\r\n"});
  server_.On("/huge", {200, std::string(160000, 'h')});
  server_.On("/huge-chunked", {200, std::string(160000, 'h'), ServerReply::Kind::kChunked});
  server_.On("/liar", {200, "short", ServerReply::Kind::kNormal, "", true});
  const std::pair<const char*, const char*> cases[] = {
      {"/cut", "InternetReadFile: Transferred a partial file\n"},
      {"/loop", "InternetReadFile: Number of redirects hit maximum amount\n"},
      {"/huge", "InternetReadFile: Maximum file size exceeded\n"},
      {"/huge-chunked", "InternetReadFile: Maximum file size exceeded\n"},
  };
  for (const auto& [path, line] : cases) {
    testsupport::ConsoleCapture console;
    const Answer a = Get(server_.Url(path));
    EXPECT_TRUE(a.delivered) << path;
    EXPECT_EQ(a.received, 0) << path;
    EXPECT_EQ(a.body, "") << path;
    EXPECT_EQ(console.Text(), line) << path;
  }
  // Without a length, the body runs until the server hangs up.
  EXPECT_EQ(Get(server_.Url("/liar")).body, "short");
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// An answer trickling in (a byte every 10 ms, 1,000 s in all) ends at the
// overall limit, delivered empty after its line. (A quit while it trickles:
// http_game.quit_while_asking.)
TEST_F(HttpRequests, ATrickleEndsAtTheOverallLimit) {
  server_.On("/trickle", {200, std::string(100000, 't'), ServerReply::Kind::kTrickle});
  HttpLimits limits;
  limits.totalSeconds = 1;
  HttpTransport_SetLimits(limits);
  const auto start = std::chrono::steady_clock::now();
  const Answer a = Get(server_.Url("/trickle"));
  EXPECT_TRUE(a.delivered);
  EXPECT_EQ(a.received, 0);
  EXPECT_EQ(console_.Text(), "InternetReadFile: Timeout was reached\n");
  EXPECT_LT(SecondsSince(start), 5.0);
}

// Delivery order runs through the step (AsyncStage); here, what stays.
TEST_F(HttpRequests, UnfinishedRequestsStayUntilProgramEnd) {
  auto* waiting = new HTTP_REQ_CONTEXT("x", 0, nullptr, CountCleanup, nullptr);
  auto* held = new HTTP_REQ_CONTEXT("y", 0, nullptr, CountCleanup, nullptr);
  held->state = kHttpFinished;
  held->deliverable = 0;
  EXPECT_EQ(HTTP_TakeFinished(), nullptr);
  EXPECT_EQ(g_httpRequestList, held);
  EXPECT_EQ(held->next, waiting);
  HTTP_FreeAll();
  EXPECT_EQ(g_httpRequestList, nullptr);
  EXPECT_EQ(g_cleanups, 2) << "the callers' arguments are freed too";
}

// A server with a certificate nobody vouches for is refused.
TEST_F(HttpRequests, SelfSignedServersAreRefused) {
  if (std::system("command -v openssl > /dev/null") != 0) GTEST_SKIP() << "no openssl";
  testsupport::ScratchFolder folder("kv_tls");
  const std::string key = folder / "key.pem", cert = folder / "cert.pem";
  const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " + key +
                           " -out " + cert + " > /dev/null 2>&1";
  ASSERT_EQ(std::system(make.c_str()), 0);
  const int port = LoopbackServer::RefusedPort();
  const pid_t child = fork();
  if (child == 0) {
    const std::string accept = std::to_string(port);
    execlp("openssl", "openssl", "s_server", "-quiet", "-www", "-accept", accept.c_str(), "-cert", cert.c_str(), "-key",
           key.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string url = "https://127.0.0.1:" + std::to_string(port) + "/";
  Answer a;
  std::string line;
  for (int attempt = 0; attempt < 50; ++attempt) {
    testsupport::ConsoleCapture console;
    a = Get(url);
    line = console.Text();
    if (line.rfind("InternetConnect: ", 0) != 0) break;  // not listening yet
    usleep(100000);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(a.delivered);
  EXPECT_EQ(line.rfind("HttpSendRequest: ", 0), 0u) << line;
  EXPECT_EQ(g_httpRequestList, nullptr);
}

}  // namespace

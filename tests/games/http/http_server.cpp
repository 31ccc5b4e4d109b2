// The server the HTTP games talk to: prints its port on the first line, then
// answers until its standard input closes.
#include <cstdio>
#include <string>

#include "support/loopback_server.h"

int main() {
  using testsupport::ServerReply;
  testsupport::LoopbackServer server;
  server.On("/hello", ServerReply(200, "hello world"));
  server.On("/empty", ServerReply(200, ""));
  server.On("/missing", ServerReply(404, "nope"));
  server.On("/trickle", ServerReply(200, std::string(100000, 't'), ServerReply::Kind::kTrickle));
  ServerReply echo(200);
  echo.echo = true;
  server.On("/echo", echo);
  std::printf("%d\n", server.Port());
  std::fflush(stdout);
  while (std::getchar() != EOF) {}
  return 0;
}

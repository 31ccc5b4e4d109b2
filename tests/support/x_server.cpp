#include "support/x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "support/test_support.h"

extern char** environ;

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// The display number the server writes once it listens, read up to its
// newline: a reader that stops after the digits and closes the pipe makes
// the server's write of the newline fail, and the server exits on it.
int ReadDisplayNumber(int fd, int milliseconds) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  std::string number;
  char c = 0;
  pollfd p{fd, POLLIN, 0};
  while (poll(&p, 1, MillisecondsLeft(deadline)) == 1 && read(fd, &c, 1) == 1) {
    if (c == '\n') return number.empty() || number.size() > 6 ? -1 : std::atoi(number.c_str());
    if (c < '0' || c > '9') return -1;
    number += c;
  }
  return -1;
}

}  // namespace

bool WaitForXSocket(int number, int milliseconds) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", number);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    const bool connected = connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(s);
    if (connected) return true;
    if (MillisecondsLeft(deadline) == 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool XServer::Available() { return !FindProgram("Xvfb").empty(); }

XServer::XServer(const char* screen) {
  int fds[2];
  if (pipe(fds) != 0) return;
  const std::string fd = std::to_string(fds[1]);
  // -noreset: the server would start over when its last client leaves, and a
  // client connecting in that moment would find no display.
  const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(), "-nolisten", "tcp",
                        "-noreset", "-screen",    "0",        screen,      nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  // A loaded machine can take seconds to start a server.
  const int number = pid_ > 0 ? ReadDisplayNumber(fds[0], 30000) : -1;
  close(fds[0]);
  if (number >= 0 && WaitForXSocket(number, 30000)) name_ = ":" + std::to_string(number);
}

XServer::~XServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int waited = 0; waited < 200; ++waited) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
}

}  // namespace testsupport

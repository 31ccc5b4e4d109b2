// A private X server for the tests that need a real display. Such a test
// also takes the CTest resource lock "xserver" (kv_test_folder's
// XSERVER_TESTS), so that only one of them runs at a time.
#pragma once

#include <sys/types.h>

#include <string>

namespace testsupport {

// Xvfb on the first free display, which it picks and reports itself.
// Name() is ":N" once the server takes connections on its socket, or ""
// when it did not start; the server is ended by its id when the object goes.
class XServer {
 public:
  explicit XServer(const char* screen = "640x480x24");
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  const std::string& Name() const { return name_; }
  // Xvfb is installed (on the search path).
  static bool Available();

 private:
  pid_t pid_ = -1;
  std::string name_;
};

// Polls the local socket of display `number` until a client can connect to
// it, for up to `milliseconds`; true when one could.
bool WaitForXSocket(int number, int milliseconds);

}  // namespace testsupport

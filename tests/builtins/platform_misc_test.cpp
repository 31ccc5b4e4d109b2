#include <gtest/gtest.h>

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cmath>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "builtin_test_support.h"
#include "builtins/misc/platform_misc.h"
#include "platform/clipboard.h"
#include "platform/device_window.h"
#include "shell/window.h"
#include "support/leaks_unwatched.h"
#include "support/x_server.h"

namespace {

// The desktop bus library keeps a block for the life of the process once
// SDL's video system has started; it is not ours to free.
void StartVideoUnwatched() {
  testsupport::StopWatchingLeaks();
  const int started = SDL_InitSubSystem(SDL_INIT_VIDEO);
  testsupport::WatchLeaksAgain();
  ASSERT_EQ(started, 0) << SDL_GetError();
}

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override { Clipboard_Reset(); }
  void TearDown() override { Clipboard_Reset(); }
};

TEST_F(Clipboard, TextRoundTripsWithoutADisplay) {
  EXPECT_EQ(BuiltinCall(F_ClipboardHasText, {}).Real(), 0);
  BuiltinCall empty(F_ClipboardGetText, {});
  EXPECT_TRUE(empty.IsString());
  EXPECT_EQ(empty.Text(), "");

  BuiltinCall(F_ClipboardSetText, {S("héllo\nworld")});
  EXPECT_EQ(BuiltinCall(F_ClipboardHasText, {}).Real(), 1);
  EXPECT_EQ(BuiltinCall(F_ClipboardGetText, {}).Text(), "héllo\nworld");

  BuiltinCall(F_ClipboardSetText, {S("")});
  EXPECT_EQ(BuiltinCall(F_ClipboardHasText, {}).Real(), 1);
  EXPECT_EQ(BuiltinCall(F_ClipboardGetText, {}).Text(), "");
  BuiltinCall(F_ClipboardSetText, {R(12)});
  EXPECT_EQ(BuiltinCall(F_ClipboardGetText, {}).Text(), "");
}

// A child process that is ended by its id when the test is done.
class Child {
 public:
  Child() = default;
  ~Child() { Stop(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t pid = -1;
  void Stop() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
  }
};

// xclip offers the text on the clipboard selection and serves it until
// stopped.
bool OfferWithXclip(Child* xclip, const std::string& text) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  xclip->pid = fork();
  if (xclip->pid == 0) {
    close(fds[1]);
    dup2(fds[0], 0);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execlp("xclip", "xclip", "-quiet", "-selection", "clipboard", "-i", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[0]);
  bool ok = write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fds[1]);
  return ok;
}

TEST_F(Clipboard, TextOfferedByAnotherProgramIsRead) {
  if (!testsupport::XServer::Available() || access("/usr/bin/xclip", X_OK) != 0) GTEST_SKIP() << "no Xvfb or xclip";
  testsupport::XServer server;
  ASSERT_FALSE(server.Name().empty()) << "Xvfb did not start";
  setenv("DISPLAY", server.Name().c_str(), 1);
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  // An earlier test in this process may have left video started on another
  // driver; the clipboard must be the X server's.
  while (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  StartVideoUnwatched();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);

  Child xclip;
  ASSERT_TRUE(OfferWithXclip(&xclip, "from elsewhere"));
  std::string seen;
  for (int attempt = 0; attempt < 500 && seen.empty(); ++attempt) {  // up to 10 s on a loaded machine
    seen = BuiltinCall(F_ClipboardGetText, {}).Text();
    if (seen.empty()) usleep(20000);
  }
  EXPECT_EQ(seen, "from elsewhere");
  EXPECT_EQ(BuiltinCall(F_ClipboardHasText, {}).Real(), 1);
  xclip.Stop();

  BuiltinCall(F_ClipboardSetText, {S("")});
  EXPECT_EQ(BuiltinCall(F_ClipboardHasText, {}).Real(), 1);
  BuiltinCall(F_ClipboardSetText, {S("ours")});
  EXPECT_EQ(BuiltinCall(F_ClipboardGetText, {}).Text(), "ours");

  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  unsetenv("DISPLAY");
}

TEST(ProgramPriority, UnknownValuesActAsNormal) {
  EXPECT_EQ(Application_NiceForPriority(7), Application_NiceForPriority(0));
  EXPECT_EQ(Application_NiceForPriority(INT32_MIN), 0);
  EXPECT_GT(Application_NiceForPriority(-3), Application_NiceForPriority(-2));
  EXPECT_LT(Application_NiceForPriority(3), Application_NiceForPriority(2));
  // In a child, so the test program keeps its own priority.
  pid_t child = fork();
  if (child == 0) {
    BuiltinCall(F_SetProgramPriority, {R(-1)});
    if (getpriority(PRIO_PROCESS, 0) != Application_NiceForPriority(-1)) _exit(1);
    BuiltinCall(F_SetProgramPriority, {R(7)});
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, 0);
    // Lowering niceness needs privilege; without it the call is refused.
    _exit(now == 0 || (geteuid() != 0 && now == Application_NiceForPriority(-1)) ? 0 : 2);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Without a window the title is only kept; with the main window made (off
// screen here) it is shown on it, and window_handle is its native id.
TEST(ApplicationWindow, TheTitleIsKeptAndShownOnTheMainWindow) {
  Application_ResetTitle();
  EXPECT_EQ(BuiltinCall(F_WindowHandle, {}).Real(), 0);
  BuiltinCall(F_SetApplicationTitle, {S("My Game")});
  BuiltinCall(F_SetApplicationTitle, {R(3)});
  EXPECT_EQ(Application_Title(), "My Game");

  WindowGameSettings settings;
  settings.screenWidth = 64;
  settings.screenHeight = 48;
  settings.displayName = "Caption";
  Win_SetGameSettings(settings);
  {
    testsupport::ConsoleCapture quiet;
    Win_CreateMainWindow(64, 48);
  }
  ASSERT_NE(DeviceWindow_Current(), nullptr);
  BuiltinCall(F_SetApplicationTitle, {S("Level 2")});
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "Level 2");
  EXPECT_EQ(BuiltinCall(F_WindowHandle, {}).Real(), DeviceWindow_NativeHandle(DeviceWindow_Current()));
  DeviceWindow_Destroy();
  Application_ResetTitle();
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gamefile/game_header.h"
#include "gamefile/options.h"
#include "graphics/device/graphics.h"
#include "platform/answers.h"
#include "platform/backends.h"
#include "platform/fake/fake_graphics.h"
#include "platform/switches.h"
#include "support/test_support.h"
#include "world/start/service_list.h"
#include "world/start/startup_graphics.h"
#include "world/start/startup_services.h"

namespace {

const std::string kQuestion =
    "This application requires 16-bit or 32-bit color mode.\n Should I switch to a valid color mode?\n";

// The graphics start on the recording device, headless, with the display's
// colour depth and the dialog answers of each case.
class StartGraphics : public testing::Test {
 protected:
  void SetUp() override {
    ServiceList_Install();
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    setenv("KORVALITH_HEADLESS", "1", 1);
    Option_Defaults();
    g_windowWidth = 64;
    ServiceList_Install();
    g_windowHeight = 48;
    g_windowFlags = 0;
  }
  void TearDown() override {
    StartupGraphics_Shutdown();
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    FakeGraphics_Log().desktop.bitsPerPixel = 32;
    Option_Defaults();
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
  }

  // Starts with the display at `depth` bits and the answers file holding
  // `answers` (none when empty); true when the start went on. What the
  // dialogs printed lands in printed_.
  bool Start(int32_t depth, const std::string& answers) {
    FakeGraphics_Log().desktop.bitsPerPixel = depth;
    if (answers.empty()) {
      unsetenv("KORVALITH_ANSWERS");
    } else {
      testsupport::WriteRaw(folder_ / "answers.txt", answers);
      setenv("KORVALITH_ANSWERS", (folder_ / "answers.txt").c_str(), 1);
    }
    Switches_Reload();
    Answers_Reset();
    FakeGraphics_Log().Clear();
    testsupport::ConsoleCapture quiet;
    testing::internal::CaptureStdout();
    const bool started = StartupServices_StartGraphics();
    printed_ = testing::internal::GetCapturedStdout();
    return started;
  }

  testsupport::ScratchFolder folder_{"kv_depth"};
  std::string printed_;
};

TEST_F(StartGraphics, AnUnusualDepthAsksAndNoEndsTheStartBeforeTheDevice) {
  EXPECT_FALSE(Start(24, "No\n"));
  EXPECT_EQ(printed_, kQuestion);
  EXPECT_FALSE(FakeGraphics_Log().Has("CreateDevice"));
  EXPECT_FALSE(Graphics::HasDevice());
}

TEST_F(StartGraphics, YesAnythingElseOrNoAnswerStartsTheDevice) {
  for (const char* answer : {"Yes\n", "Maybe\n", ""}) {
    EXPECT_TRUE(Start(8, answer)) << answer;
    EXPECT_EQ(printed_, kQuestion) << answer;
    EXPECT_TRUE(Graphics::HasDevice()) << answer;
    StartupGraphics_Shutdown();
  }
}

TEST_F(StartGraphics, UsualDepthsAndAGameThatNamesADepthAreNotAsked) {
  for (int32_t depth : {16, 32}) {
    EXPECT_TRUE(Start(depth, "No\n")) << depth;
    EXPECT_EQ(printed_, "") << depth;
    StartupGraphics_Shutdown();
  }
  g_options.word[kOptionSetResolution] = 1;
  g_options.word[kOptionColourDepth] = 2;
  EXPECT_TRUE(Start(24, "No\n"));
  EXPECT_EQ(printed_, "");
  StartupGraphics_Shutdown();
  // Setting the resolution without a depth still asks.
  g_options.word[kOptionColourDepth] = 0;
  EXPECT_FALSE(Start(24, "No\n"));
  EXPECT_EQ(printed_, kQuestion);
}

}  // namespace

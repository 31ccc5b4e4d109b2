// The game preparation over an empty game, through recording services: the
// load bar, the extension and sound preparations and the end of loading
// come in the order of the steps, and a failing service stops the start
// with its message.
#include "world/start/prepare_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "world/start/audio_services.h"
#include "world/start/extension_services.h"
#include "world/start/load_form_services.h"
#include "world/start/service_list.h"

namespace {

std::vector<std::string> g_calls;
bool g_extensionsPrepare = true;
bool g_soundsPrepare = true;

bool PrepareExtensions() {
  g_calls.push_back("extensions");
  return g_extensionsPrepare;
}
bool PrepareSounds() {
  g_calls.push_back("sounds");
  return g_soundsPrepare;
}
void PrepareBuffers() { g_calls.push_back("buffers"); }
void ShowProgress(int percentage, const char*) { g_calls.push_back(std::to_string(percentage)); }
void Finish() { g_calls.push_back("finish"); }

const ExtensionServices kExtensions{PrepareExtensions};
const AudioServices kAudio{PrepareSounds, PrepareBuffers};
const LoadFormServices kLoadForm{ShowProgress, Finish};

class Preparation : public testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_extensionsPrepare = g_soundsPrepare = true;
    ExtensionServices_Install(&kExtensions);
    AudioServices_Install(&kAudio);
    LoadFormServices_Install(&kLoadForm);
    testing::internal::CaptureStdout();
  }
  void TearDown() override {
    testing::internal::GetCapturedStdout();
    ServiceList_Install();
  }
  // What the message boxes showed so far.
  static std::string Messages() {
    std::string shown = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    return shown;
  }
  testsupport::ConsoleCapture console_;
};

TEST_F(Preparation, ServicesAreCalledInTheOrderOfTheSteps) {
  ASSERT_TRUE(PrepareGame());
  const std::vector<std::string> expected = {"54", "extensions", "56",      "58", "70",  "72",    "76",
                                             "80", "sounds",     "buffers", "90", "100", "finish"};
  EXPECT_EQ(g_calls, expected);
  EXPECT_EQ(Messages(), "");
}

TEST_F(Preparation, FailingExtensionsStopTheStartBeforeTheConstants) {
  g_extensionsPrepare = false;
  EXPECT_FALSE(PrepareGame());
  EXPECT_EQ(g_calls, (std::vector<std::string>{"54", "extensions"}));
  EXPECT_EQ(Messages(), "Failed to prepare extension packages.\n");
  EXPECT_EQ(console_.Text(), "Extension_Prepare() \n");
}

TEST_F(Preparation, FailingSoundsStopTheStartBeforeTheAudioBuffers) {
  g_soundsPrepare = false;
  EXPECT_FALSE(PrepareGame());
  EXPECT_EQ(g_calls.back(), "sounds");
  EXPECT_EQ(Messages(), "Failed to prepare the sounds.\n");
  EXPECT_EQ(console_.Lines().back(), "Sound_Prepare() \n");
}

}  // namespace

// A main window made headless (on the offscreen desktop) with every service
// the window calls recorded, for the window tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device_window.h"
#include "platform/native_messages.h"
#include "platform/sdl/event_translator.h"
#include "shell/window.h"

namespace windowtest {

struct Record {
  std::vector<int32_t> keysDown, keysUp, chars, buttonsDown, buttonsUp;
  int32_t wheelUps = 0, wheelDowns = 0, resets = 0, lostFocus = 0;
  int32_t mouseX = 0, mouseY = 0, requestedWidth = -1, requestedHeight = -1;
  bool altEnter = false;
  int32_t letterboxX = 0, letterboxY = 0;
  int32_t stepMouseX = 0, stepMouseY = 0;
};
Record& Recorded();

WindowServices RecordingServices();

// Holds or lets go of the right Shift as a key of this program's own, its
// messages dropped: what the window reads as the key's state.
void HoldRightShift(bool held);

class WindowTest : public ::testing::Test {
 protected:
  // Makes the window at this client size for a 320 x 240 game.
  void MakeWindow(int32_t width = 320, int32_t height = 240, uint32_t flags = 0, const char* name = "Win Test");
  void SetUp() override;
  void TearDown() override;
  Record& record() { return Recorded(); }
};

}  // namespace windowtest

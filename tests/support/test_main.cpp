// Shared main of every unit-test program: the same start as the player
// (the "C" locale), death tests that re-run the program cleanly, and no
// joystick: a test that wants the desktop's installs it itself. A joystick
// plugged into the machine would change what a stepped world does, and
// every test that steps one would start the desktop's joystick service.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/fake/fake_joystick.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  FakeJoysticks_Install();
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}

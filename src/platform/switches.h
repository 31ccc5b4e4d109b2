// The environment switches that tests and headless runs use. Each variable is
// read once, the first time any switch is asked for.
#pragma once

#include <string>

struct Switches {
  bool headless = false;      // KORVALITH_HEADLESS=1
  bool virtualClock = false;  // KORVALITH_CLOCK=virtual
  long maxFrames = -1;        // KORVALITH_MAX_FRAMES=N (-1: no limit)
  std::string answersFile;    // KORVALITH_ANSWERS=FILE
  std::string dumpFrame;      // KORVALITH_DUMP_FRAME=FILE.png
  std::string audioOut;       // KORVALITH_AUDIO_OUT=FILE.wav (on the virtual clock)
  // Tests: take the ways a file system or kernel without these leaves.
  bool noUnnamedFiles = false;  // KORVALITH_NO_UNNAMED_FILES=1: no O_TMPFILE
  bool noOpenat2 = false;       // KORVALITH_NO_OPENAT2=1: the walk by descriptors
  // Measuring only: a frame never waits for the software driver's threads,
  // which then may free a fence they still hold (platform/gl/gl_driver.cpp).
  bool noDriverWait = false;  // KORVALITH_NO_DRIVER_WAIT=1
};

const Switches& Switches_Get();
// Tests only: read the environment again.
void Switches_Reload();

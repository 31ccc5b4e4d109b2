// A clean input state for each test: both sides zeroed, no record or
// playback file, the identity key map, and the first step already taken
// (the first poll pushes the step side over whatever the window saw).
#pragma once

#include <cstring>

#include "shell/window_input.h"
#include "world/input/input.h"
#include "world/input/input_state.h"
#include "world/start/command_line.h"

namespace inputtest {

inline void ResetInput() {
  IO_Free();
  Runner_ParseOptions(nullptr);
  std::memset(&Input_StepSide(), 0, sizeof(InputStepSide));
  std::memset(&Input_WindowSide(), 0, sizeof(InputWindowSide));
  IO_Init();
  IO_Update();
}

}  // namespace inputtest

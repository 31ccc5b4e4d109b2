// keyboard_string and the last character as the game reads and sets them on
// the step side (typed on the window side, shell/window_input.cpp). Both keep
// whole UTF-16 units.
#include <cstring>

#include "runtime/utf8.h"
#include "world/input/input.h"
#include "world/input/input_state.h"

namespace {

constexpr int32_t kMaxTypedUnits = kKeyboardStringUnits - 1;

// Up to three UTF-8 bytes a unit, and the terminator.
char g_utf8Text[kKeyboardStringUnits * 3 + 1];

}  // namespace

// The text ends at its first zero unit; after a played-back step the string
// need not agree with the length, so the length is not trusted here.
const char* IO_GetKeyboardString() {
  const uint16_t* units = Input_StepSide().keyboardString;
  char* out = g_utf8Text;
  for (int32_t i = 0; i < kKeyboardStringUnits && units[i] != 0; ++i) UTF8_WriteChar(&out, units[i]);
  *out = '\0';
  return g_utf8Text;
}

void IO_SetKeyboardString(const char* text) {
  InputStepSide& step = Input_StepSide();
  std::memset(step.keyboardString, 0, sizeof step.keyboardString);
  int32_t count = 0;
  if (text != nullptr) {
    const char* p = text;
    while (count < kMaxTypedUnits) {
      uint16_t unit = UTF8_ReadChar(&p);
      if (unit == 0) break;
      step.keyboardString[count++] = unit;
    }
  }
  Input_KeyboardLength() = count;
  std::memcpy(Input_WindowSide().keyboardString, step.keyboardString, sizeof step.keyboardString);
}

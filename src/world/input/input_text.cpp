// keyboard_string and the last character: typed on the window side, read and
// set by the game on the step side. Both keep whole UTF-16 units.
#include <cstring>

#include "runtime/utf8.h"
#include "world/input/input.h"
#include "world/input/input_state.h"

namespace {

constexpr int32_t kMaxTypedUnits = kKeyboardStringUnits - 1;
// The string is cut back once it reaches this many units.
constexpr int32_t kCutAtUnits = 1023;
constexpr int32_t kBackspace = 8;

// Up to three UTF-8 bytes a unit, and the terminator.
char g_utf8Text[kKeyboardStringUnits * 3 + 1];

void ClampLength() {
  int32_t& length = Input_KeyboardLength();
  if (length < 0) length = 0;
  if (length > kMaxTypedUnits) length = kMaxTypedUnits;
}

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

// Codes below 32 are control keys, not text: only backspace does anything.
void IO_OnChar(int32_t code) {
  InputWindowSide& w = Input_WindowSide();
  int32_t& length = Input_KeyboardLength();
  ClampLength();
  auto unit = static_cast<uint16_t>(code & 0xFFFF);
  w.lastChar = unit;
  if (length >= kCutAtUnits) {
    uint16_t last = w.keyboardString[length - 1];
    std::memset(w.keyboardString, 0, sizeof w.keyboardString);
    w.keyboardString[0] = last;
    length = 1;
  }
  if (unit == kBackspace && length > 0) {
    w.keyboardString[--length] = 0;
    return;
  }
  if (unit < 32) {
    w.keyboardString[length] = 0;
    return;
  }
  w.keyboardString[length++] = unit;
  w.keyboardString[length] = 0;
}

// Key codes as the input state and the games see them: one byte each, with
// the numbering the scripts' vk_* names use. Letters and digits are their
// capital ASCII codes ('A' is 65, '0' is 48). The window layer turns its
// own key events into these codes before handing them on.
#pragma once

#include <cstdint>

namespace keys {

constexpr int32_t kNoKey = 0;
constexpr int32_t kAnyKey = 1;
constexpr int32_t kBackspace = 8;
constexpr int32_t kTab = 9;
constexpr int32_t kEnter = 13;
constexpr int32_t kShift = 16;
constexpr int32_t kControl = 17;
constexpr int32_t kAlt = 18;
constexpr int32_t kPause = 19;
constexpr int32_t kCapsLock = 20;
constexpr int32_t kEscape = 27;
constexpr int32_t kSpace = 32;
constexpr int32_t kPageUp = 33;
constexpr int32_t kPageDown = 34;
constexpr int32_t kEnd = 35;
constexpr int32_t kHome = 36;
constexpr int32_t kLeft = 37;
constexpr int32_t kUp = 38;
constexpr int32_t kRight = 39;
constexpr int32_t kDown = 40;
constexpr int32_t kPrintScreen = 44;
constexpr int32_t kInsert = 45;
constexpr int32_t kDelete = 46;
constexpr int32_t kDigit0 = 48;   // '0' .. '9' follow
constexpr int32_t kLetterA = 65;  // 'A' .. 'Z' follow
constexpr int32_t kNumpad0 = 96;  // numpad 0 .. 9 are 96 .. 105
constexpr int32_t kMultiply = 106;
constexpr int32_t kAdd = 107;
constexpr int32_t kSubtract = 109;
constexpr int32_t kDecimal = 110;
constexpr int32_t kDivide = 111;
constexpr int32_t kF1 = 112;  // F1 .. F12 are 112 .. 123
constexpr int32_t kNumLock = 144;
constexpr int32_t kScrollLock = 145;
constexpr int32_t kLeftShift = 160;
constexpr int32_t kRightShift = 161;
constexpr int32_t kLeftControl = 162;
constexpr int32_t kRightControl = 163;
constexpr int32_t kLeftAlt = 164;
constexpr int32_t kRightAlt = 165;

// Codes index 256-entry tables; anything outside is no key.
constexpr int32_t kKeyCodeCount = 256;
constexpr bool IsKeyCode(int32_t code) { return code >= 0 && code < kKeyCodeCount; }

}  // namespace keys

// Recording every step's input to a file and playing it back. A record file
// starts with a header (a mark, the format's version and the size of a
// block), then holds one fixed-size block per step: the step side's values
// field by field, little-endian, with no padding. The first recordings had
// no header and blocks without the window's fields (version 1): they still
// play, the mouse then mapped through the playing run's own window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "world/input/input_state.h"

constexpr size_t kInputRecordHeaderSize = 16;
constexpr uint32_t kInputRecordVersion = 2;
constexpr size_t kInputRecordSize = 2956;
constexpr size_t kInputRecordVersion1Size = 2939;

// Byte offsets of the fields inside one block.
namespace input_record {
constexpr size_t kLastChar = 0;
constexpr size_t kKeyboardString = 2;
constexpr size_t kLastKey = 2052;
constexpr size_t kCurrentKey = 2056;
constexpr size_t kKeyDown = 2060;
constexpr size_t kKeyReleased = 2316;
constexpr size_t kKeyPressed = 2572;
constexpr size_t kLastButton = 2828;
constexpr size_t kCurrentButton = 2848;
constexpr size_t kButtonDown = 2868;  // device-major, buttons 1..3 of each
constexpr size_t kButtonReleased = 2883;
constexpr size_t kButtonPressed = 2898;
constexpr size_t kWheelUp = 2913;
constexpr size_t kWheelDown = 2918;
constexpr size_t kCursor = 2923;
constexpr size_t kWindowMouse = 2931;
// From version 2: the window's client size, the bars' offsets, full screen.
constexpr size_t kWindowSize = 2939;
constexpr size_t kLetterbox = 2947;
constexpr size_t kFullScreen = 2955;
}  // namespace input_record

// The header a recording of this version starts with.
void InputRecord_Header(uint8_t* header);
void InputRecord_Encode(const InputStepSide& step, uint8_t* block);
// Fields the block does not hold (the per-device positions) are untouched.
void InputRecord_Decode(const uint8_t* block, InputStepSide* step);
// A block of version 1: the window's fields are left as they are.
void InputRecord_DecodeVersion1(const uint8_t* block, InputStepSide* step);

// Opens the file named by the command line when recording or playing back
// was asked for; a file that cannot be opened is reported once and both
// operations then do nothing. Playing back turns recording off.
void InputRecord_Open();
void InputRecord_Close();
// Playback was asked for (whether or not its file could be opened).
bool InputRecord_PlaybackMode();
bool InputRecord_RecordMode();

// One block into the step side, and the window it holds stands in for this
// run's (shell/window.h, Win_PlayGeometry); at the end of the file nothing
// is read.
void IO_ReadPlayback();
// One block from the step side, flushed at once.
void IO_WriteRecord();

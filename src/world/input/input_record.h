// Recording every step's input to a file and playing it back. A record file
// has no header: one fixed-size block per step, the step side's values field
// by field, little-endian, with no padding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "world/input/input_state.h"

constexpr size_t kInputRecordSize = 2939;

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
}  // namespace input_record

void InputRecord_Encode(const InputStepSide& step, uint8_t* block);
// Fields the block does not hold (the per-device positions) are untouched.
void InputRecord_Decode(const uint8_t* block, InputStepSide* step);

// Opens the file named by the command line when recording or playing back
// was asked for; a file that cannot be opened is reported once and both
// operations then do nothing. Playing back turns recording off.
void InputRecord_Open();
void InputRecord_Close();
// Playback was asked for (whether or not its file could be opened).
bool InputRecord_PlaybackMode();
bool InputRecord_RecordMode();

// One block into the step side; at the end of the file nothing is read.
void IO_ReadPlayback();
// One block from the step side, flushed at once.
void IO_WriteRecord();

// The desktop cursors of the main window, by table index: 0 arrow, 1 none,
// 2 cross, 3 I-beam, 4 size NE-SW, 5 size N-S, 6 size NW-SE, 7 size W-E,
// 8 up arrow, 9 wait, 10 hand, 11 no, 12 app-starting, 13 help, 14 size all.
#pragma once

#include <cstdint>

constexpr int32_t kCursorCount = 15;
constexpr int32_t kCursorArrow = 0;
constexpr int32_t kCursorNone = 1;

// Makes the cursors the desktop can show (none without a display).
void NativeCursor_LoadTable();
void NativeCursor_FreeTable();
// Shows the cursor of a table index; kCursorNone and indices outside the
// table hide the cursor.
void NativeCursor_Show(int32_t index);
// The index last shown, kCursorNone when hidden.
int32_t NativeCursor_Shown();

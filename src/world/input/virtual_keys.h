// On-screen virtual keys: rectangles in room (port) pixels that act as a key
// or a mouse button of the system mouse while a pointer rests inside them.
// Pointers reach them through the pointer slots, in window pixels, one a
// step for each pointer held down. No source on this system fills them (the
// mouse does not), so the keys never react; only tests set slots.
#pragma once

#include <cstdint>

class CIniFile;

constexpr int kVirtualKeyCount = 128;
// Only the keys at the first 32 table positions ever react.
constexpr int kVirtualKeysReacting = 32;
constexpr uint16_t kVirtualKeyInUse = 1;
constexpr uint16_t kVirtualKeyShown = 2;

struct VirtualKey {
  uint16_t flags;
  uint16_t index;  // its own table position
  int32_t x1, y1;  // top left
  int32_t x2, y2;  // exclusive bottom right
  int32_t w, h;
  int32_t u, v;    // texture coordinates from the options file
  int32_t key;     // key code driven; 0: the button below instead
  int32_t button;  // button 1..3 of the system mouse
};

extern VirtualKey g_virtualKeys[kVirtualKeyCount];
// The options file's texture name for the keys (null when none).
const char* VirtualKeys_TextureName();

constexpr int kPointerSlotCount = 128;
constexpr uint32_t kPointerPending = 0x80000000u;
struct PointerSlot {
  uint32_t flags;  // top bit: a position waits to be looked at
  int32_t x, y;    // window pixels
  uint32_t extra[2];
};
extern PointerSlot g_pointerSlots[kPointerSlotCount];
// Slot `index` holds a pointer at (x, y) this step; a touch source would
// call it, none does on this system.
void IO_SetPointerSlot(int32_t index, int32_t x, int32_t y);
void IO_ClearPointerSlots();

// The table is ready from program start, so keys read from the options file
// before IO_Init stay; IO_Free empties it again.
void VirtualKeys_Init();
void VirtualKeys_Free();

VirtualKey* IO_FindFreeVirtualKey();
void IO_DeleteVirtualKey(int32_t index);
// A key made by a script: the first unused record covers the rectangle and
// drives the key code, hidden until shown. Answers its table position, or
// -1 when every record is in use.
int32_t IO_AddVirtualKey(int32_t x, int32_t y, int32_t width, int32_t height, int32_t key);
// Shows or hides the key at a table position (nothing outside the table).
void IO_ShowVirtualKey(int32_t index, bool shown);
// Reads the keys of sections IO_VIRTUAL_BUTTONS and IO_BUTTON_<n>.
void IO_LoadVirtualButtons(CIniFile* ini);
// Turns this step's pointers into presses, holds and releases.
void IO_UpdateVirtualKeys();
// Draws the shown keys over the frame.
void IO_DrawVirtualKeys();

// Keys are given in the room's pixels and drawn and hit in the drawing
// area's (the back buffer's size). The room lies above the input, so its
// size comes through a hook the world installs: the room's size, or view
// 0's port when views are on; 0 means there is no room to map onto.
struct VirtualKeySize {
  int32_t width, height;
};
struct VirtualKeyHooks {
  VirtualKeySize (*portSize)();
};
// A null member puts back the default, which has no room.
void VirtualKeys_Install(const VirtualKeyHooks& hooks);

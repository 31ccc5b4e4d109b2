// The keyboard and mouse state games read: the step side, taken from the
// window side (shell/window_input.h) once at the start of every step.
// Key codes are bytes (see platform/keys.h): codes outside 0..255 read as
// false and change nothing. Mouse devices are 0..4 (0 is the system mouse,
// the only one fed from the window) and buttons 1..3 (left, right, middle);
// anything else reads 0 or false and changes nothing.
#pragma once

#include <cstdint>

// Start-up: empty state, identity key map, the record or playback file
// opened, the virtual-key table made ready. IO_Free undoes it at shutdown.
void IO_Init();
void IO_Free();
// The game's start code is about to run: what it sets on the step side is
// carried to the window side before the first message taken after this (a
// key the code presses itself) or the first step, whichever comes first.
// Messages taken between IO_Init and this are overwritten, as the first
// step would.
void IO_GameStarting();

// Once per step, before any event: the window side (or a recorded step)
// becomes the step side.
void IO_Update();
void IO_Poll();
// Calls of IO_Update so far.
int32_t IO_StepCount();

// Everything typed and held is forgotten (after dialogs, io_clear).
void IO_Clear();
void IO_ClearKeys();

uint16_t IO_GetLastChar();
void IO_SetLastChar(uint16_t unit);
// keyboard_string as UTF-8, in a buffer that the next call reuses.
const char* IO_GetKeyboardString();
// At most 1024 characters of the UTF-8 text; null empties the string.
void IO_SetKeyboardString(const char* text);

int32_t IO_GetLastKey();
int32_t IO_GetCurrentKey();
void IO_SetLastKey(int32_t code);
void IO_SetCurrentKey(int32_t code);
bool IO_KeyDown(int32_t code);
bool IO_KeyPressed(int32_t code);
bool IO_KeyReleased(int32_t code);
void IO_ClearKey(int32_t code);

int32_t IO_GetLastButton(int32_t device);
int32_t IO_GetCurrentButton(int32_t device);
void IO_SetLastButton(int32_t button, int32_t device);
void IO_SetCurrentButton(int32_t button, int32_t device);
bool IO_ButtonDown(int32_t button, int32_t device);
bool IO_ButtonPressed(int32_t button, int32_t device);
bool IO_ButtonReleased(int32_t button, int32_t device);
bool IO_WheelUp(int32_t device);
bool IO_WheelDown(int32_t device);
void IO_ClearButton(int32_t button, int32_t device);

// Pointer positions of this step: per device, and the system mouse in
// window pixels; the cursor on the screen.
int32_t IO_MouseX(int32_t device);
int32_t IO_MouseY(int32_t device);
int32_t IO_WindowMouseX();
int32_t IO_WindowMouseY();
// The step's system mouse in room coordinates, mapped through the window's
// ports; 0, 0 while the window has no drawn area.
void IO_RoomMouse(int32_t* x, int32_t* y);

// What the key and button checks of scripts ask of this step's state.
enum class InputTest { kHeld, kPressed, kReleased };
// A key code: 0 (no key) holds when the test holds for no code 0..255, 1
// (any key) when it holds for some; other codes outside 0..255 never hold.
bool IO_CheckKey(InputTest test, int32_t code);
// A button of a pointer device: -1 any of buttons 1..3, 0 none of them;
// other numbers outside 1..3 never hold.
bool IO_CheckButton(InputTest test, int32_t button, int32_t device);

// Waiting for a key press (or a press of a button of the system mouse):
// the last one is forgotten, then every 50 ms the messages are handled
// until the window records a new one or the game stops running. Headless,
// nobody presses anything: the messages are handled once.
void IO_WaitForKey();
void IO_WaitForButton();

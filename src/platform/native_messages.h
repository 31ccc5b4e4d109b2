// The message side of the desktop layer: one queue of posted messages, the
// keys the desktop takes before they become messages, and the key state the
// window procedure asks for.
// Events from the desktop enter through the event translator.
#pragma once

#include <cstdint>

#include "platform/window_messages.h"

// The window that the desktop's quit request, and keys typed before the
// desktop settled the focus, are addressed to.
void Translator_SetMainWindow(NativeWindow window);
NativeWindow Translator_MainWindow();

void Native_PostMessage(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam);
// Takes the oldest posted message; false when the queue is empty.
bool Native_NextMessage(WindowMessage* message);
void Native_ClearMessages();

// While on (the main window's life, from its creation to its destruction)
// and the window is active, the desktop takes two kinds of key before they
// become messages: the Windows keys in full screen, and Alt+F4, which asks
// the run to stop.
void Native_FilterKeys(bool on);
bool Native_KeysFiltered();
// True once for each stop Alt+F4 asked for.
bool Native_TakeStopRequest();

// Any virtual key 0..255 (the mouse buttons are keys 1, 2 and 4): bits
// 0x8000 and 0x80 set while it is held, bit 1 while Caps, Num or Scroll Lock
// is on; 0 for any other code. Reads the desktop's keyboard as the events
// handed over so far left it, and the keys this program holds down itself.
int16_t Native_GetKeyState(int32_t virtualKey);
// The same at this moment, the desktop's pending events taken in first:
// 0x8000 while held, else 0.
int16_t Native_GetAsyncKeyState(int32_t virtualKey);

// A key pressed or released by the program itself (codes 1..255). Where the
// desktop's keyboard can be typed on (platform/desktop_keys.h) it is typed
// there and reaches the focused window as a desktop key does. Otherwise it
// may be taken by the desktop (Native_FilterKeys) and then, unless taken, joins the queue as
// the main window's key message; it reads as held until released, and a
// press of a lock key flips that lock for this program only.
void Native_KeybdEvent(int32_t virtualKey, bool release);
// Forgets the program's own held keys and lock flips.
void Native_ResetSyntheticKeys();

// Polls the pending desktop events through the translator. The release of
// a key or button a person pressed since the input was last taken waits
// (with what follows it) until Native_InputTaken, or 100 ms, so no press is
// lost; the program's own keys typed on the desktop never wait.
void Native_PumpEvents();
void Native_InputTaken();

// Filters see each desktop event before the translator, in the order they
// were added; the first that answers true takes the event from the filters
// after it and from the game (a dialog shown beside the game takes its keys
// so, and the debugger's window its own events). Adding a filter twice
// keeps one; removing one not added does nothing.
union SDL_Event;
using NativeEventFilter = bool (*)(const SDL_Event& event);
void Native_AddEventFilter(NativeEventFilter filter);
void Native_RemoveEventFilter(NativeEventFilter filter);

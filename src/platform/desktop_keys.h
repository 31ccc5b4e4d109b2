// Keys this program types on the desktop's keyboard itself. They go where a
// typed key goes: to whichever window holds the focus (normally the game's
// own, which takes them in like any other key), and a lock key changes the
// desktop's lock and its light. Only an X display is typed on; elsewhere
// (headless runs, other desktops, no video) every call answers that there is
// no desktop keyboard, and the caller keeps the key inside the game.
#pragma once

#include <cstdint>

// Keys are named by the desktop layer's key codes (SDL_Keycode).
using DesktopKey = int32_t;

// Presses or releases the key and waits until the desktop has taken it;
// false, doing nothing, when there is no desktop keyboard, it has no such
// key, or the key to release is not held down there.
bool DesktopKeys_Send(DesktopKey key, bool release);
// The desktop's own state of Caps, Num or Scroll Lock as its light shows it:
// 1 on, 0 off, -1 when there is no desktop keyboard or the key is no lock.
int DesktopKeys_LockState(DesktopKey key);
// Lets go of the keys still held down through DesktopKeys_Send and drops the
// connection to the desktop.
void DesktopKeys_Shutdown();

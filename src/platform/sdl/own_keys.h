// The program's own keys typed on the desktop come back as desktop events.
// They are the program's, not a person's: the pump passes them, and what
// follows them, at once, so they read as they do where they join the queue
// directly. Each is known by its kind, key and the moment it was queued.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// A key about to be typed: what of its kind is queued already.
struct OwnKeyWatch {
  Uint32 type = 0;
  int32_t virtualKey = 0;
  size_t before = 0;
  bool watching = false;
};

// Called before the key (its message's code) is typed; watches only while
// one of this program's windows has the keyboard.
OwnKeyWatch OwnKeys_Watch(int32_t virtualKey, bool release);
// Called once it was typed: waits a moment for it to come back.
void OwnKeys_Expect(const OwnKeyWatch& watch);
// True while a key typed is expected back.
bool OwnKeys_Pending();
// True when the queued event is one of the program's own keys, which is
// then forgotten, as are those queued before it that never came.
bool OwnKeys_Take(const SDL_Event& event);

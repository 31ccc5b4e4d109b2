// Desktop events into window messages. Keys become key messages with the
// virtual-key code in wParam (system key messages while Alt is held, and for
// F10); typed text becomes one character message per code point; mouse
// buttons, motion and the wheel become mouse messages; focus changes,
// window closing and the desktop's quit become the focus and close
// messages. Key events pass the keyboard hook first, which may swallow them.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/native_messages.h"
#include "platform/window_messages.h"

// One key event as the window procedure will see it: the desktop may take
// it (Native_FilterKeys), else it becomes a key message (a system one while
// Alt is held, and for F10); a press with Alt of Return also asks for the
// full-screen switch, one without Alt of Backspace, Tab, Return or Escape
// types its character.
struct TranslatedKey {
  NativeWindow window = 0;
  int32_t virtualKey = 0;
  bool down = false;
  bool repeat = false;
  bool alt = false;
  uint32_t scanByte = 0;
  MsgLParam lParam = 0;
};
void Translator_DeliverKey(const TranslatedKey& key);
void Translator_Translate(const SDL_Event& event);
// The virtual-key code of a key, 0 when it has none.
int32_t Translator_VirtualKey(SDL_Keycode key, SDL_Scancode scancode);
// The key that gives a virtual-key code (the left one of a pair such as
// the Shift keys), SDLK_UNKNOWN when none does.
SDL_Keycode Translator_KeyOfVirtual(int32_t virtualKey);
// Forgets which application-level activation was last reported.
void Translator_Reset();

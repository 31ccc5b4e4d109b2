#include "platform/native_messages.h"

#include <SDL.h>

#include <algorithm>
#include <bitset>
#include <deque>
#include <vector>

#include "platform/desktop_keys.h"
#include "platform/sdl/event_translator.h"
#include "platform/sdl/own_keys.h"

namespace {

std::vector<NativeEventFilter> g_eventFilters;

// True when a filter takes the event.
bool Filtered(const SDL_Event& event) {
  // A filter may add or remove filters while it runs: walk a copy.
  const std::vector<NativeEventFilter> filters = g_eventFilters;
  for (NativeEventFilter filter : filters)
    if (filter(event)) return true;
  return false;
}

std::deque<WindowMessage> g_queue;

// Keys this program pressed itself and has not released yet.
std::bitset<256> g_syntheticHeld;
// Lock keys pressed by this program: their lock reads flipped from the
// desktop's, whose lights stay as they are.
std::bitset<256> g_syntheticToggled;

bool IsKeyCode(int32_t virtualKey) { return virtualKey >= 0 && virtualKey < 256; }
bool IsLockKey(int32_t virtualKey) {
  return virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK || virtualKey == VK_SCROLL;
}

// The side-naming codes are read by place; the generic ones through the
// translator's own table, run backwards over the keys held.
SDL_Scancode SideScancode(int32_t virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT: return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT: return SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL: return SDL_SCANCODE_LCTRL;
    case VK_RCONTROL: return SDL_SCANCODE_RCTRL;
    case VK_LMENU: return SDL_SCANCODE_LALT;
    case VK_RMENU: return SDL_SCANCODE_RALT;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}

bool DesktopButtonDown(int32_t virtualKey) {
  Uint32 mask = 0;
  switch (virtualKey) {
    case VK_LBUTTON: mask = SDL_BUTTON_LMASK; break;
    case VK_RBUTTON: mask = SDL_BUTTON_RMASK; break;
    case VK_MBUTTON: mask = SDL_BUTTON_MMASK; break;
    default: return false;
  }
  return (SDL_GetMouseState(nullptr, nullptr) & mask) != 0;
}

bool DesktopKeyDown(int32_t virtualKey) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  if (virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON) {
    return DesktopButtonDown(virtualKey);
  }
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  const SDL_Scancode side = SideScancode(virtualKey);
  if (side != SDL_SCANCODE_UNKNOWN) return side < count && state[side] != 0;
  for (int code = 0; code < count; ++code) {
    if (state[code] == 0) continue;
    const auto scancode = static_cast<SDL_Scancode>(code);
    if (Translator_VirtualKey(SDL_GetKeyFromScancode(scancode), scancode) == virtualKey) return true;
  }
  return false;
}

// A generic modifier held by this program counts as its left key, and
// either side as the generic one.
bool SyntheticDown(int32_t virtualKey) {
  if (g_syntheticHeld.test(static_cast<size_t>(virtualKey))) return true;
  auto held = [](int32_t code) { return g_syntheticHeld.test(static_cast<size_t>(code)); };
  switch (virtualKey) {
    case VK_SHIFT: return held(VK_LSHIFT) || held(VK_RSHIFT);
    case VK_CONTROL: return held(VK_LCONTROL) || held(VK_RCONTROL);
    case VK_MENU: return held(VK_LMENU) || held(VK_RMENU);
    case VK_LSHIFT: return held(VK_SHIFT);
    case VK_LCONTROL: return held(VK_CONTROL);
    case VK_LMENU: return held(VK_MENU);
    default: return false;
  }
}

bool KeyDown(int32_t virtualKey) {
  if (SyntheticDown(virtualKey)) return true;
  return DesktopKeyDown(virtualKey);
}

// The desktop's key for a code: the side-naming ones by place, the others
// through the translator's table.
DesktopKey DesktopKeyOf(int32_t virtualKey) {
  const SDL_Scancode side = SideScancode(virtualKey);
  return side != SDL_SCANCODE_UNKNOWN ? SDL_SCANCODE_TO_KEYCODE(side) : Translator_KeyOfVirtual(virtualKey);
}

bool DesktopLockOn(int32_t virtualKey) {
  const int typedOn = DesktopKeys_LockState(DesktopKeyOf(virtualKey));
  if (typedOn >= 0) return typedOn == 1;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const SDL_Keymod mods = SDL_GetModState();
  switch (virtualKey) {
    case VK_CAPITAL: return (mods & KMOD_CAPS) != 0;
    case VK_NUMLOCK: return (mods & KMOD_NUM) != 0;
    case VK_SCROLL: return (mods & KMOD_SCROLL) != 0;
    default: return false;
  }
}

}  // namespace

void Native_PostMessage(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam) {
  g_queue.push_back(WindowMessage{window, message, wParam, lParam});
}

bool Native_NextMessage(WindowMessage* message) {
  if (g_queue.empty()) return false;
  *message = g_queue.front();
  g_queue.pop_front();
  return true;
}

void Native_ClearMessages() { g_queue.clear(); }

int16_t Native_GetKeyState(int32_t virtualKey) {
  if (!IsKeyCode(virtualKey)) return 0;
  uint16_t state = KeyDown(virtualKey) ? 0x8080u : 0u;
  if (IsLockKey(virtualKey) &&
      (DesktopLockOn(virtualKey) != g_syntheticToggled.test(static_cast<size_t>(virtualKey)))) {
    state |= 1u;
  }
  return static_cast<int16_t>(state);
}

int16_t Native_GetAsyncKeyState(int32_t virtualKey) {
  if (!IsKeyCode(virtualKey)) return 0;
  // Events the desktop has not handed over yet still change what is held.
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_PumpEvents();
  return KeyDown(virtualKey) ? static_cast<int16_t>(0x8000) : 0;
}

namespace {

uint32_t SyntheticScanByte(int32_t virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT:
    case VK_LSHIFT: return 0x2A;
    case VK_RSHIFT: return 0x36;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return 0x1D;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return 0x38;
    default: return 0;
  }
}

// Key messages name modifiers generically; the side is in the scan code
// and the extended bit, as with the desktop's own keys.
int32_t MessageKey(int32_t virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return virtualKey;
  }
}

}  // namespace

void Native_KeybdEvent(int32_t virtualKey, bool release) {
  if (virtualKey < 1 || !IsKeyCode(virtualKey)) return;
  const OwnKeyWatch watch = OwnKeys_Watch(MessageKey(virtualKey), release);
  if (DesktopKeys_Send(DesktopKeyOf(virtualKey), release)) {
    OwnKeys_Expect(watch);
    return;
  }
  const auto index = static_cast<size_t>(virtualKey);
  const bool repeat = !release && g_syntheticHeld.test(index);
  if (release) {
    g_syntheticHeld.reset(index);
  } else {
    g_syntheticHeld.set(index);
    if (IsLockKey(virtualKey) && !repeat) g_syntheticToggled.flip(index);
  }
  TranslatedKey key;
  key.window = Translator_MainWindow();
  key.virtualKey = MessageKey(virtualKey);
  key.down = !release;
  key.repeat = repeat;
  key.alt = KeyDown(VK_MENU);
  key.scanByte = SyntheticScanByte(virtualKey);
  key.lParam = 1 | (static_cast<MsgLParam>(key.scanByte) << 16);
  if (virtualKey == VK_RCONTROL || virtualKey == VK_RMENU) key.lParam |= kKeyExtended;
  if (release || repeat) key.lParam |= MsgLParam{1} << 30;
  if (release) key.lParam |= MsgLParam{1} << 31;
  Translator_DeliverKey(key);
}

void Native_ResetSyntheticKeys() {
  g_syntheticHeld.reset();
  g_syntheticToggled.reset();
}

// A key or button pressed and released before the game's step has read the
// input would reach the step as released only, its press lost. Its release
// (and everything after it) waits in the desktop's queue until the input
// was taken, or at most kHoldLimit milliseconds when no step comes.
namespace {

std::bitset<SDL_NUM_SCANCODES> g_keysPressed;
std::bitset<8> g_buttonsPressed;
Uint64 g_holdStart = 0;
constexpr Uint64 kHoldLimit = 100;

bool MustWait(const SDL_Event& event) {
  if (event.type == SDL_KEYUP)
    return g_keysPressed.test(static_cast<size_t>(event.key.keysym.scancode) % SDL_NUM_SCANCODES);
  if (event.type == SDL_MOUSEBUTTONUP) return g_buttonsPressed.test(event.button.button % 8u);
  return false;
}

void NotePress(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) g_keysPressed.set(static_cast<size_t>(event.key.keysym.scancode) % SDL_NUM_SCANCODES);
  if (event.type == SDL_MOUSEBUTTONDOWN) g_buttonsPressed.set(event.button.button % 8u);
}

}  // namespace

void Native_InputTaken() {
  g_keysPressed.reset();
  g_buttonsPressed.reset();
  g_holdStart = 0;
}

void Native_AddEventFilter(NativeEventFilter filter) {
  if (filter == nullptr || std::find(g_eventFilters.begin(), g_eventFilters.end(), filter) != g_eventFilters.end())
    return;
  g_eventFilters.push_back(filter);
}

void Native_RemoveEventFilter(NativeEventFilter filter) {
  g_eventFilters.erase(std::remove(g_eventFilters.begin(), g_eventFilters.end(), filter), g_eventFilters.end());
}

namespace {

// A person's release waits at the front: the program's own keys queued
// behind it go on now, the rest keeps its order behind it.
void PassOwnKeysBehind() {
  if (!OwnKeys_Pending()) return;
  const int count = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  if (count <= 1) return;
  std::vector<SDL_Event> queued(static_cast<size_t>(count));
  const int taken = SDL_PeepEvents(queued.data(), count, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  queued.resize(static_cast<size_t>(std::max(taken, 0)));
  std::vector<SDL_Event> kept;
  for (size_t i = 0; i < queued.size(); ++i) {
    if (i == 0 || !OwnKeys_Take(queued[i])) {
      kept.push_back(queued[i]);
    } else if (g_eventFilters.empty() || !Filtered(queued[i])) {
      Translator_Translate(queued[i]);
    }
  }
  SDL_PeepEvents(kept.data(), static_cast<int>(kept.size()), SDL_ADDEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace

void Native_PumpEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  if (g_holdStart != 0 && SDL_GetTicks64() - g_holdStart >= kHoldLimit) Native_InputTaken();
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    const bool own = OwnKeys_Take(event);
    if (!g_eventFilters.empty() && Filtered(event)) {
      SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
      continue;
    }
    if (!own && MustWait(event)) {
      if (g_holdStart == 0) g_holdStart = SDL_GetTicks64();
      PassOwnKeysBehind();
      return;
    }
    if (!own) NotePress(event);
    SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    Translator_Translate(event);
  }
}

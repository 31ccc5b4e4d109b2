#include "platform/sdl/native_messages.h"

#include <SDL.h>

#include <bitset>
#include <deque>

#include "platform/sdl/event_translator.h"

namespace {

std::deque<WindowMessage> g_queue;
KeyboardHookProc g_hook = nullptr;
constexpr uintptr_t kHookHandle = 1;
KeyStateSource g_keyStateSource = nullptr;

SDL_Scancode ScancodeOf(int32_t virtualKey, SDL_Scancode* second) {
  *second = SDL_SCANCODE_UNKNOWN;
  switch (virtualKey) {
    case VK_SHIFT: *second = SDL_SCANCODE_RSHIFT; return SDL_SCANCODE_LSHIFT;
    case VK_CONTROL: *second = SDL_SCANCODE_RCTRL; return SDL_SCANCODE_LCTRL;
    case VK_MENU: *second = SDL_SCANCODE_RALT; return SDL_SCANCODE_LALT;
    case VK_LSHIFT: return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT: return SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL: return SDL_SCANCODE_LCTRL;
    case VK_RCONTROL: return SDL_SCANCODE_RCTRL;
    case VK_LMENU: return SDL_SCANCODE_LALT;
    case VK_RMENU: return SDL_SCANCODE_RALT;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}

bool DesktopKeyDown(int32_t virtualKey) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  SDL_Scancode second;
  const SDL_Scancode first = ScancodeOf(virtualKey, &second);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  auto held = [&](SDL_Scancode code) { return code != SDL_SCANCODE_UNKNOWN && code < count && state[code] != 0; };
  return held(first) || held(second);
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

uintptr_t Native_SetKeyboardHook(KeyboardHookProc proc) {
  if (proc == nullptr) return 0;
  g_hook = proc;
  return kHookHandle;
}

bool Native_UnhookKeyboard(uintptr_t handle) {
  if (handle != kHookHandle || g_hook == nullptr) return false;
  g_hook = nullptr;
  return true;
}

bool Native_RunKeyboardHook(uint32_t message, const KeyboardHookRecord& record) {
  if (g_hook == nullptr) return false;
  KeyboardHookRecord copy = record;
  return g_hook(HC_ACTION, message, reinterpret_cast<MsgLParam>(&copy)) != 0;
}

MsgResult Native_CallNextHook(int32_t, MsgWParam, MsgLParam) { return 0; }

int16_t Native_GetKeyState(int32_t virtualKey) {
  const bool down = g_keyStateSource != nullptr ? g_keyStateSource(virtualKey) : DesktopKeyDown(virtualKey);
  return down ? static_cast<int16_t>(0x8080) : 0;
}

void Native_SetKeyStateSource(KeyStateSource source) { g_keyStateSource = source; }

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
  if (event.type == SDL_KEYUP) return g_keysPressed.test(static_cast<size_t>(event.key.keysym.scancode) % SDL_NUM_SCANCODES);
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

void Native_PumpEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  if (g_holdStart != 0 && SDL_GetTicks64() - g_holdStart >= kHoldLimit) Native_InputTaken();
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    if (MustWait(event)) {
      if (g_holdStart == 0) g_holdStart = SDL_GetTicks64();
      return;
    }
    NotePress(event);
    SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    Translator_Translate(event);
  }
}

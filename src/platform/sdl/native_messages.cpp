#include "platform/sdl/native_messages.h"

#include <SDL.h>

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

void Native_PumpEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Translator_Translate(event);
}

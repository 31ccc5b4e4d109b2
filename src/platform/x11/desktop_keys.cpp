#include "platform/desktop_keys.h"

#include <SDL.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <bitset>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/switches.h"

namespace {

Display* g_display = nullptr;
// The display g_display is, or the one that offered no test extension.
std::string g_displayName;
// X key codes held down by this program.
std::bitset<256> g_held;

struct NamedSym {
  SDL_Keycode key;
  KeySym sym;
};

constexpr NamedSym kNamedSyms[] = {
    {SDLK_LEFT, XK_Left},
    {SDLK_UP, XK_Up},
    {SDLK_RIGHT, XK_Right},
    {SDLK_DOWN, XK_Down},
    {SDLK_PAGEUP, XK_Prior},
    {SDLK_PAGEDOWN, XK_Next},
    {SDLK_HOME, XK_Home},
    {SDLK_END, XK_End},
    {SDLK_INSERT, XK_Insert},
    {SDLK_PAUSE, XK_Pause},
    {SDLK_PRINTSCREEN, XK_Print},
    {SDLK_CAPSLOCK, XK_Caps_Lock},
    {SDLK_NUMLOCKCLEAR, XK_Num_Lock},
    {SDLK_SCROLLLOCK, XK_Scroll_Lock},
    {SDLK_LSHIFT, XK_Shift_L},
    {SDLK_RSHIFT, XK_Shift_R},
    {SDLK_LCTRL, XK_Control_L},
    {SDLK_RCTRL, XK_Control_R},
    {SDLK_LALT, XK_Alt_L},
    {SDLK_RALT, XK_Alt_R},
    {SDLK_LGUI, XK_Super_L},
    {SDLK_RGUI, XK_Super_R},
    {SDLK_APPLICATION, XK_Menu},
    {SDLK_KP_0, XK_KP_0},
    {SDLK_KP_MULTIPLY, XK_KP_Multiply},
    {SDLK_KP_PLUS, XK_KP_Add},
    {SDLK_KP_MINUS, XK_KP_Subtract},
    {SDLK_KP_PERIOD, XK_KP_Decimal},
    {SDLK_KP_DIVIDE, XK_KP_Divide},
    {SDLK_KP_ENTER, XK_KP_Enter},
    {SDLK_DELETE, XK_Delete},
};

// Keys that type a Latin-1 character carry it as their code, and X names
// them by the same number; the control characters' keys sit at 0xFF00 up.
KeySym SymOf(SDL_Keycode key) {
  if (key >= SDLK_F1 && key <= SDLK_F12) return XK_F1 + static_cast<KeySym>(key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return XK_F13 + static_cast<KeySym>(key - SDLK_F13);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return XK_KP_1 + static_cast<KeySym>(key - SDLK_KP_1);
  for (const NamedSym& named : kNamedSyms) {
    if (named.key == key) return named.sym;
  }
  if (key == SDLK_BACKSPACE || key == SDLK_TAB || key == SDLK_RETURN || key == SDLK_ESCAPE)
    return 0xFF00 | static_cast<KeySym>(key);
  if (key >= 0x20 && key <= 0xFF && key != 0x7F) return static_cast<KeySym>(key);
  return NoSymbol;
}

bool OnX() {
  if (Switches_Get().headless || SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

// The connection to the display the game's window is on; null when there
// is none or it cannot take test input.
Display* Connection() {
  if (!OnX()) return nullptr;
  const char* name = std::getenv("DISPLAY");
  const std::string wanted = name != nullptr ? name : "";
  if (wanted == g_displayName) return g_display;
  DesktopKeys_Shutdown();
  g_displayName = wanted;
  g_display = XOpenDisplay(wanted.c_str());
  int event = 0, error = 0, major = 0, minor = 0;
  if (g_display != nullptr && !XTestQueryExtension(g_display, &event, &error, &major, &minor)) {
    XCloseDisplay(g_display);
    g_display = nullptr;
  }
  return g_display;
}

const char* IndicatorName(SDL_Keycode key) {
  switch (key) {
    case SDLK_CAPSLOCK: return "Caps Lock";
    case SDLK_NUMLOCKCLEAR: return "Num Lock";
    case SDLK_SCROLLLOCK: return "Scroll Lock";
    default: return nullptr;
  }
}

bool ServerHolds(Display* display, KeyCode code) {
  char keys[32] = {};
  XQueryKeymap(display, keys);
  return (static_cast<unsigned char>(keys[code / 8]) & (1u << (code % 8))) != 0;
}

}  // namespace

bool DesktopKeys_Send(DesktopKey key, bool release) {
  Display* display = Connection();
  if (display == nullptr) return false;
  const KeySym sym = SymOf(key);
  const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
  // The server drops the release of a key it does not hold down.
  if (code == 0 || (release && !ServerHolds(display, code))) return false;
  XTestFakeKeyEvent(display, code, release ? False : True, CurrentTime);
  // Once the server answers, it has sent the key on to the focused window.
  XSync(display, False);
  g_held.set(code, !release);
  return true;
}

int DesktopKeys_LockState(DesktopKey key) {
  const char* name = IndicatorName(key);
  Display* display = name != nullptr ? Connection() : nullptr;
  if (display == nullptr) return -1;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, XInternAtom(display, name, False), nullptr, &on, nullptr, nullptr)) return -1;
  return on ? 1 : 0;
}

void DesktopKeys_Shutdown() {
  if (g_display != nullptr) {
    for (size_t code = 0; code < g_held.size(); ++code) {
      if (g_held.test(code)) XTestFakeKeyEvent(g_display, static_cast<unsigned>(code), False, CurrentTime);
    }
    XCloseDisplay(g_display);  // sends what is still buffered
  }
  g_display = nullptr;
  g_displayName.clear();
  g_held.reset();
}

#include "platform/sdl/event_translator.h"

#include <cstring>

#include "platform/device_window.h"
#include "platform/native_messages.h"

namespace {

NativeWindow g_mainWindow = 0;
bool g_appActive = false;
bool g_filterKeys = false;
bool g_stopAsked = false;

// Scan-code bytes of the modifier keys, as key messages carry them.
constexpr uint32_t kScanLeftShift = 0x2A;
constexpr uint32_t kScanRightShift = 0x36;
constexpr uint32_t kScanControl = 0x1D;
constexpr uint32_t kScanAlt = 0x38;

struct KeyPair {
  SDL_Keycode key;
  int32_t virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},           {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},      {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},        {SDLK_LALT, 18},
    {SDLK_RALT, 18},          {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},        {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},      {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},          {SDLK_UP, 38},           {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},          {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},        {SDLK_LGUI, 0x5B},       {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D}, {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},     {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},  {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},       {SDLK_COMMA, 188},       {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},       {SDLK_SLASH, 191},       {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},  {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},        {SDLK_KP_0, 96},
};

// Runs of keys whose codes follow one another, as their virtual keys do.
struct KeyRun {
  SDL_Keycode first;
  SDL_Keycode last;
  int32_t virtualKey;  // the first key's
};

constexpr KeyRun kKeyRuns[] = {
    {SDLK_a, SDLK_z, 65},      {SDLK_0, SDLK_9, 48},       {SDLK_F1, SDLK_F12, 112},
    {SDLK_F13, SDLK_F24, 124}, {SDLK_KP_1, SDLK_KP_9, 97},
};

int32_t KeycodeToVirtual(SDL_Keycode key) {
  for (const KeyRun& run : kKeyRuns) {
    if (key >= run.first && key <= run.last) return run.virtualKey + (key - run.first);
  }
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.key == key) return pair.virtualKey;
  }
  return 0;
}

// The first key of the tables that gives the code: the left one of a pair.
SDL_Keycode VirtualToKeycode(int32_t virtualKey) {
  for (const KeyRun& run : kKeyRuns) {
    if (virtualKey >= run.virtualKey && virtualKey <= run.virtualKey + (run.last - run.first))
      return run.first + (virtualKey - run.virtualKey);
  }
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.virtualKey == virtualKey) return pair.key;
  }
  return SDLK_UNKNOWN;
}

// Keys named by their place on a US keyboard.
int32_t ScancodeToVirtual(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 65 + (code - SDL_SCANCODE_A);
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return 49 + (code - SDL_SCANCODE_1);
  switch (code) {
    case SDL_SCANCODE_0: return 48;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    default: return 0;
  }
}

bool IsRightHand(SDL_Keycode key) { return key == SDLK_RCTRL || key == SDLK_RALT || key == SDLK_KP_ENTER; }

uint32_t ScanByte(SDL_Keycode key) {
  switch (key) {
    case SDLK_LSHIFT: return kScanLeftShift;
    case SDLK_RSHIFT: return kScanRightShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return kScanControl;
    case SDLK_LALT:
    case SDLK_RALT: return kScanAlt;
    default: return 0;
  }
}

MsgLParam KeyLParam(const SDL_KeyboardEvent& key, bool down) {
  MsgLParam l = 1 | (static_cast<MsgLParam>(ScanByte(key.keysym.sym)) << 16);
  if (IsRightHand(key.keysym.sym)) l |= kKeyExtended;
  if (!down || key.repeat != 0) l |= MsgLParam{1} << 30;
  if (!down) l |= MsgLParam{1} << 31;
  return l;
}

MsgWParam MouseKeyFlags() {
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  const SDL_Keymod mods = SDL_GetModState();
  MsgWParam flags = 0;
  if ((buttons & SDL_BUTTON_LMASK) != 0) flags |= MK_LBUTTON;
  if ((buttons & SDL_BUTTON_RMASK) != 0) flags |= MK_RBUTTON;
  if ((buttons & SDL_BUTTON_MMASK) != 0) flags |= MK_MBUTTON;
  if ((mods & KMOD_SHIFT) != 0) flags |= MK_SHIFT;
  if ((mods & KMOD_CTRL) != 0) flags |= MK_CONTROL;
  return flags;
}

void PostChar(NativeWindow window, uint32_t unit) { Native_PostMessage(window, WM_CHAR, unit & 0xFFFFu, 1); }

// Keys whose characters the text events never carry: their codes are the
// characters.
uint32_t ControlCharacter(int32_t virtualKey) {
  switch (virtualKey) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE: return static_cast<uint32_t>(virtualKey);
    default: return 0;
  }
}

void TranslateKey(const SDL_KeyboardEvent& key) {
  const int32_t virtualKey = Translator_VirtualKey(key.keysym.sym, key.keysym.scancode);
  if (virtualKey == 0) return;
  TranslatedKey translated;
  translated.window = key.windowID;
  translated.virtualKey = virtualKey;
  translated.down = key.type == SDL_KEYDOWN;
  translated.repeat = key.repeat != 0;
  translated.alt = (key.keysym.mod & KMOD_ALT) != 0;
  translated.scanByte = ScanByte(key.keysym.sym);
  translated.lParam = KeyLParam(key, translated.down);
  Translator_DeliverKey(translated);
}

// Length of a well-formed UTF-8 sequence starting at text (at most `left`
// bytes readable), its code point in *point; 0 when malformed.
int DecodeUtf8(const unsigned char* text, size_t left, uint32_t* point) {
  const unsigned char lead = text[0];
  int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || static_cast<size_t>(length) > left) return 0;
  uint32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
  for (int i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
    value = (value << 6) | (text[i] & 0x3Fu);
  }
  static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *point = value;
  return length;
}

// Malformed bytes are skipped one at a time.
void TranslateText(const SDL_TextInputEvent& text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.text);
  const size_t size = strnlen(text.text, sizeof text.text);
  for (size_t i = 0; i < size;) {
    uint32_t point = 0;
    const int length = DecodeUtf8(bytes + i, size - i, &point);
    if (length == 0) {
      ++i;
      continue;
    }
    PostChar(text.windowID, point);
    i += static_cast<size_t>(length);
  }
}

void TranslateButton(const SDL_MouseButtonEvent& button) {
  static constexpr uint32_t kDown[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static constexpr uint32_t kUp[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (button.button < SDL_BUTTON_LEFT || button.button > SDL_BUTTON_RIGHT) return;
  const int index = button.button - SDL_BUTTON_LEFT;
  const uint32_t message = button.type == SDL_MOUSEBUTTONDOWN ? kDown[index] : kUp[index];
  Native_PostMessage(button.windowID, message, MouseKeyFlags(), MakeLParam(button.x, button.y));
}

void TranslateWheel(const SDL_MouseWheelEvent& wheel) {
  int32_t steps = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
  if (steps == 0) return;
  if (steps > 0) steps = 1;
  if (steps < 0) steps = -1;
  int32_t x = wheel.mouseX, y = wheel.mouseY;
  if (SDL_Window* window = SDL_GetWindowFromID(wheel.windowID)) {
    int32_t left = 0, top = 0;
    SDL_GetWindowPosition(window, &left, &top);
    x += left;
    y += top;
  }
  const MsgWParam w = (MouseKeyFlags() & 0xFFFF) | (static_cast<MsgWParam>(MakeLParam(0, steps * WHEEL_DELTA)));
  Native_PostMessage(wheel.windowID, WM_MOUSEWHEEL, w, MakeLParam(x, y));
}

void FocusGained(NativeWindow window) {
  Native_PostMessage(window, WM_SETFOCUS, 0, 0);
  if (g_appActive) return;
  g_appActive = true;
  Native_PostMessage(window, WM_ACTIVATEAPP, 1, 0);
  Native_PostMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

// Focus that moved to none of our windows went to another program.
void FocusLost(NativeWindow window) {
  Native_PostMessage(window, WM_KILLFOCUS, 0, 0);
  if (SDL_GetKeyboardFocus() != nullptr || !g_appActive) return;
  g_appActive = false;
  Native_PostMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
  Native_PostMessage(window, WM_ACTIVATEAPP, 0, 0);
}

// See Native_FilterKeys.
bool DesktopTakes(const TranslatedKey& key) {
  if (!g_filterKeys || !DeviceWindow_State().active) return false;
  if ((key.virtualKey == VK_LWIN || key.virtualKey == VK_RWIN) && DeviceWindow_State().fullScreenStyle) return true;
  if (!key.alt || key.virtualKey != VK_F4) return false;
  g_stopAsked = true;
  return true;
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: FocusGained(event.windowID); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: FocusLost(event.windowID); break;
    case SDL_WINDOWEVENT_CLOSE: Native_PostMessage(event.windowID, WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_ENTER: Native_PostMessage(event.windowID, WM_SETCURSOR, event.windowID, HTCLIENT); break;
    default: break;
  }
}

}  // namespace

void Translator_SetMainWindow(NativeWindow window) { g_mainWindow = window; }
NativeWindow Translator_MainWindow() { return g_mainWindow; }

void Translator_DeliverKey(const TranslatedKey& key) {
  const bool system = key.alt || key.virtualKey == VK_F10;
  const uint32_t message = key.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  if (DesktopTakes(key)) return;
  Native_PostMessage(key.window, message, static_cast<MsgWParam>(key.virtualKey), key.lParam);
  if (!key.down) return;
  if (key.alt) {
    if (key.virtualKey == VK_RETURN && !key.repeat) Native_PostMessage(key.window, WM_SYSCOMMAND, SC_KEYMENU, 13);
    return;
  }
  const uint32_t character = ControlCharacter(key.virtualKey);
  if (character != 0) PostChar(key.window, character);
}
void Translator_Reset() { g_appActive = false; }

void Native_FilterKeys(bool on) { g_filterKeys = on; }
bool Native_KeysFiltered() { return g_filterKeys; }

bool Native_TakeStopRequest() {
  const bool asked = g_stopAsked;
  g_stopAsked = false;
  return asked;
}

int32_t Translator_VirtualKey(SDL_Keycode key, SDL_Scancode scancode) {
  const int32_t byKey = KeycodeToVirtual(key);
  if (byKey != 0) return byKey;
  // Layouts whose keys give other symbols still name the keys by place.
  return ScancodeToVirtual(scancode);
}

SDL_Keycode Translator_KeyOfVirtual(int32_t virtualKey) { return VirtualToKeycode(virtualKey); }

void Translator_Translate(const SDL_Event& event) {
  // Keys typed before the desktop settled the focus carry no window; they
  // are the main window's.
  if ((event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) && event.key.windowID == 0) {
    SDL_Event addressed = event;
    addressed.key.windowID = g_mainWindow;
    return TranslateKey(addressed.key);
  }
  if (event.type == SDL_TEXTINPUT && event.text.windowID == 0) {
    SDL_Event addressed = event;
    addressed.text.windowID = g_mainWindow;
    return TranslateText(addressed.text);
  }
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key); break;
    case SDL_TEXTINPUT: TranslateText(event.text); break;
    case SDL_MOUSEMOTION:
      Native_PostMessage(event.motion.windowID, WM_MOUSEMOVE, MouseKeyFlags(),
                         MakeLParam(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button); break;
    case SDL_MOUSEWHEEL: TranslateWheel(event.wheel); break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); break;
    case SDL_QUIT: Native_PostMessage(g_mainWindow, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

// Joysticks over SDL's joystick service. Each call first lets SDL read the
// devices (and notice any plugged in or pulled out); no joystick event ever
// reaches the event queue.
#include "platform/joystick.h"

#include <SDL.h>

#include <algorithm>

#include "platform/backends.h"

namespace {

constexpr int32_t kDevices = 2;
SDL_Joystick* g_open[kDevices] = {};
bool g_started = false;
bool g_refused = false;

bool Start() {
  if (g_started) return true;
  if (g_refused) return false;
  // The game reads its joysticks whether or not its window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    g_refused = true;
    return false;
  }
  SDL_JoystickEventState(SDL_IGNORE);
  g_started = true;
  return true;
}

void Close(SDL_Joystick*& joystick) {
  if (joystick != nullptr) SDL_JoystickClose(joystick);
  joystick = nullptr;
}

// The open joystick at the device's place in SDL's list, or null.
SDL_Joystick* Device(int32_t device) {
  if (device < 1 || device > kDevices || !Start()) return nullptr;
  SDL_JoystickUpdate();
  SDL_Joystick*& open = g_open[device - 1];
  if (open != nullptr && SDL_JoystickGetAttached(open) != SDL_TRUE) Close(open);
  const int index = device - 1;
  if (index >= SDL_NumJoysticks()) {
    Close(open);
    return nullptr;
  }
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
  if (open != nullptr && SDL_JoystickInstanceID(open) == id) return open;
  Close(open);
  open = SDL_JoystickOpen(index);
  return open;
}

int32_t Counted(int count, int32_t most) { return std::clamp<int32_t>(count, 0, most); }

uint32_t PovOf(Uint8 hat) {
  switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kJoystickPovCentred;
  }
}

bool DesktopCaps(int32_t device, JoystickCaps* caps) {
  SDL_Joystick* joystick = Device(device);
  if (joystick == nullptr) return false;
  const char* name = SDL_JoystickName(joystick);
  caps->name = name != nullptr ? name : "";
  caps->axes = Counted(SDL_JoystickNumAxes(joystick), kJoystickAxes);
  caps->buttons = Counted(SDL_JoystickNumButtons(joystick), kJoystickButtons);
  caps->hasPov = SDL_JoystickNumHats(joystick) > 0;
  return true;
}

bool DesktopPosition(int32_t device, JoystickPosition* position) {
  SDL_Joystick* joystick = Device(device);
  if (joystick == nullptr) return false;
  const int32_t axes = Counted(SDL_JoystickNumAxes(joystick), kJoystickAxes);
  for (int32_t i = 0; i < kJoystickAxes; ++i) {
    const int32_t value = i < axes ? SDL_JoystickGetAxis(joystick, i) : 0;
    position->axes[i] = static_cast<uint32_t>(value + static_cast<int32_t>(kJoystickAxisCentre));
  }
  position->buttons = 0;
  const int32_t buttons = Counted(SDL_JoystickNumButtons(joystick), kJoystickButtons);
  for (int32_t b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(joystick, b) != 0) position->buttons |= 1u << b;
  }
  position->pov = SDL_JoystickNumHats(joystick) > 0 ? PovOf(SDL_JoystickGetHat(joystick, 0)) : kJoystickPovCentred;
  return true;
}

void DesktopShutdown() {
  for (SDL_Joystick*& joystick : g_open) Close(joystick);
  if (g_started) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  g_started = false;
  g_refused = false;
}

constexpr JoystickServices kDesktop{DesktopCaps, DesktopPosition, DesktopShutdown};

const JoystickServices& Chosen() {
  const JoystickServices* fake = PlatformBackends_Get().joysticks;
  return fake != nullptr ? *fake : kDesktop;
}

}  // namespace

bool Joystick_GetCaps(int32_t device, JoystickCaps* caps) { return Chosen().getCaps(device, caps); }

bool Joystick_GetPosition(int32_t device, JoystickPosition* position) { return Chosen().getPosition(device, position); }

void Joystick_Shutdown() { Chosen().shutdown(); }

const JoystickServices& Joystick_Desktop() { return kDesktop; }

#include "platform/fake/fake_joystick.h"

#include "platform/backends.h"

namespace {

FakeJoysticks g_fake;

const FakeJoystick* Present(int32_t device) {
  if (device < 1 || device > 2 || !g_fake.devices[device - 1].present) return nullptr;
  return &g_fake.devices[device - 1];
}

bool Caps(int32_t device, JoystickCaps* caps) {
  const FakeJoystick* joystick = Present(device);
  if (joystick == nullptr) return false;
  *caps = joystick->caps;
  return true;
}

bool Position(int32_t device, JoystickPosition* position) {
  const FakeJoystick* joystick = Present(device);
  if (joystick == nullptr) return false;
  *position = joystick->position;
  return true;
}

void Shutdown() { ++g_fake.shutdowns; }

constexpr JoystickServices kFake{Caps, Position, Shutdown};

}  // namespace

FakeJoysticks& FakeJoysticks_Install() {
  g_fake = FakeJoysticks();
  PlatformBackends_Put(&PlatformBackends::joysticks, &kFake);
  return g_fake;
}

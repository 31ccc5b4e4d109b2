#include "world/input/joysticks.h"

#include "platform/joystick.h"

namespace {

// Beyond these raw positions a stick counts as pushed.
constexpr uint32_t kLowEdge = 20000;
constexpr uint32_t kHighEdge = 44000;
constexpr int32_t kKeypadCentre = 101;

}  // namespace

bool Joysticks_ReadForEvents(int32_t joystick, JoystickState* state) {
  JoystickPosition position;
  if (!Joystick_GetPosition(joystick + 1, &position)) return false;
  state->x = position.axes[0];
  state->y = position.axes[1];
  state->buttons = position.buttons;
  return true;
}

int32_t Joysticks_Device(int32_t argument) { return argument == 2 ? 2 : 1; }

int32_t Joysticks_Direction(int32_t device) {
  JoystickPosition position;
  if (!Joystick_GetPosition(device, &position)) return kKeypadCentre;
  const uint32_t x = position.axes[0], y = position.axes[1];
  const int32_t row = y < kLowEdge ? 6 : y > kHighEdge ? 0 : 3;
  const int32_t column = x < kLowEdge ? 97 : x > kHighEdge ? 99 : 98;
  return column + row;
}

double Joysticks_Axis(int32_t device, int32_t axis) {
  JoystickPosition position;
  if (axis < 0 || axis >= kJoystickAxes || !Joystick_GetPosition(device, &position)) return 0.0;
  return position.axes[axis] / 32767.0 - 1.0;
}

double Joysticks_Pov(int32_t device) {
  JoystickPosition position;
  if (!Joystick_GetPosition(device, &position)) return -1.0;
  const double degrees = position.pov / 100.0;
  return degrees > 360.0 ? -1.0 : degrees;
}

bool Joysticks_Button(int32_t device, int32_t button) {
  JoystickPosition position;
  if (button < 1 || button > kJoystickButtons || !Joystick_GetPosition(device, &position)) return false;
  return (position.buttons & (1u << (button - 1))) != 0;
}

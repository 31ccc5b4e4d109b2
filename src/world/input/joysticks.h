// The two joysticks as scripts and the joystick events read them.
#pragma once

#include <cstdint>

// The joystick a script's argument names: 2 the second, anything else the
// first.
int32_t Joysticks_Device(int32_t argument);
// The stick's place as a numeric-keypad code laid out like the keypad (103
// up and left, 105 up and right, 97 down and left); 101 when centred or
// when the joystick is absent.
int32_t Joysticks_Direction(int32_t device);
// An axis 0..5 (x, y, z, r, u, v) from -1 to about 1 (position / 32767 - 1);
// 0 when the joystick is absent.
double Joysticks_Axis(int32_t device, int32_t axis);
// The point of view in degrees; -1 when centred, without a hat or absent.
double Joysticks_Pov(int32_t device);
// Button 1..32 held; false for any other number or an absent joystick.
bool Joysticks_Button(int32_t device, int32_t button);
// One joystick read as the step's joystick events take it.
struct JoystickState {
  uint32_t x, y;     // 0 .. 65535
  uint32_t buttons;  // bit n - 1 for button n
};

// The step's reading of event joystick 0 or 1 (the first or second
// device); false when it is absent.
bool Joysticks_ReadForEvents(int32_t joystick, JoystickState* state);

// The first two joysticks: an argument of 2 names the second, any other
// value the first. An absent joystick answers the defaults: 0, "", 101 for
// the direction, -1 for the point of view.
#include <string>

#include "builtins/interaction/handlers.h"
#include "platform/joystick.h"
#include "world/input/joysticks.h"

namespace {

int32_t Device(int32_t argc, ScriptValue* args) { return Joysticks_Device(BuiltinArgs(argc, args).Int(0)); }

JoystickCaps Caps(int32_t argc, ScriptValue* args) {
  JoystickCaps caps;
  Joystick_GetCaps(Device(argc, args), &caps);
  return caps;
}

void Axis(ScriptValue* result, int32_t argc, ScriptValue* args, int32_t axis) {
  Result_SetReal(result, Joysticks_Axis(Device(argc, args), axis));
}

}  // namespace

void F_JoystickExists(KV_BUILTIN_PARAMS) {
  JoystickPosition position;
  Result_SetReal(result, Joystick_GetPosition(Device(argc, args), &position) ? 1.0 : 0.0);
}

void F_JoystickName(KV_BUILTIN_PARAMS) {
  const std::string name = Caps(argc, args).name;
  Result_SetText(result, name.data(), name.size());
}

void F_JoystickAxes(KV_BUILTIN_PARAMS) { Result_SetReal(result, Caps(argc, args).axes); }
void F_JoystickButtons(KV_BUILTIN_PARAMS) { Result_SetReal(result, Caps(argc, args).buttons); }
void F_JoystickHasPov(KV_BUILTIN_PARAMS) { Result_SetReal(result, Caps(argc, args).hasPov ? 1.0 : 0.0); }
void F_JoystickDirection(KV_BUILTIN_PARAMS) { Result_SetReal(result, Joysticks_Direction(Device(argc, args))); }

void F_JoystickCheckButton(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Joysticks_Button(Joysticks_Device(a.Int(0)), a.Int(1)) ? 1.0 : 0.0);
}

void F_JoystickXpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 0); }
void F_JoystickYpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 1); }
void F_JoystickZpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 2); }
void F_JoystickRpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 3); }
void F_JoystickUpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 4); }
void F_JoystickVpos(KV_BUILTIN_PARAMS) { Axis(result, argc, args, 5); }
void F_JoystickPov(KV_BUILTIN_PARAMS) { Result_SetReal(result, Joysticks_Pov(Device(argc, args))); }

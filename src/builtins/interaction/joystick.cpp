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

KV_BUILTIN(F_JoystickExists) {
  JoystickPosition position;
  Result_SetReal(result, Joystick_GetPosition(Device(argc, args), &position) ? 1.0 : 0.0);
}

KV_BUILTIN(F_JoystickName) {
  const std::string name = Caps(argc, args).name;
  Result_SetText(result, name.data(), name.size());
}

KV_BUILTIN(F_JoystickAxes) { Result_SetReal(result, Caps(argc, args).axes); }
KV_BUILTIN(F_JoystickButtons) { Result_SetReal(result, Caps(argc, args).buttons); }
KV_BUILTIN(F_JoystickHasPov) { Result_SetReal(result, Caps(argc, args).hasPov ? 1.0 : 0.0); }
KV_BUILTIN(F_JoystickDirection) { Result_SetReal(result, Joysticks_Direction(Device(argc, args))); }

KV_BUILTIN(F_JoystickCheckButton) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Joysticks_Button(Joysticks_Device(a.Int(0)), a.Int(1)) ? 1.0 : 0.0);
}

KV_BUILTIN(F_JoystickXpos) { Axis(result, argc, args, 0); }
KV_BUILTIN(F_JoystickYpos) { Axis(result, argc, args, 1); }
KV_BUILTIN(F_JoystickZpos) { Axis(result, argc, args, 2); }
KV_BUILTIN(F_JoystickRpos) { Axis(result, argc, args, 3); }
KV_BUILTIN(F_JoystickUpos) { Axis(result, argc, args, 4); }
KV_BUILTIN(F_JoystickVpos) { Axis(result, argc, args, 5); }
KV_BUILTIN(F_JoystickPov) { Result_SetReal(result, Joysticks_Pov(Device(argc, args))); }

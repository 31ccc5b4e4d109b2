// The interaction family's handlers, declared in one place so that its row
// table can list them.
#pragma once

#include "builtins/builtin_args.h"

// The keyboard.
KV_BUILTIN(F_KeyboardCheck);
KV_BUILTIN(F_KeyboardCheckPressed);
KV_BUILTIN(F_KeyboardCheckReleased);
KV_BUILTIN(F_KeyboardCheckDirect);
KV_BUILTIN(F_KeyboardGetNumlock);
KV_BUILTIN(F_KeyboardSetNumlock);
KV_BUILTIN(F_KeyboardKeyPress);
KV_BUILTIN(F_KeyboardKeyRelease);
KV_BUILTIN(F_KeyboardSetMap);
KV_BUILTIN(F_KeyboardGetMap);
KV_BUILTIN(F_KeyboardUnsetMap);
KV_BUILTIN(F_KeyboardClear);
KV_BUILTIN(F_KeyboardWait);

// The mouse and the input state as a whole.
KV_BUILTIN(F_MouseCheckButton);
KV_BUILTIN(F_MouseCheckButtonPressed);
KV_BUILTIN(F_MouseCheckButtonReleased);
KV_BUILTIN(F_MouseWheelUp);
KV_BUILTIN(F_MouseWheelDown);
KV_BUILTIN(F_MouseClear);
KV_BUILTIN(F_MouseWait);
KV_BUILTIN(F_IoClear);
KV_BUILTIN(F_IoHandle);
KV_BUILTIN(F_DeviceMouseDbclickEnable);

// The joysticks.
KV_BUILTIN(F_JoystickExists);
KV_BUILTIN(F_JoystickName);
KV_BUILTIN(F_JoystickAxes);
KV_BUILTIN(F_JoystickButtons);
KV_BUILTIN(F_JoystickHasPov);
KV_BUILTIN(F_JoystickDirection);
KV_BUILTIN(F_JoystickCheckButton);
KV_BUILTIN(F_JoystickXpos);
KV_BUILTIN(F_JoystickYpos);
KV_BUILTIN(F_JoystickZpos);
KV_BUILTIN(F_JoystickRpos);
KV_BUILTIN(F_JoystickUpos);
KV_BUILTIN(F_JoystickVpos);
KV_BUILTIN(F_JoystickPov);

// The interaction family's handlers, declared in one place so that its row
// table can list them.
#pragma once

#include "builtins/builtin_args.h"

// The keyboard.
void F_KeyboardCheck(KV_BUILTIN_PARAMS);
void F_KeyboardCheckPressed(KV_BUILTIN_PARAMS);
void F_KeyboardCheckReleased(KV_BUILTIN_PARAMS);
void F_KeyboardCheckDirect(KV_BUILTIN_PARAMS);
void F_KeyboardGetNumlock(KV_BUILTIN_PARAMS);
void F_KeyboardSetNumlock(KV_BUILTIN_PARAMS);
void F_KeyboardKeyPress(KV_BUILTIN_PARAMS);
void F_KeyboardKeyRelease(KV_BUILTIN_PARAMS);
void F_KeyboardSetMap(KV_BUILTIN_PARAMS);
void F_KeyboardGetMap(KV_BUILTIN_PARAMS);
void F_KeyboardUnsetMap(KV_BUILTIN_PARAMS);
void F_KeyboardClear(KV_BUILTIN_PARAMS);
void F_KeyboardWait(KV_BUILTIN_PARAMS);

// The mouse and the input state as a whole.
void F_MouseCheckButton(KV_BUILTIN_PARAMS);
void F_MouseCheckButtonPressed(KV_BUILTIN_PARAMS);
void F_MouseCheckButtonReleased(KV_BUILTIN_PARAMS);
void F_MouseWheelUp(KV_BUILTIN_PARAMS);
void F_MouseWheelDown(KV_BUILTIN_PARAMS);
void F_MouseClear(KV_BUILTIN_PARAMS);
void F_MouseWait(KV_BUILTIN_PARAMS);
void F_IoClear(KV_BUILTIN_PARAMS);
void F_IoHandle(KV_BUILTIN_PARAMS);
void F_DeviceMouseDbclickEnable(KV_BUILTIN_PARAMS);

// The joysticks.
void F_JoystickExists(KV_BUILTIN_PARAMS);
void F_JoystickName(KV_BUILTIN_PARAMS);
void F_JoystickAxes(KV_BUILTIN_PARAMS);
void F_JoystickButtons(KV_BUILTIN_PARAMS);
void F_JoystickHasPov(KV_BUILTIN_PARAMS);
void F_JoystickDirection(KV_BUILTIN_PARAMS);
void F_JoystickCheckButton(KV_BUILTIN_PARAMS);
void F_JoystickXpos(KV_BUILTIN_PARAMS);
void F_JoystickYpos(KV_BUILTIN_PARAMS);
void F_JoystickZpos(KV_BUILTIN_PARAMS);
void F_JoystickRpos(KV_BUILTIN_PARAMS);
void F_JoystickUpos(KV_BUILTIN_PARAMS);
void F_JoystickVpos(KV_BUILTIN_PARAMS);
void F_JoystickPov(KV_BUILTIN_PARAMS);

// The interaction family, in registration order: the keyboard, the mouse,
// the joysticks.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/interaction/handlers.h"

inline constexpr BuiltinRow kInteractionRows[] = {
    {"keyboard_check", F_KeyboardCheck, 1},
    {"keyboard_check_pressed", F_KeyboardCheckPressed, 1},
    {"keyboard_check_released", F_KeyboardCheckReleased, 1},
    {"keyboard_check_direct", F_KeyboardCheckDirect, 1},
    {"keyboard_get_numlock", F_KeyboardGetNumlock, 0},
    {"keyboard_set_numlock", F_KeyboardSetNumlock, 1},
    {"keyboard_key_press", F_KeyboardKeyPress, 1},
    {"keyboard_key_release", F_KeyboardKeyRelease, 1},
    {"keyboard_set_map", F_KeyboardSetMap, 2},
    {"keyboard_get_map", F_KeyboardGetMap, 1},
    {"keyboard_unset_map", F_KeyboardUnsetMap, 0},
    {"keyboard_clear", F_KeyboardClear, 1},
    {"keyboard_wait", F_KeyboardWait, 0},

    {"mouse_check_button", F_MouseCheckButton, 1},
    {"mouse_check_button_pressed", F_MouseCheckButtonPressed, 1},
    {"mouse_check_button_released", F_MouseCheckButtonReleased, 1},
    {"mouse_wheel_up", F_MouseWheelUp, 0},
    {"mouse_wheel_down", F_MouseWheelDown, 0},
    {"mouse_clear", F_MouseClear, 1},
    {"mouse_wait", F_MouseWait, 0},
    {"io_clear", F_IoClear, 0},
    {"io_handle", F_IoHandle, 0},
    // Registered without arguments, so scripts cannot pass the one it reads.
    {"device_mouse_dbclick_enable", F_DeviceMouseDbclickEnable, 0},

    {"joystick_exists", F_JoystickExists, 1},
    {"joystick_name", F_JoystickName, 1},
    {"joystick_axes", F_JoystickAxes, 1},
    {"joystick_buttons", F_JoystickButtons, 1},
    {"joystick_has_pov", F_JoystickHasPov, 1},
    {"joystick_direction", F_JoystickDirection, 1},
    {"joystick_check_button", F_JoystickCheckButton, 2},
    {"joystick_xpos", F_JoystickXpos, 1},
    {"joystick_ypos", F_JoystickYpos, 1},
    {"joystick_zpos", F_JoystickZpos, 1},
    {"joystick_rpos", F_JoystickRpos, 1},
    {"joystick_upos", F_JoystickUpos, 1},
    {"joystick_vpos", F_JoystickVpos, 1},
    {"joystick_pov", F_JoystickPov, 1},
};

// The interaction family, in registration order: messages, questions and
// input, splash screens, the highscore table, the old message settings,
// then the keyboard, the mouse, the joysticks.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/interaction/handlers.h"

inline constexpr BuiltinRow kInteractionRows[] = {
    {"show_message", F_ShowMessage, 1, "str", "real: always 1",
     "Shows str in a message box drawn in the game's window, titled with its caption, and waits for OK; `#` "
     "starts a new line, a real shows whole or with two decimals (at most 63 characters: a huge one loses its further "
     "digits), an empty text shows nothing. Headless the text goes to standard output."},
    {"show_message_async", F_ShowMessageAsync, 1, "str", "id: the dialog's request, 1 for an empty text",
     "Queues a message box with str and goes on at once; the closing arrives in the asynchronous dialog event, its "
     "`async_load` map holding id and status (1). Text is shown as by `show_message`; an empty text queues nothing."},
    {"show_question", F_ShowQuestion, 1, "str", "bool: 1 for Yes, 0 for No",
     "Asks the yes-or-no question str in a box with the window's caption and waits for the answer; a `#` shows as it "
     "is. A real argument shows no box and answers 0."},
    {"show_question_async", F_ShowQuestionAsync, 1, "str", "id: the dialog's request, 0 when str is not a string",
     "Queues the yes-or-no question str (a `#` shows as it is) and goes on at once; the answer arrives in the "
     "asynchronous dialog event, its `async_load` map holding id, status (1 Yes, 0 No), result (\"O\" for Yes, empty "
     "for No) and value (0). Request ids count from 0 over dialogs and HTTP requests, so the 0 of a refused call is "
     "also the id of the run's first request; a refused call raises no event."},
    {"get_string", F_GetString, 2, "str, def", "string: the text typed, empty after Cancel",
     "Asks for a line of text with prompt str and the default def (a real shows with two decimals), and waits; a `#` "
     "shows as it is. A real prompt shows no box and answers the empty string."},
    {"get_integer", F_GetInteger, 2, "str, def", "real: the number typed, 0 after Cancel",
     "Asks for a number with prompt str and the default def (rounded, at most 63 characters), and waits; a `#` shows "
     "as it is. The text typed is read as a number after any leading blanks (spaces, tabs, line breaks) and up to the "
     "first character that does not continue it; text that is not a number, hexadecimal, `inf` and `nan` read as 0. "
     "A real prompt shows no box and answers def rounded."},
    {"get_string_async", F_GetStringAsync, 2, "str, def", "id: the dialog's request, 0 when str is not a string",
     "Queues a text box with prompt str and default def (a real rounded, at most 63 characters) and goes on at once; "
     "the text arrives in the asynchronous dialog event, its `async_load` map holding id, status (1 for OK with some "
     "text, 0 for Cancel or an empty box), result (the text) and value (the text read as a number as `get_integer` "
     "reads it, 0 when it is not one). A refused call's 0 is also a first request's id, as for "
     "`show_question_async`."},
    {"get_integer_async", F_GetIntegerAsync, 2, "str, def", "id: the dialog's request, 0 when str is not a string",
     "Queues a number box with prompt str and default def (rounded, at most 63 characters) and goes on at once; the "
     "number arrives in the asynchronous dialog event, its `async_load` map holding id, status, result and value as "
     "for `get_string_async`: value is the number, read as `get_integer` reads it, result the text typed."},
    {"get_login_async", F_GetLoginAsync, 2, "username, password", "id: the dialog's request, 0 unless both are strings",
     "Queues a box asking for a user name and password, filled in with the two texts, and goes on at once; the answer "
     "arrives in the asynchronous dialog event, its `async_load` map holding id, username, password and status (1 when "
     "OK was pressed with a user name of two characters or more, else 0)."},
    {"get_open_filename", F_GetOpenFilename, 2, "filter, fname", "string: the full path chosen, empty when cancelled",
     "Lets the player pick an existing file, starting from the name fname; the filter holds description and pattern "
     "pairs split by vertical bars. Any real argument shows no dialog; the file functions may then open the path "
     "picked."},
    {"get_save_filename", F_GetSaveFilename, 2, "filter, fname", "string: the full path chosen, empty when cancelled",
     "Lets the player name a file to save in the game's save folder, asking before replacing one; the filter holds "
     "description and pattern pairs split by vertical bars. A bare name gets the filter's extension."},
    {"get_open_filename_ext", F_GetOpenFilenameExt, 4, "filter, fname, dir, title",
     "string: the full path chosen, empty when cancelled",
     "As `get_open_filename`, starting in the folder dir with the dialog titled title (empty for the usual title)."},
    {"get_save_filename_ext", F_GetSaveFilenameExt, 4, "filter, fname, dir, title",
     "string: the full path chosen, empty when cancelled",
     "As `get_save_filename`, starting in the folder dir with the dialog titled title (empty for the usual title)."},
    {"show_error", F_ShowError, 2, "str, abort", "nothing",
     "Reports str as a runtime error, as the game's own errors are (a `#` shows as it is); abort at 0.5 and above "
     "makes it fatal and ends the game."},

    {"show_image", F_ShowImage, 3, "fname, full, delay", "nothing",
     "Kept for old games: records whether a splash image would fill the screen (full rounded above 0). Nothing is "
     "shown: there is no splash player here."},
    {"show_video", F_ShowVideo, 3, "fname, full, loop", "nothing",
     "Kept for old games: records whether a splash video would fill the screen (full rounded above 0). Nothing is "
     "shown: there is no splash player here."},
    {"show_text", F_ShowText, 4, "fname, full, backcol, delay", "nothing",
     "Kept for old games: records whether a splash text would fill the screen and its background colour. Nothing is "
     "shown: there is no splash player here."},
    {"splash_show_image", F_SplashShowImage, 2, "fname, delay", "nothing",
     "Would show the image file for the given delay before the game goes on. Nothing is shown: there is no splash "
     "player here."},
    {"splash_show_video", F_SplashShowVideo, 2, "fname, loop", "nothing",
     "Would play the video file, looping when loop rounds to 1 or more. Nothing is shown: there is no splash player "
     "here."},
    {"splash_show_text", F_SplashShowText, 2, "fname, delay", "nothing",
     "Would show the text file for the given delay before the game goes on. Nothing is shown: there is no splash "
     "player here."},
    {"splash_set_caption", F_SplashSetCaption, 1, "cap", "nothing",
     "Sets the caption of splash windows. Only kept: nothing reads it, as there is no splash player here."},
    {"splash_set_size", F_SplashSetSize, 2, "w, h", "nothing",
     "Sets the size of splash windows in pixels, rounded. Only kept: nothing reads it, as there is no splash player "
     "here."},
    {"splash_set_color", F_SplashSetColor, 1, "col", "nothing",
     "Sets the background colour of splash screens. Only kept: nothing reads it, as there is no splash player here."},
    {"splash_set_scale", F_SplashSetScale, 1, "scale", "nothing",
     "Sets how splash images are scaled (not rounded). Only kept: nothing reads it, as there is no splash player "
     "here."},
    {"splash_set_fullscreen", F_SplashSetFullscreen, 1, "value", "nothing",
     "Sets whether splash screens fill the screen, on when value rounds above 0. Only kept: nothing reads it, as there "
     "is no splash player here."},
    {"splash_set_main", F_SplashSetMain, 1, "value", "nothing",
     "Sets whether splash screens show inside the game's window, on when value rounds above 0. Only kept: nothing "
     "reads it, as there is no splash player here."},
    {"splash_set_border", F_SplashSetBorder, 1, "value", "nothing",
     "Sets whether splash screens have a window border, on when value rounds above 0. Only kept: nothing reads it, as "
     "there is no splash player here."},
    {"splash_set_adapt", F_SplashSetAdapt, 1, "value", "nothing",
     "Sets whether splash screens adapt the window to the image, on when value rounds above 0. Only kept: nothing "
     "reads it, as there is no splash player here."},
    {"splash_set_top", F_SplashSetTop, 1, "value", "nothing",
     "Sets whether splash screens stay on top, on when value rounds above 0. Only kept: nothing reads it, as there is "
     "no splash player here."},
    {"splash_set_cursor", F_SplashSetCursor, 1, "value", "nothing",
     "Sets whether splash screens show the mouse cursor, on when value rounds above 0. Only kept: nothing reads it, as "
     "there is no splash player here."},
    {"splash_set_interrupt", F_SplashSetInterrupt, 1, "value", "nothing",
     "Sets whether splash screens let the game run on behind them, on when value rounds above 0. Only kept: nothing "
     "reads it, as there is no splash player here."},
    {"splash_set_stop_key", F_SplashSetStopKey, 1, "value", "nothing",
     "Sets whether splash screens end on a key press, on when value rounds above 0. Only kept: nothing reads it, as "
     "there is no splash player here."},
    {"splash_set_stop_mouse", F_SplashSetStopMouse, 1, "value", "nothing",
     "Sets whether splash screens end on a mouse click, on when value rounds above 0. Only kept: nothing reads it, as "
     "there is no splash player here."},

    {"highscore_show", F_HighscoreShow, 1, "numb", "nothing",
     "Would show the highscore table; numb is not used. There is nowhere to show the table on this system, so nothing "
     "is shown."},
    {"highscore_show_ext", F_HighscoreShowExt, 7, "numb, back, border, col1, col2, name, size", "nothing",
     "Keeps the table's background, border, colours of new and other entries and font name and size, then does as "
     "`highscore_show`. There is nowhere to show the table on this system, so nothing is shown."},
    {"highscore_set_background", F_HighscoreSetBackground, 1, "back", "nothing",
     "Keeps the background the highscore table would be shown on, rounded; -1 for none."},
    {"highscore_set_border", F_HighscoreSetBorder, 1, "show", "nothing",
     "Keeps whether the highscore table would have a border (0.5 and above)."},
    {"highscore_set_colors", F_HighscoreSetColors, 3, "back, col1, col2", "nothing",
     "Keeps the highscore table's background colour and the colours of a new entry and of the others."},
    {"highscore_set_font", F_HighscoreSetFont, 3, "name, size, style", "nothing",
     "Keeps the highscore table's font name and size; style is not kept, and the console says the call is not "
     "implemented."},
    {"highscore_set_strings", F_HighscoreSetStrings, 3, "caption, nobody, footer", "nothing",
     "Sets the table's caption, the name of an empty place (used by `highscore_clear`) and its footer; a real leaves "
     "that text empty."},
    {"highscore_clear", F_HighscoreClear, 0, "", "nothing",
     "Empties the highscore table: all ten places get the empty-place name and the value 0."},
    {"highscore_add", F_HighscoreAdd, 2, "str, numb", "nothing",
     "Enters the name str with the score numb (rounded) below every place of an equal or higher score; nothing changes "
     "when all ten are at least as high."},
    {"highscore_add_current", F_HighscoreAddCurrent, 0, "", "nothing",
     "Enters the current `score` under the name `DEFAULT`, as `highscore_add` does. The keys and clicks used in it do "
     "not reach the game."},
    {"highscore_value", F_HighscoreValue, 1, "place", "real: the score, 0 for a place outside 1 to 10",
     "Gives the score at place 1 to 10 of the highscore table, counting from 1."},
    {"highscore_name", F_HighscoreName, 1, "place",
     "string: the name, the empty-place name for an empty place, empty for a place outside 1 to 10",
     "Gives the name at place 1 to 10 of the highscore table, counting from 1; a place no score has filled answers "
     "the name of an empty place: `<nobody>`, until `highscore_set_strings` names it otherwise and `highscore_clear` "
     "empties the table with that name."},
    {"draw_highscore", F_DrawHighscore, 4, "x1, y1, x2, y2", "nothing",
     "Draws the ten places in the rectangle with the current font, colour and alignment: one row per tenth of its "
     "height, names at x1 and scores ending at x2."},

    {"show_info", F_ShowInfo, 0, "", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; game information is not shown "
     "here."},
    {"load_info", F_LoadInfo, 1, "fname", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; game information is not loaded "
     "here."},
    {"show_message_ext", F_ShowMessageExt, 4, "str, but1, but2, but3", "real: always 1",
     "Kept for old games: writes a line on the console saying it is not implemented; no box is shown."},
    {"show_menu", F_ShowMenu, 2, "str, def", "real: always 0",
     "Kept for old games: writes a line on the console saying it is not implemented; no menu is shown."},
    {"show_menu_pos", F_ShowMenuPos, 4, "x, y, str, def", "real: always 0",
     "Kept for old games: writes a line on the console saying it is not implemented; no menu is shown."},
    {"get_color", F_GetColor, 1, "defcol", "real: always 0",
     "Kept for old games: writes a line on the console saying it is not implemented; no colour is asked for."},
    {"get_directory", F_GetDirectory, 1, "dname", "string: always empty",
     "Kept for old games: writes a line on the console saying it is not implemented; no folder is asked for."},
    {"get_directory_alt", F_GetDirectoryAlt, 2, "capt, root", "string: always empty",
     "Kept for old games: writes a line on the console saying it is not implemented; no folder is asked for."},
    {"message_background", F_MessageBackground, 1, "back", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_button", F_MessageButton, 1, "spr", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_alpha", F_MessageAlpha, 1, "alpha", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_text_font", F_MessageTextFont, 4, "name, size, col, style", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_button_font", F_MessageButtonFont, 4, "name, size, col, style", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_input_font", F_MessageInputFont, 4, "name, size, col, style", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_mouse_color", F_MessageMouseColor, 1, "col", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_input_color", F_MessageInputColor, 1, "col", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_position", F_MessagePosition, 2, "x, y", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_size", F_MessageSize, 2, "w, h", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},
    {"message_caption", F_MessageCaption, 2, "show, str", "nothing",
     "Kept for old games: writes a line on the console saying it is not implemented; message boxes keep their own "
     "looks."},

    {"keyboard_check", F_KeyboardCheck, 1, "key", "bool: 1 while the key is held",
     "Tells whether key code key is held in this step. Key 0 means no key and 1 any key; codes outside 0 to 255 answer "
     "0."},
    {"keyboard_check_pressed", F_KeyboardCheckPressed, 1, "key", "bool: 1 when the key went down",
     "Tells whether key code key went down in this step. Key 0 means no key and 1 any key; codes outside 0 to 255 "
     "answer 0."},
    {"keyboard_check_released", F_KeyboardCheckReleased, 1, "key", "bool: 1 when the key went up",
     "Tells whether key code key went up in this step. Key 0 means no key and 1 any key; codes outside 0 to 255 answer "
     "0."},
    {"keyboard_check_direct", F_KeyboardCheckDirect, 1, "key", "bool: 1 while the key is held",
     "Tells whether key code key is held at this very moment rather than in this step; here codes 1, 2 and 4 are the "
     "mouse buttons."},
    {"keyboard_get_numlock", F_KeyboardGetNumlock, 0, "", "bool: 1 when Num Lock is on",
     "Tells whether Num Lock is on; it reads 0 while the key itself is held."},
    {"keyboard_set_numlock", F_KeyboardSetNumlock, 1, "on", "nothing",
     "Presses and releases Num Lock when its state differs from on (0.5 and above is on); the lock changes for this "
     "program only."},
    {"keyboard_key_press", F_KeyboardKeyPress, 1, "key", "nothing",
     "Presses key code key as if typed: the game sees it go down, and it reads as held until `keyboard_key_release`."},
    {"keyboard_key_release", F_KeyboardKeyRelease, 1, "key", "nothing",
     "Releases key code key as if let go, ending a `keyboard_key_press`."},
    {"keyboard_set_map", F_KeyboardSetMap, 2, "key1, key2", "nothing",
     "Makes key code key1 read as key2 from now on; codes outside 0 to 255 are ignored."},
    {"keyboard_get_map", F_KeyboardGetMap, 1, "key", "real: the key code it reads as",
     "Gives the code key code key is mapped onto; an unmapped key, or one outside 0 to 255, gives itself."},
    {"keyboard_unset_map", F_KeyboardUnsetMap, 0, "", "nothing",
     "Undoes every `keyboard_set_map`: each key reads as itself again."},
    {"keyboard_clear", F_KeyboardClear, 1, "key", "nothing",
     "Takes in the window's pending events, then forgets the state of key code key so it reads as not held."},
    {"keyboard_wait", F_KeyboardWait, 0, "", "nothing",
     "Stops the whole game until a key is pressed, looking every 50 milliseconds. Headless nobody presses, so it "
     "returns at once."},

    {"mouse_check_button", F_MouseCheckButton, 1, "numb", "bool: 1 while the button is held",
     "Tells whether mouse button numb is held in this step. Button 1 is left, 2 right, 3 middle, -1 any and 0 none; "
     "other numbers answer 0."},
    {"mouse_check_button_pressed", F_MouseCheckButtonPressed, 1, "numb", "bool: 1 when the button went down",
     "Tells whether mouse button numb went down in this step. Button 1 is left, 2 right, 3 middle, -1 any and 0 none; "
     "other numbers answer 0."},
    {"mouse_check_button_released", F_MouseCheckButtonReleased, 1, "numb", "bool: 1 when the button went up",
     "Tells whether mouse button numb went up in this step. Button 1 is left, 2 right, 3 middle, -1 any and 0 none; "
     "other numbers answer 0."},
    {"mouse_wheel_up", F_MouseWheelUp, 0, "", "bool: 1 when the wheel turned up",
     "Tells whether the mouse wheel turned up in this step."},
    {"mouse_wheel_down", F_MouseWheelDown, 0, "", "bool: 1 when the wheel turned down",
     "Tells whether the mouse wheel turned down in this step."},
    {"mouse_clear", F_MouseClear, 1, "numb", "nothing",
     "Takes in the window's pending events, then forgets the state of mouse button numb."},
    {"mouse_wait", F_MouseWait, 0, "", "nothing",
     "Stops the whole game until a mouse button is pressed, looking every 50 milliseconds. Headless nobody presses, so "
     "it returns at once."},
    {"io_clear", F_IoClear, 0, "", "nothing",
     "Takes in the window's pending events, then forgets every key, button and wheel turn."},
    {"io_handle", F_IoHandle, 0, "", "nothing",
     "Takes in the window's pending events, so the window keeps answering during long script work."},
    // Registered without arguments, so scripts cannot pass the one it reads.
    {"device_mouse_dbclick_enable", F_DeviceMouseDbclickEnable, 0, "", "nothing",
     "Does nothing: registered without arguments, so the double-click switch it would read never reaches it."},

    {"joystick_exists", F_JoystickExists, 1, "id", "bool: 1 when the joystick is there",
     "Tells whether joystick id is plugged in; id 2 is the second joystick, any other value the first."},
    {"joystick_name", F_JoystickName, 1, "id", "string: the device's name, empty when absent",
     "Gives the product name of joystick id; id 2 is the second joystick, any other value the first."},
    {"joystick_axes", F_JoystickAxes, 1, "id", "real: the number of axes, 0 when absent",
     "Counts the axes of joystick id, at most six; id 2 is the second joystick, any other value the first."},
    {"joystick_buttons", F_JoystickButtons, 1, "id", "real: the number of buttons, 0 when absent",
     "Counts the buttons of joystick id, at most 32; id 2 is the second joystick, any other value the first."},
    {"joystick_has_pov", F_JoystickHasPov, 1, "id", "bool: 1 when it has a hat",
     "Tells whether joystick id has a point-of-view hat; id 2 is the second joystick, any other value the first."},
    {"joystick_direction", F_JoystickDirection, 1, "id", "real: a keypad key code from 97 to 105",
     "Gives the stick's direction as the numeric-keypad key laid out the same way (103 up and left, 98 down); 101 when "
     "centred or absent."},
    {"joystick_check_button", F_JoystickCheckButton, 2, "id, numb", "bool: 1 while the button is held",
     "Tells whether button numb (1 to 32) of joystick id is held; id 2 is the second joystick, any other value the "
     "first."},
    {"joystick_xpos", F_JoystickXpos, 1, "id", "real: the x position from -1 to 1, 0 when absent",
     "Gives the x axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_ypos", F_JoystickYpos, 1, "id", "real: the y position from -1 to 1, 0 when absent",
     "Gives the y axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_zpos", F_JoystickZpos, 1, "id", "real: the z position from -1 to 1, 0 when absent",
     "Gives the z axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_rpos", F_JoystickRpos, 1, "id", "real: the r position from -1 to 1, 0 when absent",
     "Gives the r axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_upos", F_JoystickUpos, 1, "id", "real: the u position from -1 to 1, 0 when absent",
     "Gives the u axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_vpos", F_JoystickVpos, 1, "id", "real: the v position from -1 to 1, 0 when absent",
     "Gives the v axis of joystick id from -1 to about 1, 0 near the middle; id 2 is the second joystick, any other "
     "value the first."},
    {"joystick_pov", F_JoystickPov, 1, "id", "real: the angle in degrees, -1 when centred or absent",
     "Gives the direction of joystick id's hat in degrees clockwise from up; id 2 is the second joystick, any other "
     "value the first."},
};

// The interaction family's handlers, declared in one place so that its row
// table can list them.
#pragma once

#include "builtins/builtin_args.h"

// Messages, questions, input and logins.
KV_BUILTIN(F_ShowMessage);
KV_BUILTIN(F_ShowMessageAsync);
KV_BUILTIN(F_ShowQuestion);
KV_BUILTIN(F_ShowQuestionAsync);
KV_BUILTIN(F_GetString);
KV_BUILTIN(F_GetInteger);
KV_BUILTIN(F_GetStringAsync);
KV_BUILTIN(F_GetIntegerAsync);
KV_BUILTIN(F_GetLoginAsync);
KV_BUILTIN(F_GetOpenFilename);
KV_BUILTIN(F_GetSaveFilename);
KV_BUILTIN(F_GetOpenFilenameExt);
KV_BUILTIN(F_GetSaveFilenameExt);
KV_BUILTIN(F_ShowError);

// Splash screens.
KV_BUILTIN(F_ShowImage);
KV_BUILTIN(F_ShowVideo);
KV_BUILTIN(F_ShowText);
KV_BUILTIN(F_SplashShowImage);
KV_BUILTIN(F_SplashShowVideo);
KV_BUILTIN(F_SplashShowText);
KV_BUILTIN(F_SplashSetCaption);
KV_BUILTIN(F_SplashSetSize);
KV_BUILTIN(F_SplashSetColor);
KV_BUILTIN(F_SplashSetScale);
KV_BUILTIN(F_SplashSetFullscreen);
KV_BUILTIN(F_SplashSetMain);
KV_BUILTIN(F_SplashSetBorder);
KV_BUILTIN(F_SplashSetAdapt);
KV_BUILTIN(F_SplashSetTop);
KV_BUILTIN(F_SplashSetCursor);
KV_BUILTIN(F_SplashSetInterrupt);
KV_BUILTIN(F_SplashSetStopKey);
KV_BUILTIN(F_SplashSetStopMouse);

// The highscore table.
KV_BUILTIN(F_HighscoreShow);
KV_BUILTIN(F_HighscoreShowExt);
KV_BUILTIN(F_HighscoreSetBackground);
KV_BUILTIN(F_HighscoreSetBorder);
KV_BUILTIN(F_HighscoreSetColors);
KV_BUILTIN(F_HighscoreSetFont);
KV_BUILTIN(F_HighscoreSetStrings);
KV_BUILTIN(F_HighscoreClear);
KV_BUILTIN(F_HighscoreAdd);
KV_BUILTIN(F_HighscoreAddCurrent);
KV_BUILTIN(F_HighscoreValue);
KV_BUILTIN(F_HighscoreName);
KV_BUILTIN(F_DrawHighscore);

// Kept for old scripts: each says on the console that it does nothing.
KV_BUILTIN(F_ShowInfo);
KV_BUILTIN(F_LoadInfo);
KV_BUILTIN(F_ShowMessageExt);
KV_BUILTIN(F_ShowMenu);
KV_BUILTIN(F_ShowMenuPos);
KV_BUILTIN(F_GetColor);
KV_BUILTIN(F_GetDirectory);
KV_BUILTIN(F_GetDirectoryAlt);
KV_BUILTIN(F_MessageBackground);
KV_BUILTIN(F_MessageButton);
KV_BUILTIN(F_MessageAlpha);
KV_BUILTIN(F_MessageTextFont);
KV_BUILTIN(F_MessageButtonFont);
KV_BUILTIN(F_MessageInputFont);
KV_BUILTIN(F_MessageMouseColor);
KV_BUILTIN(F_MessageInputColor);
KV_BUILTIN(F_MessagePosition);
KV_BUILTIN(F_MessageSize);
KV_BUILTIN(F_MessageCaption);

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

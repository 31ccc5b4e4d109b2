// The interaction family's handlers, declared in one place so that its row
// table can list them.
#pragma once

#include "builtins/builtin_args.h"

// Messages, questions, input and logins.
void F_ShowMessage(KV_BUILTIN_PARAMS);
void F_ShowMessageAsync(KV_BUILTIN_PARAMS);
void F_ShowQuestion(KV_BUILTIN_PARAMS);
void F_ShowQuestionAsync(KV_BUILTIN_PARAMS);
void F_GetString(KV_BUILTIN_PARAMS);
void F_GetInteger(KV_BUILTIN_PARAMS);
void F_GetStringAsync(KV_BUILTIN_PARAMS);
void F_GetIntegerAsync(KV_BUILTIN_PARAMS);
void F_GetLoginAsync(KV_BUILTIN_PARAMS);
void F_GetOpenFilename(KV_BUILTIN_PARAMS);
void F_GetSaveFilename(KV_BUILTIN_PARAMS);
void F_GetOpenFilenameExt(KV_BUILTIN_PARAMS);
void F_GetSaveFilenameExt(KV_BUILTIN_PARAMS);
void F_ShowError(KV_BUILTIN_PARAMS);

// Splash screens.
void F_ShowImage(KV_BUILTIN_PARAMS);
void F_ShowVideo(KV_BUILTIN_PARAMS);
void F_ShowText(KV_BUILTIN_PARAMS);
void F_SplashShowImage(KV_BUILTIN_PARAMS);
void F_SplashShowVideo(KV_BUILTIN_PARAMS);
void F_SplashShowText(KV_BUILTIN_PARAMS);
void F_SplashSetCaption(KV_BUILTIN_PARAMS);
void F_SplashSetSize(KV_BUILTIN_PARAMS);
void F_SplashSetColor(KV_BUILTIN_PARAMS);
void F_SplashSetScale(KV_BUILTIN_PARAMS);
void F_SplashSetFullscreen(KV_BUILTIN_PARAMS);
void F_SplashSetMain(KV_BUILTIN_PARAMS);
void F_SplashSetBorder(KV_BUILTIN_PARAMS);
void F_SplashSetAdapt(KV_BUILTIN_PARAMS);
void F_SplashSetTop(KV_BUILTIN_PARAMS);
void F_SplashSetCursor(KV_BUILTIN_PARAMS);
void F_SplashSetInterrupt(KV_BUILTIN_PARAMS);
void F_SplashSetStopKey(KV_BUILTIN_PARAMS);
void F_SplashSetStopMouse(KV_BUILTIN_PARAMS);

// The highscore table.
void F_HighscoreShow(KV_BUILTIN_PARAMS);
void F_HighscoreShowExt(KV_BUILTIN_PARAMS);
void F_HighscoreSetBackground(KV_BUILTIN_PARAMS);
void F_HighscoreSetBorder(KV_BUILTIN_PARAMS);
void F_HighscoreSetColors(KV_BUILTIN_PARAMS);
void F_HighscoreSetFont(KV_BUILTIN_PARAMS);
void F_HighscoreSetStrings(KV_BUILTIN_PARAMS);
void F_HighscoreClear(KV_BUILTIN_PARAMS);
void F_HighscoreAdd(KV_BUILTIN_PARAMS);
void F_HighscoreAddCurrent(KV_BUILTIN_PARAMS);
void F_HighscoreValue(KV_BUILTIN_PARAMS);
void F_HighscoreName(KV_BUILTIN_PARAMS);
void F_DrawHighscore(KV_BUILTIN_PARAMS);

// Kept for old scripts: each says on the console that it does nothing.
void F_ShowInfo(KV_BUILTIN_PARAMS);
void F_LoadInfo(KV_BUILTIN_PARAMS);
void F_ShowMessageExt(KV_BUILTIN_PARAMS);
void F_ShowMenu(KV_BUILTIN_PARAMS);
void F_ShowMenuPos(KV_BUILTIN_PARAMS);
void F_GetColor(KV_BUILTIN_PARAMS);
void F_GetDirectory(KV_BUILTIN_PARAMS);
void F_GetDirectoryAlt(KV_BUILTIN_PARAMS);
void F_MessageBackground(KV_BUILTIN_PARAMS);
void F_MessageButton(KV_BUILTIN_PARAMS);
void F_MessageAlpha(KV_BUILTIN_PARAMS);
void F_MessageTextFont(KV_BUILTIN_PARAMS);
void F_MessageButtonFont(KV_BUILTIN_PARAMS);
void F_MessageInputFont(KV_BUILTIN_PARAMS);
void F_MessageMouseColor(KV_BUILTIN_PARAMS);
void F_MessageInputColor(KV_BUILTIN_PARAMS);
void F_MessagePosition(KV_BUILTIN_PARAMS);
void F_MessageSize(KV_BUILTIN_PARAMS);
void F_MessageCaption(KV_BUILTIN_PARAMS);

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

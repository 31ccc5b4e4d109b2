// The platform services family's handlers. Services this system does not
// have check their arguments and answer their fixed defaults.
#pragma once

#include "builtins/builtin_args.h"

// The family's 31 constants; the program's entry hands this to the constant
// table, which adds it at the end of its own.
void PlatformBuiltins_AddConstants();

KV_BUILTIN(F_AcceptChallenge);
KV_BUILTIN(F_AchievementAvailable);
KV_BUILTIN(F_AchievementLogin);
KV_BUILTIN(F_AchievementLogout);
KV_BUILTIN(F_AchievementPost);
KV_BUILTIN(F_AchievementPostScore);
KV_BUILTIN(F_AddAchievement);
KV_BUILTIN(F_AddLeaderboard);
KV_BUILTIN(F_AdsAbsent);
KV_BUILTIN(F_AnalyticsEvent);
KV_BUILTIN(F_AnalyticsEventExt);
KV_BUILTIN(F_Base64Decode);
KV_BUILTIN(F_Base64Encode);
KV_BUILTIN(F_CloudAbsent);
KV_BUILTIN(F_DeviceMouseCheckButton);
KV_BUILTIN(F_DeviceMouseCheckButtonPressed);
KV_BUILTIN(F_DeviceMouseCheckButtonReleased);
KV_BUILTIN(F_DeviceMouseRawX);
KV_BUILTIN(F_DeviceMouseRawY);
KV_BUILTIN(F_DeviceMouseX);
KV_BUILTIN(F_DeviceMouseY);
KV_BUILTIN(F_DisplayGetDpi);
KV_BUILTIN(F_DisplayGetGuiHeight);
KV_BUILTIN(F_DisplayGetGuiWidth);
KV_BUILTIN(F_DisplaySetGuiSize);
KV_BUILTIN(F_DrawTextureFlush);
KV_BUILTIN(F_EnableAlphaBlend);
KV_BUILTIN(F_GetConfig);
KV_BUILTIN(F_GetCpuDetails);
KV_BUILTIN(F_GetDevice);
KV_BUILTIN(F_GetPictureSprite);
KV_BUILTIN(F_GetPlatform);
KV_BUILTIN(F_GetTiltX);
KV_BUILTIN(F_GetTiltY);
KV_BUILTIN(F_GetTiltZ);
KV_BUILTIN(F_GetTimer);
KV_BUILTIN(F_IapAbsent);
KV_BUILTIN(F_IapActivate);
KV_BUILTIN(F_IapEventQueue);
KV_BUILTIN(F_IapFilesPurchased);
KV_BUILTIN(F_IapStatus);
KV_BUILTIN(F_IsKeypadOpen);
KV_BUILTIN(F_IsOnline);
KV_BUILTIN(F_LeaveRating);
KV_BUILTIN(F_Md5File);
KV_BUILTIN(F_Md5StringUnicode);
KV_BUILTIN(F_Md5StringUtf8);
KV_BUILTIN(F_OnlineAcceptChallenge);
KV_BUILTIN(F_OnlineIsOnline);
KV_BUILTIN(F_OnlineMapAchievement);
KV_BUILTIN(F_OnlineMapLeaderboard);
KV_BUILTIN(F_OnlineSendChallenge);
KV_BUILTIN(F_OnlineSendInvite);
KV_BUILTIN(F_OnlineSendResult);
KV_BUILTIN(F_OnlineSendSocial);
KV_BUILTIN(F_OnlineSetUrl);
KV_BUILTIN(F_OnlineStartDashboard);
KV_BUILTIN(F_OsGetLanguage);
KV_BUILTIN(F_OsIsNetworkConnected);
KV_BUILTIN(F_OsIsPaused);
KV_BUILTIN(F_OsLockOrientation);
KV_BUILTIN(F_OsPowersaveEnable);
KV_BUILTIN(F_SelectPicture);
KV_BUILTIN(F_SendChallenge);
KV_BUILTIN(F_SendChallengeResult);
KV_BUILTIN(F_SendInvite);
KV_BUILTIN(F_SendSocial);
KV_BUILTIN(F_SetURL);
KV_BUILTIN(F_Sha1File);
KV_BUILTIN(F_Sha1StringUnicode);
KV_BUILTIN(F_Sha1StringUtf8);
KV_BUILTIN(F_SocialAbsent);
KV_BUILTIN(F_SocialStatus);
KV_BUILTIN(F_StartDashboard);
KV_BUILTIN(F_UrlGetDomain);
KV_BUILTIN(F_UrlOpen);
KV_BUILTIN(F_VirtualKeyAdd);
KV_BUILTIN(F_VirtualKeyDelete);
KV_BUILTIN(F_VirtualKeyHide);
KV_BUILTIN(F_VirtualKeyShow);
KV_BUILTIN(F_WinPhoneTileBackContent);
KV_BUILTIN(F_WinPhoneTileBackImage);
KV_BUILTIN(F_WinPhoneTileBackTitle);
KV_BUILTIN(F_WinPhoneTileCount);
KV_BUILTIN(F_WinPhoneTileFrontImage);
KV_BUILTIN(F_WinPhoneTileTitle);
KV_BUILTIN(F_Windows8);

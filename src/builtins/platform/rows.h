// The platform services family, in registration order: virtual keys,
// achievements, web addresses, advertising and ratings, the device and the
// operating system, the online achievement network, purchases, the social
// network, cloud saving, hashing and encoding, analytics, and the features
// of two other desktop and phone systems. A name with the "Vexa_" prefix and
// its plain twin share one handler.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/platform/handlers.h"

inline constexpr BuiltinRow kPlatformRows[] = {
    {"Vexa_AddVirtualKey", F_VirtualKeyAdd, 5, "x, y, width, height, key",
     "id: the key's handle, 0 when all 128 keys are in use", "The same as `virtual_key_add`, under its prefixed name."},
    {"virtual_key_add", F_VirtualKeyAdd, 5, "x, y, width, height, key",
     "id: the key's handle, 0 when all 128 keys are in use",
     "Makes an on-screen key over the rectangle at (x, y) of width by height room pixels, drawn only once shown, meant "
     "to hold key code key down while a pointer touches it. Nothing on this system reports pointers to the keys (the "
     "mouse does not), so a virtual key never reacts and never holds its key down. Arguments are rounded; a string "
     "reports an "
     "error."},
    {"Vexa_DeleteVirtualKey", F_VirtualKeyDelete, 1, "handle", "nothing",
     "The same as `virtual_key_delete`, under its prefixed name."},
    {"virtual_key_delete", F_VirtualKeyDelete, 1, "handle", "nothing",
     "Removes the on-screen key of that handle. A handle outside 1 to 128 reports an error and changes nothing, as "
     "does a string."},
    {"Vexa_ShowVirtualKey", F_VirtualKeyShow, 1, "handle", "nothing",
     "The same as `virtual_key_show`, under its prefixed name."},
    {"virtual_key_show", F_VirtualKeyShow, 1, "handle", "nothing",
     "Draws the on-screen key of that handle over each frame from now on. A handle outside 1 to 128 reports an error "
     "and changes nothing."},
    {"Vexa_HideVirtualKey", F_VirtualKeyHide, 1, "handle", "nothing",
     "The same as `virtual_key_hide`, under its prefixed name."},
    {"virtual_key_hide", F_VirtualKeyHide, 1, "handle", "nothing",
     "Stops drawing the on-screen key of that handle; hidden or shown, it never reacts (see `virtual_key_add`). A "
     "handle outside 1 to 128 reports an error and changes nothing."},

    {"Vexa_LoginAchievements", F_AchievementLogin, kAnyArgumentCount, "...", "nothing",
     "The same as `achievement_login`, under its prefixed name."},
    {"achievement_login", F_AchievementLogin, kAnyArgumentCount, "...", "nothing",
     "Logs in to the platform's achievement service, which this system lacks, so nothing happens. Takes no argument; "
     "any other count reports an error."},
    {"Vexa_LogoutAchievements", F_AchievementLogout, kAnyArgumentCount, "...", "nothing",
     "The same as `achievement_logout`, under its prefixed name."},
    {"achievement_logout", F_AchievementLogout, kAnyArgumentCount, "...", "nothing",
     "Does nothing: no achievement service exists on this system. Takes no argument; any other count reports an "
     "error."},
    {"Vexa_PostAchievement", F_AchievementPost, kAnyArgumentCount, "name, percent, ...", "nothing",
     "The same as `achievement_post`, under its prefixed name."},
    {"achievement_post", F_AchievementPost, kAnyArgumentCount, "name, percent, ...", "nothing",
     "Hands achievement name, completed to percent (0-100), to the achievement service, which does nothing on this "
     "system. Takes exactly a string and a real, else reports an error."},
    {"Vexa_PostScore", F_AchievementPostScore, kAnyArgumentCount, "name, score, ...", "nothing",
     "The same as `achievement_post_score`, under its prefixed name."},
    {"achievement_post_score", F_AchievementPostScore, kAnyArgumentCount, "name, score, ...", "nothing",
     "Hands score, cut toward zero to a whole number, for leaderboard name to the achievement service, which does "
     "nothing on this system. Takes exactly a string and a real, else reports an error."},
    {"Vexa_AchievementsAvailable", F_AchievementAvailable, kAnyArgumentCount, "...",
     "bool: 1 when achievements may be posted", "The same as `achievement_available`, under its prefixed name."},
    {"achievement_available", F_AchievementAvailable, kAnyArgumentCount, "...",
     "bool: 1 when achievements may be posted",
     "Answers 1 once the game has started, as the stand-in achievement service here always starts; posts still go "
     "nowhere. Takes no argument; any other count reports an error."},

    {"Vexa_OpenURL", F_UrlOpen, 1, "url", "nothing", "The same as `url_open`, under its prefixed name."},
    {"url_open", F_UrlOpen, 1, "url", "nothing",
     "Opens a web page with the desktop's handler, first leaving full screen; only addresses beginning `http://` or "
     "`https://` in any letter case open, and the scheme and host are put in lower case. A real reports an error."},
    {"Vexa_OpenURL_ext", F_UrlOpen, 2, "url, unused", "nothing",
     "The same as `url_open_ext`, under its prefixed name."},
    {"url_open_ext", F_UrlOpen, 2, "url, unused", "nothing",
     "The same as `url_open`; the second argument is not read."},
    {"Vexa_OpenURL_full", F_UrlOpen, 3, "url, unused1, unused2", "nothing",
     "The same as `url_open_full`, under its prefixed name."},
    {"url_open_full", F_UrlOpen, 3, "url, unused1, unused2", "nothing",
     "The same as `url_open`; the second and third arguments are not read."},
    {"url_get_domain", F_UrlGetDomain, 1, "unused", "string: always \"localhost\"",
     "Answers \"localhost\", as the game is not served from any web address; the argument is not read."},

    {"Vexa_EnableAds", F_AdsAbsent, 5, "x, y, unused1, unused2, unused3", "nothing",
     "Does nothing: no advertising service exists on this system. The arguments are not read."},
    {"ads_enable", F_AdsAbsent, 3, "x, y, kind", "nothing",
     "Does nothing: no advertising service exists on this system. The arguments are not read."},
    {"ads_move", F_AdsAbsent, 3, "x, y, kind", "nothing",
     "Does nothing: no advertising service exists on this system. The arguments are not read."},
    {"Vexa_DisableAds", F_AdsAbsent, 0, "", "nothing", "Does nothing: no advertising service exists on this system."},
    {"ads_disable", F_AdsAbsent, 0, "", "nothing", "Does nothing: no advertising service exists on this system."},
    {"ads_get_display_width", F_AdsAbsent, 1, "kind", "real: always 0",
     "Answers 0: no advertisement is ever shown, as no advertising service exists on this system."},
    {"ads_get_display_height", F_AdsAbsent, 1, "kind", "real: always 0",
     "Answers 0: no advertisement is ever shown, as no advertising service exists on this system."},
    {"ads_engagement_available", F_AdsAbsent, 1, "kind", "bool: always 0",
     "Answers 0: no advertising service exists on this system."},
    {"ads_engagement_active", F_AdsAbsent, 1, "kind", "bool: always 0",
     "Answers 0: no advertising service exists on this system."},
    {"ads_engagement_launch", F_AdsAbsent, 1, "kind", "nothing",
     "Does nothing: no advertising service exists on this system."},
    {"ads_setup", F_AdsAbsent, 2, "kind, key", "nothing",
     "Does nothing: no advertising service exists on this system. The arguments are not read."},
    {"pocketchange_display_reward", F_AdsAbsent, 0, "", "nothing",
     "Does nothing: no reward service exists on this system."},
    {"pocketchange_display_shop", F_AdsAbsent, 0, "", "nothing", "Does nothing: no reward shop exists on this system."},
    {"clickable_add", F_AdsAbsent, 6, "x, y, spr, url, window, extra", "id: always 0",
     "Answers 0 and makes nothing: clickable web areas do not exist on this system."},
    {"clickable_add_ext", F_AdsAbsent, 8, "x, y, spr, url, window, extra, scale, alpha", "id: always 0",
     "Answers 0 and makes nothing: clickable web areas do not exist on this system."},
    {"clickable_change", F_AdsAbsent, 4, "id, spr, x, y", "nothing",
     "Does nothing: clickable web areas do not exist on this system."},
    {"clickable_change_ext", F_AdsAbsent, 5, "id, spr, x, y, scale", "nothing",
     "Does nothing: clickable web areas do not exist on this system."},
    {"clickable_delete", F_AdsAbsent, 1, "id", "nothing",
     "Does nothing: clickable web areas do not exist on this system."},
    {"Vexa_LeaveRating", F_LeaveRating, 4, "question, accept, decline, url", "nothing",
     "The same as `shop_leave_rating`, under its prefixed name."},
    {"shop_leave_rating", F_LeaveRating, 4, "question, accept, decline, url", "nothing",
     "Does nothing: no store exists on this system to rate the game in. All four arguments must be strings, else it "
     "reports an error."},

    {"Vexa_GetTimer", F_GetTimer, 0, "", "real: microseconds since the program started",
     "The same as `get_timer`, under its prefixed name."},
    {"get_timer", F_GetTimer, 0, "", "real: microseconds since the program started",
     "Reads the program's clock in microseconds (millionths of a second)."},
    {"Vexa_EnableAlphaBlend", F_EnableAlphaBlend, 1, "enable", "nothing",
     "The same as `draw_enable_alphablend`, under its prefixed name."},
    {"draw_enable_alphablend", F_EnableAlphaBlend, 1, "enable", "nothing",
     "Turns alpha blending of what is drawn next on (1) or off (0); what was drawn before is sent out first. A string "
     "reports an error."},
    {"draw_texture_flush", F_DrawTextureFlush, 0, "", "nothing",
     "Sends out what waits to be drawn, then lets the graphics device drop the textures it may; they come back when "
     "next drawn."},
    {"Vexa_GetPlatform", F_GetPlatform, 0, "", "real: always 0",
     "Answers 0, the value of `os_windows`, whatever system runs the game."},
    {"Vexa_GetDevice", F_GetDevice, 0, "", "real: always -1",
     "Answers -1, the value of `device_ios_unknown`: the game does not run on a phone or tablet."},
    {"Vexa_GetCPUDetails", F_GetCpuDetails, 0, "", "real: always 0",
     "Answers 0: no processor details are given on this system."},
    {"Vexa_GetConfig", F_GetConfig, 0, "", "string: the configuration's name",
     "The same as `os_get_config`, under its prefixed name."},
    {"os_get_config", F_GetConfig, 0, "", "string: the configuration's name",
     "Answers the name of the configuration the game was built with, empty when the game names none."},
    {"os_get_language", F_OsGetLanguage, 0, "", "string: the language code, \"--\" when unknown",
     "Answers the two- or three-letter code of the user's language, such as \"en\" or \"de\", read from the first set "
     "of `LC_ALL`, `LC_MESSAGES` and `LANG`; a setting such as \"C\" gives \"--\"."},
    {"display_get_dpi_x", F_DisplayGetDpi, 0, "", "real: always 96",
     "Answers 96 dots per inch across, whatever the screen."},
    {"display_get_dpi_y", F_DisplayGetDpi, 0, "", "real: always 96",
     "Answers 96 dots per inch down, whatever the screen."},
    {"display_set_gui_size", F_DisplaySetGuiSize, 2, "width, height", "nothing",
     "Sets the size in pixels of the space the GUI drawing pass draws in, which is stretched over the whole drawing "
     "area; values are rounded, and a negative side follows the drawing area again."},
    {"display_get_gui_width", F_DisplayGetGuiWidth, 0, "", "real: the GUI width in pixels",
     "Answers the width set by `display_set_gui_size`, or the drawing area's width while none (or a negative one) is "
     "set."},
    {"display_get_gui_height", F_DisplayGetGuiHeight, 0, "", "real: the GUI height in pixels",
     "Answers the height set by `display_set_gui_size`, or the drawing area's height while none (or a negative one) is "
     "set."},
    {"Vexa_SelectPicture", F_SelectPicture, 0, "", "real: always -1",
     "The same as `device_ios_get_imagename`, under its prefixed name."},
    {"device_ios_get_imagename", F_SelectPicture, 0, "", "real: always -1",
     "Answers -1: no picture can be chosen from a photo library on this system."},
    {"Vexa_GetPictureSprite", F_GetPictureSprite, 0, "", "id: always -1",
     "The same as `device_ios_get_image`, under its prefixed name."},
    {"device_ios_get_image", F_GetPictureSprite, 0, "", "id: always -1",
     "Answers -1, no sprite: no picture can be taken from a photo library on this system."},
    {"Vexa_MouseCheckButton", F_DeviceMouseCheckButton, 2, "device, button", "bool: 1 when the button is held",
     "The same as `device_mouse_check_button`, under its prefixed name."},
    {"device_mouse_check_button", F_DeviceMouseCheckButton, 2, "device, button", "bool: 1 when the button is held",
     "Tests a button of pointer device 0 to 4 this step: `mb_left`, `mb_middle` or `mb_right`, `mb_any` for any of "
     "them, `mb_none` for none of them; other button numbers never hold, and other devices hold no button."},
    {"Vexa_MouseCheckButtonPressed", F_DeviceMouseCheckButtonPressed, 2, "device, button",
     "bool: 1 when the button went down this step",
     "The same as `device_mouse_check_button_pressed`, under its prefixed name."},
    {"device_mouse_check_button_pressed", F_DeviceMouseCheckButtonPressed, 2, "device, button",
     "bool: 1 when the button went down this step",
     "As `device_mouse_check_button`, but only for a press that began this step."},
    {"Vexa_MouseCheckButtonReleased", F_DeviceMouseCheckButtonReleased, 2, "device, button",
     "bool: 1 when the button came up this step",
     "The same as `device_mouse_check_button_released`, under its prefixed name."},
    {"device_mouse_check_button_released", F_DeviceMouseCheckButtonReleased, 2, "device, button",
     "bool: 1 when the button came up this step", "As `device_mouse_check_button`, but only for a release this step."},
    {"Vexa_MouseX", F_DeviceMouseX, 1, "device", "real: the pointer's x in the room",
     "The same as `device_mouse_x`, under its prefixed name."},
    {"device_mouse_x", F_DeviceMouseX, 1, "device", "real: the pointer's x in the room",
     "Answers where pointer device 0 to 4 is across the room in room pixels, mapped through the views; another device "
     "answers 0."},
    {"Vexa_MouseY", F_DeviceMouseY, 1, "device", "real: the pointer's y in the room",
     "The same as `device_mouse_y`, under its prefixed name."},
    {"device_mouse_y", F_DeviceMouseY, 1, "device", "real: the pointer's y in the room",
     "Answers where pointer device 0 to 4 is down the room in room pixels, mapped through the views; another device "
     "answers 0."},
    {"Vexa_MouseXRaw", F_DeviceMouseRawX, 1, "device", "real: the pointer's x in the window",
     "The same as `device_mouse_raw_x`, under its prefixed name."},
    {"device_mouse_raw_x", F_DeviceMouseRawX, 1, "device", "real: the pointer's x in the window",
     "Answers where pointer device 0 to 4 was across the window this step, in window pixels; another device answers "
     "0."},
    {"Vexa_MouseYRaw", F_DeviceMouseRawY, 1, "device", "real: the pointer's y in the window",
     "The same as `device_mouse_raw_y`, under its prefixed name."},
    {"device_mouse_raw_y", F_DeviceMouseRawY, 1, "device", "real: the pointer's y in the window",
     "Answers where pointer device 0 to 4 was down the window this step, in window pixels; another device answers 0."},
    {"Vexa_GetTiltX", F_GetTiltX, 0, "", "real: always 0", "The same as `device_get_tilt_x`, under its prefixed name."},
    {"device_get_tilt_x", F_GetTiltX, 0, "", "real: always 0", "Answers 0: no tilt sensor reports on this system."},
    {"Vexa_GetTiltY", F_GetTiltY, 0, "", "real: always 0", "The same as `device_get_tilt_y`, under its prefixed name."},
    {"device_get_tilt_y", F_GetTiltY, 0, "", "real: always 0", "Answers 0: no tilt sensor reports on this system."},
    {"Vexa_GetTiltZ", F_GetTiltZ, 0, "", "real: always 0", "The same as `device_get_tilt_z`, under its prefixed name."},
    {"device_get_tilt_z", F_GetTiltZ, 0, "", "real: always 0", "Answers 0: no tilt sensor reports on this system."},
    {"Vexa_IsKeypadOpen", F_IsKeypadOpen, 0, "", "bool: always 0",
     "The same as `device_is_keypad_open`, under its prefixed name."},
    {"device_is_keypad_open", F_IsKeypadOpen, 0, "", "bool: always 0",
     "Answers 0: this system has no on-screen keypad to open."},
    {"Vexa_OSPauseEvent", F_OsIsPaused, 0, "", "bool: 1 in the step after a pause",
     "The same as `os_is_paused`, under its prefixed name."},
    {"os_is_paused", F_OsIsPaused, 0, "", "bool: 1 in the step after a pause",
     "Answers 1 during the one step after the window lost the focus to another program, else 0."},
    {"os_is_network_connected", F_OsIsNetworkConnected, 0, "", "bool: 1 when a network is there",
     "Answers 1 when a network interface other than the loopback one is up with an address; it does not test whether "
     "the internet can be reached."},
    {"os_powersave_enable", F_OsPowersaveEnable, 1, "enable", "nothing",
     "Does nothing: power saving cannot be set on this system."},
    {"os_lock_orientation", F_OsLockOrientation, 1, "lock", "nothing",
     "Does nothing: the screen's orientation cannot be locked on this system."},

    {"Vexa_OF_StartDashboard", F_OnlineStartDashboard, kAnyArgumentCount, "...", "nothing",
     "The same as `openfeint_start`, under its prefixed name."},
    {"openfeint_start", F_OnlineStartDashboard, kAnyArgumentCount, "...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes no argument; any other count reports an "
     "error."},
    {"Vexa_OF_AddAchievement", F_OnlineMapAchievement, kAnyArgumentCount, "name, key, ...", "nothing",
     "The same as `achievement_map_achievement`, under its prefixed name."},
    {"achievement_map_achievement", F_OnlineMapAchievement, kAnyArgumentCount, "name, key, ...", "nothing",
     "Does nothing: no online gaming network exists on this system to map achievement name onto. Takes exactly two "
     "arguments, else reports an error."},
    {"Vexa_OF_AddLeaderboard", F_OnlineMapLeaderboard, kAnyArgumentCount, "name, key, kind, ...", "nothing",
     "The same as `achievement_map_leaderboard`, under its prefixed name."},
    {"achievement_map_leaderboard", F_OnlineMapLeaderboard, kAnyArgumentCount, "name, key, kind, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes three arguments, or two with kind then 1 "
     "(`leaderboard_type_time_mins_secs`); another count reports an error."},
    {"Vexa_OF_SendChallenge", F_OnlineSendChallenge, kAnyArgumentCount, "challenge, text, data, ...", "nothing",
     "The same as `openfeint_send_challenge`, under its prefixed name."},
    {"openfeint_send_challenge", F_OnlineSendChallenge, kAnyArgumentCount, "challenge, text, data, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes exactly three arguments, else reports an "
     "error."},
    {"Vexa_OF_SendInvite", F_OnlineSendInvite, kAnyArgumentCount, "text, ...", "nothing",
     "The same as `openfeint_send_invite`, under its prefixed name."},
    {"openfeint_send_invite", F_OnlineSendInvite, kAnyArgumentCount, "text, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes exactly one argument, else reports an "
     "error."},
    {"Vexa_OF_SendSocial", F_OnlineSendSocial, kAnyArgumentCount, "title, text, picture, ...", "nothing",
     "The same as `openfeint_send_social`, under its prefixed name."},
    {"openfeint_send_social", F_OnlineSendSocial, kAnyArgumentCount, "title, text, picture, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes exactly three arguments, else reports an "
     "error."},
    {"Vexa_OF_SetURL", F_OnlineSetUrl, kAnyArgumentCount, "url, ...", "nothing",
     "The same as `openfeint_set_url`, under its prefixed name."},
    {"openfeint_set_url", F_OnlineSetUrl, kAnyArgumentCount, "url, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes exactly one argument, else reports an "
     "error."},
    {"Vexa_OF_AcceptChallenge", F_OnlineAcceptChallenge, kAnyArgumentCount, "...",
     "string: always empty, 0 after a wrong count",
     "The same as `openfeint_accept_challenge`, under its prefixed name."},
    {"openfeint_accept_challenge", F_OnlineAcceptChallenge, kAnyArgumentCount, "...",
     "string: always empty, 0 after a wrong count",
     "Answers the empty string: no challenge ever arrives, as no online gaming network exists on this system. Takes no "
     "argument; any other count reports an error."},
    {"Vexa_OF_IsOnline", F_OnlineIsOnline, kAnyArgumentCount, "...", "bool: always 0",
     "The same as `achievement_is_online`, under its prefixed name."},
    {"achievement_is_online", F_OnlineIsOnline, kAnyArgumentCount, "...", "bool: always 0",
     "Answers 0: no online gaming network exists on this system. Takes no argument; any other count reports an error."},
    {"Vexa_OF_SendChallengeResult", F_OnlineSendResult, kAnyArgumentCount, "result, text, ...", "nothing",
     "The same as `openfeint_send_result`, under its prefixed name."},
    {"openfeint_send_result", F_OnlineSendResult, kAnyArgumentCount, "result, text, ...", "nothing",
     "Does nothing: no online gaming network exists on this system. Takes exactly two arguments (result such as "
     "`of_challenge_win`), else reports an error."},

    {"iap_activate", F_IapActivate, 1, "products", "nothing",
     "Starts the demonstration store that stands in for a purchase store, which this system lacks: makes new maps and "
     "a list for `iap_status` on every call. The argument is not read."},
    {"iap_status", F_IapStatus, 0, "", "id: the status map, -1 before `iap_activate`",
     "Refills and answers the demonstration store's map: key \"status\" holds \"Available\" and key \"purchases\" a "
     "list of four product maps with keys \"title\", \"description\", \"price\", \"id\" and \"status\"."},
    {"iap_files_purchased", F_IapFilesPurchased, 0, "", "id: a list of file names, -1 before `iap_activate`",
     "Refills and answers a list of the demonstration store's downloaded file names; the same list comes back each "
     "time."},
    {"iap_acquire", F_IapAbsent, 1, "product", "nothing",
     "Does nothing and answers 0: no purchase store exists on this system."},
    {"iap_consume", F_IapAbsent, 1, "product", "nothing",
     "Does nothing and answers 0: no purchase store exists on this system."},
    {"iap_is_purchased", F_IapAbsent, 1, "product", "nothing",
     "Does nothing and answers 0: no purchase store exists on this system."},
    {"iap_is_downloaded", F_IapAbsent, 1, "product", "nothing",
     "Does nothing and answers 0: no purchase store exists on this system."},
    {"iap_restore_all", F_IapAbsent, 0, "", "nothing", "Does nothing: no purchase store exists on this system."},
    {"iap_store_status", F_IapAbsent, 0, "", "nothing", "Answers 0: no purchase store exists on this system."},
    {"iap_product_status", F_IapAbsent, 1, "product", "nothing", "Answers 0: no purchase store exists on this system."},
    {"iap_product_details", F_IapAbsent, 2, "product, map", "nothing",
     "Does nothing and leaves map alone: no purchase store exists on this system."},
    {"iap_product_files", F_IapAbsent, 2, "product, list", "nothing",
     "Does nothing and leaves list alone: no purchase store exists on this system."},
    {"iap_event_queue", F_IapEventQueue, 0, "", "id: the purchase event queue, -1 while none exists",
     "Answers the queue where a purchase store leaves its events before the purchase event runs; no store exists on "
     "this system to make it, so it stays -1."},

    {"facebook_init", F_SocialAbsent, 0, "", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_login", F_SocialAbsent, 1, "permissions", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_graph_request", F_SocialAbsent, 4, "path, method, params, map", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_dialog", F_SocialAbsent, 3, "kind, params, map", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_launch_offerwall", F_SocialAbsent, 1, "params", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_post_message", F_SocialAbsent, 7, "title, caption, text, url, picture, actiontext, actionlink",
     "nothing", "Does nothing: no social network service exists on this system."},
    {"facebook_send_invite", F_SocialAbsent, 4, "title, text, recipients, map", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_logout", F_SocialAbsent, 0, "", "nothing",
     "Does nothing: no social network service exists on this system."},
    {"facebook_status", F_SocialStatus, 0, "", "string: always \"IDLE\"",
     "Answers \"IDLE\": no social network service exists on this system, so no log-in ever starts."},

    {"duskmolderLogin", F_CloudAbsent, 2, "user, password", "string: always empty",
     "Answers the empty string and logs in nowhere: no cloud saving service exists on this system."},
    {"duskmolderSave", F_CloudAbsent, 2, "slot, str", "string: always empty",
     "Answers the empty string and saves nothing: no cloud saving service exists on this system."},
    {"duskmolderLoad", F_CloudAbsent, 1, "slot", "string: always empty",
     "Answers the empty string: no cloud saving service exists on this system, so nothing can be loaded."},
    {"duskmolderIsLoggedIn", F_CloudAbsent, 0, "", "string: always empty",
     "Answers the empty string, not a number: no cloud saving service exists on this system."},
    {"duskmolderIsLoaded", F_CloudAbsent, 0, "", "string: always empty",
     "Answers the empty string, not a number: no cloud saving service exists on this system."},

    {"base64_encode", F_Base64Encode, 1, "str", "string: the text in base64, \"\" for a real",
     "Encodes the text's bytes in base64 with `+`, `/` and `=` padding."},
    {"base64_decode", F_Base64Decode, 1, "str", "string: the decoded text, \"\" for a real",
     "Decodes base64 up to the first `=` or character outside the alphabet; the result ends at the first zero byte "
     "decoded."},
    {"md5_string_utf8", F_Md5StringUtf8, 1, "str", "string: 32 lower-case hex digits, \"\" for a real",
     "Answers the MD5 digest of the text's UTF-8 bytes."},
    {"sha1_string_utf8", F_Sha1StringUtf8, 1, "str", "string: 40 lower-case hex digits, \"\" for a real",
     "Answers the SHA-1 digest of the text's UTF-8 bytes."},
    {"md5_string_unicode", F_Md5StringUnicode, 1, "str", "string: 32 lower-case hex digits, \"\" for a real",
     "Answers the MD5 digest of the text as 16-bit units, two bytes each with the low byte first, one unit per "
     "character."},
    {"sha1_string_unicode", F_Sha1StringUnicode, 1, "str", "string: 40 lower-case hex digits, \"\" for a real",
     "Answers the SHA-1 digest of the text as 16-bit units, two bytes each with the low byte first, one unit per "
     "character."},
    {"md5_file", F_Md5File, 1, "fname", "string: 32 lower-case hex digits, \"\" when missing",
     "Answers the MD5 digest of the file's bytes, taken from the save folder when it has the file, else from the "
     "game file's folder."},
    {"sha1_file", F_Sha1File, 1, "fname", "string: 40 lower-case hex digits, \"\" when missing",
     "Answers the SHA-1 digest of the file's bytes, taken from the save folder when it has the file, else from the "
     "game file's folder."},

    {"analytics_event", F_AnalyticsEvent, 1, "name", "nothing",
     "Does nothing: no analytics service exists on this system. A real reports an error."},
    {"analytics_event_ext", F_AnalyticsEventExt, kAnyArgumentCount, "name, ...", "nothing",
     "Does nothing: no analytics service exists on this system. After the name come (string, real) pairs; a pair of "
     "other kinds reports an error, a last unpaired value is not read, and a real name is ignored silently."},

    {"win8_livetile_tile_notification", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_livetile_tile_clear", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_livetile_badge_notification", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_livetile_badge_clear", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_livetile_queue_enable", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_secondarytile_pin", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_secondarytile_notification", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_secondarytile_badge_notification", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_secondarytile_delete", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_appbar_enable", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_appbar_add_element", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_appbar_remove_element", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_settingscharm_add_entry", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_settingscharm_add_html_entry", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_settingscharm_remove_entry", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_share_image", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_share_screenshot", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_share_file", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_share_url", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_share_text", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_search_enable", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_search_disable", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_search_add_suggestions", F_Windows8, kAnyArgumentCount, "...", "nothing",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},
    {"win8_device_touchscreen_available", F_Windows8, kAnyArgumentCount, "...", "bool: always 0",
     "Only writes a console line saying it is not supported: these desktop features do not exist on this system. The "
     "arguments are not read."},

    {"winphone_tile_title", F_WinPhoneTileTitle, kAnyArgumentCount, "title, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "string, writes the usage line instead."},
    {"winphone_tile_count", F_WinPhoneTileCount, kAnyArgumentCount, "count, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "real, writes the usage line instead."},
    {"winphone_tile_back_title", F_WinPhoneTileBackTitle, kAnyArgumentCount, "title, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "string, writes the usage line instead."},
    {"winphone_tile_back_content", F_WinPhoneTileBackContent, kAnyArgumentCount, "content, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "string, writes the usage line instead."},
    {"winphone_tile_front_image", F_WinPhoneTileFrontImage, kAnyArgumentCount, "fname, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "string, writes the usage line instead."},
    {"winphone_tile_back_image", F_WinPhoneTileBackImage, kAnyArgumentCount, "fname, ...", "nothing",
     "Only writes a console line saying phone tiles are not supported on this system; anything but one argument, a "
     "string, writes the usage line instead."},
};
static_assert(sizeof kPlatformRows / sizeof kPlatformRows[0] == 179);

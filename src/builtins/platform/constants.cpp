// The family's constants: operating systems, devices, browsers, challenge
// results and leaderboard kinds.
#include "script/compiler/constants.h"
#include "builtins/platform/handlers.h"

namespace {

struct PlatformConstant {
  const char* name;
  double value;
};
constexpr PlatformConstant kConstants[] = {
    {"os_unknown", -1},
    {"os_win32", 0},
    {"os_windows", 0},
    {"os_macosx", 1},
    {"os_psp", 2},
    {"os_ios", 3},
    {"os_android", 4},
    {"os_symbian", 5},
    {"os_linux", 6},
    {"os_winphone", 7},
    {"of_challenge_win", 0},
    {"of_challenge_lose", 1},
    {"of_challenge_tie", 2},
    {"leaderboard_type_number", 0},
    {"leaderboard_type_time_mins_secs", 1},
    {"device_ios_unknown", -1},
    {"device_ios_iphone", 0},
    {"device_ios_iphone_retina", 1},
    {"device_ios_ipad", 2},
    {"device_ios_ipad_retina", 3},
    {"device_emulator", 256},
    {"device_tablet", 2},
    {"browser_not_a_browser", -1},
    {"browser_unknown", 0},
    {"browser_ie", 1},
    {"browser_firefox", 2},
    {"browser_chrome", 3},
    {"browser_safari", 4},
    {"browser_safari_mobile", 5},
    {"browser_opera", 6},
    {"browser_windows_store", 8},
};
static_assert(sizeof kConstants / sizeof kConstants[0] == 31);

}  // namespace

void PlatformBuiltins_AddConstants() {
  for (const PlatformConstant& constant : kConstants) Code_Constant_AddReal(constant.name, constant.value);
}

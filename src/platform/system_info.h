// Facts about the machine the game runs on that scripts may ask for: the
// user's language, whether a network is there, the system's version.
#pragma once

#include <string>

// The language code of the user's locale settings: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG, up to its first "_", "." or "@", when that
// is two or three lower-case letters; else "--". The process's own locale is
// not consulted (the player forces "C").
std::string SystemInfo_LanguageCode();
// The same rule over a given setting (null or empty reads as none).
std::string SystemInfo_LanguageOf(const char* setting);
// True when an interface other than the loopback is up and has an address.
bool SystemInfo_NetworkConnected();
// The version number games compare against Windows versions; this system
// has none, so -1.
int32_t SystemInfo_WindowsVersion();
// The display density in dots per inch the desktop reports to games.
constexpr int32_t kSystemInfoDpi = 96;

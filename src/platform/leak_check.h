// The leak checker of a sanitizer build and the desktop libraries. The bus
// library and the GL driver keep blocks of their own until the process
// ends; the player's sanitizer build leaves those out of its leak check by
// itself (its default suppressions, platform/posix/leak_check.cpp), so
// that a report at a clean end in a window names a leak of the player's
// own. Other builds: nothing.
#pragma once

// Keeps every library loaded now in memory until the process ends: exit
// unloads the GL driver before the leak check runs, and a block of an
// unloaded library cannot be told from anyone else's.
void LeakCheck_KeepLibrariesLoaded();

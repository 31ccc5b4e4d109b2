// Where compiled code looks up the game's scripts and extension functions by
// name, and how both interpreters call extension functions: through the
// loaded script store and extension packages.
#pragma once

// Installs the stores into the function registry and the extension calls
// into the interpreters; call once at start-up.
void GameFile_InstallFunctionStores();

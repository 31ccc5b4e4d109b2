// Where compiled code looks up the game's scripts and extension functions by
// name: scripts come from the loaded script store; the game has no extension
// functions yet, so none is ever found.
#pragma once

// Installs the stores into the function registry; call once at start-up.
void GameFile_InstallFunctionStores();

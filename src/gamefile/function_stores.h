// Where compiled code looks up the game's scripts and extension functions by
// name, how both interpreters call extension functions, and where
// precompiled code is found: through the loaded script store, extension
// packages, code table and debug file.
#pragma once

struct ScriptHost;

// Puts the stores, the extension calls and the precompiled lookup into the
// engine's host table.
void GameFile_AddFunctionStores(ScriptHost* host);

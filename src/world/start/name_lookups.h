// Resource names as values: every kind's lookup, put at once into the
// engine's host table from the player's own stores. The player installs them at
// start-up and mkgame before it compiles, so a name means the same in every
// form of code. The lookups ask the stores when a name is compiled, so it
// does not matter when the stores are filled.
#pragma once

struct ScriptHost;

void NameLookups_AddTo(ScriptHost* host);

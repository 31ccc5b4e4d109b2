// Resource names as values: every kind's lookup, installed at once into the
// compiler from the player's own stores. The player installs them at
// start-up and mkgame before it compiles, so a name means the same in every
// form of code. The lookups ask the stores when a name is compiled, so it
// does not matter when the stores are filled.
#pragma once

void NameLookups_Install();

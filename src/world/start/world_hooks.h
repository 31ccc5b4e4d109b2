// Connects the lower layers' seams to the world: the script engine's host
// table (resource names in code, where errors happened, names for error
// texts, the room's instances, the game's functions and events), the
// sound fades' room speed, bodies that die with their instances, the
// physics module's refusals reported as runtime errors.
#pragma once

#include "script/host/script_host.h"

// The engine's host table as the world answers it; the platform's
// constants come from above the world.
ScriptHost WorldHooks_ScriptHost();
// The other hooks of the lower layers.
void WorldHooks_Install();

// What the overlay asks of the running game: for the frame profiler the
// mouse, pause, room size, title and the built-in font sheet; for the
// virtual keys the room's size.
#pragma once

#include "graphics/overlay/profiler_host.h"
#include "world/input/virtual_keys.h"

const ProfilerHost& ProfilerHost_Game();
const VirtualKeyHooks& VirtualKeyHooks_Game();

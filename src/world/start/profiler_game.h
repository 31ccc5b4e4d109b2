// The frame profiler's view of the running game: mouse, pause, room size,
// title and the built-in font sheet.
#pragma once

#include "graphics/overlay/profiler_host.h"

const ProfilerHost& ProfilerHost_Game();

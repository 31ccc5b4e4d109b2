// Operations of the surfaces, the overlay font and the profiler that the
// device layer and the drawing core call. Until those layers exist these are
// plain versions (see stand_ins.cpp); the layers replace them. The drawing
// core's own names come with it, through the two headers below.
#pragma once
#include <cstdint>

#include "graphics/draw_state.h"
#include "graphics/graphics_start.h"

// No surfaces exist yet, so there are none to free.
void GR_Surface_Free_All();
void GR_Overlay_Bind_Font();
void Profiler_Frame_Start();
void Profiler_Draw();
void Profiler_Init();
void Profiler_Shutdown();

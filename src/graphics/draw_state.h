// The drawing core's current state that vertex writers read. Every 2D vertex
// takes its z from the depth, the plain page forms take the current alpha,
// and a flush wraps or clamps texture coordinates by the repeat flag.
#pragma once
#include <cstdint>

extern uint32_t g_drawAlpha;     // 0..255
extern float g_drawDepth;
extern uint8_t g_textureRepeat;  // 1 wrap, 0 clamp

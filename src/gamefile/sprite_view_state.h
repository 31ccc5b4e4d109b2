// What sprite drawing reads from the drawing state to decide whether a
// sprite outside the drawn area may be skipped. Room drawing sets the area,
// surfaces the target, and the projection setters and 3D mode the flags.
#pragma once

#include <cstdint>

// The area being drawn in room coordinates: left, top, right, bottom.
extern int32_t g_currentViewRect[4];
// The surface drawn to, -1 for the screen.
extern int32_t g_currentTarget;
extern uint8_t g_orthoProjection;
extern uint8_t g_3dMode;

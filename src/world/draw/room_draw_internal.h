// Shared between the room-drawing files.
#pragma once

#include <cstdint>

struct AreaSize {
  int32_t width, height;
};
// The drawing area: the screen render target's size, else the game screen's.
AreaSize RoomDraw_Area();

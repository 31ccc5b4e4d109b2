// What the frame profiler needs from the running game, which the graphics
// layer cannot reach itself: the mouse and its button, whether the game is
// paused, the room's (or first view's port) size, the game's title and the
// font sheet's texture. The start-up installs the game's answers; without
// them nothing is tapped, nothing is paused and the overlay has no font.
#pragma once

#include <cstdint>

struct ProfilerHost {
  void (*mouse)(int32_t* x, int32_t* y);
  bool (*button1Released)();
  bool (*paused)();
  // 0 x 0 when no room is running.
  void (*portSize)(int32_t* width, int32_t* height);
  // False when no game header exists.
  bool (*gameTitle)(const char** name, int32_t* major, int32_t* minor);
  // A texture index made from the built-in font sheet; -1 when it cannot.
  int32_t (*createFontTexture)();
  // The sheet's {x, y, advance, height} for the characters 32..136; null
  // when there is no sheet.
  const uint8_t* (*fontGlyphs)();
};

// Null puts back the answers of no game.
void ProfilerHost_Install(const ProfilerHost* host);
const ProfilerHost& ProfilerHost_Get();

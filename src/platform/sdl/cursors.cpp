#include "platform/cursors.h"

#include <SDL.h>

#include <cstring>

namespace {

SDL_Cursor* g_cursors[kCursorCount] = {};
int32_t g_shown = kCursorArrow;

constexpr int kDrawnSize = 16;

// The two cursors the desktop has no stock picture for, 16 x 16: '#' black,
// '.' white, anything else clear.
constexpr const char* kUpArrow[kDrawnSize] = {
    "       ##       ", "      #..#      ", "     #....#     ", "    #......#    ",
    "   #........#   ", "  #####..#####  ", "      #..#      ", "      #..#      ",
    "      #..#      ", "      #..#      ", "      #..#      ", "      #..#      ",
    "      #..#      ", "      #..#      ", "      ####      ", "                "};
constexpr const char* kHelp[kDrawnSize] = {
    "#               ", "##       ####   ", "#.#     #....#  ", "#..#   #..##..# ",
    "#...#  #.#  #.# ", "#....#     #..# ", "#.....#   #..#  ", "#......# #..#   ",
    "#....### #..#   ", "#.#..#   ####   ", "## #..#  #..#   ", "#   #..# #..#   ",
    "     #..#####   ", "     #..#       ", "      ##        ", "                "};

SDL_Cursor* DrawCursor(const char* const* rows, int hotX, int hotY) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kDrawnSize, kDrawnSize, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return nullptr;
  for (int y = 0; y < kDrawnSize; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < kDrawnSize; ++x) {
      const char c = rows[y][x];
      row[x] = c == '#' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
    }
  }
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY);
  SDL_FreeSurface(surface);
  return cursor;
}

SDL_Cursor* System(SDL_SystemCursor id) { return SDL_CreateSystemCursor(id); }

}  // namespace

void NativeCursor_LoadTable() {
  NativeCursor_FreeTable();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  g_cursors[0] = System(SDL_SYSTEM_CURSOR_ARROW);
  g_cursors[2] = System(SDL_SYSTEM_CURSOR_CROSSHAIR);
  g_cursors[3] = System(SDL_SYSTEM_CURSOR_IBEAM);
  g_cursors[4] = System(SDL_SYSTEM_CURSOR_SIZENESW);
  g_cursors[5] = System(SDL_SYSTEM_CURSOR_SIZENS);
  g_cursors[6] = System(SDL_SYSTEM_CURSOR_SIZENWSE);
  g_cursors[7] = System(SDL_SYSTEM_CURSOR_SIZEWE);
  g_cursors[8] = DrawCursor(kUpArrow, 7, 0);
  g_cursors[9] = System(SDL_SYSTEM_CURSOR_WAIT);
  g_cursors[10] = System(SDL_SYSTEM_CURSOR_HAND);
  g_cursors[11] = System(SDL_SYSTEM_CURSOR_NO);
  g_cursors[12] = System(SDL_SYSTEM_CURSOR_WAITARROW);
  g_cursors[13] = DrawCursor(kHelp, 0, 0);
  g_cursors[14] = System(SDL_SYSTEM_CURSOR_SIZEALL);
}

void NativeCursor_FreeTable() {
  for (SDL_Cursor*& cursor : g_cursors) {
    if (cursor != nullptr) SDL_FreeCursor(cursor);
    cursor = nullptr;
  }
}

void NativeCursor_Show(int32_t index) {
  const bool visible = index >= 0 && index < kCursorCount && index != kCursorNone;
  g_shown = visible ? index : kCursorNone;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  if (!visible) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  if (g_cursors[index] != nullptr) SDL_SetCursor(g_cursors[index]);
  SDL_ShowCursor(SDL_ENABLE);
}

int32_t NativeCursor_Shown() { return g_shown; }

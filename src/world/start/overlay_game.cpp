// The running game's answers to the overlay's questions.
#include "world/start/overlay_game.h"

#include "gamefile/game_header.h"
#include "gamefile/options.h"
#include "resources/builtin_images.h"
#include "world/input/input.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"

namespace {

void Mouse(int32_t* x, int32_t* y) {
  *x = IO_WindowMouseX();
  *y = IO_WindowMouseY();
}

bool Button1Released() { return IO_ButtonReleased(1, 0); }
bool Paused() { return g_paused != 0; }

// The room's size, or view 0's port when views are on and it is visible;
// 0 x 0 without a room.
void PortSize(int32_t* width, int32_t* height) {
  *width = *height = 0;
  const CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  const bool port = room->viewsEnabled && room->views[0].visible != 0;
  *width = port ? room->views[0].portWidth : room->width;
  *height = port ? room->views[0].portHeight : room->height;
}

bool GameTitle(const char** name, int32_t* major, int32_t* minor) {
  if (g_gameHeader.displayName == nullptr) return false;
  *name = g_gameHeader.displayName;
  *major = g_options.versionMajor;
  *minor = g_options.versionMinor;
  return true;
}

int32_t FontTexture() { return EmbeddedImage_CreateTexture(kBuiltinImageFontSheet); }
const uint8_t* FontGlyphs() { return g_debugFontGlyphBoxes; }

constexpr ProfilerHost kGame{Mouse, Button1Released, Paused, PortSize, GameTitle, FontTexture, FontGlyphs};

VirtualKeySize KeyPort() {
  VirtualKeySize size{};
  PortSize(&size.width, &size.height);
  return size;
}

constexpr VirtualKeyHooks kKeys{KeyPort};

}  // namespace

const ProfilerHost& ProfilerHost_Game() { return kGame; }

const VirtualKeyHooks& VirtualKeyHooks_Game() { return kKeys; }

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "files/file_layer.h"
#include "files/write_stream.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "shell/window.h"
#include "world/actions/world_actions.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/save/saved_game.h"

namespace {

// A room change that cannot happen: the error is fatal and the game quits
// at the end of the frame.
void RoomError(const std::string& message) {
  Error_Show(message.c_str(), true);
  g_newRoom = kRoomChangeQuit;
}

constexpr int32_t kBytesPerPixel = 4;

// Reads the rectangle, which lies on the screen, builds a BMP image of it
// and writes it under the save folder.
// The game's picture as drawn, whatever size the window or the views'
// ports ask the screen to be.
ScreenSize GameScreen() { return ScreenSize{Win_GetScreenWidth(), Win_GetScreenHeight()}; }

bool SaveScreenRect(const char* fileName, int32_t x, int32_t y, int32_t w, int32_t h) {
  const ScreenSize screen = GameScreen();
  uint32_t* pixels = Graphics::ReadScreenPixels(screen.width, screen.height, x, y, w, h);
  if (pixels == nullptr) {
    g_debugConsole->Output("screen_save - the screen could not be read, %s not written\n", fileName);
    return false;
  }
  uint32_t bytes = 0;
  uint8_t* image = GR_Build_BMP(pixels, w, h, &bytes, kBytesPerPixel);
  MemoryManager::Free(pixels);
  if (image == nullptr) return false;
  const bool written = bytes <= INT32_MAX && LoadSave_WriteFile(fileName, image, static_cast<int32_t>(bytes));
  if (!written) LoadSave_ReportWrite(fileName, errno);
  MemoryManager::Free(image);
  return written;
}

}  // namespace

void Run_RoomGoto(int32_t room, int32_t /*transition*/) {
  g_newRoom = room;
  g_runValues.transitionKind = 0;
  if (!Room_Exists(room)) RoomError("Unexisting room number: " + std::to_string(room));
}

void Run_RoomGotoPrevious(int32_t transition) {
  if (g_currentRoomIndex == Room_First()) {
    RoomError("Moving to previous room before the first room.");
    return;
  }
  Run_RoomGoto(Room_Previous(g_currentRoomIndex), transition);
}

void Run_RoomGotoNext(int32_t transition) {
  if (g_currentRoomIndex == Room_Last()) {
    RoomError("Moving to next room after the last room.");
    return;
  }
  Run_RoomGoto(Room_Next(g_currentRoomIndex), transition);
}

void Run_RoomRestart(int32_t transition) { Run_RoomGoto(g_currentRoomIndex, transition); }

void Run_GameEnd() { g_newRoom = kRoomChangeEndGame; }
void Run_GameRestart() { g_newRoom = kRoomChangeRestart; }

bool Run_GameLoad(const char* name) {
  const std::string path = LoadSave_FindFile(name);
  if (path.empty()) {
    g_debugConsole->Output("game_load - unable to find file %s\n", name);
    return false;
  }
  g_runValues.loadFileName = path;
  g_newRoom = kRoomChangeLoadGame;
  return true;
}

bool Run_GameSave(const char* name) { return Run_SaveGameAs(name); }

bool Run_ScreenSave(const char* fileName) {
  const ScreenSize screen = GameScreen();
  return Run_ScreenSavePart(fileName, 0, 0, screen.width, screen.height);
}

// The rectangle is clipped to the screen first.
bool Run_ScreenSavePart(const char* fileName, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (fileName == nullptr || fileName[0] == '\0') {
    Error_Show("Trying to save screen to empty image file name.", false);
    return false;
  }
  const ScreenSize screen = GameScreen();
  int64_t left = x, top = y, w = width, h = height;
  if (left < 0) {
    w += left;
    left = 0;
  }
  if (top < 0) {
    h += top;
    top = 0;
  }
  if (left + w > screen.width) w = screen.width - left;
  if (top + h > screen.height) h = screen.height - top;
  if (w < 1 || h < 1) return false;
  return SaveScreenRect(fileName, static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(w),
                        static_cast<int32_t>(h));
}

void Run_SetLives(int32_t lives) {
  const int32_t old = g_runValues.lives;
  g_runValues.lives = lives;
  if (old >= 1 && lives < 1) Perform_Event_All(kEventOther, kOtherNoMoreLives);
}

void Run_SetHealth(double health) {
  const double old = g_runValues.health;
  g_runValues.health = health;
  if (old > 0.0 && health <= 0.0) Perform_Event_All(kEventOther, kOtherNoMoreHealth);
}

void Run_ResetState() {
  RunState_Reset();
  RunValues_SetCaption(&g_runValues.captionScore, "Score: ");
  RunValues_SetCaption(&g_runValues.captionLives, "Lives: ");
  RunValues_SetCaption(&g_runValues.captionHealth, "Health: ");
}

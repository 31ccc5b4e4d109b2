#include <string>

#include "graphics/bmp_png.h"
#include "graphics/draw_state.h"
#include "graphics/graphics.h"
#include "runtime/memory.h"
#include "script/error_report.h"
#include "shell/file_layer.h"
#include "world/room_change.h"
#include "world/room_store.h"
#include "world/run_state.h"
#include "world/world_actions.h"

namespace {

// A room change that cannot happen: the error is fatal and the game quits
// at the end of the frame.
void RoomError(const std::string& message) {
  Error_Show(message.c_str(), true);
  g_newRoom = kRoomChangeQuit;
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

bool Run_ScreenSave(const char* fileName) {
  if (fileName == nullptr || fileName[0] == '\0') {
    Error_Show("Trying to save screen to empty image file name.", false);
    return false;
  }
  const ScreenSize size = GR_Get_Screen_Size();
  uint32_t* pixels = Graphics::ReadScreenPixels(size.width, size.height, 0, 0, size.width, size.height);
  if (pixels == nullptr) return false;
  uint32_t bytes = 0;
  uint8_t* image = GR_Build_BMP(pixels, size.width, size.height, &bytes, 4);
  MemoryManager::Free(pixels);
  if (image == nullptr) return false;
  bool written = bytes <= INT32_MAX && LoadSave_WriteFile(fileName, image, static_cast<int32_t>(bytes));
  MemoryManager::Free(image);
  return written;
}

void Run_ResetState() {
  RunState_Reset();
  RunValues_SetCaption(&g_runValues.captionScore, "Score: ");
  RunValues_SetCaption(&g_runValues.captionLives, "Lives: ");
  RunValues_SetCaption(&g_runValues.captionHealth, "Health: ");
}

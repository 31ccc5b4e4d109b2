// Putting a staged saved game in force, and the load as a whole. Nothing
// runs during a load: no create, room start or other event.
#include <string>

#include "files/file_layer.h"
#include "runtime/memory.h"
#include "runtime/stream.h"
#include "script/events/error_report.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/save/saved_game.h"

void SavedGame_Apply(SavedGame& game) {
  g_runValues.transitionKind = 0;
  g_runValues.score = game.score;
  g_runValues.lives = game.lives;
  g_runValues.health = game.health;
  g_runValues.cursorSprite = game.cursorSprite;
  g_stepCount = game.stepCount;
  g_automaticDraw = game.automaticDraw;
  Variable_Global_Apply(game.globals);
  std::vector<CRoom*> rooms(game.rooms.size(), nullptr);
  for (size_t i = 0; i < rooms.size(); ++i) {
    if (game.rooms[i] != nullptr) {
      rooms[i] = RoomSaved_Make(*game.rooms[i], static_cast<int32_t>(i) == game.roomIndex);
    }
  }
  game.rooms.clear();
  RoomChange_InstallRooms(rooms, game.roomIndex);
  g_lastInstanceId = game.lastInstanceId;
  g_lastTileId = game.lastTileId;
}

bool Run_LoadGame(const char* path) {
  int32_t size = 0;
  uint8_t* bytes = LoadSave_ReadFile(path, &size);
  if (bytes == nullptr) return false;
  CStream stream;
  stream.WriteBuffer(bytes, size);
  MemoryManager::Free(bytes);
  stream.SetPosition(0);
  auto game = std::make_unique<SavedGame>();
  const char* fault = SavedGame_Parse(stream, game.get());
  if (fault == nullptr) {
    SavedGame_Apply(*game);
    return true;
  }
  // The two ordinary refusals speak for themselves; damage names the file.
  if (fault == kSavedGameOtherVersion || fault == kSavedGameOtherGame) {
    Error_Show(fault, false);
  } else {
    Error_Show(("Cannot load the saved game " + std::string(path) + ": " + fault).c_str(), false);
  }
  return false;
}

// Writing a saved game: the run values, the global scope, each slot of the
// runtime room table (a flag, then the room when the slot holds one) and
// the id counters, as one stream written over the target in one go.
#include <cerrno>
#include <cstring>

#include "files/file_layer.h"
#include "files/save_folder.h"
#include "files/write_stream.h"
#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/stream.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/save/saved_game.h"

namespace {

constexpr int64_t kInitialCapacity = 32768;

}  // namespace

void SavedGame_Write(CStream& s) {
  s.WriteInteger(kSavedGameVersion);
  s.WriteInteger(g_gameId);
  s.WriteInteger(g_currentRoomIndex);
  s.WriteInteger(g_runValues.transitionKind);
  s.WriteInteger(g_runValues.score);
  s.WriteInteger(g_runValues.lives);
  s.WriteReal(g_runValues.health);
  s.WriteInteger(g_runValues.cursorSprite);
  s.WriteInteger(g_stepCount);
  s.WriteBoolean(g_automaticDraw == 1);
  Variable_Global_Save(s);
  const int32_t rooms = RoomChange_RuntimeRoomCount();
  s.WriteInteger(rooms);
  for (int32_t i = 0; i < rooms; ++i) {
    CRoom* room = RoomChange_RuntimeRoom(i);
    s.WriteBoolean(room != nullptr);
    if (room != nullptr) RoomSaved_Write(s, *room);
  }
  s.WriteInteger(g_lastInstanceId);
  s.WriteInteger(g_lastTileId);
}

namespace {

void SayOutside(const char* name) { g_debugConsole->Output("game_save - %s lies outside the save folder\n", name); }

// The world written over mapped, a path LoadSave_SavePath gave; a failure
// says why on the console, naming path. With name, a path refused for a
// link leading out of the save folder is said to lie outside it instead.
bool SaveWorld(const std::string& mapped, const char* path, const char* name) {
  CStream stream(kInitialCapacity);
  SavedGame_Write(stream);
  const auto size = static_cast<int32_t>(stream.GetPosition());
  if (LoadSave_WriteSavePath(mapped, stream.GetBuffer(), size)) return true;
  const int why = errno;
  if (name != nullptr && why == ENOENT && SaveFolder_Refused()) {
    SayOutside(name);
  } else {
    g_debugConsole->Output("game_save - could not write %s (%s)%s\n", path, std::strerror(why),
                           WriteStream_EarlierNote("; an earlier save there is kept"));
  }
  return false;
}

}  // namespace

bool Run_SaveGame(const char* path) { return SaveWorld(LoadSave_SavePath(path), path, nullptr); }

// The write itself, resolving the name from the save folder, tells a link
// leading out: nothing looks ahead of it.
bool Run_SaveGameAs(const char* name) {
  if (name == nullptr || name[0] == '\0') {
    g_debugConsole->Output("game_save - could not write a file: no file was named\n");
    return false;
  }
  const std::string path = LoadSave_SavePath(name);
  if (path.empty()) {
    SayOutside(name);
    return false;
  }
  return SaveWorld(path, path.c_str(), name);
}

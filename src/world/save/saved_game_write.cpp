// Writing a saved game: the run values, the global scope, each slot of the
// runtime room table (a flag, then the room when the slot holds one) and
// the id counters, as one stream written over the target in one go.
#include <cerrno>
#include <cstring>

#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/file_layer.h"
#include "runtime/stream.h"
#include "runtime/write_stream.h"
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

bool Run_SaveGame(const char* path) {
  CStream stream(kInitialCapacity);
  SavedGame_Write(stream);
  const auto size = static_cast<int32_t>(stream.GetPosition());
  if (LoadSave_WriteFile(path, stream.GetBuffer(), size)) return true;
  const int why = errno;
  g_debugConsole->Output("game_save - could not write %s (%s)%s\n", path, std::strerror(why),
                         WriteStream_EarlierNote("; an earlier save there is kept"));
  return false;
}

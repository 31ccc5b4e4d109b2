// Saved games from arbitrary bytes: a file is refused, or it goes into the
// world whole, and the world it gives saves to a file that reads again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "gamefile/game_header.h"
#include "runtime/globals.h"
#include "runtime/stream.h"
#include "script/host/script_host.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room_change.h"
#include "world/save/saved_game.h"

namespace {

void SetUpWorldOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  Object_Init();
  ScriptHost host = ScriptHost_Get();
  Object_AddEventStores(&host);
  ScriptHost_Install(host);
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  Variable_Global_Init();
}

bool Parses(CStream& stream, SavedGame* game) {
  stream.SetPosition(0);
  return SavedGame_Parse(stream, game) == nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  SetUpWorldOnce();
  // The file's own game id, so that most inputs get past the id check.
  if (size >= 8) std::memcpy(&g_gameId, data + 4, 4);
  CStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  auto game = std::make_unique<SavedGame>();
  if (!Parses(stream, game.get())) return 0;
  SavedGame_Apply(*game);
  CStream again;
  SavedGame_Write(again);
  auto reread = std::make_unique<SavedGame>();
  if (!Parses(again, reread.get())) std::abort();
  RoomChange_InstallRooms({}, -1);
  return 0;
}

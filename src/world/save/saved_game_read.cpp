// Reading a saved game into a stage. Every count and length is checked
// against the bytes left before anything is made, so a cut or damaged file
// is refused whole.
#include "gamefile/game_header.h"
#include "runtime/stream.h"
#include "runtime/stream_reader.h"
#include "world/save/saved_game.h"

namespace {

const char* ParseRooms(CheckedStreamReader& in, CStream& stream, SavedGame* out) {
  // Every slot takes at least its flag.
  const int32_t count = in.Count(4);
  if (!in.ok()) return "the room count runs past the end";
  out->rooms.resize(static_cast<size_t>(count));
  for (std::unique_ptr<SavedRoom>& slot : out->rooms) {
    const uint8_t present = in.Flag();
    if (!in.ok()) return "the room table ends early";
    if (present == 0) continue;
    slot = std::make_unique<SavedRoom>();
    if (const char* fault = RoomSaved_Parse(in, stream, slot.get())) return fault;
  }
  return nullptr;
}

bool NamesASavedRoom(const SavedGame& game) {
  return game.roomIndex >= 0 && static_cast<size_t>(game.roomIndex) < game.rooms.size() &&
         game.rooms[static_cast<size_t>(game.roomIndex)] != nullptr;
}

}  // namespace

const char* SavedGame_Parse(CStream& stream, SavedGame* out) {
  CheckedStreamReader in(stream);
  const int32_t version = in.Integer();
  if (!in.ok()) return "the file is too short";
  if (version != kSavedGameVersion) return kSavedGameOtherVersion;
  const int32_t id = in.Integer();
  if (!in.ok()) return "the file is too short";
  // Another game's file is refused by its id before anything of it is read:
  // its variable records are not this game's to read.
  if (id != g_gameId) return kSavedGameOtherGame;
  out->roomIndex = in.Integer();
  in.Integer();  // the transition kind, which a load does not keep
  out->score = in.Integer();
  out->lives = in.Integer();
  out->health = in.Real();
  out->cursorSprite = in.Integer();
  out->stepCount = in.Integer();
  out->automaticDraw = in.Flag();
  if (!in.ok()) return "the run values end early";
  if (!Variable_Global_Parse(stream, &out->globals)) return "the global variables are damaged";
  if (const char* fault = ParseRooms(in, stream, out)) return fault;
  out->lastInstanceId = in.Integer();
  out->lastTileId = in.Integer();
  if (!in.ok()) return "the id counters are missing";
  if (!NamesASavedRoom(*out)) return "the current room is not among the saved rooms";
  return nullptr;
}

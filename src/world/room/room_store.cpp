#include "world/room/room_store.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gamefile/chunk_walk.h"
#include "gamefile/game_header.h"
#include "runtime/load_error.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "runtime/text.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "world/instance/instance_seams.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

int32_t g_lastInstanceId = 100000;
int32_t g_lastTileId = 10000000;

namespace {

std::vector<CRoom*> g_rooms;
std::vector<std::string> g_names;
std::vector<bool> g_named;

void StoreRoom(int32_t index, CRoom* room) {
  size_t slot = static_cast<size_t>(index);
  if (slot >= g_rooms.size()) {
    g_rooms.resize(slot + 1, nullptr);
    g_names.resize(slot + 1);
    g_named.resize(slot + 1, false);
  }
  delete g_rooms[slot];
  g_rooms[slot] = room;
}

void SetName(int32_t index, const std::string& name) {
  g_names[static_cast<size_t>(index)] = name;
  g_named[static_cast<size_t>(index)] = true;
}

std::string NewRoomName(int32_t index) { return "__newroom" + std::to_string(index); }

bool CompileFailed(CCode* code, const std::string& name, bool fatal = true) {
  if (code == nullptr || code->Compile(name.c_str())) return false;
  std::string message = std::string("COMPILATION ERROR in room script\n") + (g_errorText != nullptr ? g_errorText : "");
  Error_Show(message.c_str(), fatal);
  Code_Error_Clear();
  return true;
}

// False when a compilation failed; the rest of the room's instances are
// then skipped.
bool PrepareRoom(CRoom* room, bool* roomCodeFailed) {
  std::string roomName = room->name != nullptr ? room->name : "";
  if (room->codeText != nullptr && CompileFailed(room->code.get(), "Room." + roomName)) {
    *roomCodeFailed = true;
    return false;
  }
  if (room->record == nullptr) return true;
  for (size_t i = 0; i < room->record->instances.size(); ++i) {
    const RoomInstanceEntry& entry = room->record->instances[i];
    if (CompileFailed(entry.code.get(), "Instance." + roomName + "." + std::to_string(i))) return false;
  }
  return true;
}

// Index of the room in the order, -1 when it is not there.
int32_t OrderPosition(int32_t room) {
  for (size_t i = 0; i < g_roomOrder.size(); ++i) {
    if (g_roomOrder[i] == room) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

namespace {
CInstance* CurrentRoomHead() { return g_currentRoom != nullptr ? g_currentRoom->active.head : nullptr; }
}  // namespace

void Room_Init() {
  ChunkWalk_InstallReader("ROOM", Room_Load, Room_Clear);
  InstanceSeams_SetRoomHead(CurrentRoomHead);
}

void Room_Clear() {
  for (CRoom* room : g_rooms) delete room;
  g_rooms.clear();
  g_names.clear();
  g_named.clear();
}

void Room_Shutdown() { Room_Clear(); }

bool Room_Load(GameImage& image, uint64_t data, uint32_t size) {
  Room_Clear();
  g_lastInstanceId = g_gameHeader.lastInstanceId;
  g_lastTileId = g_gameHeader.lastTileId;
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("ROOM", "the room count runs past the chunk");
  g_rooms.assign(offsets.size(), nullptr);
  g_names.assign(offsets.size(), std::string());
  g_named.assign(offsets.size(), false);
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    auto record = std::make_shared<RoomRecord>();
    const char* failure = RoomRecord_Read(image, offsets[i], g_hasBytecode, g_formatVersion, record.get());
    if (failure != nullptr) return LoadError_Report("ROOM", "room %zu: %s", i, failure);
    auto* room = new CRoom();
    room->LoadFromChunk(std::move(record));
    g_rooms[i] = room;
    SetName(static_cast<int32_t>(i), room->name);
  }
  return true;
}

int32_t Room_Count() { return static_cast<int32_t>(g_rooms.size()); }

int32_t Room_Find(const char* name) {
  if (name == nullptr) return -1;
  for (size_t i = 0; i < g_rooms.size(); ++i) {
    if (g_rooms[i] != nullptr && g_named[i] && g_names[i] == name) return static_cast<int32_t>(i);
  }
  return -1;
}

CRoom* Room_Get(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_rooms.size()) return nullptr;
  return g_rooms[static_cast<size_t>(index)];
}

bool Room_Exists(int32_t index) { return Room_Get(index) != nullptr; }

const char* Room_Name(int32_t index) {
  if (!Room_Exists(index) || !g_named[static_cast<size_t>(index)]) return "<undefined>";
  return g_names[static_cast<size_t>(index)].c_str();
}

int32_t Room_First() { return g_roomOrder.empty() ? -1 : g_roomOrder.front(); }
int32_t Room_Last() { return g_roomOrder.empty() ? -1 : g_roomOrder.back(); }

int32_t Room_Previous(int32_t room) {
  int32_t at = OrderPosition(room);
  return at > 0 ? g_roomOrder[static_cast<size_t>(at - 1)] : -1;
}

int32_t Room_Next(int32_t room) {
  int32_t at = OrderPosition(room);
  return at >= 0 && static_cast<size_t>(at) + 1 < g_roomOrder.size() ? g_roomOrder[static_cast<size_t>(at + 1)] : -1;
}

bool Room_Prepare() {
  if (g_hasBytecode) return true;
  bool allCompiled = true;
  for (CRoom* room : g_rooms) {
    if (room == nullptr) continue;
    bool roomCodeFailed = false;
    if (!PrepareRoom(room, &roomCodeFailed)) allCompiled = false;
    if (roomCodeFailed) return false;
  }
  return allCompiled;
}

int32_t Room_Add() {
  auto index = static_cast<int32_t>(g_rooms.size());
  auto* room = new CRoom();
  room->LoadFromChunk(RoomRecord_New());
  StoreRoom(index, room);
  SetName(index, NewRoomName(index));
  return index;
}

int32_t Room_Duplicate(int32_t index) {
  CRoom* source = Room_Get(index);
  if (source == nullptr) return -1;
  auto copy = static_cast<int32_t>(g_rooms.size());
  auto* room = new CRoom();
  room->Assign(source, false);
  StoreRoom(copy, room);
  SetName(copy, NewRoomName(copy));
  return copy;
}

bool Room_Assign(int32_t target, int32_t source) {
  CRoom* from = Room_Get(source);
  CRoom* to = Room_Get(target);
  if (from == nullptr || to == nullptr) return false;
  if (target == source) return true;
  // Only the template changes: a runtime copy of the target being played
  // keeps its instances, and the source's appear when the target is entered.
  to->Assign(from, false);
  return true;
}

int32_t Room_AddInstanceEntry(int32_t room, float x, float y, int32_t object) {
  CRoom* target = Room_Get(room);
  if (target == nullptr) return -1;
  RoomInstanceEntry entry;
  entry.x = Num_TruncInt32(static_cast<double>(x));
  entry.y = Num_TruncInt32(static_cast<double>(y));
  entry.object = object;
  entry.id = ++g_lastInstanceId;
  target->OwnRecord().instances.push_back(entry);
  return entry.id;
}

RoomStoredTile Room_AddTileEntry(int32_t room, const RoomTileEntry& tile) {
  CRoom* target = Room_Get(room);
  if (target == nullptr) return RoomStoredTile{};
  RoomRecord& record = target->OwnRecord();
  record.tiles.push_back(tile);
  record.tiles.back().id = ++g_lastTileId;
  return RoomStoredTile{static_cast<int32_t>(record.tiles.size()) - 1, record.tiles.back().id};
}

void Room_ClearInstanceEntries(int32_t room) {
  CRoom* target = Room_Get(room);
  if (target != nullptr) target->OwnRecord().instances.clear();
}

void Room_ClearTileEntries(int32_t room) {
  CRoom* target = Room_Get(room);
  if (target != nullptr) target->OwnRecord().tiles.clear();
}

bool Room_SetCode(int32_t room, const char* text) {
  CRoom* target = Room_Get(room);
  if (target == nullptr) return false;
  // A runtime copy keeps the code object it shares; the template lets go.
  target->code = nullptr;
  MemoryManager::Free(target->codeText);
  target->codeText = nullptr;
  if (text == nullptr || text[0] == '\0') return true;
  auto code = std::make_shared<CCode>(text, false);
  if (CompileFailed(code.get(), std::string("Room.") + Room_Name(room), false)) return false;
  target->code = std::move(code);
  target->codeText = String_Duplicate(text);
  return true;
}

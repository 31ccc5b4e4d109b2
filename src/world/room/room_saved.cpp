// The saved-game form of a runtime room. Integers and flags take 4 bytes,
// reals 8; the background and view counts are always 8.
#include "world/room/room_saved.h"

#include <cstring>

#include "runtime/memory.h"
#include "runtime/stream.h"
#include "runtime/stream_reader.h"
#include "world/instance/instance.h"

namespace {

constexpr int32_t kRoomVersion = 540;
// The fixed part of an instance record and an empty variable list.
constexpr int64_t kInstanceBytes = 364 + 8;
constexpr int64_t kTileBytes = 80;

void WriteBackground(CStream& s, const CRoomBackground& b) {
  s.WriteBoolean(b.visible == 1);
  s.WriteBoolean(b.foreground == 1);
  s.WriteInteger(b.index);
  s.WriteReal(b.x);
  s.WriteReal(b.y);
  s.WriteBoolean(b.tileHorizontal == 1);
  s.WriteBoolean(b.tileVertical == 1);
  for (float value : {b.xscale, b.yscale, b.hspeed, b.vspeed}) s.WriteReal(value);
  s.WriteInteger(static_cast<int32_t>(b.blend));
  s.WriteReal(b.alpha);
}

void ReadBackground(CheckedStreamReader& in, CRoomBackground& b) {
  b.visible = in.Flag();
  b.foreground = in.Flag();
  b.index = in.Integer();
  b.x = in.Single();
  b.y = in.Single();
  b.tileHorizontal = in.Flag();
  b.tileVertical = in.Flag();
  for (float* value : {&b.xscale, &b.yscale, &b.hspeed, &b.vspeed}) *value = in.Single();
  b.blend = static_cast<uint32_t>(in.Integer());
  b.alpha = in.Single();
}

void WriteView(CStream& s, const CView& v) {
  s.WriteBoolean(v.visible == 1);
  for (int32_t value : {v.viewX, v.viewY, v.viewWidth, v.viewHeight, v.portX, v.portY, v.portWidth, v.portHeight}) {
    s.WriteInteger(value);
  }
  s.WriteReal(v.angle);
  for (int32_t value : {v.borderHorizontal, v.borderVertical, v.hspeed, v.vspeed, v.followedObject}) {
    s.WriteInteger(value);
  }
}

void ReadView(CheckedStreamReader& in, CView& v) {
  v.visible = in.Flag();
  for (int32_t* value :
       {&v.viewX, &v.viewY, &v.viewWidth, &v.viewHeight, &v.portX, &v.portY, &v.portWidth, &v.portHeight}) {
    *value = in.Integer();
  }
  v.angle = in.Single();
  for (int32_t* value : {&v.borderHorizontal, &v.borderVertical, &v.hspeed, &v.vspeed, &v.followedObject}) {
    *value = in.Integer();
  }
}

void WriteTile(CStream& s, const CTile& t) {
  s.WriteReal(t.x);
  s.WriteReal(t.y);
  for (int32_t value : {t.background, t.left, t.top, t.width, t.height}) s.WriteInteger(value);
  s.WriteReal(t.depth);
  s.WriteInteger(t.id);
  s.WriteReal(t.xscale);
  s.WriteReal(t.yscale);
  s.WriteInteger(static_cast<int32_t>(t.blend));
  s.WriteReal(t.alpha);
  s.WriteBoolean(t.visible == 1);
}

CTile ReadTile(CheckedStreamReader& in) {
  CTile t;
  t.x = in.Single();
  t.y = in.Single();
  for (int32_t* value : {&t.background, &t.left, &t.top, &t.width, &t.height}) *value = in.Integer();
  t.depth = in.Single();
  t.id = in.Integer();
  t.xscale = in.Single();
  t.yscale = in.Single();
  t.blend = static_cast<uint32_t>(in.Integer());
  t.alpha = in.Single();
  t.visible = in.Flag();
  return t;
}

void WriteInstances(CStream& s, const InstanceList& list) {
  s.WriteInteger(list.count);
  for (CInstance* instance = list.head; instance != nullptr; instance = instance->next) instance->Save(s);
}

const char* ReadInstances(CheckedStreamReader& in, CStream& stream, std::vector<std::unique_ptr<InstanceRecord>>* out) {
  const int32_t count = in.Count(kInstanceBytes);
  if (!in.ok()) return "an instance count runs past the end";
  out->reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    auto record = std::make_unique<InstanceRecord>();
    if (!CInstance::ParseRecord(stream, record.get())) return "an instance record is damaged";
    out->push_back(std::move(record));
  }
  return nullptr;
}

const char* ReadLayers(CheckedStreamReader& in, SavedRoom* out) {
  if (in.Integer() != kRoomLayers) return "a room's background count is not 8";
  for (CRoomBackground& b : out->backgrounds) ReadBackground(in, b);
  out->viewsEnabled = in.Flag() != 0;
  if (in.Integer() != kRoomLayers) return "a room's view count is not 8";
  for (CView& v : out->views) ReadView(in, v);
  return in.ok() ? nullptr : "a room record ends early";
}

char* Copy(const std::string& text) {
  auto* copy = static_cast<char*>(KV_ALLOC(text.size() + 1, false));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void MakeInstances(std::vector<std::unique_ptr<InstanceRecord>>& records, InstanceList* list, bool active, bool link) {
  for (std::unique_ptr<InstanceRecord>& record : records) {
    auto* instance = new CInstance(0.0f, 0.0f, 0, 0, false);
    instance->ApplyRecord(*record);
    if (!link) Instance_UnlinkObject(instance);
    if (active) {
      InstanceList_InsertByDepth(list, instance);
    } else {
      InstanceList_Append(list, instance);
    }
    Instance_QueueIfDisagreeing(instance, active);
  }
  records.clear();
}

}  // namespace

SavedRoom::SavedRoom() = default;
SavedRoom::~SavedRoom() = default;

void RoomSaved_Write(CStream& s, CRoom& room) {
  s.WriteInteger(kRoomVersion);
  s.WriteString(room.caption);
  s.WriteInteger(room.width);
  s.WriteInteger(room.height);
  s.WriteInteger(room.speed);
  s.WriteBoolean(room.persistent);
  s.WriteInteger(room.colour);
  s.WriteBoolean(room.showColour);
  s.WriteString(room.codeText);
  s.WriteInteger(kRoomLayers);
  for (const CRoomBackground& b : room.backgrounds) WriteBackground(s, b);
  s.WriteBoolean(room.viewsEnabled);
  s.WriteInteger(kRoomLayers);
  for (const CView& v : room.views) WriteView(s, v);
  WriteInstances(s, room.active);
  WriteInstances(s, room.deactivated);
  s.WriteInteger(room.tileCount);
  for (int32_t i = 0; i < room.tileCount; ++i) WriteTile(s, room.tiles[i]);
}

const char* RoomSaved_Parse(CheckedStreamReader& in, CStream& stream, SavedRoom* out) {
  if (in.Integer() != kRoomVersion) return "a room record is not of version 540";
  out->caption = in.Text();
  out->width = in.Integer();
  out->height = in.Integer();
  out->speed = in.Integer();
  out->persistent = in.Flag() != 0;
  out->colour = in.Integer();
  out->showColour = in.Flag() != 0;
  out->codeText = in.Text();
  if (!in.ok()) return "a room record ends early";
  if (const char* fault = ReadLayers(in, out)) return fault;
  if (const char* fault = ReadInstances(in, stream, &out->active)) return fault;
  if (const char* fault = ReadInstances(in, stream, &out->deactivated)) return fault;
  const int32_t tiles = in.Count(kTileBytes);
  if (!in.ok()) return "a tile count runs past the end";
  out->tiles.reserve(static_cast<size_t>(tiles));
  for (int32_t i = 0; i < tiles; ++i) out->tiles.push_back(ReadTile(in));
  return in.ok() ? nullptr : "a room record ends early";
}

CRoom* RoomSaved_Make(SavedRoom& saved, bool current) {
  auto* room = new CRoom();
  room->caption = Copy(saved.caption);
  if (!saved.codeText.empty()) room->codeText = Copy(saved.codeText);
  room->width = saved.width;
  room->height = saved.height;
  room->speed = saved.speed;
  room->persistent = saved.persistent;
  room->colour = saved.colour;
  room->showColour = saved.showColour;
  for (int32_t i = 0; i < kRoomLayers; ++i) {
    room->backgrounds[i] = saved.backgrounds[i];
    room->views[i] = saved.views[i];
  }
  room->viewsEnabled = saved.viewsEnabled;
  MakeInstances(saved.active, &room->active, true, current);
  MakeInstances(saved.deactivated, &room->deactivated, false, false);
  if (!saved.tiles.empty()) {
    const size_t bytes = sizeof(CTile) * saved.tiles.size();
    room->tiles = static_cast<CTile*>(KV_ALLOC(bytes, false));
    std::memcpy(static_cast<void*>(room->tiles), saved.tiles.data(), bytes);
    room->tileCount = room->tileCapacity = static_cast<int32_t>(saved.tiles.size());
  }
  return room;
}

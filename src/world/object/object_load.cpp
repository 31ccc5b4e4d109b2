// Reading the object chunk: a count, one record offset per index (0 for
// none), each record the object's fields, physics settings and events.
#include <cstdio>
#include <string>
#include <vector>

#include "gamefile/chunk_walk.h"
#include "gamefile/game_header.h"
#include "runtime/load_error.h"
#include "world/object/object.h"

namespace {

bool ReadObjects(GameImage& image, uint64_t data, uint32_t size) { return Object_Load(image, data, size); }

// An event's subtype sizes its slot array: larger ones are refused.
constexpr uint32_t kMaxSubtype = 65535;

bool ReadPhysics(ImageReader& r, ObjectPhysics& physics) {
  physics.usesPhysics = r.U32() != 0;
  physics.sensor = r.U32() != 0;
  physics.shapeKind = r.I32();
  physics.density = r.F32();
  physics.restitution = r.F32();
  physics.collisionGroup = r.I32();
  physics.linearDamping = r.F32();
  physics.angularDamping = r.F32();
  uint32_t points = r.U32();
  if (g_formatVersion >= 9) {
    physics.friction = r.F32();
    physics.awake = r.U32() != 0;
    physics.kinematic = r.U32() != 0;
  } else {
    physics.friction = 0.2f;
    physics.awake = true;
    physics.kinematic = false;
  }
  if (r.Failed() || points > r.Remaining() / 8) return false;
  physics.points.SetLength(static_cast<int32_t>(points));
  for (uint32_t i = 0; i < points; ++i) {
    physics.points[static_cast<int32_t>(i)].x = r.F32();
    physics.points[static_cast<int32_t>(i)].y = r.F32();
  }
  return true;
}

// One event type's list: a count and offsets to {subtype, event record}.
const char* ReadEventList(CObject* object, int32_t type, const GameImage& image, uint32_t offset) {
  if (offset == 0) return nullptr;
  ImageReader list = ImageReader::AtOffset(image, offset);
  std::vector<uint32_t> entries = list.OffsetTable();
  if (list.Failed()) return "an event list runs past the file";
  for (uint32_t entry : entries) {
    ImageReader head = ImageReader::AtOffset(image, entry);
    uint32_t subtype = head.U32();
    if (head.Failed()) return "an event entry lies outside the file";
    if (subtype > kMaxSubtype) return "an event subtype is out of range";
    CEvent* event = object->MakeOwnEvent(type, static_cast<int32_t>(subtype));
    if (!event->Load(image, uint64_t{entry} + 4)) return "an event record lies outside the file";
  }
  return nullptr;
}

}  // namespace

const char* CObject::Load(const GameImage& image, uint64_t offset) {
  ImageReader r = ImageReader::AtOffset(image, offset);
  const char* text = r.Text();
  if (r.Failed()) return "its name lies outside the file";
  SetName(text);
  sprite = r.I32();
  flags = 0;
  if (r.U32() != 0) flags |= kObjectVisible;
  if (r.U32() != 0) flags |= kObjectSolid;
  depth = r.I32();
  if (r.U32() != 0) flags |= kObjectPersistent;
  parent = r.I32();
  mask = r.I32();
  if (g_formatVersion >= 6 && !ReadPhysics(r, physics)) return "its point count runs past the record";
  uint32_t types = r.U32();
  if (r.Failed()) return "the record runs past the file";
  if (types > static_cast<uint32_t>(kEventTypeSlots)) return "it has more than 12 event types";
  std::vector<uint32_t> lists(types);
  for (uint32_t& list : lists) list = r.U32();
  if (r.Failed()) return "the record runs past the file";
  for (uint32_t t = 0; t < types; ++t) {
    const char* fault = ReadEventList(this, static_cast<int32_t>(t), image, lists[t]);
    if (fault != nullptr) return fault;
  }
  return nullptr;
}

bool Object_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Object_Init();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("OBJT", "the object count runs past the chunk");
  Object_SetCount(static_cast<int32_t>(offsets.size()));
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    CObject* object = Object_Place(static_cast<int32_t>(i));
    const char* fault = object->Load(image, offsets[i]);
    if (fault != nullptr) {
      const char* name = object->name != nullptr ? object->name : "";
      return LoadError_Report("OBJT", "object %zu (%s): %s", i, name, fault);
    }
  }
  if (!Object_CheckParents()) return false;
  Object_LinkParents();
  return true;
}

void ObjectChunk_Install() { ChunkWalk_InstallReader("OBJT", ReadObjects, Object_Init); }

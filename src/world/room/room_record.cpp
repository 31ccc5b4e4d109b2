#include "world/room/room_record.h"

namespace {

constexpr int32_t kMaxLayerEntries = 8;

RoomCodeRef ReadCodeRef(ImageReader& r, bool compiledCode) {
  RoomCodeRef ref;
  if (compiledCode) {
    ref.codeIndex = r.I32();
  } else {
    ref.text = r.Text();
  }
  return ref;
}

// Reads a count and its offsets, then each entry through `read`; entries
// past `limit` are ignored.
template <typename Entry, typename Read>
const char* ReadList(const GameImage& image, uint32_t listOffset, size_t limit, const char* what,
                     std::vector<Entry>* out, Read read) {
  if (listOffset == 0) return nullptr;
  ImageReader list = ImageReader::AtOffset(image, listOffset);
  std::vector<uint32_t> offsets = list.OffsetTable();
  if (list.Failed()) return what;
  if (offsets.size() > limit) offsets.resize(limit);
  for (uint32_t offset : offsets) {
    ImageReader r = ImageReader::AtOffset(image, offset);
    Entry entry;
    read(r, entry);
    if (offset == 0 || r.Failed()) return what;
    out->push_back(entry);
  }
  return nullptr;
}

void ReadBackground(ImageReader& r, RoomBackgroundEntry& b) {
  b.visible = r.I32();
  b.foreground = r.I32();
  b.background = r.I32();
  b.x = r.I32();
  b.y = r.I32();
  b.tileHorizontal = r.I32();
  b.tileVertical = r.I32();
  b.hspeed = r.I32();
  b.vspeed = r.I32();
  b.stretch = r.I32();
}

void ReadView(ImageReader& r, RoomViewEntry& v) {
  for (int32_t* field :
       {&v.visible, &v.viewX, &v.viewY, &v.viewWidth, &v.viewHeight, &v.portX, &v.portY, &v.portWidth, &v.portHeight,
        &v.borderHorizontal, &v.borderVertical, &v.hspeed, &v.vspeed, &v.followedObject}) {
    *field = r.I32();
  }
}

void ReadTile(ImageReader& r, RoomTileEntry& t) {
  t.x = static_cast<float>(r.I32());
  t.y = static_cast<float>(r.I32());
  for (int32_t* field : {&t.background, &t.left, &t.top, &t.width, &t.height}) *field = r.I32();
  t.depth = static_cast<float>(r.I32());
  t.id = r.I32();
  t.xscale = r.F32();
  t.yscale = r.F32();
  const uint32_t colour = r.U32();
  t.blend = colour & 0xFFFFFF;
  t.alpha = static_cast<float>(colour >> 24) / 255.0f;
}

struct ListOffsets {
  uint32_t backgrounds, views, instances, tiles;
};

void ReadSettings(ImageReader& r, bool compiledCode, RoomRecord* record, ListOffsets* lists) {
  record->name = r.Text();
  record->caption = r.Text();
  record->width = r.I32();
  record->height = r.I32();
  record->speed = r.I32();
  record->persistent = r.U32() != 0;
  record->colour = r.I32();
  record->showColour = r.U32() != 0;
  record->codeRef = ReadCodeRef(r, compiledCode);
  record->viewsEnabled = r.U32() != 0;
  lists->backgrounds = r.U32();
  lists->views = r.U32();
  lists->instances = r.U32();
  lists->tiles = r.U32();
}

void ReadPhysics(ImageReader& r, RoomRecord* record) {
  record->physicsEnabled = r.U32() != 0;
  record->physicsTop = r.I32();
  record->physicsLeft = r.I32();
  record->physicsRight = r.I32();
  record->physicsBottom = r.I32();
  record->gravityX = r.F32();
  record->gravityY = r.F32();
  record->pixelsPerMetre = r.F32();
}

}  // namespace

const char* RoomRecord_Read(const GameImage& image, uint64_t offset, bool compiledCode, int32_t formatVersion,
                            RoomRecord* record) {
  ImageReader r = ImageReader::AtOffset(image, offset);
  ListOffsets lists{};
  ReadSettings(r, compiledCode, record, &lists);
  if (formatVersion >= 6) ReadPhysics(r, record);
  if (r.Failed()) return "a room record lies outside the file";
  // Every position a world writes back is divided by its scale.
  if (record->physicsEnabled && !(record->pixelsPerMetre > 0.0f)) return "a physics room's scale is not above 0";
  const char* failure = ReadList(image, lists.backgrounds, kMaxLayerEntries,
                                 "a room's background list runs past the file", &record->backgrounds, ReadBackground);
  if (failure == nullptr) {
    failure = ReadList(image, lists.views, kMaxLayerEntries, "a room's view list runs past the file", &record->views,
                       ReadView);
  }
  if (failure == nullptr) {
    failure = ReadList(image, lists.instances, SIZE_MAX, "a room's instance list runs past the file",
                       &record->instances, [compiledCode](ImageReader& e, RoomInstanceEntry& i) {
                         i.x = e.I32();
                         i.y = e.I32();
                         i.object = e.I32();
                         i.id = e.I32();
                         i.codeRef = ReadCodeRef(e, compiledCode);
                         i.xscale = e.F32();
                         i.yscale = e.F32();
                         i.colour = e.U32();
                         i.angle = e.F32();
                       });
  }
  if (failure == nullptr) {
    failure = ReadList(image, lists.tiles, SIZE_MAX, "a room's tile list runs past the file", &record->tiles, ReadTile);
  }
  return failure;
}

std::shared_ptr<RoomRecord> RoomRecord_New() {
  auto record = std::make_shared<RoomRecord>();
  record->name = "NewRoom";
  record->caption = "";
  record->backgrounds.resize(kMaxLayerEntries);
  record->views.resize(kMaxLayerEntries);
  return record;
}

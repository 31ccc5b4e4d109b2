// Rooms: the templates rooms are made from when they are entered. Every
// change here is to the template, and shows at the room's next fresh entry;
// the room being played, and a persistent room's kept copy, change only
// through the tile and instance functions. A missing room is ignored
// silently unless a message is given.
#include "builtins/resources/handlers.h"
#include "resources/background.h"
#include "runtime/numeric.h"
#include "world/room/room.h"
#include "world/room/room_store.h"

namespace {

CRoom* RoomArg(const BuiltinArgs& a) { return Room_Get(a.Int(0)); }

float FloatArg(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

uint8_t FlagArg(const BuiltinArgs& a, int32_t i) { return a.Bool(i) ? 1 : 0; }

// The layer or view number of the second argument, or null outside 0..7.
template <typename Slot>
Slot* SlotArg(const BuiltinArgs& a, Slot (&slots)[kRoomLayers]) {
  const int32_t n = a.Int(1);
  return n >= 0 && n < kRoomLayers ? &slots[n] : nullptr;
}

// A tile entry from (back, left, top, width, height) at arguments 1 to 5.
RoomTileEntry TileArgs(const BuiltinArgs& a) {
  RoomTileEntry tile;
  tile.background = a.Int(1);
  tile.left = a.Int(2);
  tile.top = a.Int(3);
  tile.width = a.Int(4);
  tile.height = a.Int(5);
  return tile;
}

bool BackgroundMissing(const BuiltinArgs& a) {
  if (Background_Exists(a.Int(1))) return false;
  Builtin_Error("Background does not exist.");
  return true;
}

}  // namespace

void F_RoomExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, RoomArg(a) != nullptr ? 1 : 0);
}

void F_RoomName(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetText(result, Room_Name(a.Int(0)));
}

void F_RoomSetWidth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CRoom* room = RoomArg(a)) room->width = a.Int(1);
}

void F_RoomSetHeight(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CRoom* room = RoomArg(a)) room->height = a.Int(1);
}

void F_RoomSetCaption(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CRoom* room = RoomArg(a)) room->SetCaption(a.Text(1));
}

void F_RoomSetPersistent(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CRoom* room = RoomArg(a)) room->persistent = a.Bool(1);
}

void F_RoomSetCode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Room_SetCode(a.Int(0), a.Text(1));
}

void F_RoomSetBackgroundColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CRoom* room = RoomArg(a);
  if (room == nullptr) return;
  room->colour = a.Int(1);
  room->showColour = a.Bool(2);
}

// The layer's blend colour is left as it is; its scales go back to 1.
void F_RoomSetBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CRoom* room = RoomArg(a);
  CRoomBackground* layer = room != nullptr ? SlotArg(a, room->backgrounds) : nullptr;
  if (layer == nullptr) return;
  layer->visible = FlagArg(a, 2);
  layer->foreground = FlagArg(a, 3);
  layer->index = a.Int(4);
  layer->x = FloatArg(a, 5);
  layer->y = FloatArg(a, 6);
  layer->tileHorizontal = FlagArg(a, 7);
  layer->tileVertical = FlagArg(a, 8);
  layer->hspeed = FloatArg(a, 9);
  layer->vspeed = FloatArg(a, 10);
  layer->xscale = 1.0f;
  layer->yscale = 1.0f;
  layer->alpha = FloatArg(a, 11);
}

// The view's angle is left as it is.
void F_RoomSetView(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CRoom* room = RoomArg(a);
  CView* view = room != nullptr ? SlotArg(a, room->views) : nullptr;
  if (view == nullptr) return;
  view->visible = FlagArg(a, 2);
  int32_t* const fields[] = {
      &view->viewX,  &view->viewY,     &view->viewWidth,     &view->viewHeight,       &view->portX,
      &view->portY,  &view->portWidth, &view->portHeight,    &view->borderHorizontal, &view->borderVertical,
      &view->hspeed, &view->vspeed,    &view->followedObject};
  int32_t argument = 3;
  for (int32_t* field : fields) *field = a.Int(argument++);
}

void F_RoomSetViewEnabled(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CRoom* room = RoomArg(a)) room->viewsEnabled = a.Bool(1);
}

void F_RoomAdd(KV_BUILTIN_PARAMS) { Result_SetReal(result, Room_Add()); }

// A missing room answers -1, never an index a room could have.
void F_RoomDuplicate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  const int32_t index = a.Int(0);
  if (!Room_Exists(index)) return Builtin_Error("Trying to duplicate non-existing room.");
  Result_SetReal(result, Room_Duplicate(index));
}

void F_RoomAssign(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!Room_Assign(a.Int(0), a.Int(1))) Builtin_Error("Error assigning a room.");
}

void F_RoomInstanceAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Room_AddInstanceEntry(a.TruncInt(0), FloatArg(a, 1), FloatArg(a, 2), a.TruncInt(3)));
}

void F_RoomInstanceClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Room_ClearInstanceEntries(a.Int(0));
}

// The background is checked first, so a missing one is reported even for a
// missing room; a missing room alone answers -1 silently. The answer is the
// new tile's id.
void F_RoomTileAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  if (BackgroundMissing(a)) return;
  RoomTileEntry tile = TileArgs(a);
  tile.x = static_cast<float>(a.Int(6));
  tile.y = static_cast<float>(a.Int(7));
  tile.depth = static_cast<float>(a.Int(8));
  Result_SetReal(result, Room_AddTileEntry(a.Int(0), tile).id);
}

// As room_tile_add, with fractional places, scales and alpha; the answer is
// the tile's index in the room's stored tile list, -1 when nothing was
// stored (never an index a tile could have).
void F_RoomTileAddExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1);
  if (BackgroundMissing(a)) return;
  RoomTileEntry tile = TileArgs(a);
  tile.x = FloatArg(a, 6);
  tile.y = FloatArg(a, 7);
  tile.depth = FloatArg(a, 8);
  tile.xscale = FloatArg(a, 9);
  tile.yscale = FloatArg(a, 10);
  tile.alpha = FloatArg(a, 11);
  Result_SetReal(result, Room_AddTileEntry(a.Int(0), tile).index);
}

void F_RoomTileClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Room_ClearTileEntries(a.Int(0));
}

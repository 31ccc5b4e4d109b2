// The tiles of the current room: by id, and by depth layer. A layer is
// every tile whose depth equals the given one exactly.
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "resources/background.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

// The tile the first argument names, or null (reported).
CTile* NamedTile(const BuiltinArgs& a) {
  const int32_t index = g_currentRoom != nullptr ? g_currentRoom->FindTile(a.Int(0)) : -1;
  if (index >= 0) return &g_currentRoom->tiles[index];
  Builtin_Error("Tile does not exist.");
  return nullptr;
}

template <typename Read>
void TileField(ScriptValue* result, int32_t argc, ScriptValue* args, Read read) {
  BuiltinArgs a(argc, args);
  const CTile* tile = NamedTile(a);
  Result_SetReal(result, tile != nullptr ? static_cast<double>(read(*tile)) : 0.0);
}

template <typename Write>
void TileChange(int32_t argc, ScriptValue* args, Write write) {
  BuiltinArgs a(argc, args);
  if (CTile* tile = NamedTile(a)) write(*tile, a);
}

// The id of the tile at a table index, -1 for none.
double IdAt(int32_t index) { return index >= 0 ? g_currentRoom->tiles[index].id : -1.0; }

}  // namespace

void F_TileExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const bool found = g_currentRoom != nullptr && g_currentRoom->FindTile(a.Int(0)) >= 0;
  Result_SetReal(result, found ? 1.0 : 0.0);
}

void F_TileGetX(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.x; });
}
void F_TileGetY(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.y; });
}
void F_TileGetLeft(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.left; });
}
void F_TileGetTop(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.top; });
}
void F_TileGetWidth(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.width; });
}
void F_TileGetHeight(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.height; });
}
void F_TileGetDepth(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.depth; });
}
void F_TileGetVisible(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.visible; });
}
void F_TileGetXscale(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.xscale; });
}
void F_TileGetYscale(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.yscale; });
}
void F_TileGetBlend(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.blend; });
}
void F_TileGetAlpha(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.alpha; });
}
void F_TileGetBackground(KV_BUILTIN_PARAMS) {
  TileField(result, argc, args, [](const CTile& t) { return t.background; });
}

void F_TileSetPosition(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.x = gfx::Float(a, 1);
    t.y = gfx::Float(a, 2);
  });
}

void F_TileSetRegion(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.left = a.Int(1);
    t.top = a.Int(2);
    t.width = a.Int(3);
    t.height = a.Int(4);
  });
}

void F_TileSetVisible(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.visible = static_cast<uint8_t>(gfx::FlagInt(a, 1)); });
}

void F_TileSetBackground(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.background = a.Int(1); });
}

// The table keeps its order; room drawing sorts it when it draws.
void F_TileSetDepth(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.depth = gfx::Float(a, 1); });
}

void F_TileSetScale(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.xscale = gfx::Float(a, 1);
    t.yscale = gfx::Float(a, 2);
  });
}

void F_TileSetBlend(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.blend = gfx::Colour(a, 1); });
}

void F_TileSetAlpha(KV_BUILTIN_PARAMS) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.alpha = gfx::Float(a, 1); });
}

void F_TileDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (NamedTile(a) != nullptr) g_currentRoom->DeleteTileAt(g_currentRoom->FindTile(a.Int(0)));
}

void F_TileAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1.0);
  if (!Background_Exists(a.Int(0))) {
    Builtin_Error("Background does not exist.");
    return;
  }
  if (g_currentRoom == nullptr) return;
  CTile tile;
  tile.background = a.Int(0);
  tile.left = a.Int(1);
  tile.top = a.Int(2);
  tile.width = a.Int(3);
  tile.height = a.Int(4);
  tile.x = gfx::Float(a, 5);
  tile.y = gfx::Float(a, 6);
  tile.depth = gfx::Float(a, 7);
  Result_SetReal(result, IdAt(g_currentRoom->AddTile(tile)));
}

void F_TileFind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) {
    Result_SetReal(result, -1.0);
    return;
  }
  const auto x = static_cast<float>(a.Int(0)), y = static_cast<float>(a.Int(1));
  Result_SetReal(result, IdAt(g_currentRoom->TileAtPoint(x, y, gfx::Flag(a, 2))));
}

void F_TileDeleteAt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) return;
  g_currentRoom->DeleteTilesAtPoint(static_cast<float>(a.Int(0)), static_cast<float>(a.Int(1)), gfx::Flag(a, 2));
}

void F_TileLayerHide(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerHide(gfx::Float(a, 0));
}

void F_TileLayerShow(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerShow(gfx::Float(a, 0));
}

void F_TileLayerDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDelete(gfx::Float(a, 0));
}

void F_TileLayerShift(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerShift(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2));
}

void F_TileLayerDepth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDepth(gfx::Float(a, 0), gfx::Float(a, 1));
}

void F_TileLayerFind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) {
    Result_SetReal(result, -1.0);
    return;
  }
  Result_SetReal(result, IdAt(g_currentRoom->LayerFind(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2))));
}

void F_TileLayerDeleteAt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDeleteAt(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2));
}

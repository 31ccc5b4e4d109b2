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

KV_BUILTIN(F_TileExists) {
  BuiltinArgs a(argc, args);
  const bool found = g_currentRoom != nullptr && g_currentRoom->FindTile(a.Int(0)) >= 0;
  Result_SetReal(result, found ? 1.0 : 0.0);
}

KV_BUILTIN(F_TileGetX) { TileField(result, argc, args, [](const CTile& t) { return t.x; }); }
KV_BUILTIN(F_TileGetY) { TileField(result, argc, args, [](const CTile& t) { return t.y; }); }
KV_BUILTIN(F_TileGetLeft) { TileField(result, argc, args, [](const CTile& t) { return t.left; }); }
KV_BUILTIN(F_TileGetTop) { TileField(result, argc, args, [](const CTile& t) { return t.top; }); }
KV_BUILTIN(F_TileGetWidth) { TileField(result, argc, args, [](const CTile& t) { return t.width; }); }
KV_BUILTIN(F_TileGetHeight) { TileField(result, argc, args, [](const CTile& t) { return t.height; }); }
KV_BUILTIN(F_TileGetDepth) { TileField(result, argc, args, [](const CTile& t) { return t.depth; }); }
KV_BUILTIN(F_TileGetVisible) { TileField(result, argc, args, [](const CTile& t) { return t.visible; }); }
KV_BUILTIN(F_TileGetXscale) { TileField(result, argc, args, [](const CTile& t) { return t.xscale; }); }
KV_BUILTIN(F_TileGetYscale) { TileField(result, argc, args, [](const CTile& t) { return t.yscale; }); }
KV_BUILTIN(F_TileGetBlend) { TileField(result, argc, args, [](const CTile& t) { return t.blend; }); }
KV_BUILTIN(F_TileGetAlpha) { TileField(result, argc, args, [](const CTile& t) { return t.alpha; }); }
KV_BUILTIN(F_TileGetBackground) { TileField(result, argc, args, [](const CTile& t) { return t.background; }); }

KV_BUILTIN(F_TileSetPosition) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.x = gfx::Float(a, 1);
    t.y = gfx::Float(a, 2);
  });
}

KV_BUILTIN(F_TileSetRegion) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.left = a.Int(1);
    t.top = a.Int(2);
    t.width = a.Int(3);
    t.height = a.Int(4);
  });
}

KV_BUILTIN(F_TileSetVisible) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.visible = static_cast<uint8_t>(gfx::FlagInt(a, 1)); });
}

KV_BUILTIN(F_TileSetBackground) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.background = a.Int(1); });
}

// The table keeps its order; room drawing sorts it when it draws.
KV_BUILTIN(F_TileSetDepth) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.depth = gfx::Float(a, 1); });
}

KV_BUILTIN(F_TileSetScale) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) {
    t.xscale = gfx::Float(a, 1);
    t.yscale = gfx::Float(a, 2);
  });
}

KV_BUILTIN(F_TileSetBlend) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.blend = gfx::Colour(a, 1); });
}

KV_BUILTIN(F_TileSetAlpha) {
  TileChange(argc, args, [](CTile& t, const BuiltinArgs& a) { t.alpha = gfx::Float(a, 1); });
}

KV_BUILTIN(F_TileDelete) {
  BuiltinArgs a(argc, args);
  if (NamedTile(a) != nullptr) g_currentRoom->DeleteTileAt(g_currentRoom->FindTile(a.Int(0)));
}

KV_BUILTIN(F_TileAdd) {
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

KV_BUILTIN(F_TileFind) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) {
    Result_SetReal(result, -1.0);
    return;
  }
  const auto x = static_cast<float>(a.Int(0)), y = static_cast<float>(a.Int(1));
  Result_SetReal(result, IdAt(g_currentRoom->TileAtPoint(x, y, gfx::Flag(a, 2))));
}

KV_BUILTIN(F_TileDeleteAt) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) return;
  g_currentRoom->DeleteTilesAtPoint(static_cast<float>(a.Int(0)), static_cast<float>(a.Int(1)), gfx::Flag(a, 2));
}

KV_BUILTIN(F_TileLayerHide) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerHide(gfx::Float(a, 0));
}

KV_BUILTIN(F_TileLayerShow) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerShow(gfx::Float(a, 0));
}

KV_BUILTIN(F_TileLayerDelete) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDelete(gfx::Float(a, 0));
}

KV_BUILTIN(F_TileLayerShift) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerShift(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2));
}

KV_BUILTIN(F_TileLayerDepth) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDepth(gfx::Float(a, 0), gfx::Float(a, 1));
}

KV_BUILTIN(F_TileLayerFind) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom == nullptr) {
    Result_SetReal(result, -1.0);
    return;
  }
  Result_SetReal(result, IdAt(g_currentRoom->LayerFind(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2))));
}

KV_BUILTIN(F_TileLayerDeleteAt) {
  BuiltinArgs a(argc, args);
  if (g_currentRoom != nullptr) g_currentRoom->LayerDeleteAt(gfx::Float(a, 0), gfx::Float(a, 1), gfx::Float(a, 2));
}

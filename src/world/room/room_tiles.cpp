// A room's tiles: an array grown ten at a time, searched by id, point and
// depth layer, and put into descending depth before it is drawn.
#include "runtime/memory.h"
#include "world/room/room.h"
#include "world/room/room_store.h"

namespace {

constexpr int32_t kTileGrowth = 10;

bool Inside(const CTile& t, float x, float y, bool closedFar) {
  float right = t.x + static_cast<float>(t.width) * t.xscale;
  float bottom = t.y + static_cast<float>(t.height) * t.yscale;
  if (x < t.x || y < t.y) return false;
  return closedFar ? (x <= right && y <= bottom) : (x < right && y < bottom);
}

}  // namespace

int32_t CRoom::AppendTile(const CTile& tile) {
  if (tileCount >= tileCapacity) {
    tileCapacity += kTileGrowth;
    tiles = static_cast<CTile*>(KV_REALLOC(tiles, sizeof(CTile) * static_cast<size_t>(tileCapacity)));
  }
  tiles[tileCount] = tile;
  tileFindCache = tileCount;
  return tileCount++;
}

int32_t CRoom::AddTile(const CTile& tile) {
  const int32_t index = AppendTile(tile);
  tiles[index].id = ++g_lastTileId;
  return index;
}

int32_t CRoom::FindTile(int32_t id) {
  if (tileFindCache >= 0 && tileFindCache < tileCount && tiles[tileFindCache].id == id) return tileFindCache;
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].id == id) {
      tileFindCache = i;
      return i;
    }
  }
  return -1;
}

void CRoom::DeleteTileAt(int32_t index) {
  if (index < 0 || index >= tileCount) return;
  for (int32_t i = index; i + 1 < tileCount; ++i) tiles[i] = tiles[i + 1];
  --tileCount;
}

int32_t CRoom::TileAtPoint(float x, float y, bool foreground) const {
  for (int32_t i = 0; i < tileCount; ++i) {
    bool layer = foreground ? tiles[i].depth < 0.0f : tiles[i].depth >= 0.0f;
    if (layer && Inside(tiles[i], x, y, false)) return i;
  }
  return -1;
}

void CRoom::DeleteTilesAtPoint(float x, float y, bool foreground) {
  for (int32_t i = tileCount - 1; i >= 0; --i) {
    bool layer = foreground ? tiles[i].depth <= 0.0f : tiles[i].depth >= 0.0f;
    if (layer && Inside(tiles[i], x, y, true)) DeleteTileAt(i);
  }
}

void CRoom::LayerHide(float depth) {
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].depth == depth) tiles[i].visible = 0;
  }
}

void CRoom::LayerShow(float depth) {
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].depth == depth) tiles[i].visible = 1;
  }
}

void CRoom::LayerDelete(float depth) {
  for (int32_t i = tileCount - 1; i >= 0; --i) {
    if (tiles[i].depth == depth) DeleteTileAt(i);
  }
}

void CRoom::LayerShift(float depth, float dx, float dy) {
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].depth == depth) {
      tiles[i].x += dx;
      tiles[i].y += dy;
    }
  }
}

int32_t CRoom::LayerFind(float depth, float x, float y) const {
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].depth == depth && Inside(tiles[i], x, y, false)) return i;
  }
  return -1;
}

void CRoom::LayerDeleteAt(float depth, float x, float y) {
  for (int32_t i = tileCount - 1; i >= 0; --i) {
    if (tiles[i].depth == depth && Inside(tiles[i], x, y, false)) DeleteTileAt(i);
  }
}

void CRoom::LayerDepth(float depth, float newDepth) {
  for (int32_t i = 0; i < tileCount; ++i) {
    if (tiles[i].depth == depth) tiles[i].depth = newDepth;
  }
}

void CRoom::SortTiles() {
  bool ordered = true;
  for (int32_t i = 1; i < tileCount && ordered; ++i) ordered = tiles[i - 1].depth >= tiles[i].depth;
  if (ordered) return;
  for (int32_t i = 1; i < tileCount; ++i) {
    CTile moving = tiles[i];
    int32_t j = i;
    while (j > 0 && tiles[j - 1].depth < moving.depth) {
      tiles[j] = tiles[j - 1];
      --j;
    }
    tiles[j] = moving;
  }
}

// The content of one view: the room colour, the background layers, the
// tiles, instances and particle systems merged by depth, the foreground
// layers; and the draw-GUI pass.
#include <algorithm>
#include <cmath>

#include "graphics/3d/mode_3d.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/particles/particles.h"
#include "physics/physics_world.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/draw/room_draw.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/physics_step.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr float kBackgroundDepth = 12000.0f;
constexpr float kForegroundDepth = -12000.0f;
constexpr float kAfterForegroundDepth = -13000.0f;
constexpr float kDeepestDrawDepth = 11000.0f;
constexpr float kNoParticleDepth = -1e8f;
constexpr int32_t kEventDrawGui = 64;

struct Rect {
  int32_t x1, y1, x2, y2;
};

void DrawLayers(const CRoom& room, bool foreground, const Rect& r) {
  const auto width = static_cast<int32_t>(std::clamp<int64_t>(int64_t{r.x2} - r.x1, INT32_MIN, INT32_MAX));
  const auto height = static_cast<int32_t>(std::clamp<int64_t>(int64_t{r.y2} - r.y1, INT32_MIN, INT32_MAX));
  for (const CRoomBackground& layer : room.backgrounds) {
    if (layer.visible == 0 || (layer.foreground != 0) != foreground) continue;
    const CBackground* background = Background_Get(layer.index);
    if (background == nullptr) continue;
    background->DrawTiled(layer.x, layer.y, layer.xscale, layer.yscale, layer.tileHorizontal != 0,
                          layer.tileVertical != 0, r.x1, r.y1, width, height, layer.blend, layer.alpha);
  }
}

void SetDrawDepth(float depth) { GR_3D_Set_Depth(std::min(depth, kDeepestDrawDepth)); }

// The whole number at or below the image index, so that -0.5 is image -1.
int32_t FrameOf(float imageIndex) { return Num_TruncInt32(std::floor(static_cast<double>(imageIndex))); }

void DrawInstance(CInstance* instance) {
  SetDrawDepth(instance->depth);
  if (instance->object != nullptr && instance->object->HasEvent(kEventDraw, 0)) {
    Perform_Event_Instance(instance, instance, kEventDraw, 0);
    return;
  }
  const CSprite* sprite = Sprite_Get(instance->sprite_index);
  if (sprite == nullptr) return;
  const int32_t frame = FrameOf(instance->image_index);
  const auto blend = static_cast<uint32_t>(instance->image_blend);
  if (instance->image_xscale == 1.0f && instance->image_yscale == 1.0f && instance->image_angle == 0.0f &&
      blend == 0xFFFFFFu && instance->image_alpha == 1.0f) {
    sprite->DrawSimple(frame, instance->x, instance->y);
  } else {
    sprite->Draw(frame, instance->x, instance->y, instance->image_xscale, instance->image_yscale, instance->image_angle,
                 blend, instance->image_alpha);
  }
}

// Tiles wholly outside the rectangle are not drawn.
void DrawTile(const CTile& tile, const Rect& r) {
  SetDrawDepth(tile.depth);
  const CBackground* background = Background_Get(tile.background);
  if (background == nullptr) return;
  const float xEnd = tile.x + static_cast<float>(tile.width) * tile.xscale;
  const float yEnd = tile.y + static_cast<float>(tile.height) * tile.yscale;
  const bool touches =
      std::min(tile.x, xEnd) <= static_cast<float>(r.x2) && std::min(tile.y, yEnd) <= static_cast<float>(r.y2) &&
      std::max(tile.x, xEnd) >= static_cast<float>(r.x1) && std::max(tile.y, yEnd) >= static_cast<float>(r.y1);
  if (!touches) return;
  background->DrawPart(static_cast<float>(tile.left), static_cast<float>(tile.top), static_cast<float>(tile.width),
                       static_cast<float>(tile.height), tile.x, tile.y, tile.xscale, tile.yscale, tile.blend,
                       tile.alpha);
}

bool Drawable(const CInstance* instance) { return instance->visible != 0 && instance->markedForDeletion == 0; }

// Walking the list from the deepest end.
CInstance* DrawableAtOrBefore(CInstance* instance) {
  while (instance != nullptr && !Drawable(instance)) instance = instance->prev;
  return instance;
}

// The three sequences of the merge, each from its greatest depth down.
class DepthMerge {
 public:
  DepthMerge(const CRoom& room, const Rect& rect) : room_(room), rect_(rect) {
    tile_ = NextVisibleTile(0);
    instance_ = room.active.tail;
    particle_ = Particle_System_FirstDepth();
  }

  bool Step() {
    instance_ = DrawableAtOrBefore(instance_);
    const bool haveParticle = particle_ > kNoParticleDepth;
    const CTile* tile = tile_ < room_.tileCount ? &room_.tiles[tile_] : nullptr;
    if (haveParticle && (instance_ == nullptr || particle_ > instance_->depth) &&
        (tile == nullptr || particle_ >= tile->depth)) {
      SetDrawDepth(particle_);
      Particle_System_DrawAtDepth(particle_);
      particle_ = Particle_System_NextDepth(particle_);
      return true;
    }
    if (instance_ != nullptr && (tile == nullptr || tile->depth <= instance_->depth)) {
      // Taken before the event runs: the event may move this instance.
      CInstance* current = instance_;
      instance_ = current->prev;
      DrawInstance(current);
      return true;
    }
    if (tile == nullptr) return false;
    DrawTile(*tile, rect_);
    tile_ = NextVisibleTile(tile_ + 1);
    return true;
  }

 private:
  int32_t NextVisibleTile(int32_t from) const {
    while (from < room_.tileCount && room_.tiles[from].visible == 0) ++from;
    return from;
  }

  const CRoom& room_;
  Rect rect_;
  int32_t tile_ = 0;
  CInstance* instance_ = nullptr;
  float particle_ = kNoParticleDepth;
};

}  // namespace

void Room_Draw_View(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  g_currentViewRect[0] = x1;
  g_currentViewRect[1] = y1;
  g_currentViewRect[2] = x2;
  g_currentViewRect[3] = y2;
  if (g_3dMode != 0) GR_Clear_Depth();
  if (room->showColour) GR_Draw_Clear(static_cast<uint32_t>(room->colour) | kOpaque);
  const Rect rect{x1, y1, x2, y2};
  GR_3D_Set_Depth(kBackgroundDepth);
  DrawLayers(*room, false, rect);
  Room_Draw_By_Depth(x1, y1, x2, y2);
  if (room->physicsWorld != nullptr && room->physicsWorld->debugFlags != 0) {
    PhysicsWorld_DebugDraw(room->physicsWorld, room->physicsWorld->debugFlags);
  }
  GR_3D_Set_Depth(kForegroundDepth);
  DrawLayers(*room, true, rect);
  GR_3D_Set_Depth(kAfterForegroundDepth);
}

void Room_Draw_By_Depth(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  DepthMerge merge(*room, Rect{x1, y1, x2, y2});
  while (merge.Step()) {}
  if (room->tileCount > 0) Graphics::FlushBatch();
}

void Room_Draw_Gui(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  g_currentViewRect[0] = x1;
  g_currentViewRect[1] = y1;
  g_currentViewRect[2] = x2;
  g_currentViewRect[3] = y2;
  const CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  for (CInstance* instance = DrawableAtOrBefore(room->active.tail); instance != nullptr;) {
    CInstance* before = instance->prev;
    if (instance->object != nullptr && instance->object->HasEvent(kEventDraw, kEventDrawGui)) {
      Perform_Event_Instance(instance, instance, kEventDraw, kEventDrawGui);
    }
    instance = DrawableAtOrBefore(before);
  }
}

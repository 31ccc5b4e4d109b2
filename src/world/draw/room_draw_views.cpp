// Views that follow an instance, the window ports of the visible views, and
// the screen size a room asks for when it starts.
#include <algorithm>

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "runtime/numeric.h"
#include "script/variables/instance_selector.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/draw/room_draw_internal.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

constexpr int32_t kPortBoxStart = 999999;

int32_t ClampInt32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

CInstance* FirstLiveInstanceOf(int32_t objectIndex) {
  const CObject* object = Object_Get(objectIndex);
  if (object == nullptr) return nullptr;
  for (const ObjectInstanceNode* node = object->instances.head; node != nullptr; node = node->next) {
    if (node->instance != nullptr && node->instance->markedForDeletion == 0) return node->instance;
  }
  return nullptr;
}

// An id of kFirstInstanceId or more names one instance, a smaller value an object.
CInstance* FollowedInstance(int32_t follow) {
  if (follow >= kFirstInstanceId) {
    CInstance* instance = Instance_Find(follow);
    return instance != nullptr && instance->markedForDeletion == 0 ? instance : nullptr;
  }
  return follow >= 0 ? FirstLiveInstanceOf(follow) : nullptr;
}

// One axis: keep the position within the border, stay inside the room, and
// move no faster than the speed (a negative speed jumps).
int32_t FollowAxis(int32_t old, int32_t position, int32_t border, int32_t size, int32_t roomSize, int32_t speed) {
  const int64_t o = old, p = position, b = border, s = size;
  int64_t next = o;
  if (2 * b < s) {
    if (p - b < o) {
      next = p - b;
    } else if (p + b > o + s) {
      next = p + b - s;
    }
  } else {
    next = p - s / 2;
  }
  if (next < 0) next = 0;
  if (next + s > roomSize) next = int64_t{roomSize} - s;
  if (speed >= 0) {
    if (next < o - speed) {
      next = o - speed;
    } else if (next > o + speed) {
      next = o + speed;
    }
  }
  return ClampInt32(next);
}

void FollowInstance(const CRoom& room, CView& view) {
  CInstance* instance = FollowedInstance(view.followedObject);
  if (instance == nullptr) return;
  instance->RefreshBoundingBox();
  const int32_t ix = Num_RoundInt32(instance->x), iy = Num_RoundInt32(instance->y);
  view.viewX = FollowAxis(view.viewX, ix, view.borderHorizontal, view.viewWidth, room.width, view.hspeed);
  view.viewY = FollowAxis(view.viewY, iy, view.borderVertical, view.viewHeight, room.height, view.vspeed);
}

struct PortBox {
  int64_t left = kPortBoxStart, right = -kPortBoxStart, top = kPortBoxStart, bottom = -kPortBoxStart;
  void Widen(const CView& v) {
    left = std::min<int64_t>(left, v.portX);
    right = std::max<int64_t>(right, int64_t{v.portX} + v.portWidth);
    top = std::min<int64_t>(top, v.portY);
    bottom = std::max<int64_t>(bottom, int64_t{v.portY} + v.portHeight);
  }
};

// No screen port, or ports of no extent, leave nothing to scale by: 1.
float PortScale(int32_t area, int64_t extent) {
  return extent > 0 ? static_cast<float>(area) / static_cast<float>(extent) : 1.0f;
}

void SetPorts(const CRoom& room) {
  PortBox box;
  for (int32_t i = 0; i < kRoomLayers; ++i) {
    Win_ClearPort(i);
    const CView& v = room.views[i];
    if (v.visible == 0) continue;
    Win_SetPort(i, static_cast<float>(v.portX), static_cast<float>(v.portY), static_cast<float>(v.portWidth),
                static_cast<float>(v.portHeight), static_cast<float>(v.viewX), static_cast<float>(v.viewY),
                static_cast<float>(v.viewWidth), static_cast<float>(v.viewHeight), v.angle, v.surface);
    if (v.surface == -1) box.Widen(v);
  }
  const AreaSize area = RoomDraw_Area();
  g_portScale[0] = PortScale(area.width, box.right - box.left);
  g_portScale[1] = PortScale(area.height, box.bottom - box.top);
}

}  // namespace

void Room_Update_Views() {
  CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  if (!room->viewsEnabled) {
    for (int32_t i = 0; i < kRoomLayers; ++i) Win_ClearPort(i);
    return;
  }
  for (CView& view : room->views) {
    if (view.visible != 0 && view.followedObject != -1) FollowInstance(*room, view);
  }
  SetPorts(*room);
}

void Room_Compute_Window_Size() {
  const CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  int64_t width = room->width, height = room->height;
  if (room->viewsEnabled) {
    width = height = 8;
    for (const CView& v : room->views) {
      if (v.visible == 0) continue;
      width = std::max<int64_t>(width, int64_t{v.portX} + v.portWidth);
      height = std::max<int64_t>(height, int64_t{v.portY} + v.portHeight);
    }
  }
  width = std::min<int64_t>(width, Graphics::GetScreenWidth());
  height = std::min<int64_t>(height, Graphics::GetScreenHeight());
  GR_Set_Screen_Size(ClampInt32(width), ClampInt32(height));
}

void GR_View_Ports_Clear() { Win_ClearAllPorts(); }

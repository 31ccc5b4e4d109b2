#include "world/loop/dispatch.h"

#include <vector>

#include "requests/http_request.h"
#include "resources/timeline.h"
#include "runtime/ds_pool.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/input/input.h"
#include "world/input/joysticks.h"
#include "world/instance/instance.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"
#include "world/services/platform_services.h"

namespace {

// The Other events that asynchronous requests raise.
constexpr int32_t kFirstAsyncEvent = 60, kLastAsyncEvent = 64;
// In-app purchase events run as this Other event.
constexpr int32_t kOtherPurchase = 66;

// A pass: the serial before the increment; instances made later are newer.
uint64_t BeginPass() { return g_eventSerial++; }

bool Eligible(const CInstance* instance, uint64_t serial) {
  return instance != nullptr && instance->markedForDeletion == 0 && instance->creationStamp <= serial;
}

// The objects listed for one pass, copied as the pass begins: code the pass
// runs may rebuild the lists (a parent set, an event removed), and the pass
// finishes over the lists it started with. Passes may nest, so each takes
// its own stretch of one buffer, given back when it ends.
class ListedSnapshot {
 public:
  ListedSnapshot(int32_t type, int32_t subtype) : start_(Buffer().size()) {
    const int32_t count = EventList_Count(type, subtype);
    const int32_t* objects = EventList_Objects(type, subtype);
    if (count > 0) Buffer().insert(Buffer().end(), objects, objects + count);
    count_ = count > 0 ? static_cast<size_t>(count) : 0;
  }
  ~ListedSnapshot() { Buffer().resize(start_); }
  ListedSnapshot(const ListedSnapshot&) = delete;
  ListedSnapshot& operator=(const ListedSnapshot&) = delete;

  size_t Count() const { return count_; }
  // Read by index each time: a nested pass may move the buffer.
  int32_t operator[](size_t i) const { return Buffer()[start_ + i]; }

 private:
  static std::vector<int32_t>& Buffer() {
    static auto& buffer = *new std::vector<int32_t>;
    return buffer;
  }
  size_t start_;
  size_t count_ = 0;
};

// Every eligible instance of every object listed for (type, subtype), the
// next node taken before the visit runs. An object deleted by the pass is
// still walked to the end of its list (it is released after the step), and
// objects after it that are gone are skipped.
template <typename Visit>
void ForListed(int32_t type, int32_t subtype, uint64_t serial, Visit visit) {
  const ListedSnapshot listed(type, subtype);
  for (size_t i = 0; i < listed.Count(); ++i) {
    CObject* object = Object_Get(listed[i]);
    if (object == nullptr) continue;
    for (ObjectInstanceNode* node = object->instances.head; node != nullptr;) {
      ObjectInstanceNode* next = node->next;
      if (Eligible(node->instance, serial)) visit(node->instance);
      node = next;
    }
  }
}

// One pass running (type, subtype) on every eligible listed instance.
void RunListed(int32_t type, int32_t subtype) {
  uint64_t serial = BeginPass();
  ForListed(type, subtype, serial,
            [&](CInstance* instance) { Perform_Event_Instance(instance, instance, type, subtype); });
}

// One pass running (type, subtype) on listed instances that pass a test.
template <typename Test>
void RunListedWhere(int32_t type, int32_t subtype, Test test) {
  uint64_t serial = BeginPass();
  ForListed(type, subtype, serial, [&](CInstance* instance) {
    if (test(instance)) Perform_Event_Instance(instance, instance, type, subtype);
  });
}

bool UnderMouse(CInstance* instance, int32_t x, int32_t y) {
  return instance->CollisionPoint(static_cast<float>(x), static_cast<float>(y), 1);
}

void RunMouseLocal(int32_t subtype) {
  const RunValues& v = g_runValues;
  RunListedWhere(kEventMouse, subtype, [&](CInstance* i) { return UnderMouse(i, v.mouseX, v.mouseY); });
}

// Every instance of the room's active list, the next taken first.
template <typename Visit>
void ForRoomInstances(uint64_t serial, Visit visit) {
  for (CInstance* instance = g_currentRoom == nullptr ? nullptr : g_currentRoom->active.head; instance != nullptr;) {
    CInstance* next = instance->next;
    if (Eligible(instance, serial)) visit(instance);
    instance = next;
  }
}

bool PointOutside(float x, float y, float left, float top, float right, float bottom) {
  return x < left || x > right || y < top || y > bottom;
}

bool HasCollisionSprite(const CInstance* instance) { return instance->sprite_index >= 0 || instance->mask_index >= 0; }

bool Outside(CInstance* instance, float left, float top, float right, float bottom) {
  if (!HasCollisionSprite(instance)) return PointOutside(instance->x, instance->y, left, top, right, bottom);
  if (instance->bboxDirty != 0) instance->ComputeBoundingBox();
  return instance->bbox_right < left || instance->bbox_left > right || instance->bbox_bottom < top ||
         instance->bbox_top > bottom;
}

bool CrossesBoundary(CInstance* instance, float left, float top, float right, float bottom) {
  if (!HasCollisionSprite(instance)) return PointOutside(instance->x, instance->y, left, top, right, bottom);
  if (instance->bboxDirty != 0) instance->ComputeBoundingBox();
  return instance->bbox_left < left || instance->bbox_right > right || instance->bbox_top < top ||
         instance->bbox_bottom > bottom;
}

void RunTimeLine(CInstance* instance) {
  CTimeLine* line = TimeLine_Get(instance->timeline_index);
  if (line == nullptr || line->GetMomentCount() == 0) return;
  double p = instance->timeline_position;
  double s = instance->timeline_speed;
  int32_t last = line->GetMomentCount() - 1;
  if (s > 0) {
    int32_t i = line->FindMomentFrom(p);
    instance->timeline_position = static_cast<float>(p + s);
    int32_t j = line->FindMomentFrom(instance->timeline_position);
    for (int32_t m = i; m < j; ++m) Perform_Event_TimeLine(instance, instance, instance->timeline_index, m);
    if (instance->timeline_loop != 0 && instance->timeline_position > line->GetMomentStep(last)) {
      instance->timeline_position = 0.0f;
    }
  } else {
    int32_t i = line->FindMomentUpTo(p);
    instance->timeline_position = static_cast<float>(p + s);
    int32_t j = line->FindMomentUpTo(instance->timeline_position);
    for (int32_t m = i; m > j; --m) Perform_Event_TimeLine(instance, instance, instance->timeline_index, m);
    if (instance->timeline_loop != 0 && instance->timeline_position < 0) {
      instance->timeline_position = static_cast<float>(line->GetMomentStep(last));
    }
  }
}

void StepBack(CInstance* instance) {
  instance->SetPosition(instance->xprevious, instance->yprevious);
  instance->SetPathPosition(instance->path_positionprevious);
}

void StepAgain(CInstance* instance) {
  instance->UpdatePath();
  instance->SetPosition(instance->x + instance->hspeed, instance->y + instance->vspeed);
}

}  // namespace

void Run_DispatchStep(int32_t kind) { RunListed(kEventStep, kind); }

void Run_DispatchAlarms() {
  uint64_t serial = BeginPass();
  for (int32_t n = 0; n < kInstanceAlarms; ++n) {
    ForListed(kEventAlarm, n, serial, [&](CInstance* instance) {
      if (instance->alarm[n] < 0) return;
      instance->alarm[n] -= 1;
      if (instance->alarm[n] == 0) Perform_Event_Instance(instance, instance, kEventAlarm, n);
    });
  }
}

void Run_DispatchKeyboard() {
  bool anyDown = false, anyPressed = false, anyReleased = false;
  for (int32_t key = 8; key <= 255; ++key) {
    bool released = IO_KeyReleased(key);
    if (IO_KeyDown(key) || released) {
      RunListed(kEventKeyboard, key);
      anyDown = true;
    }
    if (IO_KeyPressed(key)) {
      RunListed(kEventKeyPress, key);
      anyPressed = true;
    }
    if (released) {
      RunListed(kEventKeyRelease, key);
      anyReleased = true;
    }
  }
  RunListed(kEventKeyboard, anyDown ? 1 : 0);
  RunListed(kEventKeyPress, anyPressed ? 1 : 0);
  RunListed(kEventKeyRelease, anyReleased ? 1 : 0);
}

void Run_DispatchJoystick() {
  const int32_t first[2] = {16, 31};    // left; right, up, down follow
  const int32_t buttons[2] = {20, 35};  // button n is base + n
  for (int32_t j = 0; j < 2; ++j) {
    JoystickState state;
    if (!Joysticks_ReadForEvents(j, &state)) continue;
    if (state.x < 20000) RunListed(kEventMouse, first[j]);
    if (state.x > 44000) RunListed(kEventMouse, first[j] + 1);
    if (state.y < 20000) RunListed(kEventMouse, first[j] + 2);
    if (state.y > 44000) RunListed(kEventMouse, first[j] + 3);
    for (int32_t n = 1; n <= 8; ++n) {
      if ((state.buttons & (1u << (n - 1))) != 0) RunListed(kEventMouse, buttons[j] + n);
    }
  }
}

void Run_DispatchMouse() {
  RunValues& v = g_runValues;
  v.previousMouseX = v.mouseX;
  v.previousMouseY = v.mouseY;
  IO_RoomMouse(&v.mouseX, &v.mouseY);
  bool any = false;
  for (int32_t button = 1; button <= 3; ++button) {
    if (!IO_ButtonDown(button, 0) && !IO_ButtonPressed(button, 0)) continue;
    any = true;
    RunMouseLocal(button - 1);
    RunListed(kEventMouse, 49 + button);
  }
  if (!any) RunMouseLocal(3);
  for (int32_t button = 1; button <= 3; ++button) {
    if (!IO_ButtonPressed(button, 0)) continue;
    RunMouseLocal(button + 3);
    RunListed(kEventMouse, 12);
    RunListed(kEventMouse, button + 52);
  }
  for (int32_t button = 1; button <= 3; ++button) {
    if (!IO_ButtonReleased(button, 0)) continue;
    RunMouseLocal(button + 6);
    RunListed(kEventMouse, 13);
    RunListed(kEventMouse, button + 55);
  }
  RunListedWhere(kEventMouse, 10, [&](CInstance* i) {
    return UnderMouse(i, v.mouseX, v.mouseY) && !UnderMouse(i, v.previousMouseX, v.previousMouseY);
  });
  RunListedWhere(kEventMouse, 11, [&](CInstance* i) {
    return UnderMouse(i, v.previousMouseX, v.previousMouseY) && !UnderMouse(i, v.mouseX, v.mouseY);
  });
  if (IO_WheelUp(0)) RunListed(kEventMouse, 60);
  if (IO_WheelDown(0)) RunListed(kEventMouse, 61);
}

void Run_DispatchTimelines() {
  uint64_t serial = BeginPass();
  ForRoomInstances(serial, [](CInstance* instance) {
    if (instance->timeline_running == 0 || instance->timeline_speed == 0 || instance->timeline_index < 0) return;
    RunTimeLine(instance);
  });
}

void Run_DispatchBoundary() {
  CRoom* room = g_currentRoom;
  if (room == nullptr) return;
  float width = static_cast<float>(room->width), height = static_cast<float>(room->height);
  RunListedWhere(kEventOther, kOtherOutside, [&](CInstance* i) { return Outside(i, 0, 0, width, height); });
  RunListedWhere(kEventOther, kOtherBoundary, [&](CInstance* i) { return CrossesBoundary(i, 0, 0, width, height); });
  if (!room->viewsEnabled) return;
  for (int32_t n = 0; n < 8; ++n) {
    const CView& view = room->views[n];
    if (!view.visible) continue;
    float l = static_cast<float>(view.viewX), t = static_cast<float>(view.viewY);
    float r = l + static_cast<float>(view.viewWidth), b = t + static_cast<float>(view.viewHeight);
    RunListedWhere(kEventOther, kOtherOutsideView0 + n, [&](CInstance* i) { return Outside(i, l, t, r, b); });
    RunListedWhere(kEventOther, kOtherBoundaryView0 + n, [&](CInstance* i) { return CrossesBoundary(i, l, t, r, b); });
  }
}

// Only the requests finished when the pass begins are delivered: one that
// an event makes meanwhile waits for the next step, so a game that asks
// again on every answer still gets one answer a step. After the event only
// the map handed out goes; one the script destroyed, whose slot a new map
// may have taken, is left alone.
void Run_DispatchAsync() {
  // The platform store's purchase events come before the requests'.
  if (IapEvents_TakePending()) RunListed(kEventOther, kOtherPurchase);
  HTTP_REQ_CONTEXT* request = HTTP_TakeFinished();
  while (request != nullptr) {
    HTTP_REQ_CONTEXT* next = request->next;
    g_runValues.asyncLoad = -1;
    int32_t map = -1;
    const int32_t event = HTTP_Complete(request, &map);
    const CDS_Map* handed = g_dsMaps.Get(map);
    const uint64_t serial = handed == nullptr ? 0 : handed->Serial();
    if (event >= kFirstAsyncEvent && event <= kLastAsyncEvent) {
      g_runValues.asyncLoad = map;
      RunListed(kEventOther, event);
    }
    const CDS_Map* now = g_dsMaps.Get(map);
    if (handed != nullptr && now != nullptr && now->Serial() == serial) g_dsMaps.Destroy(map);
    g_runValues.asyncLoad = -1;
    HTTP_Dispose(request);
    request = next;
  }
}

void Run_DispatchCollisions() {
  // The pairs as the stage begins: a collision event may rebuild them.
  const std::vector<CollisionPair> pairs(g_collisionPairs.pairs, g_collisionPairs.pairs + g_collisionPairs.count);
  for (const CollisionPair& pair : pairs) {
    uint64_t serial = BeginPass();
    CObject* a = Object_Get(pair.owner);
    CObject* b = Object_Get(pair.other);
    if (a == nullptr || b == nullptr) continue;
    for (ObjectInstanceNode* na = a->instances.head; na != nullptr;) {
      ObjectInstanceNode* nextA = na->next;
      CInstance* first = na->instance;
      for (ObjectInstanceNode* nb = b->instances.head; nb != nullptr && Eligible(first, serial);) {
        ObjectInstanceNode* nextB = nb->next;
        CInstance* second = nb->instance;
        if (Eligible(second, serial) && first->CollisionInstance(second, 1)) {
          bool solid = first->solid != 0 || second->solid != 0;
          if (solid) {
            StepBack(first);
            StepBack(second);
          }
          Perform_Event_Instance(first, second, kEventCollision, second->object_index);
          Perform_Event_Instance(second, first, kEventCollision, first->object_index);
          if (solid) {
            StepAgain(first);
            StepAgain(second);
            if (first->CollisionInstance(second, 1)) {
              StepBack(first);
              StepBack(second);
            }
          }
        }
        nb = nextB;
      }
      na = nextA;
    }
  }
}

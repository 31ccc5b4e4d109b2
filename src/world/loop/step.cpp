// One step of the world, in its fixed order. After each event stage the
// step ends at once when a room change is pending.
#include "gamefile/options.h"
#include "graphics/device/profiler_services.h"
#include "graphics/particles/particles.h"
#include "platform/device_window.h"
#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/input/input.h"
#include "world/instance/instance.h"
#include "world/loop/dispatch.h"
#include "world/loop/game_loop.h"
#include "world/room/physics_step.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/services/platform_services.h"

namespace {

RoomDrawer g_roomDrawer = nullptr;

bool Cut() { return g_newRoom != kRoomChangeNone; }

template <typename Visit>
void ForEachActive(Visit visit) {
  if (g_currentRoom == nullptr) return;
  for (CInstance* instance = g_currentRoom->active.head; instance != nullptr;) {
    CInstance* next = instance->next;
    visit(instance);
    instance = next;
  }
}

void RememberPreviousPositions() {
  ForEachActive([](CInstance* instance) {
    instance->xprevious = instance->x;
    instance->yprevious = instance->y;
    instance->path_positionprevious = instance->path_position;
  });
}

// image_index advances by image_speed; passing the last image wraps once
// and raises Animation End. An instance without images never wraps.
void Animate() {
  ForEachActive([](CInstance* instance) {
    instance->image_index += instance->image_speed;
    int32_t images = instance->GetImageNumber();
    if (images <= 0) return;
    if (Num_TruncInt32(instance->image_index) >= images) {
      instance->image_index -= static_cast<float>(images);
      Perform_Event_Instance(instance, instance, kEventOther, kOtherAnimationEnd);
    }
  });
}

}  // namespace

void Run_SetRoomDrawer(RoomDrawer drawer) { g_roomDrawer = drawer; }

// A physics room's world moves its instances instead, and its contacts
// stand in for the classic collision events.
bool Run_UpdateMovement() {
  if (g_currentRoom != nullptr && g_currentRoom->physicsWorld != nullptr) {
    PhysicsWorldStep(g_currentRoom, g_currentRoom->speed);
    return true;
  }
  uint64_t serial = g_eventSerial++;
  ForEachActive([serial](CInstance* instance) {
    instance->ApplyFrictionGravity();
    if (instance->UpdatePath() && instance->creationStamp <= serial) {
      Perform_Event_Instance(instance, instance, kEventOther, kOtherPathEnd);
    }
    double x = static_cast<double>(instance->x) + instance->hspeed;
    double y = static_cast<double>(instance->y) + instance->vspeed;
    instance->SetPosition(static_cast<float>(x), static_cast<float>(y));
  });
  return false;
}

// The profiler's markers for the parts of a step (colours 0xAABBGGRR). A
// step cut short leaves its marker open; the frame's end closes it.
constexpr uint32_t kInputMarker = 0xFF00FF00u, kUpdateMarker = 0xFF0000FFu;
constexpr uint32_t kDrawMarker = 0xFF00FFFFu, kScrollMarker = 0xFF008080u;

void Run_Step() {
  Run_MeasureStep();
  const ProfilerServices& profiler = ProfilerServices_Get();
  profiler.begin(kInputMarker, "IO&Vexa");
  IO_Update();
  Services_Tick();
  profiler.end();
  // A game that freezes without the focus does nothing else this step.
  if (Option_On(kOptionFreezeOnLostFocus) && !DeviceWindow_State().active) return;
  profiler.begin(kUpdateMarker, "Update");
  RememberPreviousPositions();
  Run_DispatchStep(1);
  if (Cut()) return;
  Run_DispatchTimelines();
  if (Cut()) return;
  Run_DispatchAlarms();
  if (Cut()) return;
  Run_DispatchKeyboard();
  if (Cut()) return;
  Run_DispatchJoystick();
  if (Cut()) return;
  Run_DispatchMouse();
  if (Cut()) return;
  Run_DispatchStep(0);
  if (Cut()) return;
  bool physics = Run_UpdateMovement();
  if (Cut()) return;
  Run_DispatchBoundary();
  if (Cut()) return;
  Run_DispatchAsync();
  if (Cut()) return;
  if (!physics) Run_DispatchCollisions();
  if (Cut()) return;
  Run_DispatchStep(2);
  if (Cut()) return;
  Particle_System_UpdateAll();
  profiler.end();
  profiler.begin(kDrawMarker, "Draw");
  if (g_currentRoom != nullptr) g_currentRoom->RemoveMarked();
  if (g_automaticDraw == 1 && g_roomDrawer != nullptr) g_roomDrawer();
  profiler.end();
  profiler.begin(kScrollMarker, "Scroll");
  if (g_currentRoom != nullptr) g_currentRoom->ScrollBackgrounds();
  Animate();
  ++g_stepCount;
  Debugger_Refresh();
  profiler.end();
}

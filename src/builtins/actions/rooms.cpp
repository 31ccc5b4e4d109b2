// Room and game actions, alarms, sleeping and time lines. Room changes and
// loads only set the pending room-change code; the frame acts on it after
// the step.
#include <cstdint>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "graphics/device/graphics_start.h"
#include "runtime/timer.h"
#include "world/actions/world_actions.h"
#include "world/draw/room_draw.h"
#include "world/loop/run_state.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"

using actions::Float;

KV_BUILTIN(F_ActionPreviousRoom) { Run_RoomGotoPrevious(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_ActionNextRoom) { Run_RoomGotoNext(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_ActionCurrentRoom) { Run_RoomRestart(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_ActionAnotherRoom) {
  BuiltinArgs a(argc, args);
  Run_RoomGoto(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_ActionIfPreviousRoom) {
  actions::SetBool(result, g_currentRoom != nullptr && g_currentRoomIndex != Room_First());
}

KV_BUILTIN(F_ActionIfNextRoom) {
  actions::SetBool(result, g_currentRoom != nullptr && g_currentRoomIndex != Room_Last());
}

KV_BUILTIN(F_ActionEndGame) { Run_GameEnd(); }
KV_BUILTIN(F_ActionRestartGame) { Run_GameRestart(); }

// The name is kept as given; the load looks for it when it is carried out.
KV_BUILTIN(F_ActionLoadGame) {
  BuiltinArgs a(argc, args);
  g_runValues.loadFileName = a.Text(0);
  g_newRoom = kRoomChangeLoadGame;
}

// Relative counts on from an alarm that runs; one that is off starts anew.
KV_BUILTIN(F_ActionSetAlarm) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const int32_t alarm = a.Int(1);
  const int32_t current = self->GetAlarm(alarm);
  const int32_t steps = a.Int(0);
  if (!actions::Relative() || current < 0) {
    self->SetAlarm(alarm, steps);
    return;
  }
  const int64_t sum = static_cast<int64_t>(current) + steps;
  self->SetAlarm(alarm, sum > INT32_MAX || sum < INT32_MIN ? INT32_MIN : static_cast<int32_t>(sum));
}

KV_BUILTIN(F_ActionSleep) {
  BuiltinArgs a(argc, args);
  if (a.Bool(1)) {
    Room_Draw();
    GR_D3D_Finish_Frame(true);
    GR_D3D_Start_Frame();
  }
  Timer_WaitMicroseconds(Num_RoundInt64(a.Real(0) * 1000.0));
}

KV_BUILTIN(F_ActionSetTimeline) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_index = a.Int(0);
  self->timeline_position = static_cast<float>(a.Int(1));
  self->timeline_running = 1;
}

KV_BUILTIN(F_ActionSetTimelinePosition) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_position = static_cast<float>(Num_RoundInt32(actions::Plus(a, 0, self->timeline_position)));
}

KV_BUILTIN(F_ActionSetTimelineSpeed) {
  if (self != nullptr) self->timeline_speed = actions::PlusFloat(BuiltinArgs(argc, args), 0, self->timeline_speed);
}

// Runs when the start choice rounds to 0; loops only for exactly 1.
KV_BUILTIN(F_ActionTimelineSet) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_index = a.Int(0);
  self->timeline_position = static_cast<float>(a.Int(1));
  self->timeline_running = a.Int(2) == 0 ? 1 : 0;
  self->timeline_loop = a.Int(3) == 1 ? 1 : 0;
}

KV_BUILTIN(F_ActionTimelineStart) {
  if (self != nullptr) self->timeline_running = 1;
}

KV_BUILTIN(F_ActionTimelinePause) {
  if (self != nullptr) self->timeline_running = 0;
}

KV_BUILTIN(F_ActionTimelineStop) {
  if (self == nullptr) return;
  self->timeline_position = 0.0f;
  self->timeline_running = 0;
}

// Room and game actions, alarms, sleeping and time lines. Room changes and
// loads only set the pending room-change code; the frame acts on it after
// the step.
#include <cstdint>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "graphics/start/graphics_start.h"
#include "runtime/timer.h"
#include "world/actions/world_actions.h"
#include "world/draw/room_draw.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"

using actions::Float;

void F_ActionPreviousRoom(KV_BUILTIN_PARAMS) { Run_RoomGotoPrevious(BuiltinArgs(argc, args).Int(0)); }
void F_ActionNextRoom(KV_BUILTIN_PARAMS) { Run_RoomGotoNext(BuiltinArgs(argc, args).Int(0)); }
void F_ActionCurrentRoom(KV_BUILTIN_PARAMS) { Run_RoomRestart(BuiltinArgs(argc, args).Int(0)); }

void F_ActionAnotherRoom(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_RoomGoto(a.Int(0), a.Int(1));
}

void F_ActionIfPreviousRoom(KV_BUILTIN_PARAMS) {
  actions::SetBool(result, g_currentRoom != nullptr && g_currentRoomIndex != Room_First());
}

void F_ActionIfNextRoom(KV_BUILTIN_PARAMS) {
  actions::SetBool(result, g_currentRoom != nullptr && g_currentRoomIndex != Room_Last());
}

void F_ActionEndGame(KV_BUILTIN_PARAMS) { Run_GameEnd(); }
void F_ActionRestartGame(KV_BUILTIN_PARAMS) { Run_GameRestart(); }

// The name is kept as given; the load looks for it when it is carried out.
void F_ActionLoadGame(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_runValues.loadFileName = a.Text(0);
  g_newRoom = kRoomChangeLoadGame;
}

// Relative counts on from an alarm that runs; one that is off starts anew.
void F_ActionSetAlarm(KV_BUILTIN_PARAMS) {
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

void F_ActionSleep(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Bool(1)) {
    Room_Draw();
    GR_D3D_Finish_Frame(true);
    GR_D3D_Start_Frame();
  }
  Timer_WaitMicroseconds(Num_RoundInt64(a.Real(0) * 1000.0));
}

void F_ActionSetTimeline(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_index = a.Int(0);
  self->timeline_position = static_cast<float>(a.Int(1));
  self->timeline_running = 1;
}

void F_ActionSetTimelinePosition(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_position = static_cast<float>(Num_RoundInt32(actions::Plus(a, 0, self->timeline_position)));
}

void F_ActionSetTimelineSpeed(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->timeline_speed = actions::PlusFloat(BuiltinArgs(argc, args), 0, self->timeline_speed);
}

// Runs when the start choice rounds to 0; loops only for exactly 1.
void F_ActionTimelineSet(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->timeline_index = a.Int(0);
  self->timeline_position = static_cast<float>(a.Int(1));
  self->timeline_running = a.Int(2) == 0 ? 1 : 0;
  self->timeline_loop = a.Int(3) == 1 ? 1 : 0;
}

void F_ActionTimelineStart(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->timeline_running = 1;
}

void F_ActionTimelinePause(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->timeline_running = 0;
}

void F_ActionTimelineStop(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  self->timeline_position = 0.0f;
  self->timeline_running = 0;
}

// The global built-in variables of the running script, the room and game,
// and the room's backgrounds and views.
#include <unistd.h>

#include <string>
#include <type_traits>
#include <utility>

#include "files/files.h"
#include "gamefile/game_header.h"
#include "graphics/transition/transition_define.h"
#include "resources/background.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_perform.h"
#include "script/variables/instance_selector.h"
#include "script/variables/variable_registry.h"
#include "world/actions/world_actions.h"
#include "world/draw/room_draw.h"
#include "world/instance/instance.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/variables/builtin_variables.h"
#include "world/variables/builtin_variables_support.h"

namespace builtin_variables {
namespace {

// ---- Arguments and script state ---------------------------------------------

bool GetArgumentArray(CInstance*, int32_t k, ScriptValue* out) {
  ScriptValue_Assign(out, &g_arguments[Element(k, kArgumentSlots)]);
  return true;
}
bool SetArgumentArray(CInstance*, int32_t k, const ScriptValue& v) {
  Code_SetArgument(Element(k, kArgumentSlots), v);
  return true;
}
template <int32_t kSlot>
bool GetArgument(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_Assign(out, &g_arguments[kSlot]);
  return true;
}
template <int32_t kSlot>
bool SetArgument(CInstance*, int32_t, const ScriptValue& v) {
  Code_SetArgument(kSlot, v);
  return true;
}
template <int32_t... kSlots>
void RegisterArgumentSlots(std::integer_sequence<int32_t, kSlots...>) {
  (Variable_BuiltIn_Add(("argument" + std::to_string(kSlots)).c_str(), GetArgument<kSlots>, SetArgument<kSlots>), ...);
}

bool GetRelative(CInstance*, int32_t, ScriptValue* out) { return Real(out, EventCode_Get().relative() ? 1 : 0); }
bool GetArgumentCount(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_argumentCount); }
bool GetDebugMode(CInstance*, int32_t, ScriptValue* out) { return Real(out, (g_gameHeader.flags & 1) == 0); }

void RegisterArguments() {
  Variable_BuiltIn_Add("argument_relative", GetRelative, nullptr);
  Variable_BuiltIn_AddArray("argument", GetArgumentArray, SetArgumentArray);
  RegisterArgumentSlots(std::make_integer_sequence<int32_t, kArgumentSlots>());
  // Settable in name only: without a setter every write is refused.
  Variable_BuiltIn_Add("argument_count", GetArgumentCount, nullptr, true);
  Variable_BuiltIn_Add("debug_mode", GetDebugMode, nullptr, true);
}

// ---- Room and game state ------------------------------------------------------

// The room change `room` asks for; an unknown room quits after the error.
bool GetRoom(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_currentRoomIndex); }
bool SetRoom(CInstance*, int32_t, const ScriptValue& v) {
  Run_RoomGoto(IntOf(v));
  return true;
}
bool GetRoomFirst(CInstance*, int32_t, ScriptValue* out) { return Real(out, Room_First()); }
bool GetRoomLast(CInstance*, int32_t, ScriptValue* out) { return Real(out, Room_Last()); }

bool GetTransitionKind(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.transitionKind); }
// Room transitions are switched off: any kind asked for falls back to 0.
bool SetTransitionKind(CInstance*, int32_t, const ScriptValue& v) {
  g_runValues.transitionKind = IntOf(v);
  g_debugConsole->Output(
      "BUG: Room transitions don't function well - setting to 0 - look at Variable_BuiltIn SV_TransitionKind() .\n");
  g_runValues.transitionKind = 0;
  return true;
}
bool GetTransitionSteps(CInstance*, int32_t, ScriptValue* out) { return Real(out, GR_Transition_Get_Steps()); }
bool SetTransitionSteps(CInstance*, int32_t, const ScriptValue& v) {
  GR_Transition_Set_Steps(IntOf(v));
  return true;
}

bool GetScore(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.score); }
bool SetScore(CInstance*, int32_t, const ScriptValue& v) {
  g_runValues.score = IntOf(v);
  return true;
}
bool GetLives(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.lives); }
bool SetLives(CInstance*, int32_t, const ScriptValue& v) {
  Run_SetLives(IntOf(v));
  return true;
}
bool GetHealth(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.health); }
bool SetHealth(CInstance*, int32_t, const ScriptValue& v) {
  Run_SetHealth(v.real);
  return true;
}

bool GetGameId(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_gameId); }
bool GetGameGuid(CInstance*, int32_t, ScriptValue* out) { return Text(out, ""); }
bool GetWorkingDirectory(CInstance*, int32_t, ScriptValue* out) { return Text(out, Variable_WorkingDirectory()); }
bool GetTempDirectory(CInstance*, int32_t, ScriptValue* out) {
  char* folder = File_GetTempDirectory();
  Text(out, folder);
  MemoryManager::Free(folder);
  return true;
}
bool GetProgramDirectory(CInstance*, int32_t, ScriptValue* out) {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string folder = length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
  size_t slash = folder.rfind('/');
  return Text(out, slash == std::string::npos ? "" : folder.substr(0, slash).c_str());
}

bool GetInstanceCount(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, g_currentRoom != nullptr ? g_currentRoom->active.count : 0);
}
// The k-th instance from the head of the active list.
bool GetInstanceId(CInstance*, int32_t k, ScriptValue* out) {
  if (g_currentRoom == nullptr || k < 0 || k >= g_currentRoom->active.count) return Real(out, kInstanceNoone);
  CInstance* instance = g_currentRoom->active.head;
  for (int32_t i = 0; i < k && instance != nullptr; ++i) instance = instance->next;
  return Real(out, instance != nullptr ? instance->id : kInstanceNoone);
}

// Reads and writes of the current room's settings; without a room reads
// give 0 and writes change nothing.
template <auto kField>
bool GetRoomField(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, g_currentRoom != nullptr ? static_cast<double>(g_currentRoom->*kField) : 0.0);
}

template <typename T>
void Store(T* field, const ScriptValue& v) {
  if constexpr (std::is_same_v<T, float>) {
    *field = FloatOf(v);
  } else if constexpr (std::is_same_v<T, bool>) {
    *field = FlagOf(v) != 0;
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    *field = FlagOf(v);
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    *field = static_cast<uint32_t>(IntOf(v));
  } else {
    *field = IntOf(v);
  }
}
template <auto kField>
bool SetRoomField(CInstance*, int32_t, const ScriptValue& v) {
  if (g_currentRoom != nullptr) Store(&(g_currentRoom->*kField), v);
  return true;
}

bool GetRoomCaption(CInstance*, int32_t, ScriptValue* out) {
  return Text(out, g_currentRoom != nullptr ? g_currentRoom->caption : "");
}
bool SetRoomCaption(CInstance*, int32_t, const ScriptValue& v) {
  if (g_currentRoom != nullptr) RunValues_SetCaption(&g_currentRoom->caption, ScriptValue_Text(v));
  return true;
}
bool SetRoomSpeed(CInstance*, int32_t, const ScriptValue& v) {
  int32_t speed = IntOf(v);
  if (speed <= 0) {
    Error_Show("Trying to set the room speed to a value <= 0.", false);
    return false;
  }
  if (g_currentRoom != nullptr) g_currentRoom->speed = speed;
  return true;
}

void RegisterRoomAndGame() {
  Variable_BuiltIn_Add("room", GetRoom, SetRoom);
  Variable_BuiltIn_Add("room_first", GetRoomFirst, nullptr);
  Variable_BuiltIn_Add("room_last", GetRoomLast, nullptr);
  Variable_BuiltIn_Add("transition_kind", GetTransitionKind, SetTransitionKind);
  Variable_BuiltIn_Add("transition_steps", GetTransitionSteps, SetTransitionSteps);
  Variable_BuiltIn_Add("score", GetScore, SetScore);
  Variable_BuiltIn_Add("lives", GetLives, SetLives);
  Variable_BuiltIn_Add("health", GetHealth, SetHealth);
  Variable_BuiltIn_Add("game_id", GetGameId, nullptr);
  Variable_BuiltIn_Add("game_guid", GetGameGuid, nullptr);
  Variable_BuiltIn_Add("working_directory", GetWorkingDirectory, nullptr);
  Variable_BuiltIn_Add("temp_directory", GetTempDirectory, nullptr);
  Variable_BuiltIn_Add("program_directory", GetProgramDirectory, nullptr);
  Variable_BuiltIn_Add("instance_count", GetInstanceCount, nullptr);
  Variable_BuiltIn_AddArray("instance_id", GetInstanceId, nullptr);
  Variable_BuiltIn_Add("room_width", GetRoomField<&CRoom::width>, nullptr);
  Variable_BuiltIn_Add("room_height", GetRoomField<&CRoom::height>, nullptr);
  Variable_BuiltIn_Add("room_caption", GetRoomCaption, SetRoomCaption);
  Variable_BuiltIn_Add("room_speed", GetRoomField<&CRoom::speed>, SetRoomSpeed);
  Variable_BuiltIn_Add("room_persistent", GetRoomField<&CRoom::persistent>, SetRoomField<&CRoom::persistent>);
}

// ---- Backgrounds and views: element k of the room's eight ------------------

template <auto kLayers, auto kField>
bool GetLayer(CInstance*, int32_t k, ScriptValue* out) {
  if (g_currentRoom == nullptr) return Real(out, 0.0);
  return Real(out, static_cast<double>((g_currentRoom->*kLayers)[Element(k, kRoomLayers)].*kField));
}
template <auto kLayers, auto kField>
bool SetLayer(CInstance*, int32_t k, const ScriptValue& v) {
  if (g_currentRoom != nullptr) Store(&((g_currentRoom->*kLayers)[Element(k, kRoomLayers)].*kField), v);
  return true;
}
template <auto kField>
void AddBackground(const char* name, bool settable = true) {
  Variable_BuiltIn_AddArray(name, GetLayer<&CRoom::backgrounds, kField>,
                            settable ? SetLayer<&CRoom::backgrounds, kField> : nullptr);
}
template <auto kField>
void AddView(const char* name) {
  Variable_BuiltIn_AddArray(name, GetLayer<&CRoom::views, kField>, SetLayer<&CRoom::views, kField>);
}

bool GetBackgroundColour(CInstance*, int32_t, ScriptValue* out) {
  return Colour(out, g_currentRoom != nullptr ? g_currentRoom->colour : 0);
}
// The size of the background resource a layer shows; 0 for none.
template <int32_t (CBackground::*kMeasure)() const>
bool GetBackgroundSize(CInstance*, int32_t k, ScriptValue* out) {
  if (g_currentRoom == nullptr) return Real(out, 0.0);
  const CBackground* background = Background_Get(g_currentRoom->backgrounds[Element(k, kRoomLayers)].index);
  return Real(out, background != nullptr ? (background->*kMeasure)() : 0);
}

void RegisterBackgrounds() {
  Variable_BuiltIn_Add("background_color", GetBackgroundColour, SetRoomField<&CRoom::colour>);
  Variable_BuiltIn_Add("background_showcolor", GetRoomField<&CRoom::showColour>, SetRoomField<&CRoom::showColour>);
  AddBackground<&CRoomBackground::visible>("background_visible");
  AddBackground<&CRoomBackground::foreground>("background_foreground");
  AddBackground<&CRoomBackground::index>("background_index");
  AddBackground<&CRoomBackground::x>("background_x");
  AddBackground<&CRoomBackground::y>("background_y");
  Variable_BuiltIn_AddArray("background_width", GetBackgroundSize<&CBackground::GetWidth>, nullptr);
  Variable_BuiltIn_AddArray("background_height", GetBackgroundSize<&CBackground::GetHeight>, nullptr);
  AddBackground<&CRoomBackground::tileHorizontal>("background_htiled");
  AddBackground<&CRoomBackground::tileVertical>("background_vtiled");
  AddBackground<&CRoomBackground::xscale>("background_xscale");
  AddBackground<&CRoomBackground::yscale>("background_yscale");
  AddBackground<&CRoomBackground::hspeed>("background_hspeed");
  AddBackground<&CRoomBackground::vspeed>("background_vspeed");
  AddBackground<&CRoomBackground::blend>("background_blend");
  AddBackground<&CRoomBackground::alpha>("background_alpha");
}

bool GetViewCurrent(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_currentView); }

void RegisterViews() {
  Variable_BuiltIn_Add("view_enabled", GetRoomField<&CRoom::viewsEnabled>, SetRoomField<&CRoom::viewsEnabled>);
  Variable_BuiltIn_Add("view_current", GetViewCurrent, nullptr);
  AddView<&CView::visible>("view_visible");
  AddView<&CView::viewX>("view_xview");
  AddView<&CView::viewY>("view_yview");
  AddView<&CView::viewWidth>("view_wview");
  AddView<&CView::viewHeight>("view_hview");
  AddView<&CView::portX>("view_xport");
  AddView<&CView::portY>("view_yport");
  AddView<&CView::portWidth>("view_wport");
  AddView<&CView::portHeight>("view_hport");
  AddView<&CView::angle>("view_angle");
  AddView<&CView::borderHorizontal>("view_hborder");
  AddView<&CView::borderVertical>("view_vborder");
  AddView<&CView::hspeed>("view_hspeed");
  AddView<&CView::vspeed>("view_vspeed");
  AddView<&CView::followedObject>("view_object");
  AddView<&CView::surface>("view_surface_id");
}

}  // namespace

void RegisterGlobalWorld() {
  RegisterArguments();
  RegisterRoomAndGame();
  RegisterBackgrounds();
  RegisterViews();
}

}  // namespace builtin_variables

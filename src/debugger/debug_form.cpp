#include "debugger/debug_form.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "files/ini_file.h"
#include "graphics/device/batcher.h"
#include "resources/sprite.h"
#include "runtime/console.h"
#include "runtime/numeric.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "shell/dialogs.h"
#include "shell/window.h"
#include "world/actions/world_actions.h"
#include "world/input/input.h"
#include "world/instance/instance.h"
#include "world/loop/game_loop.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"
#include "world/variables/builtin_variables.h"

CDebugForm* g_debugForm = nullptr;

namespace {

constexpr const char* kSettingsFile = "Debug.ini";
constexpr const char* kFormSection = "DebugForm";
constexpr const char* kUnable = "Unable to evaluate";
constexpr int32_t kVkControl = 17;
constexpr const char* kPlacementKeys[4] = {"left", "top", "right", "bottom"};

// mouse_button is listed twice on purpose: the pane has always shown it so.
constexpr const char* kGlobalNames[] = {"mouse_x",
                                        "mouse_y",
                                        "mouse_button",
                                        "mouse_button",
                                        "mouse_lastbutton",
                                        "keyboard_key",
                                        "keyboard_lastkey",
                                        "keyboard_lastchar",
                                        "keyboard_string",
                                        "score",
                                        "lives",
                                        "health",
                                        "room",
                                        "room_width",
                                        "room_height",
                                        "room_speed",
                                        "room_persistent",
                                        "cursor_sprite",
                                        "working_directory",
                                        "temp_directory",
                                        "program_directory",
                                        "secure_mode",
                                        "error_occurred",
                                        "error_last"};

// The instance variables shown before the physics ones.
constexpr const char* kInstanceNames[] = {"x",
                                          "y",
                                          "direction",
                                          "speed",
                                          "hspeed",
                                          "vspeed",
                                          "friction",
                                          "gravity",
                                          "gravity_direction",
                                          "id",
                                          "object_index",
                                          "sprite_index",
                                          "image_index",
                                          "image_angle",
                                          "image_speed",
                                          "image_scale",
                                          "image_alpha",
                                          "mask_index",
                                          "solid",
                                          "visible",
                                          "persistent",
                                          "depth",
                                          "path_index",
                                          "path_position",
                                          "path_orientation",
                                          "path_scale"};

bool Whole(double value) { return std::fabs(value - std::round(value)) < 1e-12; }

// The number n of a key written "Watch%d" with n >= 0 (no sign, no leading
// zero), or -1 for any other key.
int32_t WatchNumber(const char* key) {
  constexpr size_t kPrefix = 5;
  if (std::strncmp(key, "Watch", kPrefix) != 0) return -1;
  const char* digits = key + kPrefix;
  if (*digits == '\0' || (digits[0] == '0' && digits[1] != '\0')) return -1;
  int64_t n = 0;
  for (const char* p = digits; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return -1;
    n = n * 10 + (*p - '0');
    if (n > INT32_MAX) return -1;
  }
  return static_cast<int32_t>(n);
}

// The first `count` watch expressions of keys Watch0, Watch1, ..., missing
// numbers skipped. Only keys the section holds are visited, so no count
// makes the reading long; of two keys of one name the one a lookup finds
// is taken.
std::vector<std::string> SavedWatches(IniSection* section, int32_t count) {
  std::map<int32_t, const char*> byNumber;
  for (IniKey* key = section == nullptr ? nullptr : section->keys; key != nullptr; key = key->next) {
    const int32_t n = WatchNumber(key->key);
    if (n >= 0 && key->value != nullptr) byNumber.emplace(n, key->value);
  }
  std::vector<std::string> expressions;
  for (const auto& [n, expression] : byNumber) {
    if (static_cast<int32_t>(expressions.size()) >= count) break;
    expressions.emplace_back(expression);
  }
  return expressions;
}

// A built-in variable by name, read for an instance; "" when unknown.
std::string BuiltinValue(const char* name, CInstance* instance) {
  int32_t index = Variable_BuiltIn_Find(name);
  const BuiltinVariableRecord* record = index < 0 ? nullptr : Variable_BuiltIn_Get(index);
  if (record == nullptr || record->getter == nullptr) return std::string();
  ScriptValue value;
  std::string text;
  if (record->getter(instance, 0, &value)) Debug_FormatValue(&text, value);
  ScriptValue_Release(&value);
  return text;
}

void AddVariableRows(CDebugPane* pane, const CVariableList& list) {
  list.ForEach([pane](const VariableNode& node) {
    std::string text;
    Debug_FormatValue(&text, node.value);
    pane->columns[0].push_back(Code_Variable_GetName(node.id));
    pane->columns[1].push_back(text);
  });
}

// The room's live instance with this id, or null.
CInstance* RoomInstance(int32_t id) {
  if (g_currentRoom == nullptr) return nullptr;
  for (CInstance* instance = g_currentRoom->active.head; instance != nullptr; instance = instance->next)
    if (instance->id == id && instance->markedForDeletion == 0) return instance;
  return nullptr;
}

void ClearColumns(CDebugPane* pane) {
  for (auto& column : pane->columns) column.clear();
}

}  // namespace

void Debug_FormatValue(std::string* out, const ScriptValue& value) {
  if (value.kind == kValueString) {
    *out = ScriptValue_Text(value);
    return;
  }
  const double v = value.real;
  if (Whole(v)) {
    // Whole values beyond 32 bits keep every digit.
    *out = Error_Format("%.0f", std::round(v));
    if (*out == "-0") *out = "0";
    return;
  }
  static const struct {
    double scale;
    const char* format;
  } kSteps[] = {{1e2, "%.2f"}, {1e4, "%.4f"}, {1e6, "%.6f"}, {1e8, "%.8f"}};
  for (const auto& step : kSteps) {
    if (Whole(v * step.scale)) {
      *out = Error_Format(step.format, v);
      return;
    }
  }
  *out = Error_Format("%10.10f", v);
}

void Debug_Output(const char* text) {
  if (g_debugForm != nullptr) g_debugForm->AddMessage(text);
}

CDebugForm::~CDebugForm() {
  delete settings;
  delete evaluationInstance;
}

void CDebugForm::Create() {
  delete settings;
  settings = g_debugMode ? new CIniFile(kSettingsFile, false) : nullptr;
  settingsLoaded = 0;
  shown = 0;
  watches.clear();
  selectedWatch = 0;
  fpsChecked = (g_runFlags.overlayFlags & 2) != 0;
  static const struct {
    int32_t count;
    int32_t ids[3];
    const char* section;
  } kPanes[] = {{2, {1059, 1008, 0}, "GlobalsWindow"},
                {3, {1075, 1076, 1074}, "InstancesWindow"},
                {1, {1077, 0, 0}, "MessagesWindow"}};
  for (int32_t i = 0; i < kPaneCount; ++i) {
    CDebugPane& pane = panes[i];
    pane = CDebugPane();
    if (i < kPaneFirstLocals) {
      pane.listCount = kPanes[i].count;
      std::memcpy(pane.listIds, kPanes[i].ids, sizeof pane.listIds);
      pane.sectionName = kPanes[i].section;
    } else if (i < kPaneFirstLocals + kPaneLocalsCount) {
      pane.listCount = 2;
      pane.listIds[0] = 1078;
      pane.listIds[1] = 1079;
      pane.sectionName = Error_Format("LocalsWindow%d", i);
    }
  }
  panes[kPaneMessages].visible = 1;
  created = 1;
}

void CDebugForm::Show(bool flag) { shown = flag ? 1 : 0; }

void CDebugForm::LoadSettings() {
  settingsLoaded = 1;
  shown = 1;
  if (evaluationInstance == nullptr) evaluationInstance = new CInstance(0.0f, 0.0f, 0, -1, false);
  if (settings == nullptr) return;
  if (std::strcmp(settings->ReadString(kFormSection, "FPSVisible", "true"), "false") == 0) {
    g_runFlags.overlayFlags &= ~2;
    fpsChecked = false;
  }
  for (int32_t i = 0; i < kPaneCount; ++i) {
    CDebugPane& pane = panes[i];
    const char* section = pane.sectionName.c_str();
    if (settings->FindSection(section) == nullptr) continue;
    pane.visible = std::strcmp(settings->ReadString(section, "Visible", ""), "true") == 0 ? 1 : 0;
    for (int32_t k = 0; k < 4; ++k) pane.placement[k] = settings->ReadInt(section, kPlacementKeys[k], 0);
    if (i >= kPaneFirstLocals && i < kPaneFirstLocals + kPaneLocalsCount && pane.visible != 0)
      pane.instanceId = settings->ReadInt(section, "InstanceID", -1);
  }
  const int32_t count = settings->ReadInt(kFormSection, "NumWatches", 0);
  for (std::string& expression : SavedWatches(settings->FindSection(kFormSection), count))
    watches.push_back({std::move(expression), std::string()});
}

void CDebugForm::Refresh() {
  if (g_running == 0 || g_currentRoom == nullptr || created == 0 || !g_debugMode) return;
  if (settingsLoaded == 0) LoadSettings();
  if (shown != 0) {
    RefreshTexts();
    EvaluateWatches();
  }
  RefreshPanes();
}

void CDebugForm::RefreshTexts() {
  roomSpeedText = Error_Format("Room Speed: %d", g_currentRoom == nullptr ? 0 : g_currentRoom->speed);
  fpsText = Error_Format("FPS: %d", g_fps);
  texSwapsText = Error_Format("Num Tex Swaps: %d", g_textureSwaps);
  vertexBatchesText = Error_Format("Num Vertex Batches: %d", g_vertexBatches);
  instanceCountText = Error_Format("inst: %d", g_currentRoom == nullptr ? 0 : g_currentRoom->active.count);
  RefreshMouseId();
}

void CDebugForm::RefreshMouseId() {
  MouseIdAt(static_cast<float>(Win_GetDeviceMouseX(0)), static_cast<float>(Win_GetDeviceMouseY(0)));
}

void CDebugForm::MouseIdAt(float x, float y) {
  mouseIdText = "mouse id: ";
  if (g_currentRoom == nullptr) return;
  for (CInstance* instance = g_currentRoom->active.head; instance != nullptr; instance = instance->next) {
    if (instance->markedForDeletion != 0 || !instance->CollisionPoint(x, y, 1)) continue;
    mouseIdText += std::to_string(instance->id);
    // Ctrl+click on an instance shows its locals.
    if (IO_GetCurrentButton(0) > 0 && IO_KeyDown(kVkControl)) ShowLocals(instance->id);
    return;
  }
}

void CDebugForm::EvaluateWatches() {
  if (evaluationInstance == nullptr) evaluationInstance = new CInstance(0.0f, 0.0f, 0, -1, false);
  const bool showDialog = g_runFlags.showErrorDialog;
  const bool evaluating = g_runFlags.debuggerEvaluating;
  const bool occurred = Error_Occurred();
  const std::string last = Error_Last();
  g_runFlags.showErrorDialog = false;
  g_runFlags.debuggerEvaluating = true;
  for (DebugWatch& watch : watches) {
    auto* code = new CCode(watch.expression.c_str(), true);
    watch.value = kUnable;
    if (code->Compile("watch")) {
      Error_SetOccurred(false);
      ScriptValue result;
      if (Code_Execute(evaluationInstance, evaluationInstance, code, &result) && !Error_Occurred())
        Debug_FormatValue(&watch.value, result);
      ScriptValue_Release(&result);
    }
    Code_Error_Clear();
    delete code;
  }
  g_runFlags.showErrorDialog = showDialog;
  g_runFlags.debuggerEvaluating = evaluating;
  Error_SetOccurred(occurred);
  Error_SetLast(last.empty() ? nullptr : last.c_str());
  if (selectedWatch > static_cast<int32_t>(watches.size())) selectedWatch = static_cast<int32_t>(watches.size());
}

void CDebugForm::RefreshPanes() {
  for (int32_t i = 0; i < kPaneFirstLocals + kPaneLocalsCount; ++i) {
    CDebugPane* pane = &panes[i];
    if (pane->visible == 0 || i == kPaneMessages) continue;
    if (i == kPaneGlobals)
      FillGlobals(pane);
    else if (i == kPaneInstances)
      FillInstances(pane);
    else
      FillLocals(pane);
  }
}

void CDebugForm::FillGlobals(CDebugPane* pane) {
  ClearColumns(pane);
  for (const char* name : kGlobalNames) {
    pane->columns[0].push_back(name);
    pane->columns[1].push_back(BuiltinValue(name, evaluationInstance));
  }
  if (g_globalScope.list != nullptr) AddVariableRows(pane, *g_globalScope.list);
}

void CDebugForm::FillInstances(CDebugPane* pane) {
  ClearColumns(pane);
  if (g_currentRoom == nullptr) return;
  for (CInstance* instance = g_currentRoom->active.head; instance != nullptr; instance = instance->next) {
    pane->columns[0].push_back(std::to_string(instance->id));
    pane->columns[1].push_back(Object_GetName(instance->object_index));
    const char* sprite = Sprite_GetName(instance->sprite_index);
    pane->columns[2].push_back(sprite == nullptr ? "" : sprite);
  }
}

void CDebugForm::FillLocals(CDebugPane* pane) {
  ClearColumns(pane);
  CInstance* instance = RoomInstance(pane->instanceId);
  const char* object = instance == nullptr ? nullptr : Object_GetName(instance->object_index);
  pane->title = Error_Format("Instance Var: %s (%d)", instance == nullptr || object == nullptr ? "Unknown" : object,
                             instance == nullptr ? -1 : instance->id);
  if (instance == nullptr) return;
  for (const char* name : kInstanceNames) {
    pane->columns[0].push_back(name);
    pane->columns[1].push_back(BuiltinValue(name, instance));
  }
  for (int32_t i = 0; i < kBuiltinPhysicsCount; ++i) {
    const char* name = BuiltinVariables_PhysicsName(i);
    pane->columns[0].push_back(name);
    pane->columns[1].push_back(BuiltinValue(name, instance));
  }
  if (instance->locals != nullptr) AddVariableRows(pane, *instance->locals);
}

void CDebugForm::AddMessage(const char* text) {
  const char* line = text == nullptr ? "" : text;
  int kept = Console_CutAtCodePoint(line, static_cast<int>(std::strlen(line)), kDebugMessageLimit);
  auto& rows = panes[kPaneMessages].columns[0];
  rows.insert(rows.begin(), std::string(line, static_cast<size_t>(kept)));
}

void CDebugForm::AddWatch(const std::string& expression) {
  watches.push_back({expression, std::string()});
  EvaluateWatches();
}

void CDebugForm::DeleteSelectedWatch() {
  if (selectedWatch < 0 || selectedWatch >= static_cast<int32_t>(watches.size())) return;
  watches.erase(watches.begin() + selectedWatch);
  if (selectedWatch > 0 && selectedWatch >= static_cast<int32_t>(watches.size())) --selectedWatch;
}

bool CDebugForm::ShowLocals(int32_t instanceId) {
  CDebugPane* use = nullptr;
  for (int32_t i = kPaneFirstLocals; i < kPaneFirstLocals + kPaneLocalsCount && use == nullptr; ++i)
    if (panes[i].visible != 0 && panes[i].instanceId == instanceId) use = &panes[i];
  for (int32_t i = kPaneFirstLocals; i < kPaneFirstLocals + kPaneLocalsCount && use == nullptr; ++i)
    if (panes[i].visible == 0) use = &panes[i];
  if (use == nullptr) return false;
  use->instanceId = instanceId;
  FillLocals(use);
  use->visible = 1;
  return true;
}

void CDebugForm::AskLocals() {
  std::string answer;
  if (!InputQuery_GetString("Showing Local Variables.", "Please provide the instance id or object name.", "", &answer))
    return;
  int32_t id = Num_TruncInt32(Num_ParseReal(answer.c_str()));
  if (id == 0 && (answer.empty() || answer[0] != '0')) {
    int32_t object = Object_Find(answer.c_str());
    id = -1;
    if (object >= 0 && g_currentRoom != nullptr)
      for (CInstance* instance = g_currentRoom->active.head; instance != nullptr; instance = instance->next)
        if (instance->object_index == object && instance->markedForDeletion == 0) {
          id = instance->id;
          break;
        }
  }
  ShowLocals(id);
}

void CDebugForm::PaneRowActivated(int32_t index, int32_t row) {
  if (index < 0 || index >= kPaneFirstLocals + kPaneLocalsCount) return;
  CDebugPane& pane = panes[index];
  if (row < 0 || row >= static_cast<int32_t>(pane.columns[0].size())) return;
  const std::string& first = pane.columns[0][static_cast<size_t>(row)];
  if (index == kPaneGlobals) {
    AddWatch(first);
  } else if (index == kPaneInstances) {
    int32_t id = std::atoi(first.c_str());
    if (RoomInstance(id) != nullptr) ShowLocals(id);
  } else if (index >= kPaneFirstLocals) {
    AddWatch(Error_Format("(%d).%s", pane.instanceId, first.c_str()));
  }
}

void CDebugForm::Command(int32_t id) {
  std::string text;
  switch (id) {
    case kDebugRun:
    case kDebugPause:
    case kDebugStep:
    case kDebugRestart:
    case kDebugStop: pending_ = id; return;
    case kDebugAddWatch:
      if (InputQuery_GetString("Provide an expression", "Please type in the expression", "", &text) && !text.empty())
        AddWatch(text);
      return;
    case kDebugChangeWatch:
      if (selectedWatch < 0 || selectedWatch >= static_cast<int32_t>(watches.size())) return;
      if (InputQuery_GetString("Provide an expression.", "Please type in the expression",
                               watches[static_cast<size_t>(selectedWatch)].expression.c_str(), &text) &&
          !text.empty()) {
        watches[static_cast<size_t>(selectedWatch)].expression = text;
        EvaluateWatches();
      }
      return;
    case kDebugDeleteWatch: DeleteSelectedWatch(); return;
    case kDebugClearWatches:
      watches.clear();
      selectedWatch = 0;
      return;
    case kDebugToggleGlobals:
    case kDebugToggleInstances:
    case kDebugToggleMessages: {
      int32_t pane = id == kDebugToggleGlobals     ? kPaneGlobals
                     : id == kDebugToggleInstances ? kPaneInstances
                                                   : kPaneMessages;
      panes[pane].visible = panes[pane].visible != 0 ? 0 : 1;
      if (panes[pane].visible != 0) RefreshPanes();
      return;
    }
    case kDebugShowLocals: AskLocals(); return;
    case kDebugFpsCheckBox:
      fpsChecked = !fpsChecked;
      if (fpsChecked)
        g_runFlags.overlayFlags |= 2;
      else
        g_runFlags.overlayFlags &= ~2;
      return;
    default: return;
  }
}

void CDebugForm::RunPendingCommand() {
  const int32_t id = pending_;
  pending_ = 0;
  // A restart ends the game, which closes and deletes this form: nothing
  // here may touch the form after the command.
  Debug_RunControl(id);
}

void Debug_RunControl(int32_t id) {
  switch (id) {
    case kDebugRun:
      if (g_running == 0 || g_paused == 0) return;
      Run_Start();
      if (g_running == 0) Run_Stop();
      return;
    case kDebugPause:
      if (g_running != 0 && g_paused == 0) Run_Pause();
      return;
    case kDebugStep: Run_StepIfPaused(); return;
    case kDebugRestart:
      if (g_running == 0) return;
      if (g_debugForm != nullptr) g_debugForm->Show(false);
      Run_GameRestart();
      if (g_paused != 0) {
        Run_Start();
        Run_Frame();
      }
      return;
    case kDebugStop:
      if (g_running != 0) Run_Stop();
      return;
    default: return;
  }
}

void CDebugForm::Close() {
  shown = 0;
  if (g_paused != 0) {
    // Resuming a game that has ended would start it again during shutdown:
    // only a running game resumes.
    if (g_running != 0)
      Run_Start();
    else
      g_paused = 0;
  }
  if (settings != nullptr) {
    settings->WriteString(kFormSection, "FPSVisible", (g_runFlags.overlayFlags & 2) != 0 ? "true" : "false");
    int32_t count = 0;
    for (const DebugWatch& watch : watches) {
      if (watch.expression.empty()) continue;
      settings->WriteString(kFormSection, Error_Format("Watch%d", count).c_str(), watch.expression.c_str());
      ++count;
    }
    settings->WriteString(kFormSection, "NumWatches", std::to_string(count).c_str());
    for (const CDebugPane& pane : panes) {
      const char* section = pane.sectionName.c_str();
      if (pane.visible != 0) {
        settings->WriteString(section, "Visible", "true");
        for (int32_t k = 0; k < 4; ++k)
          settings->WriteString(section, kPlacementKeys[k], std::to_string(pane.placement[k]).c_str());
        settings->WriteString(section, "InstanceID", std::to_string(pane.instanceId).c_str());
      } else {
        settings->WriteString(section, "Visible", "false");
      }
    }
    settings->Flush();
    delete settings;
    settings = nullptr;
  }
  for (CDebugPane& pane : panes) ClearColumns(&pane);
  created = 0;
}

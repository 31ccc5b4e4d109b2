// The debugger form's model: watches, the ten panes, the form's texts, the
// settings in Debug.ini and every command by its id. It knows no window
// system: it makes texts and rows, and a view (or a test) shows them and
// hands commands back. Without a view it runs in full.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/script_value.h"

class CIniFile;
class CInstance;

// Command ids of the toolbar and the form.
constexpr int32_t kDebugRun = 32771;
constexpr int32_t kDebugPause = 32772;
constexpr int32_t kDebugStep = 32773;
constexpr int32_t kDebugRestart = 32774;
constexpr int32_t kDebugStop = 32775;
constexpr int32_t kDebugAddWatch = 32776;
constexpr int32_t kDebugDeleteWatch = 32777;
constexpr int32_t kDebugClearWatches = 32778;
constexpr int32_t kDebugChangeWatch = 32779;
constexpr int32_t kDebugToggleGlobals = 32786;
constexpr int32_t kDebugShowLocals = 32787;
constexpr int32_t kDebugToggleInstances = 32788;
constexpr int32_t kDebugToggleMessages = 32789;
// The frame-rate check box: flips bit 0x2 of the overlay flags.
constexpr int32_t kDebugFpsCheckBox = 1081;

// Pane roles by index.
constexpr int32_t kPaneGlobals = 0;
constexpr int32_t kPaneInstances = 1;
constexpr int32_t kPaneMessages = 2;
constexpr int32_t kPaneFirstLocals = 3;
constexpr int32_t kPaneLocalsCount = 6;
constexpr int32_t kPaneCount = 10;  // the last takes part in the settings only

// Longest console line the messages pane keeps, in bytes.
constexpr int32_t kDebugMessageLimit = 4095;

struct DebugWatch {
  std::string expression;
  std::string value;
};

struct CDebugPane {
  int32_t listCount = 0;
  int32_t listIds[3] = {};
  std::string sectionName;
  // left, top, right, bottom as the view placed it (or Debug.ini gave it).
  int32_t placement[4] = {};
  int32_t instanceId = -1;
  uint8_t visible = 0;
  // Locals panes: "Instance Var: name (id)".
  std::string title;
  // One column per list, rows side by side.
  std::vector<std::string> columns[3];
};

class CDebugForm {
 public:
  CDebugForm() = default;
  ~CDebugForm();
  CDebugForm(const CDebugForm&) = delete;
  CDebugForm& operator=(const CDebugForm&) = delete;

  void Create();
  // Only while the game runs with a room and debug mode is on.
  void Refresh();
  // Writes the settings and closes the panes; a paused game is resumed.
  void Close();
  void Show(bool shown);
  // Carries out a command. Watch and pane commands act at once; run
  // control is kept until the main loop's pump between frames (scripts
  // pump too, inside sleep and modal dialogs, where a step must not run).
  void Command(int32_t id);
  // Carries out the kept run-control command, if any.
  void RunPendingCommand();
  int32_t PendingCommand() const { return pending_; }

  // Adds a watch and re-evaluates the list.
  void AddWatch(const std::string& expression);
  void EvaluateWatches();
  // Fills the locals pane for an instance (the one already showing it, else
  // the first hidden one); false when all six are shown.
  bool ShowLocals(int32_t instanceId);
  // Double-clicks on a pane's row.
  void PaneRowActivated(int32_t pane, int32_t row);
  void DeleteSelectedWatch();

  void RefreshPanes();
  void RefreshTexts();
  void AddMessage(const char* text);
  // "mouse id: " and the first live instance under the pointer, if any.
  void RefreshMouseId();
  void MouseIdAt(float roomX, float roomY);

  std::vector<DebugWatch> watches;
  int32_t selectedWatch = 0;
  CDebugPane panes[kPaneCount];
  uint8_t settingsLoaded = 0;
  uint8_t shown = 0;
  uint8_t created = 0;
  CInstance* evaluationInstance = nullptr;
  CIniFile* settings = nullptr;

  std::string roomSpeedText, fpsText, texSwapsText, vertexBatchesText, instanceCountText, mouseIdText;
  bool fpsChecked = false;

 private:
  void LoadSettings();
  void FillGlobals(CDebugPane* pane);
  void FillInstances(CDebugPane* pane);
  void FillLocals(CDebugPane* pane);
  void AskLocals();
  int32_t pending_ = 0;
};

extern CDebugForm* g_debugForm;

// The text of a script value for the panes: a string as it is; a real with
// the fewest of 0, 2, 4, 6 or 8 decimals that hold it within 1e-12, else 10.
void Debug_FormatValue(std::string* out, const ScriptValue& value);
// A console line into the messages pane, newest first.
void Debug_Output(const char* text);
// Carries out a run-control command (Run, Pause, Step, Restart, Stop) when
// the game's state allows it; otherwise nothing happens.
void Debug_RunControl(int32_t id);
// Installs the form into the world's debugger seam (the player, "-debug").
void Debugger_Install();

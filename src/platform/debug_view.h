// The debugger's window: one desktop window titled "Debugger" with its own
// GL and ImGui contexts, drawn when asked. It shows what it is given (the
// toolbar, the form's texts and check box, the watch list and the panes as
// movable, closable windows inside it) and hands back what the user did as
// actions; it knows nothing of what they mean.
//
// Its window's events are taken from the desktop pump by an event filter
// (so the game never sees them) and are fed to it at its next draw. The GL
// context and ImGui context current before a draw are current after it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

struct DebugViewRect {
  float left = 0, top = 0, right = 0, bottom = 0;
};

struct DebugViewButton {
  int32_t command = 0;
  const char* label = "";
};

struct DebugViewPane {
  std::string title;
  bool visible = false;
  // left, top, right, bottom inside the window; all 0: placed by the view.
  // A draw writes back where the pane stands.
  int32_t placement[4] = {};
  // Rows side by side: one column per list.
  int32_t columnCount = 1;
  const std::vector<std::string>* columns[3] = {};
  // Rows copied by Ctrl+C while the pane has the focus.
  bool copyable = false;
};

struct DebugViewContent {
  std::vector<DebugViewButton> toolbar;
  // Commands shown as buttons under the toolbar (the panes' switches).
  std::vector<DebugViewButton> paneButtons;
  std::vector<std::string> texts;
  const char* checkBoxLabel = "";
  int32_t checkBoxCommand = 0;
  bool checkBoxChecked = false;
  // The watch list: expressions and their values, row by row.
  std::vector<std::string> watchExpressions;
  std::vector<std::string> watchValues;
  int32_t selectedWatch = 0;
  // Sent on the first press of Delete while the watch list has the focus.
  int32_t deleteWatchCommand = 0;
  std::vector<DebugViewPane> panes;
};

enum class DebugViewActionKind {
  kCommand,       // a button or the check box: `value` is its command
  kSelectWatch,   // `value` is the watch's row
  kRowActivated,  // a double-click on row `value` of pane `pane`
  kPaneClosed,    // pane `pane`'s close box
};

struct DebugViewAction {
  DebugViewActionKind kind = DebugViewActionKind::kCommand;
  int32_t pane = -1;
  int32_t value = 0;
};

// Makes the window; false when no window or context could be made. On a
// desktop no one sees (SDL's offscreen and dummy drivers) only when tests
// allowed it (DialogHost_AllowUnseen).
bool DebugView_Open(int width = 720, int height = 560);
bool DebugView_IsOpen();
// Feeds the events taken since the last draw, draws the content and
// writes the panes' placements back. The actions come in the order the
// user made them; the window's close box is reported by DebugView_CloseAsked.
std::vector<DebugViewAction> DebugView_Draw(DebugViewContent* content);
bool DebugView_CloseAsked();
void DebugView_Close();
SDL_Window* DebugView_Window();

// Where the last draw put a toolbar or pane button (by command) and a pane
// (by index), in the window's coordinates; false when it drew none.
bool DebugView_ButtonRect(int32_t command, DebugViewRect* rect);
bool DebugView_PaneRect(int32_t pane, DebugViewRect* rect);

#include "debugger/debug_window.h"

#include <cstring>

#include "debugger/debug_form.h"
#include "platform/debug_view.h"
#include "platform/switches.h"
#include "shell/dialogs.h"

namespace {

const DebugViewButton kToolbar[] = {{kDebugRun, "Run"},
                                    {kDebugPause, "Pause"},
                                    {kDebugStep, "Step"},
                                    {kDebugRestart, "Restart"},
                                    {kDebugStop, "Stop"},
                                    {kDebugAddWatch, "Add Watch"},
                                    {kDebugChangeWatch, "Change Watch"},
                                    {kDebugDeleteWatch, "Delete Watch"},
                                    {kDebugClearWatches, "Clear Watches"}};
const DebugViewButton kPaneButtons[] = {{kDebugToggleGlobals, "Globals"},
                                        {kDebugToggleInstances, "Instances"},
                                        {kDebugToggleMessages, "Messages"},
                                        {kDebugShowLocals, "Locals..."}};
const char* const kPaneTitles[] = {"Globals", "Instances", "Messages"};

DebugViewContent Content(CDebugForm* form) {
  DebugViewContent content;
  content.toolbar.assign(std::begin(kToolbar), std::end(kToolbar));
  content.paneButtons.assign(std::begin(kPaneButtons), std::end(kPaneButtons));
  content.texts = {form->roomSpeedText,     form->fpsText,           form->texSwapsText,
                   form->vertexBatchesText, form->instanceCountText, form->mouseIdText};
  content.checkBoxLabel = "Show FPS";
  content.checkBoxCommand = kDebugFpsCheckBox;
  content.checkBoxChecked = form->fpsChecked;
  for (const DebugWatch& watch : form->watches) {
    content.watchExpressions.push_back(watch.expression);
    content.watchValues.push_back(watch.value);
  }
  content.selectedWatch = form->selectedWatch;
  content.deleteWatchCommand = kDebugDeleteWatch;
  // The last pane takes part in the settings only.
  for (int32_t i = 0; i < kPaneFirstLocals + kPaneLocalsCount; ++i) {
    CDebugPane& source = form->panes[i];
    DebugViewPane pane;
    pane.title = i < kPaneFirstLocals ? kPaneTitles[i] : source.title;
    pane.visible = source.visible != 0;
    std::memcpy(pane.placement, source.placement, sizeof pane.placement);
    pane.columnCount = source.listCount;
    for (int32_t c = 0; c < 3; ++c) pane.columns[c] = &source.columns[c];
    pane.copyable = i == kPaneMessages;
    content.panes.push_back(pane);
  }
  return content;
}

}  // namespace

void DebugWindow_Open() {
  if (!Switches_Get().headless) DebugView_Open();
}

void DebugWindow_Draw(CDebugForm* form) {
  if (!DebugView_IsOpen() || form == nullptr || form->shown == 0) return;
  DebugViewContent content = Content(form);
  const std::vector<DebugViewAction> actions = DebugView_Draw(&content);
  // A pane's placement is where it stands in the window.
  for (size_t i = 0; i < content.panes.size(); ++i)
    if (content.panes[i].visible)
      std::memcpy(form->panes[i].placement, content.panes[i].placement, sizeof form->panes[i].placement);
  // Run control is only kept by the form here: nothing below deletes it.
  for (const DebugViewAction& action : actions) {
    switch (action.kind) {
      case DebugViewActionKind::kCommand:
        // The form's questions are asked in its own window.
        InputQuery_SetModalWindow(DebugView_Window());
        form->Command(action.value);
        InputQuery_SetModalWindow(nullptr);
        break;
      case DebugViewActionKind::kSelectWatch: form->selectedWatch = action.value; break;
      case DebugViewActionKind::kRowActivated: form->PaneRowActivated(action.pane, action.value); break;
      case DebugViewActionKind::kPaneClosed:
        if (action.pane >= 0 && action.pane < kPaneCount) form->panes[action.pane].visible = 0;
        break;
    }
  }
}

bool DebugWindow_CloseAsked() { return DebugView_CloseAsked(); }

void DebugWindow_Close() { DebugView_Close(); }

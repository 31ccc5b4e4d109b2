#include "debugger/debug_form.h"
#include "debugger/debug_window.h"
#include "runtime/console.h"
#include "world/run/debugger_seam.h"

namespace {

void Create() {
  delete g_debugForm;
  g_debugForm = new CDebugForm;
  g_debugForm->Create();
  Console_SetPaneHook(Debug_Output);
  DebugWindow_Open();
}

void Refresh() {
  if (g_debugForm == nullptr) return;
  g_debugForm->Refresh();
  DebugWindow_Draw(g_debugForm);
}

void Close() {
  DebugWindow_Close();
  if (g_debugForm == nullptr) return;
  Console_SetPaneHook(nullptr);
  CDebugForm* form = g_debugForm;
  g_debugForm = nullptr;
  form->Close();
  delete form;
}

void BetweenFrames() {
  // The window's close box closes the form, as the game's end would.
  if (DebugWindow_CloseAsked()) {
    Close();
    return;
  }
  if (g_debugForm != nullptr) g_debugForm->RunPendingCommand();
}

}  // namespace

void Debugger_Install() {
  DebuggerSeam seam;
  seam.create = Create;
  seam.refresh = Refresh;
  seam.close = Close;
  seam.betweenFrames = BetweenFrames;
  DebuggerSeam_Install(seam);
}

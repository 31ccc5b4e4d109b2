#include "debugger/debug_form.h"
#include "runtime/console.h"
#include "world/run/debugger_seam.h"

namespace {

void Create() {
  delete g_debugForm;
  g_debugForm = new CDebugForm;
  g_debugForm->Create();
  Console_SetPaneHook(Debug_Output);
}

void Refresh() {
  if (g_debugForm != nullptr) g_debugForm->Refresh();
}

void Close() {
  if (g_debugForm == nullptr) return;
  Console_SetPaneHook(nullptr);
  CDebugForm* form = g_debugForm;
  g_debugForm = nullptr;
  form->Close();
  delete form;
}

void BetweenFrames() {
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

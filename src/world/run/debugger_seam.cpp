#include "world/run/debugger_seam.h"

#include "runtime/run_flags.h"

namespace {
DebuggerSeam g_seam;
}

void DebuggerSeam_Install(const DebuggerSeam& seam) { g_seam = seam; }

void Debugger_Create() {
  if (g_debugMode && g_seam.create != nullptr) g_seam.create();
}

void Debugger_Refresh() {
  if (g_debugMode && g_seam.refresh != nullptr) g_seam.refresh();
}

void Debugger_Close() {
  if (g_debugMode && g_seam.close != nullptr) g_seam.close();
}

void Debugger_BetweenFrames() {
  if (g_debugMode && g_seam.betweenFrames != nullptr) g_seam.betweenFrames();
}

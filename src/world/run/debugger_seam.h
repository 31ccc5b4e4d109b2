// The debugger window reaches the world through this seam: the debugger
// library, which links above the world, installs its operations, and the
// game start, the step, the paused frame, the error report, the game end and
// the main loop call them. Nothing is installed without "-debug", and every
// call then does nothing.
#pragma once

struct DebuggerSeam {
  // At the game start, after "Create Debug Form".
  void (*create)() = nullptr;
  // After every step, every paused frame and before an error dialog.
  void (*refresh)() = nullptr;
  // At the game end: writes the settings, closes and deletes the form.
  void (*close)() = nullptr;
  // At the main loop's pump between frames: the form's run-control
  // commands are carried out here, never from a pump inside a script.
  void (*betweenFrames)() = nullptr;
};

void DebuggerSeam_Install(const DebuggerSeam& seam);
void Debugger_Create();
void Debugger_Refresh();
void Debugger_Close();
void Debugger_BetweenFrames();

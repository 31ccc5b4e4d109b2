// Every seam is installed from one ordered list (wiring.cpp): the services
// first, then the hooks the lower layers call up through, then what lies
// above the world, which the program's entry hands in; the window's hooks
// are the list's later stage, run when the window is made.
#pragma once

#include <span>

using WiringRow = void (*)();

// What lies above the world, which the world cannot see: its rows (the
// built-ins' and the debugger's installs), run at their place in the list
// in their order, and the platform family's constants for the engine.
struct AboveWorld {
  std::span<const WiringRow> rows;
  void (*platformConstants)() = nullptr;
};

// The start-up stage.
void Wiring_Install(const AboveWorld& above = {});
// The window's stage: what the main window and the input it feeds call up.
void Wiring_InstallWindow();

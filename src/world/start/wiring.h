// Every seam is installed from one ordered list (wiring.cpp): the services
// first, then the hooks the lower layers call up through, then what lies
// above the world, which the program's entry hands in; the window's hooks
// are the list's later stage, run when the window is made.
#pragma once

#include <span>

using WiringRow = void (*)();

// The start-up stage; `above` runs at its place in the list, in its order
// (the built-ins' and the debugger's installs: the world cannot see them).
void Wiring_Install(std::span<const WiringRow> above = {});
// The window's stage: what the main window and the input it feeds call up.
void Wiring_InstallWindow();

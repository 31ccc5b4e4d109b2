// State shared by the window's source files.
#pragma once

#include "shell/window.h"

const WindowServices& Win_Services();
// Shows the cursor of the current constant (the window procedure re-applies
// it when the pointer enters the client area).
void Win_ApplyCursor();
// Creation: the current cursor from the header's cursor option.
void Win_InitCursor(bool shown);
// The geometry a played-back recording gives, or null (Win_PlayGeometry).
const WindowGeometry* Win_PlayedGeometry();

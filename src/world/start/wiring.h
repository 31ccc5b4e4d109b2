// Every seam the world fills at start, in one ordered list: the services
// first, then the hooks the lower layers call up through. The window's
// hooks join when the window is made (startup_window.cpp), and the program's
// entry adds those of the built-ins above the world (app/main.cpp).
#pragma once

void Wiring_Install();

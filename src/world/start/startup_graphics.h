// The graphics end of the player's life: at shutdown the last frame is
// written out when a test asked for it, then the device is released.
#pragma once

void StartupGraphics_Shutdown();

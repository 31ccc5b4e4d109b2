#include "gamefile/sprite_view_state.h"

int32_t g_currentViewRect[4] = {0, 0, 0, 0};
int32_t g_currentTarget = -1;
uint8_t g_orthoProjection = 0;
uint8_t g_3dMode = 0;

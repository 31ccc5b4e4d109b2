#include "world/run_extras.h"

uint8_t g_captionSet = 0;
int32_t g_asyncLoad = -1;
int32_t g_displayAA = 0;

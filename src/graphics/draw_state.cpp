#include "graphics/draw_state.h"

uint32_t g_drawAlpha = 255;
float g_drawDepth = 0.0f;
uint8_t g_textureRepeat = 0;

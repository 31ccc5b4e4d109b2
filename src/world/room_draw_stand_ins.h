// What room drawing needs from layers that do not exist yet, under the
// names those layers will give them: 3D mode (drawing stays 2D), surfaces
// (there are none), particle systems (there are none), and drawing a
// background layer or tile from the background's image.
#pragma once

#include <cstdint>

class CBackground;

// 3D mode: switching flushes and sets perspective and hidden-surface
// removal to the same value; the depth is 0 outside 3D mode.
bool GR_3D_Set_Mode(bool on);
void GR_3D_Set_Depth(float depth);
void GR_Clear_Depth();

bool GR_Surface_Exists(int32_t index);
int32_t GR_Surface_Get_Texture(int32_t index);

float Particle_System_FirstDepth();
float Particle_System_NextDepth(float depth);
void Particle_System_DrawAtDepth(float depth);

// The whole image tiled over the area from (x, y), origin 0, 0.
void RoomDraw_BackgroundTiled(const CBackground& background, float x, float y, float xscale, float yscale,
                              bool tileH, bool tileV, int32_t areaLeft, int32_t areaTop, int32_t areaWidth,
                              int32_t areaHeight, uint32_t colour, float alpha);
// A part of the image at (x, y), unrotated.
void RoomDraw_BackgroundPart(const CBackground& background, float left, float top, float width, float height, float x,
                             float y, float xscale, float yscale, uint32_t colour, float alpha);

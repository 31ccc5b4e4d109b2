// What room drawing needs from layers that do not exist yet, under the
// names those layers will give them: 3D mode (drawing stays 2D), surfaces
// (there are none) and particle systems (there are none).
#pragma once

#include <cstdint>

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

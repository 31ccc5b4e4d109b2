// What room drawing needs from layers that do not exist yet, under the
// names those layers will give them: surfaces (there are none) and particle
// systems (there are none).
#pragma once

#include <cstdint>

bool GR_Surface_Exists(int32_t index);
int32_t GR_Surface_Get_Texture(int32_t index);

float Particle_System_FirstDepth();
float Particle_System_NextDepth(float depth);
void Particle_System_DrawAtDepth(float depth);

#include "world/room_draw_stand_ins.h"

namespace {

constexpr float kNoParticles = -1e9f;

}  // namespace

bool GR_Surface_Exists(int32_t) { return false; }
int32_t GR_Surface_Get_Texture(int32_t) { return -1; }

float Particle_System_FirstDepth() { return kNoParticles; }
float Particle_System_NextDepth(float) { return kNoParticles; }
void Particle_System_DrawAtDepth(float) {}

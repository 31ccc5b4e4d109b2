// No particle system can be made yet, so none is ever at any depth.
#include "world/start/particle_services.h"

namespace {

constexpr float kNoParticles = -1e9f;

float FirstDepth() { return kNoParticles; }
float NextDepth(float) { return kNoParticles; }
void DrawAtDepth(float) {}

constexpr ParticleServices kStandIn{FirstDepth, NextDepth, DrawAtDepth};

}  // namespace

const ParticleServices& ParticleServices_StandIn() { return kStandIn; }

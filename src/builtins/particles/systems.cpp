// The part_system_* and part_particles_* built-ins.
#include "builtins/particles/handlers.h"

void F_PartSystemCreate(KV_BUILTIN_PARAMS) { Result_SetReal(result, Particle_System_Create()); }

void F_PartSystemDestroy(KV_BUILTIN_PARAMS) { Particle_System_Destroy(BuiltinArgs(argc, args).Int(0)); }

void F_PartSystemExists(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Particle_System_Exists(BuiltinArgs(argc, args).Int(0)) ? 1.0 : 0.0);
}

void F_PartSystemClear(KV_BUILTIN_PARAMS) { Particle_System_Clear(BuiltinArgs(argc, args).Int(0)); }

void F_PartSystemDrawOrder(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_System_DrawOrder(a.Int(0), a.Bool(1));
}

void F_PartSystemDepth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_System_Depth(a.Int(0), ParticleFloat(a, 1));
}

void F_PartSystemPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_System_Position(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2));
}

void F_PartSystemAutomaticUpdate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_System_AutomaticUpdate(a.Int(0), a.Bool(1));
}

void F_PartSystemAutomaticDraw(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_System_AutomaticDraw(a.Int(0), a.Bool(1));
}

void F_PartSystemUpdate(KV_BUILTIN_PARAMS) { Particle_System_Update(BuiltinArgs(argc, args).Int(0)); }

void F_PartSystemDrawIt(KV_BUILTIN_PARAMS) { Particle_System_DrawIt(BuiltinArgs(argc, args).Int(0)); }

// Answers 0 whatever it made.
void F_PartParticlesCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Particles_Create(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2), a.Int(3), a.Int(4));
}

void F_PartParticlesCreateColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Particles_CreateColor(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2), a.Int(3), a.Int(4), a.Int(5));
}

void F_PartParticlesClear(KV_BUILTIN_PARAMS) { Particle_Particles_Clear(BuiltinArgs(argc, args).Int(0)); }

void F_PartParticlesCount(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Particle_Particles_Count(BuiltinArgs(argc, args).Int(0)));
}

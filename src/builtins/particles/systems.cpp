// The part_system_* and part_particles_* built-ins.
#include "builtins/particles/handlers.h"

KV_BUILTIN(F_PartSystemCreate) { Result_SetReal(result, Particle_System_Create()); }

KV_BUILTIN(F_PartSystemDestroy) { Particle_System_Destroy(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartSystemExists) {
  Result_SetReal(result, Particle_System_Exists(BuiltinArgs(argc, args).Int(0)) ? 1.0 : 0.0);
}

KV_BUILTIN(F_PartSystemClear) { Particle_System_Clear(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartSystemDrawOrder) {
  BuiltinArgs a(argc, args);
  Particle_System_DrawOrder(a.Int(0), a.Bool(1));
}

KV_BUILTIN(F_PartSystemDepth) {
  BuiltinArgs a(argc, args);
  Particle_System_Depth(a.Int(0), ParticleFloat(a, 1));
}

KV_BUILTIN(F_PartSystemPosition) {
  BuiltinArgs a(argc, args);
  Particle_System_Position(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2));
}

KV_BUILTIN(F_PartSystemAutomaticUpdate) {
  BuiltinArgs a(argc, args);
  Particle_System_AutomaticUpdate(a.Int(0), a.Bool(1));
}

KV_BUILTIN(F_PartSystemAutomaticDraw) {
  BuiltinArgs a(argc, args);
  Particle_System_AutomaticDraw(a.Int(0), a.Bool(1));
}

KV_BUILTIN(F_PartSystemUpdate) { Particle_System_Update(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartSystemDrawIt) { Particle_System_DrawIt(BuiltinArgs(argc, args).Int(0)); }

// Answers 0 whatever it made.
KV_BUILTIN(F_PartParticlesCreate) {
  BuiltinArgs a(argc, args);
  Particle_Particles_Create(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2), a.Int(3), a.Int(4));
}

KV_BUILTIN(F_PartParticlesCreateColor) {
  BuiltinArgs a(argc, args);
  Particle_Particles_CreateColor(a.Int(0), ParticleFloat(a, 1), ParticleFloat(a, 2), a.Int(3), a.Int(4), a.Int(5));
}

KV_BUILTIN(F_PartParticlesClear) { Particle_Particles_Clear(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartParticlesCount) {
  Result_SetReal(result, Particle_Particles_Count(BuiltinArgs(argc, args).Int(0)));
}

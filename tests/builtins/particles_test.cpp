// The particles family: its rows, and the conversions its handlers make
// before they reach the particle workers.
#include <gtest/gtest.h>

#include <string>

#include "builtin_test_support.h"
#include "builtins/particles/rows.h"
#include "graphics/particles/particle_records.h"
#include "world/start/service_list.h"

namespace {

class ParticleBuiltins : public ::testing::Test {
 protected:
  void SetUp() override {
    ServiceList_Install();
    Particle_Init();
  }
  void TearDown() override { Particle_Init(); }
  static double Call(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
    return BuiltinCall(handler, args).Real();
  }
};

TEST_F(ParticleBuiltins, TheFamilyListsItsNamesInOrderWithTheirCounts) {
  ASSERT_EQ(std::size(kParticleRows), 82u);
  EXPECT_STREQ(kParticleRows[0].name, "part_type_create");
  EXPECT_STREQ(kParticleRows[41].name, "part_particles_count");
  EXPECT_STREQ(kParticleRows[81].name, "effect_clear");
  int32_t total = 0;
  for (const BuiltinRow& row : kParticleRows) {
    const std::string name = row.name;
    EXPECT_TRUE(name.starts_with("part_") || name.starts_with("effect_")) << name;
    total += row.argumentCount;
  }
  EXPECT_EQ(total, 229);
}

TEST_F(ParticleBuiltins, HandlersConvertTheirArgumentsAndAnswerTheWorkers) {
  const double ps = Call(F_PartSystemCreate, {});
  const double pt = Call(F_PartTypeCreate, {});
  EXPECT_EQ(Call(F_PartSystemExists, {R(ps)}), 1);
  EXPECT_EQ(Call(F_PartTypeExists, {R(pt + 1)}), 0);
  // Halves go to even: a life of 2.5 is 2 updates.
  Call(F_PartTypeLife, {R(pt), R(2.5), R(2.5)});
  EXPECT_EQ(Call(F_PartParticlesCreate, {R(ps), R(0), R(0), R(pt), R(3)}), 0);
  EXPECT_EQ(Call(F_PartParticlesCount, {R(ps)}), 3);
  Call(F_PartSystemUpdate, {R(ps)});
  EXPECT_EQ(Call(F_PartParticlesCount, {R(ps)}), 3);
  Call(F_PartSystemUpdate, {R(ps)});
  EXPECT_EQ(Call(F_PartParticlesCount, {R(ps)}), 0);

  // A truth is at 0.5 or more.
  Call(F_PartSystemAutomaticUpdate, {R(ps), R(0.4)});
  EXPECT_FALSE(ParticleSystem_Get(0)->automaticUpdate);
  Call(F_PartSystemAutomaticUpdate, {R(ps), R(0.5)});
  EXPECT_TRUE(ParticleSystem_Get(0)->automaticUpdate);

  const double emitter = Call(F_PartCreate<ParticlePart::kEmitter>, {R(ps)});
  EXPECT_EQ(Call(F_PartExists<ParticlePart::kEmitter>, {R(ps), R(emitter)}), 1);
  EXPECT_EQ(Call(F_PartExists<ParticlePart::kChanger>, {R(ps), R(emitter)}), 0);
  EXPECT_EQ(Call(F_PartExists<ParticlePart::kEmitter>, {R(ps), R(NAN)}), 0);
  Call(F_PartDestroyAll<ParticlePart::kEmitter>, {R(ps)});
  EXPECT_EQ(Call(F_PartExists<ParticlePart::kEmitter>, {R(ps), R(emitter)}), 0);
}

TEST_F(ParticleBuiltins, ColourAndAlphaShareTheirThreeValueForms) {
  const double a = Call(F_PartTypeCreate, {}), b = Call(F_PartTypeCreate, {});
  for (const BuiltinRow& row : kParticleRows) {
    const std::string name = row.name;
    if (name != "part_type_color" && name != "part_type_alpha") continue;
    BuiltinCall(row.handler, {R(b), R(0.25), R(0.5), R(0.75)});
  }
  Call(F_PartTypeColor3, {R(a), R(0.25), R(0.5), R(0.75)});
  Call(F_PartTypeAlpha3, {R(a), R(0.25), R(0.5), R(0.75)});
  const CParticleType& ta = *ParticleType_Get(0);
  const CParticleType& tb = *ParticleType_Get(1);
  EXPECT_EQ(tb.colourMode, 2);
  EXPECT_EQ(tb.colours[2], ta.colours[2]);
  EXPECT_EQ(tb.alphaMiddle, 0.5f);
  EXPECT_EQ(tb.alphaEnd, ta.alphaEnd);
}

TEST_F(ParticleBuiltins, EffectsGoBelowOrAboveAndClearKeepsTheSystems) {
  Call(F_EffectCreateBelow, {R(1), R(10), R(10), R(0), R(255)});
  Call(F_EffectCreateAbove, {R(1), R(10), R(10), R(0), R(255)});
  EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(true)), 1);
  EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(false)), 1);
  Call(F_EffectClear, {});
  EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(true)), 0);
  EXPECT_TRUE(Particle_System_Exists(Particle_Effect_System(false)));
}

}  // namespace

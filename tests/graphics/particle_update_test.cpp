// One system's update: lifetimes, motion, forces, the region records, the
// random draws each particle takes and the cap on a system's particles.
#include <cmath>

#include "graphics/particle_test_support.h"
#include "runtime/colour.h"

namespace {

TEST_F(ParticleWorld, LifetimesCountUpdatesAndAZeroLifeDiesUndrawn) {
  const int32_t ps = Particle_System_Create();
  Particle_Particles_Create(ps, 0, 0, SpriteType(0, 100), 1);
  Update(ps, 99);
  EXPECT_EQ(Particle_Particles_Count(ps), 1);
  Update(ps, 1);
  EXPECT_EQ(Particle_Particles_Count(ps), 0);

  Particle_Particles_Create(ps, 0, 0, SpriteType(1, 0), 1);
  Particle_System_DrawIt(ps);
  EXPECT_TRUE(Draws().empty());
  Update(ps, 1);
  EXPECT_EQ(Particle_Particles_Count(ps), 0);

  // Life min above max gives min.
  const int32_t backwards = SpriteType();
  Particle_Type_Life(backwards, 7, 3);
  Particle_Particles_Create(ps, 0, 0, backwards, 1);
  EXPECT_EQ(Only(ps).lifetime, 7);
}

// Draws counted by replaying the generator: after n draws the next word
// matches a fresh run's word after n plain draws.
uint32_t WordAfter(int32_t seed, int64_t draws) {
  Random_Seed(seed);
  for (int64_t i = 0; i < draws; ++i) Random_Next();
  return Random_Next();
}

TEST_F(ParticleWorld, ATypeWithEmptyRangesDrawsOnceAndANegativeBurstOnceMore) {
  const int32_t ps = Particle_System_Create();
  const int32_t type = Particle_Type_Create();
  Particle_Particles_Create(ps, 0, 0, type, 5);
  const uint32_t afterCreate = Random_Next();
  EXPECT_EQ(afterCreate, WordAfter(12345, 5));

  Random_Seed(99);
  const int32_t emitter = Particle_Part_Create(ParticlePart::kEmitter, ps);
  Particle_Particles_Clear(ps);
  for (int i = 0; i < 4000; ++i) Particle_Emitter_Burst(ps, emitter, type, -4);
  const int32_t made = Particle_Particles_Count(ps);
  EXPECT_NEAR(made, 1000, 120);
  // An emitter region of zero size still draws fx and fy for each particle.
  const uint32_t afterBursts = Random_Next();
  EXPECT_EQ(afterBursts, WordAfter(99, 4000 + 3 * static_cast<int64_t>(made)));
}

TEST_F(ParticleWorld, ABurstOfTheSmallestCountIsAChanceWithoutOverflow) {
  const int32_t ps = Particle_System_Create();
  const int32_t emitter = Particle_Part_Create(ParticlePart::kEmitter, ps);
  for (int i = 0; i < 100; ++i) Particle_Emitter_Burst(ps, emitter, Particle_Type_Create(), INT32_MIN);
  EXPECT_EQ(Particle_Particles_Count(ps), 0);
}

TEST_F(ParticleWorld, SpeedGravityAndDeflectorsMoveAsTheirRulesSay) {
  const int32_t ps = Particle_System_Create();
  const int32_t slowing = SpriteType();
  Particle_Type_Speed(slowing, 0.5f, 0.5f, -1, 0);
  Particle_Particles_Create(ps, 0, 0, slowing, 1);
  Update(ps, 2);
  EXPECT_EQ(Only(ps).speed, 0.0f);
  EXPECT_EQ(Only(ps).x, 0.0f);

  Particle_Particles_Clear(ps);
  const int32_t falling = SpriteType();
  Particle_Type_Gravity(falling, 0.5f, 270);
  Particle_Particles_Create(ps, 0, 0, falling, 1);
  Update(ps, 1);
  EXPECT_FLOAT_EQ(Only(ps).y, 0.5f);
  Update(ps, 1);
  EXPECT_FLOAT_EQ(Only(ps).y, 1.5f);
  EXPECT_NEAR(Only(ps).x, 0.0f, 1e-6);

  Particle_Particles_Clear(ps);
  const int32_t moving = SpriteType();
  Particle_Type_Speed(moving, 2, 2, 0, 0);
  const int32_t wall = Particle_Part_Create(ParticlePart::kDeflector, ps);
  Particle_Deflector_Region(ps, wall, 1, 1, -5, 5);  // no width: never acts
  Particle_Deflector_Kind(ps, wall, 1);
  Particle_Particles_Create(ps, 0, 0, moving, 1);
  Update(ps, 1);
  EXPECT_EQ(Only(ps).x, 2.0f);
  EXPECT_EQ(Only(ps).direction, 0.0f);

  Particle_Deflector_Region(ps, wall, 3, 10, -5, 5);
  Particle_Deflector_Friction(ps, wall, 0.5f);
  Update(ps, 1);  // reaches x 4 inside the wall and is sent back to 0
  EXPECT_EQ(Only(ps).direction, 180.0f);
  EXPECT_EQ(Only(ps).x, 0.0f);
  EXPECT_EQ(Only(ps).speed, 1.5f);
}

TEST_F(ParticleWorld, AttractorsPullAndOnlyAdditiveOnesChangeTheMotion) {
  const int32_t ps = Particle_System_Create();
  const int32_t type = SpriteType();
  Particle_Type_Speed(type, 1, 1, 0, 0);
  const int32_t pull = Particle_Part_Create(ParticlePart::kAttractor, ps);
  Particle_Attractor_Position(ps, pull, 0, 10);
  Particle_Attractor_Force(ps, pull, 2, 50, 0, false);
  Particle_Particles_Create(ps, 0, 0, type, 1);
  Update(ps, 1);
  EXPECT_FLOAT_EQ(Only(ps).speed, 1.0f);
  EXPECT_FLOAT_EQ(Only(ps).x, 1.0f);
  EXPECT_FLOAT_EQ(Only(ps).y, 2.0f);

  Particle_Attractor_Force(ps, pull, 2, 50, 0, true);
  Update(ps, 1);
  EXPECT_GT(Only(ps).speed, 1.5f);
  // Out of reach, a pull does nothing.
  Particle_Attractor_Force(ps, pull, 2, 1, 0, true);
  const float speed = Only(ps).speed;
  Update(ps, 1);
  EXPECT_FLOAT_EQ(Only(ps).speed, speed);
}

TEST_F(ParticleWorld, AnEllipseDestroyerKeepsTheCornersAndAChangerActsOnItsFromType) {
  const int32_t ps = Particle_System_Create();
  const int32_t type = SpriteType();
  for (float x : {0.0f, 10.0f}) {
    for (float y : {0.0f, 10.0f}) Particle_Particles_Create(ps, x, y, type, 1);
  }
  Particle_Particles_Create(ps, 5, 5, type, 1);
  const int32_t hole = Particle_Part_Create(ParticlePart::kDestroyer, ps);
  Particle_Destroyer_Region(ps, hole, 0, 10, 0, 10, kRegionEllipse);
  Update(ps, 1);
  ASSERT_EQ(Particle_Particles_Count(ps), 4);
  for (const CParticle& p : Particles(ps)) EXPECT_TRUE(p.x != 5 || p.y != 5);

  const int32_t changer = Particle_Part_Create(ParticlePart::kChanger, ps);
  EXPECT_TRUE(Particle_Part_Exists(ParticlePart::kChanger, ps, changer));
  const int32_t red = SpriteType(3);
  Particle_Type_Color1(red, 0xFF);
  Particle_Changer_Region(ps, changer, -1, 11, -1, 11, kRegionRectangle);
  Particle_Changer_Types(ps, changer, type, red);
  Particle_Changer_Kind(ps, changer, 1);
  Update(ps, 1);
  for (const CParticle& p : Particles(ps)) {
    EXPECT_EQ(p.type, red);
    EXPECT_EQ(p.colour, 0xFFu);
  }
}

TEST_F(ParticleWorld, AlphaAndColourFollowTheAge) {
  const int32_t ps = Particle_System_Create();
  const int32_t type = SpriteType();
  Particle_Type_Alpha3(type, 1, 0.5f, 0);
  Particle_Type_Color2(type, 0x0000FF, 0xFF0000);
  Particle_Particles_Create(ps, 0, 0, type, 1);
  Update(ps, 50);
  EXPECT_FLOAT_EQ(Only(ps).alpha, 0.5f);
  EXPECT_EQ(Only(ps).colour, Colour_Merge(0x0000FF, 0xFF0000, 0.5f));
  Update(ps, 25);
  EXPECT_FLOAT_EQ(Only(ps).alpha, 0.25f);
}

TEST_F(ParticleWorld, ATypeThatSpawnsItselfAtDeathStopsAtTheCap) {
  const int32_t ps = Particle_System_Create();
  const int32_t type = SpriteType(0, 0);
  Particle_Type_Death(type, 1, type);
  Particle_Particles_Create(ps, 0, 0, type, 1);
  Update(ps, 1);
  EXPECT_EQ(Particle_Particles_Count(ps), 0);
  EXPECT_EQ(console_.Lines(), std::vector<std::string>{"Particle system 0 is full: no more particles are made\n"});

  Particle_Particles_Create(ps, 0, 0, Particle_Type_Create(), 1000000000);
  EXPECT_EQ(Particle_Particles_Count(ps), kParticleSystemCapacity);
  EXPECT_EQ(console_.Lines().size(), 1u);
}

TEST_F(ParticleWorld, NegativeStepNumbersAreAChanceAndBadValuesNeverHang) {
  const int32_t ps = Particle_System_Create();
  const int32_t child = SpriteType(0, 1000);
  const int32_t parent = SpriteType(0, 1000);
  Particle_Type_Step(parent, -2, child);
  Particle_Particles_Create(ps, 0, 0, parent, 1);
  Update(ps, 400);
  EXPECT_NEAR(Particle_Particles_Count(ps), 201, 45);

  const int32_t wild = SpriteType();
  Particle_Type_Speed(wild, NAN, INFINITY, NAN, 0);
  Particle_Type_Gravity(wild, INFINITY, NAN);
  Particle_Type_Size(wild, -INFINITY, NAN, INFINITY, NAN);
  Particle_Type_Life(wild, INT32_MAX, INT32_MAX);
  Particle_Particles_Create(ps, NAN, INFINITY, wild, 3);
  const int32_t hole = Particle_Part_Create(ParticlePart::kDestroyer, ps);
  Particle_Destroyer_Region(ps, hole, -NAN, NAN, 0, INFINITY, kRegionDiamond);
  Update(ps, 3);
  Particle_System_DrawIt(ps);
  EXPECT_GE(Particle_Particles_Count(ps), 3);
}

TEST_F(ParticleWorld, HandlesAreReusedAndBadOnesDoNothing) {
  const int32_t a = Particle_System_Create(), b = Particle_System_Create();
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  Particle_System_Destroy(a);
  EXPECT_FALSE(Particle_System_Exists(a));
  EXPECT_EQ(Particle_System_Create(), 0);
  for (int32_t bad : {-1, 2, INT32_MIN}) {
    EXPECT_FALSE(Particle_System_Exists(bad));
    EXPECT_EQ(Particle_Particles_Count(bad), 0);
    EXPECT_EQ(Particle_Part_Create(ParticlePart::kEmitter, bad), -1);
    EXPECT_FALSE(Particle_Part_Exists(ParticlePart::kEmitter, b, bad));
    EXPECT_FALSE(Particle_Type_Exists(bad));
    Particle_Particles_Create(b, 0, 0, bad, 5);
  }
  EXPECT_EQ(Particle_Particles_Count(b), 0);

  // A type destroyed under its particles leaves them the slot's settings.
  const int32_t type = SpriteType(0, 3);
  Particle_Particles_Create(b, 0, 0, type, 2);
  Particle_Type_Destroy(type);
  Update(b, 1);
  EXPECT_EQ(Particle_Particles_Count(b), 2);
}

}  // namespace

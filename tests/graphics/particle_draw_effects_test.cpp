// Drawing by depth for room drawing, a system's draw order and sprite
// frames, and the ready-made effects with their time factor.
#include <cmath>

#include "graphics/particle_test_support.h"

namespace {

// An automatically drawn system at a depth holding one particle of a type
// drawn with sprite `sprite`.
int32_t SystemAt(float depth, int32_t sprite) {
  const int32_t ps = Particle_System_Create();
  Particle_System_Depth(ps, depth);
  const int32_t type = Particle_Type_Create();
  Particle_Type_Sprite(type, sprite, false, false, false);
  Particle_Particles_Create(ps, 0, 0, type, 1);
  return ps;
}

std::vector<int32_t> DrawnSprites(const std::vector<SpriteDraw>& draws) {
  std::vector<int32_t> sprites;
  for (const SpriteDraw& d : draws) sprites.push_back(d.sprite);
  return sprites;
}

TEST_F(ParticleWorld, DepthsWalkTheAutomaticSystemsAndEachDrawsOncePerPass) {
  EXPECT_EQ(Particle_System_FirstDepth(), -1e9f);
  SystemAt(10, 0);
  SystemAt(5, 1);
  SystemAt(5, 2);
  Particle_System_AutomaticDraw(SystemAt(3, 3), false);
  EXPECT_EQ(Particle_System_FirstDepth(), 10.0f);
  EXPECT_EQ(Particle_System_NextDepth(10), 5.0f);
  EXPECT_EQ(Particle_System_NextDepth(5), -1e9f);
  Particle_System_DrawAtDepth(5);
  EXPECT_EQ(DrawnSprites(Draws()), (std::vector<int32_t>{1, 2}));

  Particle_Init();
  Draws().clear();
  SystemAt(5.0f, 4);
  SystemAt(5.005f, 5);
  // The room's merge: first depth, then each next one.
  for (float d = Particle_System_FirstDepth(); d > -1e8f; d = Particle_System_NextDepth(d)) {
    Particle_System_DrawAtDepth(d);
  }
  EXPECT_EQ(DrawnSprites(Draws()), (std::vector<int32_t>{4, 5}));
  // The next view's pass draws them again.
  Particle_System_DrawAtDepth(Particle_System_FirstDepth());
  EXPECT_EQ(Draws().size(), 4u);
}

TEST_F(ParticleWorld, DrawOrderPositionAndSpriteFrames) {
  const int32_t ps = Particle_System_Create();
  Particle_System_Position(ps, 100, 200);
  const int32_t stretched = Particle_Type_Create(), animated = Particle_Type_Create();
  Particle_Type_Sprite(stretched, 0, true, true, false);
  Particle_Type_Sprite(animated, 1, true, false, false);
  for (int32_t type : {stretched, animated}) {
    Particle_Type_Life(type, 8, 8);
    Particle_Type_Scale(type, 2, 3);
  }
  Particle_Particles_Create(ps, 1, 2, stretched, 1);
  Particle_Particles_Create(ps, 5, 6, animated, 1);
  Update(ps, 2);
  Particle_System_DrawIt(ps);
  ASSERT_EQ(Draws().size(), 2u);
  // Stretched over its life: age 2 of 8 in 4 frames is frame 1.
  EXPECT_EQ(Draws()[0].frame, 1);
  EXPECT_EQ(Draws()[0].x, 101.0f);
  EXPECT_EQ(Draws()[0].y, 202.0f);
  EXPECT_EQ(Draws()[0].xscale, 2.0f);
  EXPECT_EQ(Draws()[0].yscale, 3.0f);
  // Animated without stretching: one frame a step, wrapped.
  EXPECT_EQ(Draws()[1].frame, 2);

  Draws().clear();
  Particle_System_DrawOrder(ps, false);
  Particle_System_DrawIt(ps);
  EXPECT_EQ(DrawnSprites(Draws()), (std::vector<int32_t>{1, 0}));
  // A sprite that is gone falls back to the type's shape.
  Draws().clear();
  Particle_Type_Sprite(animated, 99, false, false, false);
  Particle_System_DrawIt(ps);
  EXPECT_EQ(DrawnSprites(Draws()), (std::vector<int32_t>{0}));
}

TEST_F(ParticleWorld, TheTimeFactorFollowsTheRoomSpeedAndTheFramesCounted) {
  EXPECT_EQ(Particle_Effect_TimeFactor(), 1.0);
  ParticleTestHost::roomSpeed = 60;
  EXPECT_EQ(Particle_Effect_TimeFactor(), 1.0);  // nothing counted yet
  ParticleTestHost::fps = 60;
  EXPECT_EQ(Particle_Effect_TimeFactor(), 0.5);
  ParticleTestHost::fps = 40;  // far behind: the frames counted decide
  EXPECT_EQ(Particle_Effect_TimeFactor(), 0.75);
  ParticleTestHost::roomSpeed = 30;
  ParticleTestHost::fps = 30;
  EXPECT_EQ(Particle_Effect_TimeFactor(), 1.0);
}

TEST_F(ParticleWorld, EachEffectMakesItsCountInItsSystem) {
  struct Case {
    int32_t kind, size, count;
  };
  const Case cases[] = {{0, 0, 21}, {0, 7, 21}, {1, 0, 1},  {2, 2, 1},  {3, 0, 75}, {3, 1, 150}, {3, 2, 250},
                        {4, 0, 6},  {4, 1, 11}, {5, 2, 16}, {6, 0, 1},  {7, 1, 1},  {8, 2, 1},   {9, 0, 1},
                        {10, 0, 2}, {10, 1, 5}, {10, 2, 9}, {11, 0, 1}, {11, 1, 3}, {11, 2, 7},  {12, 0, 0}};
  for (const Case& c : cases) {
    Particle_Effect_Clear();
    Particle_Effect_Create(false, c.kind, 50, 50, c.size, 0xFF);
    EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(false)), c.count) << c.kind << " " << c.size;
    EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(true)), 0);
  }
}

TEST_F(ParticleWorld, TheEffectSystemsAreMadeOnceKeepTheirDepthsAndComeBack) {
  EXPECT_EQ(Particle_Effect_System(true), -1);
  Particle_Effect_Create(true, 12, 0, 0, 0, 0);
  EXPECT_EQ(Particle_Effect_System(true), 0);
  EXPECT_EQ(Particle_Effect_System(false), 1);
  EXPECT_EQ(ParticleSystem_Get(0)->depth, 100000.0f);
  EXPECT_EQ(ParticleSystem_Get(1)->depth, -100000.0f);
  EXPECT_EQ(Particle_Particles_Count(0) + Particle_Particles_Count(1), 0);

  Particle_Effect_Create(true, 1, 0, 0, 0, 0);
  Particle_Effect_Create(false, 1, 0, 0, 0, 0);
  Particle_Effect_Clear();
  EXPECT_EQ(Particle_Particles_Count(0) + Particle_Particles_Count(1), 0);
  EXPECT_EQ(ParticleSystem_Get(1)->depth, -100000.0f);

  Particle_System_Destroy(1);
  Particle_Effect_Create(false, 1, 0, 0, 0, 0);
  EXPECT_EQ(Particle_Effect_System(false), 1);
  EXPECT_EQ(Particle_Particles_Count(1), 1);
  EXPECT_EQ(ParticleSystem_Get(1)->depth, -100000.0f);
}

TEST_F(ParticleWorld, AtTwiceTheSpeedTheExplosionLivesTwiceAsLong) {
  ParticleTestHost::roomSpeed = ParticleTestHost::fps = 60;
  Particle_Effect_Create(true, 0, 0, 0, 0, 0xFF);
  const auto& particles = Particles(Particle_Effect_System(true));
  ASSERT_EQ(particles.size(), 21u);
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_GE(particles[i].lifetime, 20);
    EXPECT_LE(particles[i].lifetime, 30);
    EXPECT_FLOAT_EQ(particles[i].speed, 1.0f);
    EXPECT_EQ(particles[i].colour, 0xFFu);
  }
  EXPECT_EQ(particles[20].lifetime, 30);
  EXPECT_EQ(particles[20].colour, 0u);
  // A destroyed effect type is made again.
  Particle_Type_Destroy(0);
  Particle_Effect_Create(true, 0, 0, 0, 0, 0xFF);
  EXPECT_EQ(Particle_Particles_Count(Particle_Effect_System(true)), 42);
}

}  // namespace

// A particle world for tests: a host with one recording sprite, a room of
// a chosen speed and frame count, a fixed random seed and captured console.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "graphics/particles/particle_records.h"
#include "graphics/particles/particles.h"
#include "runtime/random.h"
#include "support/test_support.h"

struct SpriteDraw {
  int32_t sprite, frame;
  float x, y, xscale, yscale, angle;
  uint32_t colour;
  float alpha;
};

struct ParticleTestHost {
  static inline std::vector<SpriteDraw> draws;
  static inline int32_t roomSpeed = 30, fps = 30, width = 640, height = 480;
  static bool Exists(int32_t sprite) { return sprite >= 0 && sprite < 8; }
  static int32_t Frames(int32_t) { return 4; }
  static void Draw(int32_t sprite, int32_t frame, float x, float y, float xs, float ys, float angle, uint32_t colour,
                   float alpha) {
    draws.push_back({sprite, frame, x, y, xs, ys, angle, colour, alpha});
  }
  static int32_t Width() { return width; }
  static int32_t Height() { return height; }
  static int32_t Speed() { return roomSpeed; }
  static int32_t Fps() { return fps; }
  static constexpr ParticleHost kHost{Exists, Frames, Draw, Width, Height, Speed, Fps};
};

class ParticleWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    ParticleHost_Install(&ParticleTestHost::kHost);
    ParticleTestHost::draws.clear();
    ParticleTestHost::roomSpeed = ParticleTestHost::fps = 30;
    Particle_Init();
    Random_Seed(12345);
  }
  void TearDown() override {
    Particle_Init();
    ParticleHost_Install(nullptr);
  }
  // A type drawn with sprite `sprite`, living `life` updates, everything
  // else at its cleared value.
  static int32_t SpriteType(int32_t sprite = 0, int32_t life = 100) {
    const int32_t type = Particle_Type_Create();
    Particle_Type_Sprite(type, sprite, false, false, false);
    Particle_Type_Life(type, life, life);
    return type;
  }
  static const CParticle& Only(int32_t system) {
    const CParticleSystem* s = ParticleSystem_Get(system);
    EXPECT_EQ(s->particles.size(), 1u);
    return s->particles.front();
  }
  static std::vector<CParticle>& Particles(int32_t system) { return ParticleSystem_Get(system)->particles; }
  static void Update(int32_t system, int times) {
    for (int i = 0; i < times; ++i) Particle_System_Update(system);
  }
  std::vector<SpriteDraw>& Draws() { return ParticleTestHost::draws; }
  testsupport::ConsoleCapture console_;
};

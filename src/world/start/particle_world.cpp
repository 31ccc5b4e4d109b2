// What the particle module reads of the world, and its shape textures.
#include "world/start/particle_world.h"

#include "graphics/particles/particles.h"
#include "resources/builtin_images.h"
#include "resources/sprite.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"

namespace {

bool SpriteExists(int32_t sprite) { return Sprite_Exists(sprite); }

int32_t SpriteFrames(int32_t sprite) {
  const CSprite* s = Sprite_Get(sprite);
  return s == nullptr ? 0 : s->frameCount;
}

void DrawSprite(int32_t sprite, int32_t frame, float x, float y, float xscale, float yscale, float angle,
                uint32_t colour, float alpha) {
  if (const CSprite* s = Sprite_Get(sprite)) s->Draw(frame, x, y, xscale, yscale, angle, colour, alpha);
}

int32_t RoomWidth() { return g_currentRoom == nullptr ? 0 : g_currentRoom->width; }
int32_t RoomHeight() { return g_currentRoom == nullptr ? 0 : g_currentRoom->height; }
int32_t RoomSpeed() { return g_currentRoom == nullptr ? 0 : g_currentRoom->speed; }
int32_t FramesPerSecond() { return g_fps; }

constexpr ParticleHost kHost{SpriteExists, SpriteFrames, DrawSprite, RoomWidth, RoomHeight, RoomSpeed, FramesPerSecond};

}  // namespace

// Built-in images 1 to 14 are the shapes, in shape order.
void ParticleWorld_MakeShapes() {
  int32_t textures[kParticleShapeCount];
  for (int32_t i = 0; i < kParticleShapeCount; ++i) textures[i] = EmbeddedImage_CreateTexture(i + 1);
  Particle_SetShapeTextures(textures);
}

const ParticleHost& ParticleHost_World() { return kHost; }

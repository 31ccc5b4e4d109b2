// The particle module wired into the world: it draws the game's sprites,
// reads the current room and the frame count, and is reached by the step,
// the room start, start-up and room drawing.
#include "graphics/particles/particles.h"
#include "resources/builtin_images.h"
#include "resources/sprite.h"
#include "world/room/particle_services.h"
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

// Built-in images 1 to 14 are the shapes, in shape order.
void MakeShapes() {
  int32_t textures[kParticleShapeCount];
  for (int32_t i = 0; i < kParticleShapeCount; ++i) textures[i] = EmbeddedImage_CreateTexture(i + 1);
  Particle_SetShapeTextures(textures);
}

constexpr ParticleServices kReal{Particle_System_FirstDepth,
                                 Particle_System_NextDepth,
                                 Particle_System_DrawAtDepth,
                                 Particle_System_UpdateAll,
                                 Particle_Effect_Clear,
                                 Particle_Init,
                                 MakeShapes,
                                 Particle_Shutdown};

}  // namespace

const ParticleServices& ParticleServices_Real() { return kReal; }
const ParticleHost& ParticleHost_World() { return kHost; }

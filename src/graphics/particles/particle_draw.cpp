// Drawing particles: a system's particles in its draw order, and the
// automatically drawn systems by depth for room drawing.
#include <algorithm>
#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/particles/particle_records.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "runtime/numeric.h"

namespace {

constexpr float kNoDepth = -1e9f;
constexpr float kDepthTolerance = 0.01f;
// A shape texture is 64 by 64, drawn about its centre.
constexpr float kShapeHalf = 32.0f;
constexpr float kRadiansPerDegree = 3.1415927f / 180.0f;

int32_t g_shapeTextures[kParticleShapeCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
// Each FirstDepth starts a pass; a system drawn in it is not drawn again.
uint64_t g_drawPass = 1;

float Wiggle(int64_t age, int64_t offset) { return Particle_Fold(static_cast<float>((age + offset) % 16) / 4.0f); }

uint32_t DeviceColour(uint32_t colour, float alpha) {
  const int32_t a = std::clamp(Num_TruncInt32(static_cast<double>(alpha) * 255.0), 0, 255);
  return static_cast<uint32_t>(a) << 24 | (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// A shape's quad about its centre, joining the pending batch so that a
// whole system goes to the device in one call.
void ShapeQuad(int32_t shape, float x, float y, float xscale, float yscale, float radians, uint32_t colour,
               float alpha) {
  const TextureEntry* e = GR_Texture_Entry(g_shapeTextures[shape]);
  if (e == nullptr) return;
  const float left = -kShapeHalf * xscale - 0.5f, top = -kShapeHalf * yscale - 0.5f;
  const float right = left + e->width * xscale, bottom = top + e->height * yscale;
  const float s = radians == 0 ? 0.0f : std::sin(radians), c = radians == 0 ? 1.0f : std::cos(radians);
  auto at = [&](float px, float py) { return QuadPoint{x + c * px + s * py, y - s * px + c * py}; };
  const uint32_t packed = DeviceColour(colour, alpha);
  GR_Texture_Emit_Quad(e->texture, at(left, top), at(right, top), at(right, bottom), at(left, bottom), 0, 0,
                       e->width * e->inverseWidth, e->height * e->inverseHeight, packed, packed, packed, packed);
}

int32_t SpriteFrame(const CParticleType& type, const CParticle& p, int32_t frames) {
  if (!type.animate) return p.startFrame;
  if (type.stretch) {
    const int64_t frame = p.startFrame + static_cast<int64_t>(p.age) * frames / p.lifetime;
    return static_cast<int32_t>(frame % std::max(frames, 1));
  }
  return static_cast<int32_t>((static_cast<int64_t>(p.startFrame) + p.age) % std::max(frames, 1));
}

void DrawParticle(const CParticleSystem& s, const CParticle& p) {
  const CParticleType* type = ParticleType_Slot(p.type);
  if (type == nullptr || p.lifetime <= 0) return;
  const float size = p.size + Wiggle(p.age, p.number) * type->sizeWiggle;
  float angle = p.orientation + Wiggle(p.age, 2 * static_cast<int64_t>(p.number)) * type->orientationWiggle;
  if (type->orientationRelative) angle += p.direction;
  if (std::fabs(angle) < 0.01f) angle = 0;
  const float x = p.x + s.x, y = p.y + s.y;
  const float xscale = type->xscale * size, yscale = type->yscale * size;
  const ParticleHost& host = g_particleHost.Get();
  if (type->sprite >= 0 && host.spriteExists(type->sprite)) {
    const int32_t frame = SpriteFrame(*type, p, host.spriteFrames(type->sprite));
    host.drawSprite(type->sprite, frame, x, y, xscale, yscale, angle, p.colour, p.alpha);
    return;
  }
  if (type->shape < 0 || type->shape >= kParticleShapeCount) return;
  ShapeQuad(type->shape, x, y, xscale, yscale, angle * kRadiansPerDegree, p.colour, p.alpha);
}

// Sets the blend an additive or a normal type needs, remembering what the
// game had set so that it comes back after the system.
class BlendSwitch {
 public:
  BlendSwitch() : source_(g_blendSrc), destination_(g_drawState.blendDest) {}
  ~BlendSwitch() {
    if (additive_) GR_Draw_Set_Blend_Mode_Ext(source_, destination_);
  }
  void Use(bool additive) {
    if (additive == additive_) return;
    additive_ = additive;
    if (additive) {
      GR_Draw_Set_Blend_Mode(1);
    } else {
      GR_Draw_Set_Blend_Mode_Ext(source_, destination_);
    }
  }

 private:
  int32_t source_, destination_;
  bool additive_ = false;
};

void DrawOne(const CParticleSystem& s, const CParticle& p, BlendSwitch& blend) {
  const CParticleType* type = ParticleType_Slot(p.type);
  if (type == nullptr) return;
  blend.Use(type->additive);
  DrawParticle(s, p);
}

bool Drawable(const CParticleSystem& s) { return s.inUse && s.automaticDraw; }

}  // namespace

void ParticleDraw_SetShapes(const int32_t textures[kParticleShapeCount]) {
  std::copy(textures, textures + kParticleShapeCount, g_shapeTextures);
}

void Particle_DrawSystem(const CParticleSystem& s) {
  BlendSwitch blend;
  if (s.oldToNew) {
    for (const CParticle& p : s.particles) DrawOne(s, p, blend);
  } else {
    for (auto it = s.particles.rbegin(); it != s.particles.rend(); ++it) DrawOne(s, *it, blend);
  }
}

float Particle_System_FirstDepth() {
  ++g_drawPass;
  float best = kNoDepth;
  for (const CParticleSystem& s : ParticleSystem_Table()) {
    if (Drawable(s) && s.depth > best) best = s.depth;
  }
  return best;
}

float Particle_System_NextDepth(float depth) {
  float best = kNoDepth;
  for (const CParticleSystem& s : ParticleSystem_Table()) {
    if (Drawable(s) && s.depth < depth && s.depth > best) best = s.depth;
  }
  return best;
}

// Systems within the tolerance of one another draw together at the first
// of their depths, in handle order, and not again at the next.
void Particle_System_DrawAtDepth(float depth) {
  auto& table = ParticleSystem_Table();
  for (CParticleSystem& s : table) {
    if (!Drawable(s) || s.drawnInPass == g_drawPass) continue;
    if (std::fabs(s.depth - depth) >= kDepthTolerance) continue;
    s.drawnInPass = g_drawPass;
    Particle_DrawSystem(s);
  }
}

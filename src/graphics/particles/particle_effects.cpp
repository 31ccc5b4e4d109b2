// The ready-made effects: two systems far below and far above everything,
// and 35 particle types re-configured for each effect's kind and size.
#include <cstdint>

#include "graphics/particles/particle_records.h"
#include "runtime/numeric.h"
#include "runtime/random.h"

namespace {

enum EffectKind : int32_t {
  kExplosion,
  kRing,
  kEllipse,
  kFirework,
  kSmoke,
  kSmokeUp,
  kStar,
  kSpark,
  kFlare,
  kCloud,
  kRain,
  kSnow,
  kKindCount
};
enum Shape : int32_t {
  kLine = 3,
  kStarShape = 4,
  kRingShape = 6,
  kFlareShape = 8,
  kSparkShape = 9,
  kExplosionShape = 10,
  kSnowShape = 13
};

constexpr float kBelowDepth = 100000.0f;
constexpr float kAboveDepth = -100000.0f;
// The types, in kind order: the explosion's cloud and puff per size, one
// per size for the kinds up to the cloud, one each for rain and snow.
constexpr int32_t kExplosionTypes = 6;
constexpr int32_t kRainType = kExplosionTypes + 3 * (kCloud - kExplosion);
constexpr int32_t kSnowType = kRainType + 1;
constexpr int32_t kEffectTypeCount = kSnowType + 1;
constexpr uint32_t kBlack = 0;

int32_t g_below = -1;
int32_t g_above = -1;
bool g_typesMade = false;
int32_t g_types[kEffectTypeCount];

// The type of a slot, remade when a script destroyed it.
int32_t TypeOf(int32_t slot) {
  if (!Particle_Type_Exists(g_types[slot])) g_types[slot] = Particle_Type_Create();
  return g_types[slot];
}

int32_t SizedType(EffectKind kind, int32_t size) { return TypeOf(kExplosionTypes + 3 * (kind - kRing) + size); }

struct Effect {
  int32_t system;
  float x, y;
  int32_t size;  // 0, 1 or 2
  int32_t colour;
  double f;  // the time factor

  int32_t Life(double steps) const { return Num_RoundInt32(steps / f); }
  float Fast(double amount) const { return static_cast<float>(amount * f); }
  template <typename T>
  T BySize(T small, T medium, T large) const {
    return size == 0 ? small : size == 2 ? large : medium;
  }
  void Make(int32_t type, int32_t count, float px, float py) const {
    Particle_Particles_CreateColor(system, px, py, type, colour, count);
  }
};

void Explosion(const Effect& e) {
  static constexpr double kCloudSize[] = {0.1, 0.3, 0.4}, kCloudGrowth[] = {0.05, 0.1, 0.2}, kSpeed[] = {2, 4, 7},
                          kSlowing[] = {-0.1, -0.18, -0.2}, kLifeMin[] = {10, 12, 15}, kPuffGrowth[] = {0.1, 0.2, 0.4},
                          kPuffLife[] = {15, 17, 20};
  const int32_t s = e.size;
  const int32_t cloud = TypeOf(2 * s), puff = TypeOf(2 * s + 1);
  for (int32_t type : {cloud, puff}) {
    Particle_Type_Shape(type, kExplosionShape);
    Particle_Type_Orientation(type, 0, 360, 0, 0, false);
    Particle_Type_Direction(type, 0, 360, 0, 0);
  }
  const auto size = static_cast<float>(kCloudSize[s]);
  Particle_Type_Size(cloud, size, size, e.Fast(kCloudGrowth[s]), 0);
  Particle_Type_Speed(cloud, e.Fast(kSpeed[s]), e.Fast(kSpeed[s]), e.Fast(kSlowing[s]), 0);
  Particle_Type_Alpha2(cloud, 0.6f, 0.0f);
  Particle_Type_Life(cloud, e.Life(kLifeMin[s]), e.Life(kLifeMin[s] + 5));
  Particle_Type_Size(puff, size, size, e.Fast(kPuffGrowth[s]), 0);
  Particle_Type_Alpha2(puff, 0.8f, 0.0f);
  Particle_Type_Life(puff, e.Life(kPuffLife[s]), e.Life(kPuffLife[s]));
  e.Make(cloud, 20, e.x, e.y);
  Particle_Particles_CreateColor(e.system, e.x, e.y, puff, kBlack, 1);
}

void RingLike(const Effect& e, EffectKind kind, const double growth[3]) {
  static constexpr int32_t kLifeMin[] = {10, 13, 18};
  const int32_t type = SizedType(kind, e.size);
  Particle_Type_Shape(type, kRingShape);
  Particle_Type_Alpha2(type, 1, 0);
  Particle_Type_Size(type, 0, 0, e.Fast(growth[e.size]), 0);
  Particle_Type_Life(type, e.Life(kLifeMin[e.size]), e.Life(kLifeMin[e.size] + 2));
  if (kind == kEllipse) Particle_Type_Scale(type, 1, 0.5f);
  e.Make(type, 1, e.x, e.y);
}

void Firework(const Effect& e) {
  const int32_t type = SizedType(kFirework, e.size);
  Particle_Type_Shape(type, kFlareShape);
  Particle_Type_Size(type, 0.1f, 0.2f, 0, 0);
  Particle_Type_Speed(type, e.Fast(0.5), e.Fast(e.BySize(3, 6, 8)), 0, 0);
  Particle_Type_Direction(type, 0, 360, 0, 0);
  Particle_Type_Alpha2(type, 1, 0.4f);
  const int32_t life = e.BySize(15, 20, 30);
  Particle_Type_Life(type, e.Life(life), e.Life(life + 10));
  Particle_Type_Gravity(type, e.Fast(e.BySize(0.1, 0.15, 0.17)), 270);
  e.Make(type, e.BySize(75, 150, 250), e.x, e.y);
}

void Smoke(const Effect& e, EffectKind kind) {
  const int32_t type = SizedType(kind, e.size);
  Particle_Type_Shape(type, kExplosionShape);
  Particle_Type_Size(type, e.BySize(0.2f, 0.4f, 0.4f), e.BySize(0.4f, 0.7f, 1.0f), e.Fast(-0.01), 0);
  Particle_Type_Alpha2(type, 0.4f, 0);
  const int32_t life = e.Life(e.BySize(25, 30, 50));
  Particle_Type_Life(type, life, life);
  if (kind == kSmokeUp) {
    const double slow = e.BySize(3, 5, 6);
    Particle_Type_Speed(type, e.Fast(slow), e.Fast(slow + 1), 0, 0);
    Particle_Type_Direction(type, 90, 90, 0, 0);
  }
  const int32_t spread = e.BySize(10, 30, 60);
  const int32_t count = e.BySize(6, 11, 16);
  for (int32_t i = 0; i < count; ++i) {
    const float dx = static_cast<float>(Random_Int(spread) - spread / 2);
    const float dy = static_cast<float>(Random_Int(spread) - spread / 2);
    e.Make(type, 1, e.x + dx, e.y + dy);
  }
}

void Glint(const Effect& e, EffectKind kind, int32_t shape) {
  const int32_t type = SizedType(kind, e.size);
  Particle_Type_Shape(type, shape);
  // The small size's range is written 0.4..0.3; an empty range gives 0.4.
  Particle_Type_Size(type, e.BySize(0.4f, 0.75f, 1.2f), e.BySize(0.3f, 0.75f, 1.2f),
                     e.Fast(e.BySize(-0.02, -0.03, -0.04)), 0);
  Particle_Type_Orientation(type, 0, 360, 0, 0, false);
  const int32_t life = e.Life(e.BySize(20, 25, 30));
  Particle_Type_Life(type, life, life);
  e.Make(type, 1, e.x, e.y);
}

void Cloud(const Effect& e) {
  const int32_t type = SizedType(kCloud, e.size);
  Particle_Type_Shape(type, kExplosionShape);
  const float size = e.BySize(2.0f, 4.0f, 8.0f);
  Particle_Type_Size(type, size, size, 0, 0);
  Particle_Type_Scale(type, 1, 0.5f);
  Particle_Type_Alpha3(type, 0, 0.3f, 0);
  Particle_Type_Life(type, e.Life(100), e.Life(100));
  e.Make(type, 1, e.x, e.y);
}

// Weather falls from just above the room across its whole width; the call's
// point is not used.
void Weather(const Effect& e, bool snow) {
  const ParticleHost& host = g_particleHost.Get();
  const double width = host.roomWidth(), height = host.roomHeight();
  const int32_t type = TypeOf(snow ? kSnowType : kRainType);
  if (snow) {
    Particle_Type_Shape(type, kSnowShape);
    Particle_Type_Size(type, 0.1f, 0.25f, 0, 0);
    Particle_Type_Alpha1(type, 0.6f);
    Particle_Type_Orientation(type, 0, 360, 0, 0, false);
    Particle_Type_Speed(type, e.Fast(2.5), e.Fast(3), 0, 0);
    Particle_Type_Direction(type, 240, 300, 0, 20);
  } else {
    Particle_Type_Shape(type, kLine);
    Particle_Type_Size(type, 0.2f, 0.3f, 0, 0);
    Particle_Type_Orientation(type, 0, 0, 0, 0, true);
    Particle_Type_Speed(type, e.Fast(7), e.Fast(7), 0, 0);
    Particle_Type_Direction(type, 260, 260, 0, 0);
    Particle_Type_Alpha1(type, 0.4f);
  }
  const int32_t life = e.Life((snow ? 0.5 : 0.2) * height);
  Particle_Type_Life(type, life, life);
  const int32_t count = snow ? e.BySize(1, 3, 7) : e.BySize(2, 5, 9);
  for (int32_t i = 0; i < count; ++i) {
    const double x = Random_Real(1.2 * width) - (snow ? 60.0 : 0.0);
    const double y = Random_Real(20.0) - 30.0;
    e.Make(type, 1, static_cast<float>(x), static_cast<float>(y));
  }
}

void Build(const Effect& e, int32_t kind) {
  static constexpr double kRingGrowth[] = {0.15, 0.25, 0.4}, kEllipseGrowth[] = {0.2, 0.35, 0.6};
  switch (kind) {
    case kExplosion: Explosion(e); break;
    case kRing: RingLike(e, kRing, kRingGrowth); break;
    case kEllipse: RingLike(e, kEllipse, kEllipseGrowth); break;
    case kFirework: Firework(e); break;
    case kSmoke: Smoke(e, kSmoke); break;
    case kSmokeUp: Smoke(e, kSmokeUp); break;
    case kStar: Glint(e, kStar, kStarShape); break;
    case kSpark: Glint(e, kSpark, kSparkShape); break;
    case kFlare: Glint(e, kFlare, kFlareShape); break;
    case kCloud: Cloud(e); break;
    case kRain: Weather(e, false); break;
    case kSnow: Weather(e, true); break;
    default: break;
  }
}

void EnsureSystem(int32_t& handle, float depth) {
  if (Particle_System_Exists(handle)) return;
  handle = Particle_System_Create();
  Particle_System_Depth(handle, depth);
}

}  // namespace

void ParticleEffects_Reset() {
  g_below = g_above = -1;
  g_typesMade = false;
}

void Particle_Effect_CreateSystems() {
  EnsureSystem(g_below, kBelowDepth);
  EnsureSystem(g_above, kAboveDepth);
}

void Particle_Effect_CreateTypes() {
  if (g_typesMade) return;
  g_typesMade = true;
  for (int32_t& type : g_types) type = Particle_Type_Create();
}

double Particle_Effect_TimeFactor() {
  const ParticleHost& host = g_particleHost.Get();
  const double r = host.roomSpeed(), q = host.framesPerSecond();
  if (!(r > 30 && q > 30)) return 1.0;
  return r / q >= 1.2 ? 30.0 / q : 30.0 / r;
}

void Particle_Effect_Create(bool below, int32_t kind, float x, float y, int32_t size, int32_t colour) {
  Particle_Effect_CreateSystems();
  Particle_Effect_CreateTypes();
  const int32_t sizeIndex = size == 0 ? 0 : size == 2 ? 2 : 1;
  const Effect effect{below ? g_below : g_above, x, y, sizeIndex, colour, Particle_Effect_TimeFactor()};
  Build(effect, kind);
}

// Only the particles go: the systems keep their depths far below and above.
void Particle_Effect_Clear() {
  Particle_Particles_Clear(g_below);
  Particle_Particles_Clear(g_above);
}

int32_t Particle_Effect_System(bool below) { return below ? g_below : g_above; }

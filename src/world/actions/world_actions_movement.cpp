#include <algorithm>
#include <cmath>

#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "runtime/random.h"
#include "world/actions/world_actions.h"
#include "world/actions/world_actions_select.h"

namespace {

constexpr double kDegrees = static_cast<double>(3.1415927f) / 180.0;
constexpr int32_t kDefaultSteps = 1000;
constexpr int32_t kBounceProbes = 35;
constexpr double kSnapTolerance = 0.001;

// A maximum rounded to whole steps; 0 or less means the default. One out of
// range rounds to no steps at all.
int32_t StepCount(float maximum) {
  if (!(maximum > 0.0f)) return maximum <= 0.0f ? kDefaultSteps : 0;
  const int32_t steps = Num_RoundInt32(maximum);
  return steps < 0 ? 0 : steps;
}

struct Step {
  float dx, dy;
};

Step UnitStep(float direction) {
  const double d = static_cast<double>(direction) * kDegrees;
  return {static_cast<float>(std::cos(d)), static_cast<float>(-std::sin(d))};
}

bool FreeHere(CInstance* instance, bool all) { return Place_IsFree(instance, instance->x, instance->y, all); }

void BounceAlongAxes(CInstance* instance, bool all) {
  const float x = instance->x, y = instance->y;
  const bool h = Place_IsFree(instance, x + instance->hspeed, y, all);
  const bool v = Place_IsFree(instance, x, y + instance->vspeed, all);
  const bool d = Place_IsFree(instance, x + instance->hspeed, y + instance->vspeed, all);
  if (!h) {
    instance->SetHSpeed(-instance->hspeed);
    if (!v) instance->SetVSpeed(-instance->vspeed);
  } else if (v && !d) {
    instance->SetHSpeed(-instance->hspeed);
    instance->SetVSpeed(-instance->vspeed);
  } else if (!v) {
    instance->SetVSpeed(-instance->vspeed);
  }
}

bool FreeAlong(CInstance* instance, double angle, bool all) {
  const double a = angle * kDegrees;
  const double s = instance->speed;
  return Place_IsFree(instance, static_cast<float>(instance->x + std::cos(a) * s),
                      static_cast<float>(instance->y - std::sin(a) * s), all);
}

// The first free angle going from d0 in steps of `delta`, at most 35
// probes; the last probed when none is free. *firstFree tells whether the
// very first probe was free.
double FirstFreeAngle(CInstance* instance, double d0, double delta, bool all, bool* firstFree) {
  double angle = d0;
  for (int32_t probe = 1; probe <= kBounceProbes; ++probe) {
    angle = d0 + delta * probe;
    const bool free = FreeAlong(instance, angle, all);
    if (probe == 1) *firstFree = free;
    if (free) break;
  }
  return angle;
}

void BounceByProbes(CInstance* instance, bool wasFree, bool all) {
  const double d0 = std::nearbyint(static_cast<double>(instance->direction) / 10.0) * 10.0;
  bool downFree = false, upFree = false;
  const double a = FirstFreeAngle(instance, d0, -10.0, all, &downFree);
  const double b = FirstFreeAngle(instance, d0, 10.0, all, &upFree);
  if (wasFree && downFree && upFree) return;
  instance->SetDirection(static_cast<float>(a + b + 180.0 - d0));
}

double Snapped(float value, float snap) { return std::nearbyint(static_cast<double>(value) / snap) * snap; }

// New coordinate after wrapping one axis; unchanged when it stays inside.
float Wrapped(float position, float speed, float extent, float margin) {
  if (speed < 0.0f && position < 0.0f) return position + extent + margin;
  if (speed > 0.0f && position >= extent) return position - extent - margin;
  return position;
}

bool HasShape(const CInstance* instance) {
  return Sprite_Exists(instance->sprite_index) || Sprite_Exists(instance->mask_index);
}

// One random coordinate from [low, high) (low when the range is empty),
// snapped down to a multiple of snap when snap is positive.
double RandomCoordinate(int32_t low, int32_t high, int32_t snap) {
  const int64_t range = std::clamp<int64_t>(static_cast<int64_t>(high) - low, INT32_MIN + 1, INT32_MAX);
  double value = static_cast<double>(low);
  if (range != 0) value += Random_Int(static_cast<int32_t>(range));
  if (snap > 0) value = std::floor(value / snap) * snap;
  return value;
}

bool OnGrid(double value, double snap) {
  if (!(snap > 0.0)) return true;
  return std::fabs(value - std::nearbyint(value / snap) * snap) < kSnapTolerance;
}

}  // namespace

void Run_MoveContact(CInstance* instance, float direction, float maximum, bool all) {
  if (instance == nullptr || !FreeHere(instance, all)) return;
  const int32_t steps = StepCount(maximum);
  const Step step = UnitStep(direction);
  for (int32_t i = 0; i < steps; ++i) {
    const float nx = instance->x + step.dx, ny = instance->y + step.dy;
    if (!Place_IsFree(instance, nx, ny, all)) return;
    instance->SetPosition(nx, ny);
  }
}

void Run_MoveOutside(CInstance* instance, float direction, float maximum, bool all) {
  if (instance == nullptr || FreeHere(instance, all)) return;
  const int32_t steps = StepCount(maximum);
  const Step step = UnitStep(direction);
  for (int32_t i = 0; i < steps; ++i) {
    instance->SetPosition(instance->x + step.dx, instance->y + step.dy);
    if (FreeHere(instance, all)) return;
  }
}

void Run_MoveBounce(CInstance* instance, bool precise, bool all) {
  if (instance == nullptr) return;
  const bool wasFree = FreeHere(instance, all);
  if (!wasFree) instance->SetPosition(instance->xprevious, instance->yprevious);
  if (precise) {
    BounceByProbes(instance, wasFree, all);
  } else {
    BounceAlongAxes(instance, all);
  }
}

void Run_MoveSnap(CInstance* instance, float hsnap, float vsnap) {
  if (instance == nullptr) return;
  float x = instance->x, y = instance->y;
  if (hsnap > 0.0f) x = static_cast<float>(Snapped(x, hsnap));
  if (vsnap > 0.0f) y = static_cast<float>(Snapped(y, vsnap));
  instance->SetPosition(x, y);
}

void Run_MoveWrap(CInstance* instance, bool horizontal, bool vertical) {
  if (instance == nullptr || g_currentRoom == nullptr) return;
  float w = 0.0f, h = 0.0f;
  if (const CSprite* sprite = Sprite_Get(instance->sprite_index); sprite != nullptr) {
    w = static_cast<float>(sprite->width) * instance->image_xscale;
    h = static_cast<float>(sprite->height) * instance->image_yscale;
  }
  float x = instance->x, y = instance->y;
  if (horizontal) x = Wrapped(x, instance->hspeed, static_cast<float>(g_currentRoom->width), w);
  if (vertical) y = Wrapped(y, instance->vspeed, static_cast<float>(g_currentRoom->height), h);
  instance->SetPosition(x, y);
}

void Run_MoveTowardsPoint(CInstance* instance, float x, float y, float speed) {
  if (instance == nullptr) return;
  instance->SetHSpeed(x - instance->x);
  instance->SetVSpeed(y - instance->y);
  instance->SetSpeed(speed);
}

void Run_MoveRandom(CInstance* instance, int32_t hsnap, int32_t vsnap, int32_t tries) {
  if (instance == nullptr || g_currentRoom == nullptr) return;
  int32_t low[2] = {0, 0};
  int32_t high[2] = {g_currentRoom->width, g_currentRoom->height};
  if (HasShape(instance)) {
    instance->RefreshBoundingBox();
    low[0] = Num_RoundInt32(static_cast<double>(instance->x) - instance->bbox_left);
    high[0] = Num_RoundInt32(static_cast<double>(g_currentRoom->width) + instance->x - instance->bbox_right);
    low[1] = Num_RoundInt32(static_cast<double>(instance->y) - instance->bbox_top);
    high[1] = Num_RoundInt32(static_cast<double>(g_currentRoom->height) + instance->y - instance->bbox_bottom);
  }
  for (int32_t attempt = 0; attempt < tries; ++attempt) {
    // Whole numbers of at most 33 bits, far inside a float's range.
    const float x = static_cast<float>(RandomCoordinate(low[0], high[0], hsnap));
    const float y = static_cast<float>(RandomCoordinate(low[1], high[1], vsnap));
    if (Run_PlaceFree(instance, x, y)) {
      instance->SetPosition(x, y);
      return;
    }
  }
}

bool Run_PlaceSnapped(const CInstance* instance, double hsnap, double vsnap) {
  return instance != nullptr && OnGrid(instance->x, hsnap) && OnGrid(instance->y, vsnap);
}

double Run_WrapCoordinate(double value, double extent, double margin) {
  if (value < -margin) value = value + extent + 2.0 * margin;
  if (value > extent + margin) value = value - extent - 2.0 * margin;
  return value;
}

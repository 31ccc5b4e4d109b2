#include <cmath>

#include "resources/path.h"
#include "world/actions/world_actions_select.h"
#include "world/planning/motion_planning.h"

namespace {

constexpr double kDegrees = static_cast<double>(3.1415927f) / 180.0;
constexpr float kPointSpeed = 100.0f;

PotentialSettings g_potential = {30.0f, 10.0f, 3.0f, true};

bool IsFree(CInstance* instance, double x, double y, int32_t selector, bool checkAll) {
  const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
  if (selector == kInstanceAll) return Place_IsFree(instance, fx, fy, checkAll);
  return !Run_PlaceMeeting(instance, selector, fx, fy);
}

// Degrees from one point to another, counter-clockwise with y downwards.
double PointDirection(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  if (dx == 0.0) return dy > 0.0 ? 270.0 : dy < 0.0 ? 90.0 : 0.0;
  const double d = std::atan2(-dy, dx) / kDegrees;
  return d < 0.0 ? d + 360.0 : d;
}

double Distance(const CInstance* instance, float x, float y) {
  return std::hypot(static_cast<double>(x) - instance->x, static_cast<double>(y) - instance->y);
}

bool OnGoal(const CInstance* instance, float x, float y) { return instance->x == x && instance->y == y; }

void MoveTo(CInstance* instance, double x, double y) {
  instance->SetDirection(static_cast<float>(PointDirection(instance->x, instance->y, x, y)));
  instance->SetPosition(static_cast<float>(x), static_cast<float>(y));
}

// The smallest turn between two directions, in degrees, 0 to 180.
double TurnBetween(double from, double to) {
  double turn = std::fmod(to - from, 360.0);
  if (turn < 0.0) turn += 360.0;
  return turn > 180.0 ? 360.0 - turn : turn;
}

bool TryDirection(CInstance* instance, double t, float stepSize, int32_t selector, bool checkAll) {
  if (TurnBetween(instance->direction, t) > g_potential.maxRotation) return false;
  const double c = std::cos(t * kDegrees), s = -std::sin(t * kDegrees);
  const double ahead = static_cast<double>(stepSize) * g_potential.ahead;
  if (!IsFree(instance, instance->x + c * ahead, instance->y + s * ahead, selector, checkAll)) return false;
  const double nx = instance->x + c * stepSize, ny = instance->y + s * stepSize;
  if (!IsFree(instance, nx, ny, selector, checkAll)) return false;
  instance->SetDirection(static_cast<float>(t));
  instance->SetPosition(static_cast<float>(nx), static_cast<float>(ny));
  return true;
}

void StartPath(CPath& path, const CInstance* instance) {
  path.Clear();
  path.SetKind(kPathStraight);
  path.SetClosed(false);
  path.AddPoint(instance->x, instance->y, kPointSpeed);
}

// Runs steps until one reaches the goal, adding each new position; the
// instance is put back where it started either way. False when a step
// does not move it or the path grows longer than `limit`.
template <typename StepFn>
bool BuildPath(CInstance* instance, CPath& path, float x, float y, double limit, StepFn step) {
  const float startX = instance->x, startY = instance->y, startDirection = instance->direction;
  StartPath(path, instance);
  double length = 0.0;
  bool reached = false;
  while (true) {
    const float beforeX = instance->x, beforeY = instance->y;
    if (step()) {
      reached = true;
      break;
    }
    if (instance->x == beforeX && instance->y == beforeY) break;
    path.AddPoint(instance->x, instance->y, kPointSpeed);
    length += std::hypot(static_cast<double>(instance->x) - beforeX, static_cast<double>(instance->y) - beforeY);
    if (length > limit) break;
  }
  if (reached) path.AddPoint(x, y, kPointSpeed);
  instance->SetPosition(startX, startY);
  instance->SetDirection(startDirection);
  return reached;
}

}  // namespace

bool Motion_Linear_Step(CInstance* instance, float x, float y, float stepSize, int32_t selector, bool checkAll) {
  if (instance == nullptr) return false;
  if (OnGoal(instance, x, y)) return true;
  const double distance = Distance(instance, x, y);
  const bool reached = distance <= stepSize;
  double tx = x, ty = y;
  if (!reached) {
    tx = instance->x + (x - static_cast<double>(instance->x)) * stepSize / distance;
    ty = instance->y + (y - static_cast<double>(instance->y)) * stepSize / distance;
  }
  if (IsFree(instance, tx, ty, selector, checkAll)) MoveTo(instance, tx, ty);
  return reached;
}

bool Motion_Linear_Path(CInstance* instance, int32_t path, float x, float y, float stepSize, int32_t selector,
                        bool checkAll) {
  CPath* target = Path_Get(path);
  if (instance == nullptr || target == nullptr || !(stepSize > 0.0f)) return false;
  return BuildPath(instance, *target, x, y, INFINITY,
                   [&] { return Motion_Linear_Step(instance, x, y, stepSize, selector, checkAll); });
}

void Motion_Potential_Settings(float maxRotation, float rotationStep, float ahead, bool onSpot) {
  g_potential.maxRotation = maxRotation < 1.0f ? 1.0f : maxRotation;
  g_potential.rotationStep = rotationStep < 1.0f ? 1.0f : rotationStep;
  g_potential.ahead = ahead < 1.0f ? 1.0f : ahead;
  g_potential.onSpot = onSpot;
}

PotentialSettings Motion_Potential_Get() { return g_potential; }

bool Motion_Potential_Step(CInstance* instance, float x, float y, float stepSize, int32_t selector, bool checkAll) {
  if (instance == nullptr) return false;
  if (OnGoal(instance, x, y)) return true;
  if (Distance(instance, x, y) <= stepSize) {
    if (IsFree(instance, x, y, selector, checkAll)) MoveTo(instance, x, y);
    return true;
  }
  const double d = PointDirection(instance->x, instance->y, x, y);
  for (double a = 0.0; a < 180.0; a += g_potential.rotationStep) {
    if (TryDirection(instance, d - a, stepSize, selector, checkAll)) return false;
    if (a > 0.0 && TryDirection(instance, d + a, stepSize, selector, checkAll)) return false;
  }
  if (g_potential.onSpot) instance->SetDirection(instance->direction + g_potential.rotationStep);
  return false;
}

bool Motion_Potential_Path(CInstance* instance, int32_t path, float x, float y, float stepSize, float factor,
                           int32_t selector, bool checkAll) {
  CPath* target = Path_Get(path);
  if (instance == nullptr || target == nullptr || !(factor >= 1.0f) || !(stepSize > 0.0f)) return false;
  const double limit = static_cast<double>(factor) * Distance(instance, x, y);
  return BuildPath(instance, *target, x, y, limit,
                   [&] { return Motion_Potential_Step(instance, x, y, stepSize, selector, checkAll); });
}

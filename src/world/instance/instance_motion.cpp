// Speed, direction and their components, friction and gravity. Everything
// is single precision, as scripts read it back.
#include <cmath>

#include "world/instance/instance.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kSnap = 1e-4f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

// A value within 1e-4 of a whole number becomes that number (never -0).
float Snapped(float value) {
  const float whole = std::rint(value);
  return std::fabs(value - whole) < kSnap ? whole + 0.0f : value;
}

// Into [0, 360). fmod is exact, so the result is the one that repeatedly
// adding or taking 360 reaches, without looping on huge values.
float Wrapped360(float value) {
  if (!std::isfinite(value)) return 0.0f;
  float r = std::fmod(value, 360.0f);
  if (r < 0.0f) r += 360.0f;
  return std::fmod(r, 360.0f);
}

}  // namespace

void CInstance::SetDirection(float value) {
  direction = Wrapped360(value);
  ComputeHVSpeed();
}

void CInstance::SetSpeed(float value) {
  if (value == speed) return;
  speed = value;
  ComputeHVSpeed();
}

void CInstance::SetHSpeed(float value) {
  if (value == hspeed) return;
  hspeed = value;
  ComputeDirectionSpeed();
}

void CInstance::SetVSpeed(float value) {
  if (value == vspeed) return;
  vspeed = value;
  ComputeDirectionSpeed();
}

void CInstance::ComputeDirectionSpeed() {
  if (hspeed == 0.0f) {
    direction = vspeed > 0.0f ? 270.0f : vspeed < 0.0f ? 90.0f : 0.0f;
  } else {
    const float d = std::atan2(vspeed, hspeed) * (180.0f / kPi);
    direction = d > 0.0f ? 360.0f - d : -d;
  }
  direction = std::fmod(Snapped(direction), 360.0f);
  speed = Snapped(std::sqrt(hspeed * hspeed + vspeed * vspeed));
  bboxDirty = 1;
}

void CInstance::ComputeHVSpeed() {
  const float a = Radians(direction);
  hspeed = Snapped(std::cos(a) * speed);
  vspeed = Snapped(-std::sin(a) * speed);
  bboxDirty = 1;
}

void CInstance::AddMotion(float dir, float amount) {
  const float a = Radians(dir);
  hspeed += std::cos(a) * amount;
  vspeed -= std::sin(a) * amount;
  ComputeDirectionSpeed();
}

void CInstance::ApplyFrictionGravity() {
  if (friction != 0.0f && speed != 0.0f) {
    const float slowed = speed > 0.0f ? speed - friction : speed + friction;
    const bool crossed = (speed > 0.0f && slowed < 0.0f) || (speed < 0.0f && slowed > 0.0f);
    const float result = crossed ? 0.0f : slowed;
    if (result != speed) {
      speed = result;
      ComputeHVSpeed();
    }
  }
  if (gravity != 0.0f) AddMotion(gravity_direction, gravity);
}

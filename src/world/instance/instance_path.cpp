// Following a path: the position along it advances by the path speed,
// scaled by the speed of the path's point there, and the instance is moved
// to the rotated and scaled path point relative to where the path started.
#include <cmath>

#include "resources/path.h"
#include "world/instance/instance.h"

namespace {

constexpr float kPi = 3.1415927f;

// A path that can be followed: it exists and has a length.
const CPath* Followable(int32_t index) {
  if (index < 0) return nullptr;
  const CPath* path = Path_Get(index);
  return path != nullptr && path->GetLength() > 0.0f ? path : nullptr;
}

}  // namespace

void CInstance::StartPath(int32_t path, float newSpeed, float scale, float orientation, bool relative,
                          int32_t endAction) {
  path_index = path;
  if (path < 0) return;
  const CPath* followed = Followable(path);
  if (followed == nullptr || scale < 0.0f) {
    path_index = -1;
    return;
  }
  path_speed = newSpeed;
  path_position = newSpeed >= 0.0f ? 0.0f : 1.0f;
  path_positionprevious = path_position;
  path_scale = scale;
  path_orientation = orientation;
  path_endaction = endAction;
  if (!relative) {
    const PathPoint start = followed->GetPosition(path_position);
    SetPosition(start.x, start.y);
  }
  pathOriginX = x;
  pathOriginY = y;
}

// The end action, once the position has run past either end.
void CInstance::EndOfPath(const CPath& path, float c, float s) {
  switch (path_endaction) {
    case kPathEndRestart: path_position = path_position < 0.0f ? path_position + 1.0f : path_position - 1.0f; break;
    case kPathEndContinue: {
      const PathPoint end = path.GetPosition(1.0);
      const PathPoint start = path.GetPosition(0.0);
      const float dx = end.x - start.x;
      const float dy = end.y - start.y;
      const float moveX = (s * dy + c * dx) * path_scale;
      const float moveY = (c * dy - s * dx) * path_scale;
      if (path_position < 0.0f) {
        pathOriginX -= moveX;
        pathOriginY -= moveY;
        path_position += 1.0f;
      } else {
        pathOriginX += moveX;
        pathOriginY += moveY;
        path_position -= 1.0f;
      }
      break;
    }
    case kPathEndReverse:
      if (path_position < 0.0f) {
        path_position = -path_position;
        path_speed = std::fabs(path_speed);
      } else {
        path_position = 2.0f - path_position;
        path_speed = -std::fabs(path_speed);
      }
      break;
    default:
      path_index = -1;
      path_position = 1.0f;
      break;
  }
}

bool CInstance::UpdatePath() {
  const CPath* path = Followable(path_index);
  if (path == nullptr) return false;
  if (!std::isfinite(path_position)) path_position = 0.0f;
  const float a = path_orientation * kPi / 180.0f;
  const float c = std::cos(a);
  const float s = std::sin(a);
  const float pointSpeed = path->GetPosition(path_position).speed;
  // A scale of 0 (or a non-finite speed) would make the step infinite or
  // NaN: the instance then stays where it is on the path.
  float step = path_speed * (pointSpeed / (100.0f * path_scale)) / path->GetLength();
  if (!std::isfinite(step)) step = 0.0f;
  path_position += step;
  const bool ended = path_position >= 1.0f || path_position <= 0.0f;
  if (ended) EndOfPath(*path, c, s);
  const PathPoint here = path->GetPosition(path_position);
  const PathPoint origin = path->GetPosition(0.0);
  const float px = here.x - origin.x;
  const float py = here.y - origin.y;
  const float tx = pathOriginX + (c * px + s * py) * path_scale;
  const float ty = pathOriginY + (c * py - s * px) * path_scale;
  if (tx - x != hspeed) {
    hspeed = tx - x;
    ComputeDirectionSpeed();
  }
  if (ty - y != vspeed) {
    vspeed = ty - y;
    ComputeDirectionSpeed();
  }
  if (speed != 0.0f) {
    speed = 0.0f;
    ComputeHVSpeed();
  }
  SetPosition(tx, ty);
  return ended;
}

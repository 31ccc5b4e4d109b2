#include "resources/path.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/draw/draw_primitives.h"
#include "runtime/memory.h"

namespace {

// Subdivision adds up to 255 points a segment; this bounds the polyline of
// a path with millions of user points to a sane allocation.
constexpr int32_t kMaxComputedPoints = 1 << 22;
constexpr float kPi = 3.1415927f;
constexpr int32_t kPathLineStrip = 3;
static_assert(kPathDrawMaxVertices == kFreePrimitiveMax);

PathPoint Mid(const PathPoint& a, const PathPoint& b) {
  return {(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f, (a.speed + b.speed) / 2.0f};
}

float SquaredDistance(const PathPoint& a, const PathPoint& b) {
  float dx = b.x - a.x;
  float dy = b.y - a.y;
  return dx * dx + dy * dy;
}

template <typename T>
void Grow(T** array, int32_t* capacity, int32_t wanted) {
  *array = static_cast<T*>(KV_REALLOC(*array, static_cast<size_t>(wanted) * sizeof(T)));
  *capacity = wanted;
}

}  // namespace

CPath::~CPath() { Clear(); }

const PathPoint& CPath::GetPoint(int32_t index) const {
  static const PathPoint kDefault = {0.0f, 0.0f, 1.0f};
  return index >= 0 && index < count_ ? points_[index] : kDefault;
}

PathPoint CPath::GetPosition(double fraction) const {
  Refresh();
  if (computedCount_ == 0) return {0.0f, 0.0f, 100.0f};
  const PathComputedPoint* c = computed_;
  if (computedCount_ == 1 || length_ == 0.0f || fraction <= 0.0 || std::isnan(fraction)) {
    return {c[0].x, c[0].y, c[0].speed};
  }
  const PathComputedPoint& last = c[computedCount_ - 1];
  if (fraction >= 1.0) return {last.x, last.y, last.speed};
  float at = length_ * static_cast<float>(fraction);
  int32_t i = 0;
  while (i < computedCount_ - 2 && !(at < c[i + 1].length)) ++i;
  float span = c[i + 1].length - c[i].length;
  if (span == 0.0f) return {c[i].x, c[i].y, c[i].speed};
  float f = (at - c[i].length) / span;
  return {c[i].x + (c[i + 1].x - c[i].x) * f, c[i].y + (c[i + 1].y - c[i].y) * f,
          c[i].speed + (c[i + 1].speed - c[i].speed) * f};
}

void CPath::SetKind(int32_t kind) {
  kind_ = kind == kPathSmooth ? kPathSmooth : kPathStraight;
  Recompute();
}

void CPath::SetClosed(bool closed) {
  closed_ = closed ? 1 : 0;
  Recompute();
}

void CPath::SetPrecision(int32_t precision) {
  precision_ = std::clamp(precision, 0, kPathMaxPrecision);
  Recompute();
}

void CPath::ReservePoints(int32_t capacity) {
  if (capacity > capacity_) Grow(&points_, &capacity_, capacity);
}

int32_t CPath::AddPoint(float x, float y, float speed) {
  if (count_ >= capacity_) ReservePoints(std::max(count_ + 10, count_ * 2));
  points_[count_] = {x, y, speed};
  ++count_;
  stale_ = true;
  return count_ - 1;
}

void CPath::InsertPoint(int32_t index, float x, float y, float speed) {
  if (index < 0 || index > count_) return;
  if (count_ >= capacity_) ReservePoints(count_ + 5);
  std::memmove(points_ + index + 1, points_ + index, static_cast<size_t>(count_ - index) * sizeof(PathPoint));
  points_[index] = {x, y, speed};
  ++count_;
  Recompute();
}

void CPath::ChangePoint(int32_t index, float x, float y, float speed) {
  if (index < 0 || index >= count_) return;
  points_[index] = {x, y, speed};
  Recompute();
}

void CPath::DeletePoint(int32_t index) {
  if (index < 0 || index >= count_) return;
  std::memmove(points_ + index, points_ + index + 1, static_cast<size_t>(count_ - index - 1) * sizeof(PathPoint));
  --count_;
  Recompute();
}

void CPath::Clear() {
  MemoryManager::Free(points_);
  MemoryManager::Free(computed_);
  points_ = nullptr;
  computed_ = nullptr;
  capacity_ = computedCapacity_ = count_ = computedCount_ = 0;
  length_ = 0.0f;
  stale_ = false;
}

void CPath::Reverse() {
  for (int32_t i = 0; i <= (count_ - 1) / 2 && count_ > 0; ++i) std::swap(points_[i], points_[count_ - 1 - i]);
  Recompute();
}

void CPath::Shift(float dx, float dy) {
  for (int32_t i = 0; i < count_; ++i) {
    points_[i].x += dx;
    points_[i].y += dy;
  }
  Recompute();
}

void CPath::Centre(float* cx, float* cy) const {
  if (count_ == 0) {
    *cx = *cy = 0.0f;
    return;
  }
  float minX = points_[0].x, maxX = points_[0].x, minY = points_[0].y, maxY = points_[0].y;
  for (int32_t i = 1; i < count_; ++i) {
    minX = std::min(minX, points_[i].x);
    maxX = std::max(maxX, points_[i].x);
    minY = std::min(minY, points_[i].y);
    maxY = std::max(maxY, points_[i].y);
  }
  *cx = (minX + maxX) / 2.0f;
  *cy = (minY + maxY) / 2.0f;
}

void CPath::Mirror() { Scale(-1.0f, 1.0f); }

void CPath::Flip() { Scale(1.0f, -1.0f); }

void CPath::Rotate(float angle) {
  float cx, cy;
  Centre(&cx, &cy);
  float a = angle * kPi / 180.0f;
  float c = std::cos(a);
  float s = std::sin(a);
  for (int32_t i = 0; i < count_; ++i) {
    float x = points_[i].x - cx;
    float y = points_[i].y - cy;
    points_[i].x = x * c + y * s + cx;
    points_[i].y = y * c - x * s + cy;
  }
  Recompute();
}

void CPath::Scale(float xscale, float yscale) {
  float cx, cy;
  Centre(&cx, &cy);
  for (int32_t i = 0; i < count_; ++i) {
    points_[i].x = (points_[i].x - cx) * xscale + cx;
    points_[i].y = (points_[i].y - cy) * yscale + cy;
  }
  Recompute();
}

void CPath::Append(const CPath& other) {
  int32_t added = other.count_;
  if (added == 0) return;
  // Copy first: the other path may be this one.
  ReservePoints(count_ + added);
  std::memmove(points_ + count_, other.points_, static_cast<size_t>(added) * sizeof(PathPoint));
  count_ += added;
  Recompute();
}

void CPath::Assign(const CPath& other) {
  if (&other == this) return;
  kind_ = other.kind_;
  closed_ = other.closed_;
  precision_ = other.precision_;
  count_ = 0;
  ReservePoints(other.count_);
  if (other.count_ > 0) std::memcpy(points_, other.points_, static_cast<size_t>(other.count_) * sizeof(PathPoint));
  count_ = other.count_;
  Recompute();
}

void CPath::AddComputed(float x, float y, float speed) const {
  if (computedCount_ >= kMaxComputedPoints) return;
  if (computedCount_ >= computedCapacity_) {
    Grow(&computed_, &computedCapacity_, std::max(computedCount_ + 10, computedCount_ * 2));
  }
  computed_[computedCount_++] = {x, y, speed, 0.0f};
}

void CPath::Recompute() const {
  stale_ = false;
  computedCount_ = 0;
  if (kind_ == kPathSmooth)
    ComputeSmooth();
  else
    ComputeStraight();
  ComputeLengths();
}

void CPath::ComputeStraight() const {
  for (int32_t i = 0; i < count_; ++i) AddComputed(points_[i].x, points_[i].y, points_[i].speed);
  if (closed_ && count_ > 0) AddComputed(points_[0].x, points_[0].y, points_[0].speed);
}

void CPath::ComputeSmooth() const {
  int32_t n = count_;
  if (n == 0) return;
  if (!closed_) AddComputed(points_[0].x, points_[0].y, points_[0].speed);
  int32_t lastSegment = closed_ ? n : n - 2;
  for (int32_t i = 1; i <= lastSegment; ++i) {
    const PathPoint& p0 = points_[(i - 1) % n];
    const PathPoint& p1 = points_[i % n];
    const PathPoint& p2 = points_[(i + 1) % n];
    Subdivide(Mid(p0, p1), p1, Mid(p1, p2), precision_);
  }
  if (closed_) {
    if (computedCount_ > 0) AddComputed(computed_[0].x, computed_[0].y, computed_[0].speed);
  } else {
    AddComputed(points_[n - 1].x, points_[n - 1].y, points_[n - 1].speed);
  }
}

// Points go in order along the curve, denser where the control legs are
// longer than 4 pixels; the ends of the piece are not added.
void CPath::Subdivide(PathPoint start, PathPoint control, PathPoint end, int32_t depth) const {
  while (depth > 0) {
    PathPoint middle = {(start.x + 2.0f * control.x + end.x) / 4.0f, (start.y + 2.0f * control.y + end.y) / 4.0f,
                        (start.speed + 2.0f * control.speed + end.speed) / 4.0f};
    if (SquaredDistance(start, control) > 16.0f) Subdivide(start, Mid(start, control), middle, depth - 1);
    AddComputed(middle.x, middle.y, middle.speed);
    if (SquaredDistance(control, end) <= 16.0f) return;
    start = middle;
    control = Mid(control, end);
    --depth;
  }
}

// A step whose squares overflow is measured without squaring; one that
// still does not measure as a finite number (points at NaN or infinity, or
// a sum past the float range) adds nothing, so that the length stays a
// number.
void CPath::ComputeLengths() const {
  length_ = 0.0f;
  if (computedCount_ == 0) return;
  computed_[0].length = 0.0f;
  for (int32_t i = 1; i < computedCount_; ++i) {
    float dx = computed_[i].x - computed_[i - 1].x;
    float dy = computed_[i].y - computed_[i - 1].y;
    float step = std::sqrt(dx * dx + dy * dy);
    if (!std::isfinite(step)) step = static_cast<float>(std::hypot(double{dx}, double{dy}));
    const float sum = computed_[i - 1].length + step;
    computed_[i].length = std::isfinite(sum) ? sum : computed_[i - 1].length;
  }
  length_ = computed_[computedCount_ - 1].length;
}

int32_t CPath::DrawPoints(float x, float y, bool absolute, float* xy, int32_t capacity) const {
  Refresh();
  // Halves to even; a length past the integers still draws its first part.
  double steps = std::nearbyint(static_cast<double>(length_ / 4.0f));
  if (!(steps >= 1.0)) return 0;
  float dx = x, dy = y;
  if (!absolute) {
    PathPoint start = GetPosition(0.0);
    dx -= start.x;
    dy -= start.y;
  }
  // Vertices past the strip's limit would be dropped, so they are not made.
  int32_t vertices = steps >= kPathDrawMaxVertices - 1 ? kPathDrawMaxVertices : static_cast<int32_t>(steps) + 1;
  for (int32_t i = 0; i < vertices && i < capacity; ++i) {
    PathPoint p = GetPosition(static_cast<double>(i) / steps);
    xy[2 * i] = p.x + dx;
    xy[2 * i + 1] = p.y + dy;
  }
  return vertices;
}

void CPath::Draw(float x, float y, bool absolute) const {
  Refresh();
  float xy[2 * kPathDrawMaxVertices];
  int32_t count = DrawPoints(x, y, absolute, xy, kPathDrawMaxVertices);
  if (count <= 0) return;
  GR_Primitive_Begin(kPathLineStrip, -1);
  for (int32_t i = 0; i < count; ++i) GR_Primitive_Vertex(xy[2 * i], xy[2 * i + 1]);
  GR_Primitive_End();
}

bool CPath::Load(ImageReader& record) {
  int32_t kind = record.I32();
  bool closed = record.U32() != 0;
  int32_t precision = record.I32();
  uint32_t count = record.U32();
  if (record.Failed() || count > record.Remaining() / 12) return false;
  Clear();
  kind_ = kind == kPathSmooth ? kPathSmooth : kPathStraight;
  closed_ = closed ? 1 : 0;
  // Precision is the subdivision depth: clamped like the setter's.
  precision_ = std::clamp(precision, 0, kPathMaxPrecision);
  ReservePoints(static_cast<int32_t>(count));
  for (uint32_t i = 0; i < count; ++i) {
    float px = record.F32();
    float py = record.F32();
    float speed = record.F32();
    points_[i] = {px, py, speed};
  }
  count_ = static_cast<int32_t>(count);
  Recompute();
  return !record.Failed();
}

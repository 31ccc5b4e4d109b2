// Paths: user points {x, y, speed} and the polyline computed from them,
// straight or smoothed, with the running length at every computed point so
// that a position can be found by the fraction of the whole length.
// Everything is kept in single precision.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

struct PathPoint {
  float x, y, speed;
};

struct PathComputedPoint {
  float x, y, speed, length;
};

constexpr int32_t kPathStraight = 0;
constexpr int32_t kPathSmooth = 1;
constexpr int32_t kPathMaxPrecision = 8;
// The line strip of a drawn path keeps at most this many vertices: the
// drawing core's limit for a free primitive.
constexpr int32_t kPathDrawMaxVertices = 1001;

class CPath {
 public:
  CPath() = default;
  ~CPath();
  CPath(const CPath&) = delete;
  CPath& operator=(const CPath&) = delete;

  // Out of range gives a shared point {0, 0, 1.0}.
  const PathPoint& GetPoint(int32_t index) const;
  // Defaults x 0, y 0, speed 100 when there are no computed points.
  PathPoint GetPosition(double fraction) const;
  float GetX(double fraction) const { return GetPosition(fraction).x; }
  float GetY(double fraction) const { return GetPosition(fraction).y; }
  float GetSpeed(double fraction) const { return GetPosition(fraction).speed; }
  float GetLength() const {
    Refresh();
    return length_;
  }
  int32_t GetCount() const { return count_; }
  int32_t GetKind() const { return kind_; }
  bool GetClosed() const { return closed_ != 0; }
  int32_t GetPrecision() const { return precision_; }
  int32_t GetComputedCount() const {
    Refresh();
    return computedCount_;
  }
  const PathComputedPoint& GetComputed(int32_t index) const {
    Refresh();
    return computed_[index];
  }

  // Kinds other than smooth become straight.
  void SetKind(int32_t kind);
  void SetClosed(bool closed);
  // Clamped to 0..8.
  void SetPrecision(int32_t precision);
  int32_t AddPoint(float x, float y, float speed);
  // 0 <= index <= count, else nothing.
  void InsertPoint(int32_t index, float x, float y, float speed);
  // 0 <= index < count, else nothing.
  void ChangePoint(int32_t index, float x, float y, float speed);
  void DeletePoint(int32_t index);
  void Clear();
  void Reverse();
  void Shift(float dx, float dy);
  // Mirror negates x, flip negates y, both about the centre of the points.
  void Mirror();
  void Flip();
  // Degrees, counter-clockwise on screen, about the centre.
  void Rotate(float angle);
  void Scale(float xscale, float yscale);
  void Append(const CPath& other);
  // Copies kind, closed, precision and the user points.
  void Assign(const CPath& other);

  // The line-strip vertices draw_path emits: the positions at i / steps,
  // steps = round(length / 4), moved so that the start lies at (x, y), or by
  // (x, y) when absolute. At most `capacity` are written; the count of
  // vertices the strip has (0 when nothing is drawn) is returned.
  int32_t DrawPoints(float x, float y, bool absolute, float* xy, int32_t capacity) const;
  // Hands those vertices to the drawing core as one line strip, untextured,
  // in the current colour.
  void Draw(float x, float y, bool absolute) const;

  // From a PATH record whose fields follow the name word; false when its
  // points do not fit the record.
  bool Load(ImageReader& record);

 private:
  // The computed polyline is rebuilt at once after every change, except that
  // adding points only marks it stale (building a path point by point stays
  // linear); every reader brings it up to date first.
  void Recompute() const;
  void Refresh() const {
    if (stale_) Recompute();
  }
  void ComputeStraight() const;
  void ComputeSmooth() const;
  void Subdivide(PathPoint start, PathPoint control, PathPoint end, int32_t depth) const;
  void AddComputed(float x, float y, float speed) const;
  void ComputeLengths() const;
  void Centre(float* cx, float* cy) const;
  void ReservePoints(int32_t capacity);

  int32_t capacity_ = 0;
  PathPoint* points_ = nullptr;
  mutable int32_t computedCapacity_ = 0;
  mutable PathComputedPoint* computed_ = nullptr;
  int32_t count_ = 0;
  int32_t kind_ = kPathStraight;
  uint8_t closed_ = 1;
  int32_t precision_ = 4;
  mutable int32_t computedCount_ = 0;
  mutable float length_ = 0.0f;
  mutable bool stale_ = false;
};

// The store. Empty and deleted slots stay null; indices are never reused.
void Path_Init();
bool Path_Load(const GameImage& image, uint64_t data, uint32_t size);
int32_t Path_Count();
bool Path_Exists(int32_t index);
CPath* Path_Get(int32_t index);
// A newly allocated "<undefined>" for no path; the caller frees it.
char* Path_GetName(int32_t index);
// The stored name, or null; not a copy.
const char* Path_Name(int32_t index);
int32_t Path_Find(const char* name);
// A new empty path named "__newpath" + index; its index.
int32_t Path_Add();
bool Path_Delete(int32_t index);
// -1 when the source does not exist.
int32_t Path_Duplicate(int32_t index);
// False when the source does not exist, the destination is out of range, or
// both are the same path (reported as a non-fatal runtime error).
bool Path_Assign(int32_t destination, int32_t source);
void Path_Shutdown();

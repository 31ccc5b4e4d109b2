#include "resources/path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "gamefile/image_builder.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/events/error_report.h"
#include "support/test_support.h"

namespace {

struct PathSpec {
  const char* name;  // null: an empty slot
  int32_t kind;
  uint32_t closed;
  int32_t precision;
  std::vector<PathPoint> points;
};

uint32_t Bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

// A PATH chunk; `cutPoints` claims more points than the file holds.
GameImage PathImage(const std::vector<PathSpec>& shapes, uint64_t* data, uint32_t* size, uint32_t cutPoints = 0) {
  ImageBuilder b;
  size_t at = b.Chunk("PATH");
  *data = b.Here();
  b.U32(static_cast<uint32_t>(shapes.size()));
  size_t table = b.Here();
  for (size_t i = 0; i < shapes.size(); ++i) b.U32(0);
  for (size_t i = 0; i < shapes.size(); ++i) {
    if (shapes[i].name == nullptr) continue;
    size_t nameAt = b.Here();
    b.Text(shapes[i].name);
    b.Patch(table + 4 * i, static_cast<uint32_t>(b.Here()));
    b.U32(static_cast<uint32_t>(nameAt)).U32(static_cast<uint32_t>(shapes[i].kind)).U32(shapes[i].closed);
    b.U32(static_cast<uint32_t>(shapes[i].precision));
    b.U32(static_cast<uint32_t>(shapes[i].points.size()) + cutPoints);
    for (const PathPoint& p : shapes[i].points) b.U32(Bits(p.x)).U32(Bits(p.y)).U32(Bits(p.speed));
  }
  b.EndChunk(at);
  *size = static_cast<uint32_t>(b.Here() - *data);
  return b.Finish();
}

class Paths : public testing::Test {
 protected:
  void SetUp() override { Path_Init(); }
  void TearDown() override { Path_Shutdown(); }
  testsupport::ConsoleCapture console_;
};

void Square(CPath& p) {
  p.AddPoint(0, 0, 100);
  p.AddPoint(100, 0, 100);
  p.AddPoint(100, 100, 100);
  p.AddPoint(0, 100, 100);
}

TEST(PathShape, StraightClosedSquareHasFivePointsAndPositionsAlongIt) {
  CPath p;
  Square(p);
  EXPECT_EQ(p.GetComputedCount(), 5);
  EXPECT_FLOAT_EQ(p.GetLength(), 400.0f);
  PathPoint half = p.GetPosition(0.5);
  EXPECT_FLOAT_EQ(half.x, 100.0f);
  EXPECT_FLOAT_EQ(half.y, 100.0f);
  PathPoint eighth = p.GetPosition(0.125);
  EXPECT_FLOAT_EQ(eighth.x, 50.0f);
  EXPECT_FLOAT_EQ(eighth.y, 0.0f);
  // Past either end: the last and the first computed point (both the origin).
  EXPECT_FLOAT_EQ(p.GetX(1.5), 0.0f);
  EXPECT_FLOAT_EQ(p.GetY(1.5), 0.0f);
  EXPECT_FLOAT_EQ(p.GetX(-1), 0.0f);
  p.SetClosed(false);
  EXPECT_FLOAT_EQ(p.GetLength(), 300.0f);
  EXPECT_FLOAT_EQ(p.GetX(1.5), 0.0f);
  EXPECT_FLOAT_EQ(p.GetY(1.5), 100.0f);
}

TEST(PathShape, SpeedIsInterpolatedAndDefaultsWithoutPoints) {
  CPath p;
  EXPECT_FLOAT_EQ(p.GetSpeed(0.5), 100.0f);
  p.SetClosed(false);
  p.AddPoint(0, 0, 0);
  p.AddPoint(10, 0, 50);
  EXPECT_FLOAT_EQ(p.GetSpeed(0.5), 25.0f);
  const PathPoint& outside = p.GetPoint(7);
  EXPECT_FLOAT_EQ(outside.speed, 1.0f);
  EXPECT_FLOAT_EQ(p.GetPoint(-1).x, 0.0f);
}

TEST(PathShape, SmoothOpenPathKeepsItsEndsAndStaysInsideTheHull) {
  CPath p;
  p.SetClosed(false);
  p.SetKind(kPathSmooth);
  p.SetPrecision(0);
  p.AddPoint(0, 0, 100);
  p.AddPoint(100, 0, 100);
  p.AddPoint(100, 100, 100);
  ASSERT_EQ(p.GetComputedCount(), 2);
  EXPECT_FLOAT_EQ(p.GetComputed(1).x, 100.0f);
  EXPECT_FLOAT_EQ(p.GetComputed(1).y, 100.0f);

  p.SetPrecision(4);
  int32_t n = p.GetComputedCount();
  EXPECT_GT(n, 3);
  EXPECT_FLOAT_EQ(p.GetComputed(0).x, 0.0f);
  EXPECT_FLOAT_EQ(p.GetComputed(n - 1).y, 100.0f);
  for (int32_t i = 1; i < n; ++i) {
    EXPECT_GE(p.GetComputed(i).length, p.GetComputed(i - 1).length);
    EXPECT_LE(p.GetComputed(i).x, 100.0f);
    EXPECT_GE(p.GetComputed(i).y, 0.0f);
  }
  // The curve cuts the corner, so it is shorter than the polygon.
  EXPECT_LT(p.GetLength(), 200.0f);
  EXPECT_GT(p.GetLength(), 150.0f);
}

TEST(PathShape, SmoothClosedPathEndsWhereItStarts) {
  CPath p;
  p.SetKind(kPathSmooth);
  Square(p);
  int32_t n = p.GetComputedCount();
  ASSERT_GT(n, 4);
  EXPECT_FLOAT_EQ(p.GetComputed(0).x, p.GetComputed(n - 1).x);
  EXPECT_FLOAT_EQ(p.GetComputed(0).y, p.GetComputed(n - 1).y);
  // The first point is on the curve of the first corner, between the
  // midpoints of the edges meeting at (100, 0).
  EXPECT_GT(p.GetComputed(0).x, 50.0f);
  EXPECT_LT(p.GetComputed(0).y, 50.0f);
}

TEST(PathShape, EmptyAndSinglePointPathsRecomputeSafely) {
  for (int32_t kind : {kPathStraight, kPathSmooth}) {
    for (bool closed : {true, false}) {
      CPath p;
      p.SetKind(kind);
      p.SetClosed(closed);
      EXPECT_EQ(p.GetComputedCount(), 0);
      EXPECT_FLOAT_EQ(p.GetLength(), 0.0f);
      EXPECT_FLOAT_EQ(p.GetX(0.5), 0.0f);
      p.AddPoint(7, 9, 30);
      EXPECT_FLOAT_EQ(p.GetLength(), 0.0f);
      EXPECT_FLOAT_EQ(p.GetX(0.5), 7.0f);
      EXPECT_FLOAT_EQ(p.GetSpeed(0.7), 30.0f);
      p.DeletePoint(0);
      EXPECT_EQ(p.GetComputedCount(), 0);
    }
  }
}

TEST(PathEditing, SettersClampAndIgnoreBadIndices) {
  CPath p;
  p.SetPrecision(12);
  EXPECT_EQ(p.GetPrecision(), 8);
  p.SetPrecision(-3);
  EXPECT_EQ(p.GetPrecision(), 0);
  p.SetKind(5);
  EXPECT_EQ(p.GetKind(), kPathStraight);
  EXPECT_EQ(p.AddPoint(1, 1, 100), 0);
  EXPECT_EQ(p.AddPoint(3, 3, 100), 1);
  p.InsertPoint(3, 9, 9, 9);
  p.InsertPoint(-1, 9, 9, 9);
  p.ChangePoint(2, 9, 9, 9);
  p.DeletePoint(2);
  EXPECT_EQ(p.GetCount(), 2);
  p.InsertPoint(2, 5, 5, 100);
  p.InsertPoint(0, 0, 0, 100);
  ASSERT_EQ(p.GetCount(), 4);
  EXPECT_FLOAT_EQ(p.GetPoint(0).x, 0.0f);
  EXPECT_FLOAT_EQ(p.GetPoint(3).x, 5.0f);
  p.Reverse();
  EXPECT_FLOAT_EQ(p.GetPoint(0).x, 5.0f);
  EXPECT_FLOAT_EQ(p.GetPoint(1).x, 3.0f);
  EXPECT_FLOAT_EQ(p.GetPoint(3).x, 0.0f);
  // Many inserts at the front grow the array and keep the order.
  for (int i = 0; i < 30; ++i) p.InsertPoint(0, static_cast<float>(-i), 0, 100);
  EXPECT_EQ(p.GetCount(), 34);
  EXPECT_FLOAT_EQ(p.GetPoint(0).x, -29.0f);
  EXPECT_FLOAT_EQ(p.GetPoint(33).x, 0.0f);
  p.Append(p);
  EXPECT_EQ(p.GetCount(), 68);
  EXPECT_FLOAT_EQ(p.GetPoint(34).x, -29.0f);
}

TEST(PathEditing, TransformsWorkAboutTheCentre) {
  CPath p;
  p.AddPoint(-10, -10, 100);
  p.AddPoint(10, 10, 100);
  p.AddPoint(10, 0, 100);  // centre (0, 0) + (10, 0)
  p.Rotate(90);
  EXPECT_NEAR(p.GetPoint(2).x, 0.0f, 1e-4);
  EXPECT_NEAR(p.GetPoint(2).y, -10.0f, 1e-4);

  CPath q;
  q.AddPoint(100, 50, 100);
  q.AddPoint(120, 60, 100);
  q.Mirror();
  EXPECT_FLOAT_EQ(q.GetPoint(0).x, 120.0f);
  q.Flip();
  EXPECT_FLOAT_EQ(q.GetPoint(0).y, 60.0f);
  q.Scale(2, 1);
  EXPECT_FLOAT_EQ(q.GetPoint(0).x, 130.0f);
  EXPECT_FLOAT_EQ(q.GetPoint(1).x, 90.0f);
  q.Shift(1, 2);
  EXPECT_FLOAT_EQ(q.GetPoint(1).y, 52.0f);
  EXPECT_FLOAT_EQ(q.GetLength(), std::hypot(40.0f, 10.0f) * 2.0f);
}

TEST(PathDrawing, StepsAreTheLengthOverFourRoundedToEven) {
  CPath p;
  p.SetClosed(false);
  p.AddPoint(10, 10, 100);
  p.AddPoint(16, 10, 100);  // length 6: 1.5 steps round to 2
  float xy[2 * kPathDrawMaxVertices];
  ASSERT_EQ(p.DrawPoints(0, 0, false, xy, kPathDrawMaxVertices), 3);
  EXPECT_FLOAT_EQ(xy[0], 0.0f);
  EXPECT_FLOAT_EQ(xy[2], 3.0f);
  EXPECT_FLOAT_EQ(xy[4], 6.0f);
  ASSERT_EQ(p.DrawPoints(0, 0, true, xy, kPathDrawMaxVertices), 3);
  EXPECT_FLOAT_EQ(xy[0], 10.0f);
  p.ChangePoint(1, 20, 10, 100);  // length 10: 2.5 rounds to 2
  EXPECT_EQ(p.DrawPoints(0, 0, false, xy, kPathDrawMaxVertices), 3);
  p.ChangePoint(1, 11, 10, 100);  // length 1: nothing
  EXPECT_EQ(p.DrawPoints(0, 0, false, xy, kPathDrawMaxVertices), 0);
  // A very long path stops at the strip's limit rather than running on.
  p.ChangePoint(1, 1e30f, 10, 100);
  EXPECT_EQ(p.DrawPoints(0, 0, false, xy, kPathDrawMaxVertices), kPathDrawMaxVertices);
}

class PathStrips : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
  }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    GraphicsTest::TearDown();
  }
};

TEST_F(PathStrips, DrawIsOneUntexturedLineStripStartingAtThePlace) {
  CPath p;
  p.SetClosed(false);
  p.AddPoint(0, 0, 100);
  p.AddPoint(8, 0, 100);
  g_drawColor = 0xFF00FF00;
  p.Draw(5, 5, false);
  const VertexBatch& batch = Graphics::PendingBatch();
  ASSERT_EQ(batch.primitiveType, 3);
  ASSERT_EQ(batch.count, 3);
  EXPECT_EQ(batch.texture, nullptr);
  const auto* v = reinterpret_cast<const TexturedVertex*>(batch.scratch);
  EXPECT_FLOAT_EQ(v[0].x, 5.0f);
  EXPECT_FLOAT_EQ(v[2].x, 13.0f);
  EXPECT_FLOAT_EQ(v[2].y, 5.0f);
  EXPECT_EQ(v[1].colour, 0xFF00FF00u);
  // Too short to take a step: nothing reaches the batch.
  Graphics::ResetVertexBuffers();
  p.ChangePoint(1, 1, 0, 100);
  p.Draw(5, 5, false);
  EXPECT_EQ(Graphics::PendingBatch().count, 0);
}

TEST_F(Paths, ChunkFillsSlotsAndKeepsEmptyOnes) {
  uint64_t data;
  uint32_t size;
  GameImage image = PathImage({{"pa", 0, 1, 4, {{0, 0, 100}, {10, 0, 100}}},
                               {nullptr, 0, 0, 0, {}},
                               {"pc", 1, 0, 40, {{0, 0, 100}, {50, 0, 100}, {50, 50, 100}}}},
                              &data, &size);
  ASSERT_TRUE(Path_Load(image, data, size));
  EXPECT_EQ(Path_Count(), 3);
  EXPECT_FALSE(Path_Exists(1));
  EXPECT_EQ(Path_Get(1), nullptr);
  char* name = Path_GetName(1);
  EXPECT_STREQ(name, "<undefined>");
  MemoryManager::Free(name);
  EXPECT_EQ(Path_Find("pc"), 2);
  EXPECT_EQ(Path_Find("PC"), -1);
  EXPECT_FLOAT_EQ(Path_Get(0)->GetLength(), 20.0f);
  EXPECT_EQ(Path_Get(2)->GetPrecision(), 8);
  EXPECT_EQ(Path_Get(2)->GetKind(), kPathSmooth);
  EXPECT_FALSE(Path_Get(2)->GetClosed());
}

TEST_F(Paths, PointsPastTheFileFailTheLoad) {
  uint64_t data;
  uint32_t size;
  GameImage image = PathImage({{"pa", 0, 1, 4, {{0, 0, 100}}}}, &data, &size, 1000000);
  EXPECT_FALSE(Path_Load(image, data, size));
  EXPECT_NE(console_.Text().find("PATH"), std::string::npos);
}

TEST_F(Paths, RunTimeSlotsAreNamedByIndexAndNeverReused) {
  EXPECT_EQ(Path_Add(), 0);
  EXPECT_EQ(Path_Add(), 1);
  Path_Get(1)->AddPoint(4, 4, 100);
  EXPECT_STREQ(Path_Name(1), "__newpath1");
  EXPECT_TRUE(Path_Delete(0));
  EXPECT_FALSE(Path_Delete(0));
  EXPECT_EQ(Path_Add(), 2);
  EXPECT_EQ(Path_Duplicate(0), -1);
  int32_t copy = Path_Duplicate(1);
  EXPECT_EQ(copy, 3);
  EXPECT_FLOAT_EQ(Path_Get(copy)->GetPoint(0).x, 4.0f);
  EXPECT_STREQ(Path_Name(copy), "__newpath3");
  // Assigning into the freed slot makes a path there.
  EXPECT_TRUE(Path_Assign(0, 1));
  EXPECT_EQ(Path_Get(0)->GetCount(), 1);
  EXPECT_FALSE(Path_Assign(9, 1));
  EXPECT_FALSE(Path_Assign(1, 9));
}

TEST_F(Paths, AssigningAPathToItselfIsReported) {
  Path_Add();
  bool dialog = g_runFlags.showErrorDialog;
  g_runFlags.showErrorDialog = false;
  EXPECT_FALSE(Path_Assign(0, 0));
  g_runFlags.showErrorDialog = dialog;
  EXPECT_NE(console_.Text().find("ERROR: Can not assign a path to itself!"), std::string::npos);
}

}  // namespace

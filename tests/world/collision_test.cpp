#include <array>
#include <climits>
#include <memory>

#include "world/instance_test_support.h"

namespace {

class InstanceBoxes : public InstanceWorld {
 protected:
  static std::array<int32_t, 4> Box(CInstance& a) {
    a.ComputeBoundingBox();
    return {a.bbox_left, a.bbox_top, a.bbox_right, a.bbox_bottom};
  }
  using Sides = std::array<int32_t, 4>;  // left, top, right, bottom
};

TEST_F(InstanceBoxes, PlacedScaledAndTurned) {
  const int32_t square = MakeSprite({0, 0, 15, 15});
  CInstance a(100.5f, 0.0f, 100001, -1, false);
  a.SetSpriteIndex(square);
  EXPECT_EQ(Box(a), (Sides{100, 0, 116, 15})) << "halves round to even";
  a.SetPosition(101.5f, 0.0f);
  EXPECT_EQ(Box(a), (Sides{102, 0, 116, 15}));
  a.SetPosition(50.0f, 50.0f);
  a.SetImageXScale(-1.0f);
  EXPECT_EQ(Box(a), (Sides{33, 50, 50, 65})) << "a mirrored box swaps its sides";
  a.SetImageXScale(1.0f);
  a.SetImageAngle(90.0f);
  EXPECT_EQ(Box(a), (Sides{50, 35, 65, 50}));
  EXPECT_EQ(a.bboxDirty, 0);

  const int32_t offset = MakeSprite({2, 3, 5, 9}, 4, 6, 1, true);
  CInstance b(10.0f, 10.0f, 100002, -1, false);
  b.SetSpriteIndex(square);
  b.SetMaskIndex(offset);
  EXPECT_EQ(Box(b), (Sides{8, 7, 11, 13})) << "the mask's box and origin count, not the sprite's";
  EXPECT_EQ(b.precise, 1);
  b.SetImageYScale(2.0f);
  EXPECT_EQ(Box(b), (Sides{8, 4, 11, 17}));
}

TEST_F(InstanceBoxes, NoCollisionSpriteMeansTheFarAwayBox) {
  CInstance a(10.0f, 10.0f, 100001, -1, false);
  a.sprite_index = -1;
  a.mask_index = -1;
  a.precise = 1;
  EXPECT_EQ(Box(a), (Sides{-100000, -100000, -100000, -100000}));
  EXPECT_EQ(a.precise, 0);
  a.sprite_index = 40;  // names no sprite
  EXPECT_EQ(Box(a), (Sides{-100000, -100000, -100000, -100000}));
  EXPECT_FALSE(a.CollisionPoint(-100000.0f, -100000.0f, 0)) << "a sprite-less instance never meets a point";
  EXPECT_TRUE(a.CollisionRectangle(-100001.0f, -100001.0f, -99999.0f, -99999.0f, 0))
      << "a rectangle reaching the far box meets it";
  EXPECT_FALSE(a.CollisionRectangle(0.0f, 0.0f, 50.0f, 50.0f, 0));
}

class InstanceCollisions : public InstanceWorld {
 protected:
  // A 16 x 16 sprite at (x, y) whose box is 0..15 and origin 0, 0.
  std::unique_ptr<CInstance> At(float x, float y, int32_t sprite, int32_t id = 100001) {
    auto a = std::make_unique<CInstance>(x, y, id, -1, false);
    a->SetSpriteIndex(sprite);
    a->SetMaskIndex(-1);  // without an object the mask starts as sprite 0
    return a;
  }

  // A precise sprite of w x h with only the listed pixels solid.
  int32_t Inked(int32_t w, int32_t h, std::vector<std::pair<int32_t, int32_t>> ink) {
    TBitmap bitmap;
    bitmap.SetWidth(w);
    bitmap.SetHeight(h);
    uint8_t* row = nullptr;
    bitmap.LockBits(0, &row, nullptr);
    for (int32_t i = 0; i < w * h; ++i) row[i * 4 + 3] = 0xFF;
    for (auto [px, py] : ink) row[(py * w + px) * 4 + 2] = 0xFF;
    const int32_t index = Sprite_AddEmpty();
    CSprite* sprite = Sprite_Get(index);
    sprite->CreateFromBitmap(&bitmap, true, true, false, true, 0, 0, 0);
    sprite->bbox = {0, 0, w - 1, h - 1};  // the whole frame, not just the ink
    return index;
  }

  void SetUp() override {
    InstanceWorld::SetUp();
    square_ = MakeSprite({0, 0, 15, 15});
  }

  int32_t square_ = -1;
};

TEST_F(InstanceCollisions, PointsAgainstTheBox) {
  auto a = At(100.0f, 100.0f, square_);
  EXPECT_TRUE(a->CollisionPoint(115.5f, 100.0f, 0)) << "the right pixel column belongs to the box";
  EXPECT_FALSE(a->CollisionPoint(116.0f, 100.0f, 0));
  EXPECT_TRUE(a->CollisionPoint(100.0f, 115.9f, 0));
  EXPECT_FALSE(a->CollisionPoint(99.9f, 100.0f, 0));
  a->markedForDeletion = 1;
  EXPECT_FALSE(a->CollisionPoint(105.0f, 105.0f, 0));
  auto empty = At(0.0f, 0.0f, MakeSprite({0, 0, 15, 15}, 0, 0, 0));
  EXPECT_FALSE(empty->CollisionPoint(5.0f, 5.0f, 0)) << "a sprite of no frames";
}

TEST_F(InstanceCollisions, WhichPreciseFlagEachTestFollows) {
  // Solid only at the top-left pixel of a 4 x 4 frame.
  const int32_t dot = Inked(4, 4, {{0, 0}});
  auto a = At(10.0f, 10.0f, dot);
  a->ComputeBoundingBox();
  ASSERT_EQ(a->precise, 1);
  EXPECT_TRUE(a->CollisionPoint(13.0f, 13.0f, 0));
  EXPECT_FALSE(a->CollisionPoint(13.0f, 13.0f, 1));
  EXPECT_TRUE(a->CollisionPoint(10.2f, 10.2f, 1));
  EXPECT_FALSE(a->CollisionRectangle(12.0f, 12.0f, 20.0f, 20.0f, 1));
  EXPECT_FALSE(a->CollisionLine(12.0f, 13.0f, 20.0f, 13.0f, 1));
  EXPECT_TRUE(a->CollisionLine(5.0f, 10.0f, 20.0f, 10.0f, 1));

  // The sprite's own flag for points; the instance's byte for the others.
  Sprite_Get(dot)->precise = 0;
  EXPECT_TRUE(a->CollisionPoint(13.0f, 13.0f, 1));
  Sprite_Get(dot)->precise = 1;
  a->precise = 0;
  EXPECT_FALSE(a->CollisionPoint(13.0f, 13.0f, 1));
  EXPECT_TRUE(a->CollisionRectangle(12.0f, 12.0f, 20.0f, 20.0f, 1));
  EXPECT_TRUE(a->CollisionEllipse(11.0f, 11.0f, 19.0f, 19.0f, 1));
  EXPECT_TRUE(a->CollisionLine(12.0f, 13.0f, 20.0f, 13.0f, 1));
  a->precise = 1;
  EXPECT_FALSE(a->CollisionEllipse(11.0f, 11.0f, 19.0f, 19.0f, 1));

  // Instance tests are precise when either sprite is.
  auto b = At(13.0f, 13.0f, square_, 100002);
  EXPECT_TRUE(b->CollisionInstance(a.get(), 0));
  EXPECT_FALSE(b->CollisionInstance(a.get(), 1));
  EXPECT_FALSE(a->CollisionInstance(b.get(), 1));
  b->SetPosition(9.0f, 9.0f);
  EXPECT_TRUE(b->CollisionInstance(a.get(), 1));
}

TEST_F(InstanceCollisions, RectanglesAndEllipses) {
  auto a = At(100.0f, 100.0f, square_);
  EXPECT_TRUE(a->CollisionRectangle(90.0f, 90.0f, 100.0f, 100.0f, 0));
  EXPECT_TRUE(a->CollisionRectangle(120.0f, 120.0f, 115.9f, 115.9f, 0)) << "corners in either order";
  EXPECT_FALSE(a->CollisionRectangle(116.0f, 90.0f, 130.0f, 130.0f, 0));
  EXPECT_FALSE(a->CollisionRectangle(80.0f, 80.0f, 99.9f, 99.9f, 0));

  // An ellipse whose bounding rectangle only grazes the box's corner.
  EXPECT_FALSE(a->CollisionEllipse(80.0f, 80.0f, 102.0f, 102.0f, 0));
  EXPECT_TRUE(a->CollisionEllipse(80.0f, 80.0f, 120.0f, 120.0f, 0));
  EXPECT_TRUE(a->CollisionEllipse(90.0f, 104.0f, 102.0f, 106.0f, 0)) << "centre level with the box";
  // Both x values round to 116: a rectangle test, which no corner would pass.
  EXPECT_TRUE(a->CollisionEllipse(115.6f, 80.0f, 115.9f, 100.4f, 0));
  // A half-axis that comes out 0 in whole pixels has no inside: with the
  // centre beside the box, no corner meets it.
  EXPECT_FALSE(a->CollisionEllipse(115.0f, 90.0f, 116.0f, 100.0f, 0));
  EXPECT_FALSE(a->CollisionEllipse(98.0f, 120.0f, 99.0f, 130.0f, 0));
  EXPECT_TRUE(a->CollisionEllipse(110.0f, 90.0f, 111.0f, 130.0f, 0)) << "a centre over the box still meets it";
  a->markedForDeletion = 1;
  EXPECT_FALSE(a->CollisionEllipse(80.0f, 80.0f, 120.0f, 120.0f, 0));
  EXPECT_FALSE(a->CollisionRectangle(80.0f, 80.0f, 120.0f, 120.0f, 0));
}

TEST_F(InstanceCollisions, PointInEllipseIncludingFlatOnes) {
  const int32_t ellipse[4] = {0, 0, 10, 6};
  EXPECT_TRUE(Instance_PointInEllipse(ellipse, 5, 3));
  EXPECT_TRUE(Instance_PointInEllipse(ellipse, 10, 3));
  EXPECT_TRUE(Instance_PointInEllipse(ellipse, 5, 0));
  EXPECT_FALSE(Instance_PointInEllipse(ellipse, 10, 0));
  // Half-axes of 0 in whole pixels: no point is inside, the centre neither.
  const int32_t thin[4] = {4, 0, 5, 20};
  EXPECT_FALSE(Instance_PointInEllipse(thin, 4, 10));
  EXPECT_FALSE(Instance_PointInEllipse(thin, 5, 20));
  const int32_t flat[4] = {0, 7, 10, 7};
  EXPECT_FALSE(Instance_PointInEllipse(flat, 5, 7));
  const int32_t huge[4] = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_TRUE(Instance_PointInEllipse(huge, 0, 0));
}

TEST_F(InstanceCollisions, LinesAreClippedToTheBox) {
  auto a = At(100.0f, 100.0f, square_);
  EXPECT_TRUE(a->CollisionLine(50.0f, 50.0f, 150.0f, 150.0f, 0));
  EXPECT_TRUE(a->CollisionLine(150.0f, 150.0f, 50.0f, 50.0f, 0));
  // Crosses the box's x range above it, and below it.
  EXPECT_FALSE(a->CollisionLine(80.0f, 100.0f, 130.0f, 60.0f, 0));
  EXPECT_FALSE(a->CollisionLine(80.0f, 115.0f, 130.0f, 160.0f, 0));
  // Passes the corner diagonally just outside.
  EXPECT_FALSE(a->CollisionLine(90.0f, 105.0f, 105.0f, 90.0f, 0));
  EXPECT_TRUE(a->CollisionLine(90.0f, 115.0f, 115.0f, 90.0f, 0));
  EXPECT_TRUE(a->CollisionLine(105.0f, 105.0f, 105.0f, 110.0f, 0)) << "vertical, inside";
  EXPECT_TRUE(a->CollisionLine(105.0f, 50.0f, 105.0f, 150.0f, 0)) << "vertical, through";
  EXPECT_FALSE(a->CollisionLine(116.0f, 50.0f, 116.0f, 150.0f, 0));
}

TEST_F(InstanceCollisions, InstancesNeverMeetThemselvesOrTheDeparted) {
  auto a = At(100.0f, 100.0f, square_);
  auto b = At(115.0f, 115.0f, square_, 100002);
  EXPECT_TRUE(a->CollisionInstance(b.get(), 0));
  EXPECT_TRUE(b->CollisionInstance(a.get(), 0));
  EXPECT_FALSE(a->CollisionInstance(a.get(), 0));
  EXPECT_FALSE(a->CollisionInstance(nullptr, 0));
  b->SetPosition(116.0f, 100.0f);
  EXPECT_FALSE(a->CollisionInstance(b.get(), 0)) << "boxes side by side do not touch";
  b->SetPosition(110.0f, 110.0f);
  b->markedForDeletion = 1;
  EXPECT_FALSE(a->CollisionInstance(b.get(), 0));
  EXPECT_FALSE(b->CollisionInstance(a.get(), 0));
  b->markedForDeletion = 0;
  b->SetSpriteIndex(-1);
  EXPECT_FALSE(a->CollisionInstance(b.get(), 0));
}

TEST_F(InstanceCollisions, LoadedExtremeBoxesStayDefined) {
  auto a = At(0.0f, 0.0f, square_);
  a->bboxDirty = 0;
  a->bbox_left = INT32_MIN, a->bbox_top = INT32_MIN;
  a->bbox_right = INT32_MAX, a->bbox_bottom = INT32_MAX;
  EXPECT_TRUE(a->CollisionPoint(0.0f, 0.0f, 0));
  EXPECT_TRUE(a->CollisionLine(-5.0f, 0.0f, 5.0f, 3.0f, 0));
  EXPECT_TRUE(a->CollisionEllipse(-5.0f, -5.0f, 5.0f, 5.0f, 0));
  auto b = At(0.0f, 0.0f, square_, 100002);
  b->bboxDirty = 0;
  b->bbox_left = b->bbox_top = b->bbox_right = b->bbox_bottom = INT32_MAX;
  EXPECT_TRUE(a->CollisionInstance(b.get(), 0));
}

}  // namespace

// Precise collisions worked out by hand on small sprites whose only solid
// pixels are known.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "resources/sprite.h"
#include "support/test_support.h"

namespace {

// A sprite of w x h whose solid pixels are exactly `ink` (the bottom-left
// pixel is the background and must not be listed).
std::unique_ptr<CSprite> Inked(int32_t w, int32_t h, std::vector<std::pair<int32_t, int32_t>> ink,
                               bool transparent = true) {
  TBitmap bitmap;
  bitmap.SetWidth(w);
  bitmap.SetHeight(h);
  uint8_t* row = nullptr;
  bitmap.LockBits(0, &row, nullptr);
  for (int32_t i = 0; i < w * h; ++i) row[i * 4 + 3] = 0xFF;
  for (auto [x, y] : ink) row[(y * w + x) * 4 + 2] = 0xFF;
  auto sprite = std::make_unique<CSprite>();
  sprite->CreateFromBitmap(&bitmap, true, transparent, false, true, 0, 0, 0);
  return sprite;
}

SpritePlacement Place(int32_t x, int32_t y, SpriteBox box, float xs = 1, float ys = 1, float angle = 0,
                      int32_t frame = 0) {
  return SpritePlacement{frame, box, x, y, xs, ys, angle};
}

class Collisions : public testing::Test {
 protected:
  // Solid everywhere: no masks, a 100 x 100 frame at the room origin.
  std::unique_ptr<CSprite> wall_ = Inked(100, 100, {}, false);
  SpritePlacement wallAt_ = Place(0, 0, {0, 0, 99, 99});
  testsupport::ConsoleCapture quiet_;
};

TEST_F(Collisions, InstanceTestDirectFormAndEmptyOverlap) {
  auto block = Inked(4, 4, {{1, 1}, {2, 1}, {1, 2}, {2, 2}});
  ASSERT_TRUE(block->HasMasks());
  EXPECT_TRUE(block->CollisionInstance(Place(10, 10, {11, 11, 12, 12}), block.get(), Place(11, 11, {12, 12, 13, 13})));
  EXPECT_FALSE(block->CollisionInstance(Place(10, 10, {11, 11, 12, 12}), block.get(), Place(12, 12, {13, 13, 14, 14})));
  // Boxes that overlap where neither sprite is solid.
  EXPECT_FALSE(block->CollisionInstance(Place(10, 10, {10, 10, 13, 13}), block.get(), Place(13, 13, {13, 13, 16, 16})));
  CSprite none;
  EXPECT_FALSE(none.CollisionInstance(Place(0, 0, {0, 0, 9, 9}), wall_.get(), wallAt_));
  EXPECT_FALSE(wall_->CollisionInstance(wallAt_, &none, Place(0, 0, {0, 0, 9, 9})));
  // Without masks any frame is the solid frame rectangle.
  EXPECT_TRUE(
      wall_->CollisionInstance(Place(0, 0, {0, 0, 99, 99}, 1, 1, 0, -7), block.get(), Place(10, 10, {11, 11, 12, 12})));
}

TEST_F(Collisions, AnyScaleOtherThanOneTakesTheScaledForm) {
  auto right = Inked(4, 2, {{3, 0}});
  EXPECT_TRUE(right->CollisionInstance(Place(0, 0, {3, 0, 3, 0}), wall_.get(), wallAt_));
  // 3 x (1 / 1.0000001f) truncates to column 2, which is empty.
  EXPECT_FALSE(right->CollisionInstance(Place(0, 0, {3, 0, 3, 0}, 1.0000001f), wall_.get(), wallAt_));
}

TEST_F(Collisions, InstanceTestTruncatesWhereTheOthersFloor) {
  auto corner = Inked(3, 3, {{0, 0}});
  // At twice the size, room pixel (4, 5) maps to u = -0.5.
  const SpritePlacement big = Place(5, 5, {3, 5, 6, 6}, 2, 2);
  EXPECT_TRUE(corner->CollisionInstance(big, wall_.get(), wallAt_));
  EXPECT_FALSE(corner->CollisionRectangle(big, {4, 5, 4, 5}));
  EXPECT_FALSE(corner->CollisionPoint(big, 4, 5));
  EXPECT_TRUE(corner->CollisionPoint(big, 5, 5));
  EXPECT_TRUE(corner->CollisionPoint(big, 6, 6));
  EXPECT_FALSE(corner->CollisionPoint(big, 7, 5));
}

TEST_F(Collisions, TinyAnglesAndQuarterTurns) {
  auto dot = Inked(4, 3, {{2, 1}});
  // Rotated by 0.0002 degrees, (2, 1) maps just left of column 2; 0.00005
  // degrees is below the threshold and maps exactly.
  EXPECT_TRUE(dot->CollisionPoint(Place(0, 0, {0, 0, 3, 2}, 1, 1, 0.00005f), 2, 1));
  EXPECT_FALSE(dot->CollisionPoint(Place(0, 0, {0, 0, 3, 2}, 1, 1, 0.0002f), 2, 1));

  // A quarter turn counter-clockwise carries mask pixel (2, 0) to two
  // pixels above the origin.
  auto tip = Inked(3, 3, {{2, 0}});
  EXPECT_TRUE(tip->CollisionInstance(Place(10, 10, {10, 8, 10, 8}, 1, 1, 90), wall_.get(), wallAt_));
  EXPECT_FALSE(tip->CollisionInstance(Place(10, 10, {12, 10, 12, 10}, 1, 1, 90), wall_.get(), wallAt_));
}

TEST_F(Collisions, DegenerateScalesAndAnglesMeetNothing) {
  auto block = Inked(4, 4, {{1, 1}, {2, 2}});
  const SpriteBox box{0, 0, 3, 3};
  for (auto placement :
       {Place(0, 0, box, 0, 1), Place(0, 0, box, 1, 0), Place(0, 0, box, 1, 1, NAN), Place(0, 0, box, INFINITY, 1)}) {
    EXPECT_FALSE(block->CollisionInstance(placement, wall_.get(), wallAt_));
    EXPECT_FALSE(block->CollisionPoint(placement, 1, 1));
    EXPECT_FALSE(block->CollisionRectangle(placement, box));
    EXPECT_FALSE(block->CollisionEllipse(placement, box));
    EXPECT_FALSE(block->CollisionLine(placement, 0, 0, 3, 2));
  }
  EXPECT_FALSE(wall_->CollisionInstance(Place(0, 0, box, 0, 0), block.get(), Place(0, 0, box)));
}

TEST_F(Collisions, WithoutMasksOrFramesTheShortAnswers) {
  EXPECT_TRUE(wall_->CollisionPoint(Place(0, 0, {0, 0, 99, 99}, 0, 0), 500, 500));
  EXPECT_TRUE(wall_->CollisionLine(wallAt_, -5, -5, -9, -2));
  CSprite none;
  EXPECT_TRUE(none.CollisionPoint(wallAt_, 1, 1)) << "no masks comes first";
}

TEST_F(Collisions, EllipsesHalveInIntegersAndKeepTheCentreLineWhenFlat) {
  // Over {0, 0, 3, 3} the centre is (1, 1) and both radii 1, not 1.5.
  struct Case {
    int32_t px, py;
    SpriteBox rectangle;
    bool hits;
  } cases[] = {
      {3, 0, {0, 0, 3, 3}, false}, {2, 2, {0, 0, 3, 3}, false}, {1, 0, {0, 0, 3, 3}, true},
      {0, 1, {0, 0, 3, 3}, true},  {1, 3, {1, 0, 1, 3}, false}, {1, 2, {1, 0, 1, 3}, true},
      {1, 3, {2, 0, 2, 3}, false}, {1, 3, {0, 3, 2, 3}, true},  {1, 3, {1, 3, 1, 3}, true},
  };
  for (const Case& c : cases) {
    auto inked = Inked(4, 4, {{c.px, c.py}});
    const SpriteBox& r = c.rectangle;
    EXPECT_EQ(inked->CollisionEllipse(Place(0, 0, {0, 0, 3, 3}), r), c.hits)
        << "(" << c.px << ", " << c.py << ") in {" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
        << "}";
  }
  auto corner = Inked(4, 4, {{3, 0}});
  EXPECT_TRUE(corner->CollisionRectangle(Place(0, 0, {0, 0, 3, 3}), {0, 0, 3, 3}));
}

TEST_F(Collisions, LinesGoThroughRectanglesOrStepAlongTheLongerAxis) {
  auto dot = Inked(4, 3, {{2, 1}});
  const SpritePlacement at = Place(0, 0, {0, 0, 3, 2});
  EXPECT_TRUE(dot->CollisionLine(at, 0, 1, 3, 1));
  EXPECT_TRUE(dot->CollisionLine(at, 3, 1, 0, 1));
  EXPECT_FALSE(dot->CollisionLine(at, 0, 0, 3, 0));
  EXPECT_TRUE(dot->CollisionLine(at, 2, 0, 2, 2));
  EXPECT_FALSE(dot->CollisionLine(at, 1, 0, 1, 2));

  // Steep: rows 0..4 visit x = 0, 0.25, 0.5, 0.75, 1 and find (0, 2);
  // stepping by columns would only see (0, 0) and (1, 4).
  auto left = Inked(4, 5, {{0, 2}});
  const SpritePlacement tall = Place(0, 0, {0, 0, 3, 4});
  EXPECT_TRUE(left->CollisionLine(tall, 0, 0, 1, 4));
  EXPECT_TRUE(left->CollisionLine(tall, 1, 4, 0, 0));
  EXPECT_FALSE(left->CollisionLine(tall, 1, 0, 3, 4));
  // Only the part inside the box is visited.
  EXPECT_FALSE(left->CollisionLine(Place(0, 0, {0, 3, 3, 4}), 0, 0, 1, 4));
}

}  // namespace

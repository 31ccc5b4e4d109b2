#include <gtest/gtest.h>

#include <memory>

#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bitmap_loader.h"
#include "resources/sprite_test_support.h"

namespace {

// A 32-bit platform bitmap holding the given 0xAARRGGBB pixels.
std::unique_ptr<TBitmap> Platform32(int32_t w, int32_t h, const std::vector<uint32_t>& pixels) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(kPixelFormat32);
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  int32_t stride = 0;
  bitmap->LockBits(0, &row, &stride);
  for (int32_t i = 0; i < w * h; ++i) {
    for (int b = 0; b < 4; ++b) row[i * 4 + b] = uint8_t(pixels[size_t(i)] >> (8 * b));
  }
  return bitmap;
}

uint32_t Pixel(const CBitmap32& image, int32_t x, int32_t y) {
  return image.GetData()->pixels[y * image.GetWidth() + x];
}

TEST(Bitmap32, ConstructorsFailClosedOnBadSizesAndSources) {
  CBitmap32 tiny(0, -5, 0x0000FF);
  ASSERT_TRUE(tiny.IsValid());
  EXPECT_EQ(tiny.GetWidth(), 1);
  EXPECT_EQ(Pixel(tiny, 0, 0), 0xFFFF0000u) << "script colour 0xBBGGRR becomes opaque 0xAARRGGBB";

  CBitmap32 huge(1 << 20, 1 << 20, 0);
  EXPECT_FALSE(huge.IsValid());

  CBitmap32 source(4, 3, 0xFFFFFF);
  EXPECT_TRUE(CBitmap32(source, 1, 1, 3, 2).IsValid());
  EXPECT_FALSE(CBitmap32(source, 2, 0, 3, 1).IsValid()) << "one column past the right edge";
  EXPECT_FALSE(CBitmap32(source, 0, 1, 1, 3).IsValid()) << "one row past the bottom";
  EXPECT_FALSE(CBitmap32(source, -1, 0, 1, 1).IsValid());

  TBitmap sixteen;
  sixteen.SetPixelFormat(kPixelFormat16);
  sixteen.SetWidth(2);
  sixteen.SetHeight(2);
  EXPECT_FALSE(CBitmap32(&sixteen, false, false).IsValid());
  EXPECT_FALSE(CBitmap32(&sixteen, false, false, CBitmap32::Source::kKeepAlpha).IsValid());
  EXPECT_FALSE(CBitmap32(nullptr, true, true).IsValid());
}

TEST(Bitmap32, OpaqueReadingDropsAlphaAndKeepingReadingKeepsIt) {
  auto platform = Platform32(2, 1, {0x80112233, 0x00445566});
  CBitmap32 opaque(platform.get(), false, false);
  EXPECT_EQ(Pixel(opaque, 0, 0), 0xFF112233u);
  EXPECT_EQ(Pixel(opaque, 1, 0), 0xFF445566u);
  CBitmap32 kept(platform.get(), false, false, true);
  EXPECT_EQ(Pixel(kept, 0, 0), 0x80112233u);
  EXPECT_EQ(Pixel(kept, 1, 0), 0x00445566u);
}

TEST(Bitmap32, BackgroundRemovalKeysOnTheBottomLeftColourEverywhere) {
  // Key colour 0x0000FF at the bottom left also appears in the middle.
  const uint32_t k = 0xFF0000FF, r = 0xFFFF0000;
  auto platform = Platform32(3, 3, {r, r, r, r, k, r, k, r, r});
  CBitmap32 removed(platform.get(), true, false);
  EXPECT_EQ(Pixel(removed, 1, 1) >> 24, 0u);
  EXPECT_EQ(Pixel(removed, 0, 2) >> 24, 0u);
  // Spread: the hole takes its left neighbour's colour, still transparent.
  EXPECT_EQ(Pixel(removed, 1, 1), 0x00FF0000u);
  EXPECT_EQ(Pixel(removed, 2, 2), 0xFFFF0000u);

  CBitmap32 smoothedOnly(platform.get(), false, true);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(Pixel(smoothedOnly, x, y) >> 24, 0xFFu);
  }
  // With removal, each opaque neighbour loses 0x20 per transparent pixel
  // around it: (0, 1) touches both holes.
  CBitmap32 smoothed(platform.get(), true, true);
  EXPECT_EQ(Pixel(smoothed, 0, 1) >> 24, 0xFFu - 0x40);
  EXPECT_EQ(Pixel(smoothed, 2, 0) >> 24, 0xFFu - 0x20);
}

TEST(Bitmap32, StretchBoundingBoxAndAlphaFromBitmap) {
  auto platform = Platform32(2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
  CBitmap32 image(platform.get(), false, false);
  image.Stretch(2, 2);
  EXPECT_EQ(image.GetWidth(), 2);
  image.Stretch(4, 4);
  ASSERT_EQ(image.GetWidth(), 4);
  EXPECT_EQ(image.GetData()->size, 64);
  EXPECT_EQ(Pixel(image, 1, 1), 0xFF000001u);
  EXPECT_EQ(Pixel(image, 2, 1), 0xFF000002u);
  EXPECT_EQ(Pixel(image, 3, 3), 0xFF000004u);
  image.Stretch(0, 3);
  EXPECT_EQ(image.GetWidth(), 4) << "a refused size leaves the image";

  auto clear = Platform32(3, 2, std::vector<uint32_t>(6, 0));
  CBitmap32 empty(clear.get(), false, false, true);
  std::unique_ptr<BitmapRect> none(empty.GetBoundingBox());
  EXPECT_EQ(none->left, 2);
  EXPECT_EQ(none->top, 1);
  EXPECT_EQ(none->right, 0);
  EXPECT_EQ(none->bottom, 0);
  std::unique_ptr<BitmapRect> invalid(CBitmap32().GetBoundingBox());
  EXPECT_EQ(invalid->left + invalid->right, 0);

  // Alpha becomes min(alpha, grey of the other) over the common area only.
  CBitmap32 target(3, 1, 0xFFFFFF);
  auto grey = Platform32(2, 1, {0xFF303030, 0xFFFFFFFF});
  CBitmap32 mask(grey.get(), false, false);
  target.SetAlphaFromBitmap(&mask);
  EXPECT_EQ(Pixel(target, 0, 0) >> 24, 0x30u);
  EXPECT_EQ(Pixel(target, 1, 0) >> 24, 0xFFu);
  EXPECT_EQ(Pixel(target, 2, 0) >> 24, 0xFFu);
}

TEST(Bitmap32, PlatformCopiesExchangeRedAndBlueOnlyInTheThirtyTwoBitForm) {
  auto platform = Platform32(1, 1, {0x80102030});
  CBitmap32 image(platform.get(), false, false, true);
  std::unique_ptr<TBitmap> out(image.ToBitmap32());
  uint8_t* row = nullptr;
  out->LockBits(0, &row, nullptr);
  EXPECT_EQ(row[0], 0x10);
  EXPECT_EQ(row[2], 0x30);
  EXPECT_EQ(row[3], 0x80);
  std::unique_ptr<TBitmap> rgb(image.ToBitmap24());
  EXPECT_EQ(rgb->BytesPerRow(), 3);
  rgb->LockBits(0, &row, nullptr);
  EXPECT_EQ(row[0], 0x30);
  EXPECT_EQ(CBitmap32().ToBitmap32(), nullptr);
}

TEST(Bitmap32, GradientFactorsAndUnknownKinds) {
  std::unique_ptr<CBitmap32> ramp(CBitmap32::Gradient(4, 1, 0x000000, 0x0000FF, 0));
  EXPECT_EQ(Pixel(*ramp, 0, 0), 0xFF000000u);
  EXPECT_EQ(Pixel(*ramp, 1, 0), 0xFF400000u);
  EXPECT_EQ(Pixel(*ramp, 3, 0), 0xFFBF0000u) << "the last column is not pure colour 2";
  std::unique_ptr<CBitmap32> black(CBitmap32::Gradient(2, 2, 0xFFFFFF, 0xFFFFFF, 7));
  EXPECT_EQ(Pixel(*black, 1, 1), 0xFF000000u);
  std::unique_ptr<CBitmap32> ring(CBitmap32::Gradient(5, 5, 0x0000FF, 0xFF0000, 3));
  EXPECT_EQ(Pixel(*ring, 0, 0), 0xFFFF0000u) << "corners keep colour 1";
  EXPECT_EQ(GR_Color_Merge(0x000000, 0xFFFFFF, 0.5), 0x808080u);
}

TEST(BitmapLoader, FramesOfStillAndAnimatedImages) {
  const std::string png = spritetest::Png(2, 1, {0xFF112233, 0x00000000});
  std::unique_ptr<BitmapLoader> still(
      BitmapLoader_CreateFromMemory(reinterpret_cast<const uint8_t*>(png.data()), int64_t(png.size())));
  EXPECT_EQ(still->GetFrameCount(), 0) << "unknown until asked";
  EXPECT_FALSE(still->IsMultiFrame());
  EXPECT_EQ(still->GetFrameCount(), 1);
  EXPECT_EQ(still->GetFrame(1), nullptr);
  std::unique_ptr<TBitmap> frame(still->GetFrame(0));
  ASSERT_NE(frame, nullptr);
  CBitmap32 pixels(frame.get(), false, false, true);
  EXPECT_EQ(Pixel(pixels, 0, 0), 0xFF112233u);
  EXPECT_EQ(Pixel(pixels, 1, 0) >> 24, 0u);

  const std::string gif = spritetest::Gif(2, 2, {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 0, 0, 3}});
  std::unique_ptr<BitmapLoader> animated(
      BitmapLoader_CreateFromMemory(reinterpret_cast<const uint8_t*>(gif.data()), int64_t(gif.size())));
  EXPECT_TRUE(animated->IsMultiFrame());
  ASSERT_EQ(animated->GetFrameCount(), 3);
  std::unique_ptr<TBitmap> third(animated->GetFrame(2));
  CBitmap32 last(third.get(), false, false);
  EXPECT_EQ(Pixel(last, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(Pixel(last, 1, 0), 0xFF000000u);
}

TEST(BitmapLoader, DamagedOrOversizedInputGivesNoFrames) {
  const uint8_t junk[] = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  std::unique_ptr<BitmapLoader> loader(BitmapLoader_CreateFromMemory(junk, sizeof junk));
  EXPECT_FALSE(loader->IsMultiFrame());
  EXPECT_EQ(loader->GetFrameCount(), 0);
  EXPECT_EQ(loader->GetFrame(0), nullptr);
  std::unique_ptr<BitmapLoader> nothing(BitmapLoader_CreateFromMemory(nullptr, 100));
  EXPECT_EQ(nothing->GetFrame(0), nullptr);
  std::unique_ptr<BitmapLoader> missing(BitmapLoader_CreateFromFile("/no/such/file.png"));
  EXPECT_EQ(missing->GetFrame(0), nullptr);

  std::string gif = spritetest::Gif(2, 2, {{1, 1, 1, 1}, {2, 2, 2, 2}});
  EXPECT_EQ(Gif_CountFrames(reinterpret_cast<const uint8_t*>(gif.data()), int64_t(gif.size())), 2);
  // Frames of 16384 x 16384 cannot all be held: refused before decoding.
  std::string big = gif;
  big[6] = big[8] = 0, big[7] = big[9] = 0x40;
  EXPECT_EQ(Gif_CountFrames(reinterpret_cast<const uint8_t*>(big.data()), int64_t(big.size())), -1);
  EXPECT_EQ(Gif_CountFrames(reinterpret_cast<const uint8_t*>(gif.data()), int64_t(gif.size()) - 6), -1)
      << "cut inside a frame's data";
}

}  // namespace

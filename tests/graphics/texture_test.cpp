// Device textures on the OpenGL device: sizes, uploads, the image decoders
// and pixel reads.
#include <cstring>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "support/image_writer.h"

#include "graphics/bitmap/image_decode.h"
#include "graphics/graphics_fixture.h"

namespace {

class Textures : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(false); }
  // The texture's pixels, drawn 1:1 into a target and read back.
  std::vector<uint32_t> Show(DeviceTexture* t, int32_t w, int32_t h) {
    DeviceTexture* target = Graphics::CreateTexture(w, h, 1, true, 6);
    DrawInto(target);
    IGraphicsDevice* d = Graphics::GetDevice();
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    const float u = static_cast<float>(w) / static_cast<float>(DeviceTexture_Width(t));
    const float v = static_cast<float>(h) / static_cast<float>(DeviceTexture_Height(t));
    Graphics::DrawTexturedRect(t, -0.5f, -0.5f, static_cast<float>(w) - 0.5f, static_cast<float>(h) - 0.5f, 0, 0, u, v,
                               0xFFFFFFFFu);
    Graphics::SetTexture(0, nullptr);
    Done();
    std::vector<uint32_t> pixels = Read(target);
    Graphics::FreeTexture(target);
    return pixels;
  }
};

std::vector<uint32_t> Pattern(int w, int h) {
  std::vector<uint32_t> p(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < p.size(); ++i) p[i] = 0x80000000u | static_cast<uint32_t>(i * 0x010305u);
  return p;
}

void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// The pattern as RGBA bytes for the encoders.
std::vector<uint8_t> Rgba(const std::vector<uint32_t>& argb, bool opaque) {
  std::vector<uint8_t> out;
  for (uint32_t p : argb) {
    out.push_back(static_cast<uint8_t>(p >> 16));
    out.push_back(static_cast<uint8_t>(p >> 8));
    out.push_back(static_cast<uint8_t>(p));
    out.push_back(opaque ? 255 : static_cast<uint8_t>(p >> 24));
  }
  return out;
}

TEST_F(Textures, SizesRoundToPowersOfTwoExceptForTargets) {
  const int32_t cases[][4] = {{65, 33, 128, 64}, {4097, 10, 4096, 64}, {1, 1, 64, 64}};
  for (const auto& c : cases) {
    DeviceTexture* t = Graphics::CreateTexture(c[0], c[1], 1, false, 6);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(DeviceTexture_Width(t), c[2]);
    EXPECT_EQ(DeviceTexture_Height(t), c[3]);
    Graphics::FreeTexture(t);
  }
  DeviceTexture* target = Graphics::CreateTexture(100, 100, 1, true, 6);
  EXPECT_EQ(DeviceTexture_Width(target), 100);
  EXPECT_EQ(Read(target), std::vector<uint32_t>(100 * 100, 0u));  // new targets are transparent black
  EXPECT_EQ(Graphics::CreateTexture(0, 10, 1, false, 6), nullptr);
  for (uint32_t code = 7; code <= 10; ++code) EXPECT_EQ(Graphics::CreateTexture(8, 8, 1, false, code), nullptr);
  EXPECT_TRUE(Traced("CreateTexture failed - 8876086c\n"));
}

TEST_F(Textures, UploadsRoundTripIn32And16Bits) {
  const std::vector<uint32_t> p = Pattern(5, 3);
  DeviceTexture* t = Graphics::CreateTextureFromPixels(p.data(), 5, 3, nullptr);
  std::vector<uint32_t> shown = Show(t, 5, 3);
  EXPECT_EQ(shown, p);
  const uint16_t sixteen[4] = {0xF00F, 0x1234, 0xABCD, 0x0FF0};
  DeviceTexture* s = Graphics::CreateTexture(2, 2, 1, false, 11);
  ASSERT_TRUE(Graphics::UploadTexture(s, 0, 2, 2, sixteen));
  shown = Show(s, 2, 2);
  const std::vector<uint32_t> expected = {0xFF0000FFu, 0x11223344u, 0xAABBCCDDu, 0x00FFFF00u};
  EXPECT_EQ(shown, expected);
}

TEST_F(Textures, RawBlocksConvertTheirPixelsAndRefuseLyingSizes) {
  std::vector<uint8_t> raw = {'R', 'A', 'W', ' ', 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x02, 0x03, 0x04};
  ImageInfo info{};
  DeviceTexture* t = Graphics::CreateTextureFromImage(raw.data(), static_cast<uint32_t>(raw.size()), &info, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(Show(t, 1, 1)[0], 0x04010203u);  // bytes 03 02 01 04 in memory
  EXPECT_EQ(raw[16], 0x01);                  // the caller's bytes are left alone
  EXPECT_EQ(info.width, 1u);
  EXPECT_EQ(info.bitsPerPixel, 32u);
  uint8_t converted[2];
  const uint8_t pixel[2] = {0xCD, 0xAB};
  Image_ConvertRaw(pixel, converted, 1, 1);
  EXPECT_EQ(converted[0] | (converted[1] << 8), 0xDCBA);

  const int32_t lies[][3] = {{2, 1, 0}, {0, 1, 0}, {1, 1, 2}, {70000, 70000, 0}, {-1, 1, 0}};
  for (const auto& lie : lies) {
    std::vector<uint8_t> bad = raw;
    std::memcpy(&bad[4], &lie[0], 4);
    std::memcpy(&bad[8], &lie[1], 4);
    std::memcpy(&bad[12], &lie[2], 4);
    console_.lines.clear();
    EXPECT_EQ(Graphics::CreateTextureFromImage(bad.data(), static_cast<uint32_t>(bad.size()), &info, 0), nullptr);
    EXPECT_EQ(console_.lines.size(), 1u);
  }
  EXPECT_EQ(Graphics::CreateTextureFromImage(raw.data(), 12, &info, 0), nullptr);
}

TEST_F(Textures, ImageFilesDecodeAtTheirExactSize) {
  const std::vector<uint32_t> p = Pattern(7, 5);
  const std::vector<uint8_t> rgba = Rgba(p, false);
  std::vector<uint8_t> png, bmp, tga, jpg;
  stbi_write_png_to_func(Collect, &png, 7, 5, 4, rgba.data(), 7 * 4);
  stbi_write_bmp_to_func(Collect, &bmp, 7, 5, 4, rgba.data());
  stbi_write_tga_to_func(Collect, &tga, 7, 5, 4, rgba.data());
  std::vector<uint8_t> grey(7 * 5 * 4, 0x80);
  stbi_write_jpg_to_func(Collect, &jpg, 7, 5, 4, grey.data(), 100);
  for (auto* file : {&png, &tga, &bmp}) {
    ImageInfo info{};
    DeviceTexture* t = Graphics::CreateTextureFromImage(file->data(), static_cast<uint32_t>(file->size()), &info, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(DeviceTexture_Width(t), 7);
    EXPECT_EQ(DeviceTexture_Height(t), 5);
    std::vector<uint32_t> shown = Show(t, 7, 5);
    EXPECT_EQ(shown, p) << "format " << info.fileFormat;
  }
  DeviceTexture* j = Graphics::CreateTextureFromImage(jpg.data(), static_cast<uint32_t>(jpg.size()), nullptr, 0);
  for (uint32_t pixel : Show(j, 7, 5)) EXPECT_LE(ChannelDistance(pixel, 0xFF808080u), 2);
}

TEST_F(Textures, BrokenImagesGiveAnUntexturedRecordAndOneLine) {
  const uint8_t junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  console_.lines.clear();
  DeviceTexture* t = Graphics::CreateTextureFromImage(junk, sizeof junk, nullptr, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->texture, 0u);
  EXPECT_EQ(console_.lines.size(), 1u);
  Graphics::SetTexture(0, t);  // binds nothing, draws untextured
}

TEST_F(Textures, DxtBlocksDecodeExactly) {
  // Colour 0 white, colour 1 black; indices 0,1,2,3 in the first row.
  const uint8_t dxt1[8] = {0xFF, 0xFF, 0x00, 0x00, 0xE4, 0x00, 0x00, 0x00};
  uint32_t out[16];
  Dxt_DecodeBlock1(dxt1, out);
  EXPECT_EQ(out[0], 0xFFFFFFFFu);
  EXPECT_EQ(out[1], 0xFF000000u);
  EXPECT_EQ(out[2], 0xFFAAAAAAu);
  EXPECT_EQ(out[3], 0xFF555555u);
  // Colour 0 not above colour 1: index 3 is transparent black.
  const uint8_t dxt1Alpha[8] = {0x00, 0x00, 0x1F, 0x00, 0xC0, 0x00, 0x00, 0x00};
  Dxt_DecodeBlock1(dxt1Alpha, out);
  EXPECT_EQ(out[3], 0x00000000u);
  EXPECT_EQ(out[0], 0xFF000000u);
  uint8_t dxt3[16] = {0x0F, 0xF0, 0, 0, 0, 0, 0, 0, 0x1F, 0x00, 0x00, 0x00, 0, 0, 0, 0};
  Dxt_DecodeBlock3(dxt3, out);
  EXPECT_EQ(out[0], 0xFF0000FFu);
  EXPECT_EQ(out[1], 0x000000FFu);
  EXPECT_EQ(out[3], 0xFF0000FFu);
  uint8_t dxt5[16] = {255, 0, 0x10, 0, 0, 0, 0, 0, 0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0};
  Dxt_DecodeBlock5(dxt5, out);
  EXPECT_EQ(out[0], 0xFFFF0000u);           // alpha index 0
  EXPECT_EQ(out[1] >> 24, 6u * 255u / 7u);  // alpha index 2: six sevenths of the way from 0 to 255
}

TEST_F(Textures, DdsFilesDecodeAndRefuseWhatTheyCannotHold) {
  std::vector<uint8_t> dds(128 + 8, 0);
  std::memcpy(dds.data(), "DDS ", 4);
  dds[4] = 124;
  dds[12] = 4;  // height
  dds[16] = 4;  // width
  dds[76] = 32;
  dds[80] = 0x4;
  std::memcpy(&dds[84], "DXT1", 4);
  const uint8_t block[8] = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0};  // all red
  std::memcpy(&dds[128], block, 8);
  DecodedImage image = Image_Decode(dds.data(), static_cast<uint32_t>(dds.size()), 0);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(image.pixels[15], 0xFFFF0000u);
  MemoryManager::Free(image.pixels);
  console_.lines.clear();
  EXPECT_EQ(Image_Decode(dds.data(), static_cast<uint32_t>(dds.size() - 1), 0).pixels, nullptr);
  std::memcpy(&dds[84], "ATI2", 4);
  EXPECT_EQ(Image_Decode(dds.data(), static_cast<uint32_t>(dds.size()), 0).pixels, nullptr);
  EXPECT_EQ(Image_Decode(dds.data(), static_cast<uint32_t>(dds.size()), 8).pixels, nullptr);
  EXPECT_EQ(console_.lines.size(), 3u);
}

TEST_F(Textures, ScreenReadsShiftAtTheCornerAndTextureReadsZeroFillPastTheEdge) {
  DeviceTexture* screen = Graphics::ScreenTexture();
  DrawInto(screen);
  Quad(0, 0, 64, 64, 0xFF000000u);
  Quad(0, 0, 1, 1, 0xFFFF0000u);
  Done();
  uint32_t* block = Graphics::ReadScreenPixels(64, 64, -10, -10, 20, 20);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(MemoryManager::GetSize(block), 20u * 20u * 4u);
  EXPECT_EQ(block[0], 0xFFFF0000u);
  MemoryManager::Free(block);
  EXPECT_EQ(Graphics::ReadScreenPixels(64, 64, 70, 0, 5, 5), nullptr);
  uint32_t* wide = Graphics::ReadTexturePixels(screen, 60, 0, 10, 2);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide[0], 0xFF000000u);
  EXPECT_EQ(wide[9], 0u);
  EXPECT_EQ(wide[10 + 9], 0u);
  MemoryManager::Free(wide);
}

}  // namespace

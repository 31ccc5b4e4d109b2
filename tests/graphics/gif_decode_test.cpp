// Page images in the GIF format, built byte by byte here: the first frame is
// the picture, exact to the pixel, animations compose their frames, and
// broken files fail closed.
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/bitmap/image_decode.h"
#include "graphics/graphics_fixture.h"

namespace {

constexpr int kMinimumCodeSize = 2;  // four palette entries
constexpr uint32_t kClearCode = 4, kEndCode = 5;

// Codes packed low bit first, then cut into the format's sub-blocks.
class CodeStream {
 public:
  void Put(uint32_t code) {
    for (int bit = 0; bit < kMinimumCodeSize + 1; ++bit) {
      if (used_ % 8 == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<uint8_t>(((code >> bit) & 1) << (used_ % 8));
      ++used_;
    }
  }
  void AppendBlocks(std::vector<uint8_t>& out) const {
    out.push_back(kMinimumCodeSize);
    for (size_t at = 0; at < bytes_.size(); at += 255) {
      const size_t n = std::min<size_t>(255, bytes_.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t used_ = 0;
};

void Put16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value & 255));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

struct Frame {
  std::vector<uint8_t> indices;
  int transparent;  // palette index, or -1
  int disposal = 0;
  int left = 0, top = 0, width = 0, height = 0;  // a width of 0: the whole screen
};

// A clear code before every second pixel keeps the table from growing, so
// every code stays three bits wide and the stream needs no compressor.
void AppendFrame(std::vector<uint8_t>& gif, const Frame& frame, int width, int height) {
  if (frame.transparent >= 0 || frame.disposal != 0) {
    const uint8_t flags = static_cast<uint8_t>(frame.disposal << 2 | (frame.transparent >= 0 ? 1 : 0));
    const uint8_t control[] = {0x21, 0xF9, 4, flags, 0, 0, static_cast<uint8_t>(frame.transparent), 0};
    gif.insert(gif.end(), control, control + sizeof control);
  }
  gif.push_back(0x2C);
  Put16(gif, frame.left);
  Put16(gif, frame.top);
  Put16(gif, frame.width > 0 ? frame.width : width);
  Put16(gif, frame.width > 0 ? frame.height : height);
  gif.push_back(0);  // no local palette, not interlaced
  CodeStream codes;
  for (size_t i = 0; i < frame.indices.size(); ++i) {
    if (i % 2 == 0) codes.Put(kClearCode);
    codes.Put(frame.indices[i]);
  }
  codes.Put(kEndCode);
  codes.AppendBlocks(gif);
}

constexpr uint32_t kPalette[4] = {0x102030, 0xFF0000, 0x00FF80, 0x0000FF};

std::vector<uint8_t> Gif(int width, int height, const std::vector<Frame>& frames, uint8_t background = 0) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(gif, width);
  Put16(gif, height);
  gif.push_back(0x81);  // global palette of 2^(1+1) entries
  gif.push_back(background);
  gif.push_back(0);
  for (uint32_t c : kPalette) {
    gif.push_back(static_cast<uint8_t>(c >> 16));
    gif.push_back(static_cast<uint8_t>(c >> 8));
    gif.push_back(static_cast<uint8_t>(c));
  }
  for (const Frame& f : frames) AppendFrame(gif, f, width, height);
  gif.push_back(0x3B);
  return gif;
}

class GifImages : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(false); }
};

TEST_F(GifImages, FirstFrameDecodesExactlyWithTransparentIndexClear) {
  const Frame first{{1, 2, 3, 0, 3, 2}, 0};
  const Frame second{{3, 3, 3, 3, 3, 3}, -1};
  const std::vector<uint8_t> gif = Gif(3, 2, {first, second});
  DecodedImage image = Image_Decode(gif.data(), static_cast<uint32_t>(gif.size()), 0);
  ASSERT_NE(image.pixels, nullptr) << (console_.lines.empty() ? "" : console_.lines.back());
  EXPECT_EQ(image.fileFormat, 9u);
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  const std::vector<uint32_t> expected = {0xFFFF0000u, 0xFF00FF80u, 0xFF0000FFu, 0x00000000u, 0xFF0000FFu, 0xFF00FF80u};
  EXPECT_EQ(std::vector<uint32_t>(image.pixels, image.pixels + 6), expected);
  MemoryManager::Free(image.pixels);

  // Without a transparent index the same entry is an opaque colour; the
  // four-bit form keeps the top nibble of each channel, times 17.
  const std::vector<uint8_t> opaque = Gif(3, 2, {Frame{first.indices, -1}});
  image = Image_Decode(opaque.data(), static_cast<uint32_t>(opaque.size()), 11);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(image.pixels[3], 0xFF112233u);
  MemoryManager::Free(image.pixels);

  DeviceTexture* t = Graphics::CreateTextureFromImage(gif.data(), static_cast<uint32_t>(gif.size()), nullptr, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_NE(t->texture, 0u);
  EXPECT_EQ(DeviceTexture_Width(t), 3);
  EXPECT_EQ(DeviceTexture_Height(t), 2);
}

TEST_F(GifImages, BrokenFilesGiveNoPixelsAndOneLine) {
  const std::vector<uint8_t> good = Gif(3, 2, {Frame{{1, 2, 3, 0, 3, 2}, -1}});
  std::vector<std::vector<uint8_t>> broken;
  broken.emplace_back(good.begin(), good.begin() + 10);  // cut inside the screen description
  broken.emplace_back(good.begin(), good.begin() + 20);  // cut inside the palette
  broken.emplace_back(good.begin(), good.begin() + 25);  // cut before any frame
  broken.emplace_back(good.begin(), good.begin() + 30);  // cut inside the frame's description
  broken.emplace_back(good.begin(), good.end() - 4);     // cut inside the frame's codes
  broken.emplace_back(good.begin(), good.end() - 2);     // the codes' closing empty block missing
  std::vector<uint8_t> wide = good;
  wide[6] = wide[7] = 0xFF;  // 65535 wide
  broken.push_back(wide);
  std::vector<uint8_t> empty = good;
  empty[6] = empty[7] = 0;  // no columns
  broken.push_back(empty);
  for (size_t i = 0; i < broken.size(); ++i) {
    console_.lines.clear();
    DecodedImage image = Image_Decode(broken[i].data(), static_cast<uint32_t>(broken[i].size()), 0);
    EXPECT_EQ(image.pixels, nullptr) << "case " << i;
    EXPECT_EQ(console_.lines.size(), 1u) << "case " << i;
    MemoryManager::Free(image.pixels);
  }
  // The bound given is what counts, not the bytes that follow it.
  console_.lines.clear();
  EXPECT_EQ(Image_Decode(good.data(), 20, 0).pixels, nullptr);
  EXPECT_EQ(console_.lines.size(), 1u);
  // Only the trailer missing: the first frame is whole.
  DecodedImage image = Image_Decode(good.data(), static_cast<uint32_t>(good.size() - 1), 0);
  EXPECT_NE(image.pixels, nullptr);
  MemoryManager::Free(image.pixels);
}

// Every frame a loader hands out, as pixels 0xAARRGGBB.
std::vector<std::vector<uint32_t>> LoaderFrames(const std::vector<uint8_t>& gif) {
  std::unique_ptr<BitmapLoader> loader(BitmapLoader_CreateFromMemory(gif.data(), static_cast<int64_t>(gif.size())));
  loader->IsMultiFrame();
  std::vector<std::vector<uint32_t>> frames;
  for (int32_t i = 0; i < loader->GetFrameCount(); ++i) {
    std::unique_ptr<TBitmap> frame(loader->GetFrame(i));
    uint8_t* row = nullptr;
    int32_t rowBytes = 0;
    frame->LockBits(0, &row, &rowBytes);
    const auto* pixels = reinterpret_cast<const uint32_t*>(row);
    frames.emplace_back(pixels, pixels + rowBytes / 4 * frame->GetHeight());
  }
  return frames;
}

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF80u, kBlue = 0xFF0000FFu;

// Disposal 2 and 3 put back what the frame covered before the next frame is
// drawn; 0 and 1 leave it, as does a frame without a graphic control.
TEST_F(GifImages, DisposalPutsBackWhatAFrameCoveredOnlyWhenAsked) {
  const std::vector<uint8_t> gif =
      Gif(3, 1,
          {Frame{{1, 1, 1}, -1}, Frame{{3}, -1, 2, 1, 0, 1, 1}, Frame{{2}, -1, 0, 2, 0, 1, 1},
           Frame{{3}, -1, 3, 0, 0, 1, 1}, Frame{{2}, -1, 1, 1, 0, 1, 1}});
  const std::vector<std::vector<uint32_t>> expected = {
      {kRed, kRed, kRed}, {kRed, kBlue, kRed}, {kRed, kRed, kGreen}, {kBlue, kRed, kGreen}, {kRed, kGreen, kGreen}};
  EXPECT_EQ(LoaderFrames(gif), expected);
}

// Outside the first frame the screen's background colour shows, opaque; a
// transparent pixel inside it stays clear.
TEST_F(GifImages, BackgroundColourFillsWhereTheFirstFrameDoesNotReach) {
  const std::vector<uint8_t> gif = Gif(3, 1, {Frame{{1, 0}, 0, 0, 0, 0, 2, 1}}, 2);
  DecodedImage image = Image_Decode(gif.data(), static_cast<uint32_t>(gif.size()), 0);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(std::vector<uint32_t>(image.pixels, image.pixels + 3), (std::vector<uint32_t>{kRed, 0, kGreen}));
  MemoryManager::Free(image.pixels);
}

// A frame reaching past the screen is a damaged file: a page image fails
// with one line, and an animation keeps the frames before it.
TEST_F(GifImages, FramesOutsideTheScreenEndTheDecoding) {
  const std::vector<uint8_t> single = Gif(3, 1, {Frame{{1, 1}, -1, 0, 2, 0, 2, 1}});
  console_.lines.clear();
  DecodedImage image = Image_Decode(single.data(), static_cast<uint32_t>(single.size()), 0);
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(console_.lines.size(), 1u);
  const std::vector<uint8_t> animation =
      Gif(3, 1, {Frame{{1, 1, 1}, -1}, Frame{{3, 3}, -1, 0, 2, 0, 2, 1}, Frame{{2, 2, 2}, -1}});
  EXPECT_EQ(LoaderFrames(animation), (std::vector<std::vector<uint32_t>>{{kRed, kRed, kRed}}));
}

std::vector<uint8_t> Bytes(const char* header, std::initializer_list<uint8_t> pixels) {
  std::vector<uint8_t> out(header, header + std::strlen(header));
  out.insert(out.end(), pixels);
  return out;
}

// Binary PNM images in 8 and 16 bits: colour and grey widen to opaque
// pixels (16-bit samples keep their high byte), and cut-off pixel data fails.
TEST_F(GifImages, PnmImagesWidenExactlyAndFailWhenCutShort) {
  const std::vector<uint8_t> colour = Bytes("P6 2 1 255\n", {1, 2, 3, 4, 5, 6});
  const std::vector<uint8_t> grey16 = Bytes("P5\n# two samples\n2 1\n65535\n", {0x12, 0x34, 0xAB, 0xCD});
  const std::vector<uint8_t> colour16 = Bytes("P6 1 1 4095 ", {0x0F, 0xFF, 0x01, 0x00, 0x00, 0x10});
  DecodedImage image = Image_Decode(colour.data(), static_cast<uint32_t>(colour.size()), 0);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(std::vector<uint32_t>(image.pixels, image.pixels + 2), (std::vector<uint32_t>{0xFF010203u, 0xFF040506u}));
  MemoryManager::Free(image.pixels);
  image = Image_Decode(grey16.data(), static_cast<uint32_t>(grey16.size()), 0);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(std::vector<uint32_t>(image.pixels, image.pixels + 2), (std::vector<uint32_t>{0xFF121212u, 0xFFABABABu}));
  MemoryManager::Free(image.pixels);
  image = Image_Decode(colour16.data(), static_cast<uint32_t>(colour16.size()), 0);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(image.width, 1);
  MemoryManager::Free(image.pixels);

  for (const std::vector<uint8_t>& whole : {colour, grey16, colour16}) {
    console_.lines.clear();
    image = Image_Decode(whole.data(), static_cast<uint32_t>(whole.size() - 1), 0);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(console_.lines.size(), 1u);
    MemoryManager::Free(image.pixels);
  }
}

// Cut-off BMP, TGA and JPEG data must fail like a cut GIF, never decode as
// zeros.
TEST_F(GifImages, OtherFormatsCutShortGiveNoPixelsAndOneLine) {
  uint32_t bmpSize = 0;
  const uint32_t pixels[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};
  uint8_t* bmp = GR_Build_BMP(pixels, 2, 2, &bmpSize, 4);
  ASSERT_NE(bmp, nullptr);
  std::vector<uint8_t> bmpBytes(bmp, bmp + bmpSize);
  MemoryManager::Free(bmp);
  std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 32, 8};
  for (int i = 0; i < 8; ++i) tga.push_back(static_cast<uint8_t>(0x40 + i));
  const std::vector<uint8_t> jpegWithoutEnd = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
  // A 6 x 4 PNG whose data chunk claims almost 2 GB: refused before any
  // buffer is sized from that length.
  const std::vector<uint8_t> pngHugeChunk = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,    0x0D,
                                             'I',  'H', 'D', 'R', 0,    0,    0,    6,    0,    0,    0,    4,
                                             8,    6,   0,   0,   0,    0xAD, 0x04, 0x4E, 0x43, 0x7F, 0x00, 0x73,
                                             0x08, 'I', 'D', 'A', 'T',  1,    2,    3,    4};

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool decodes;
  };
  const Case cases[] = {
      {"whole BMP", bmpBytes, true},
      {"BMP cut in its pixels", std::vector<uint8_t>(bmpBytes.begin(), bmpBytes.end() - 4), false},
      {"whole TGA", tga, true},
      {"TGA cut in its pixels", std::vector<uint8_t>(tga.begin(), tga.end() - 3), false},
      {"JPEG without its end", jpegWithoutEnd, false},
      {"PNG chunk longer than the file", pngHugeChunk, false},
  };
  for (const Case& c : cases) {
    console_.lines.clear();
    DecodedImage image = Image_Decode(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()), 0);
    EXPECT_EQ(image.pixels != nullptr, c.decodes) << c.what;
    if (!c.decodes) {
      EXPECT_EQ(console_.lines.size(), 1u) << c.what;
    }
    MemoryManager::Free(image.pixels);
  }
}

}  // namespace

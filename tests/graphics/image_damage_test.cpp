// Damaged and hostile image files, built byte by byte: every one either
// decodes to the pixels its bytes define or fails with exactly one console
// line and no pixels. Cut files, sizes that lie, bad Huffman tables, palette
// indices past the palette, and the layouts our own BMP and TGA readers
// take apart.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <dirent.h>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/bitmap/image_decode.h"
#include "graphics/graphics_fixture.h"
#include "graphics/png_suite.h"
#include "runtime/memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A little-endian value over `bytes` bytes; those past the fourth are zero.
void Put(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(i < 4 ? static_cast<uint8_t>(value >> (8 * i)) : 0);
}

void PutBig32(Bytes& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

class DamagedImages : public ConsoleTest {
 protected:
  // The pixels, or an empty list when the file failed; a failure must say
  // so in exactly one line, a success in none.
  std::vector<uint32_t> Decode(const Bytes& file) {
    console_.lines.clear();
    DecodedImage image = Image_Decode(file.data(), static_cast<uint32_t>(file.size()), 0);
    std::vector<uint32_t> pixels;
    if (image.pixels != nullptr) {
      pixels.assign(image.pixels, image.pixels + static_cast<size_t>(image.width) * image.height);
      MemoryManager::Free(image.pixels);
    }
    EXPECT_EQ(console_.lines.size(), pixels.empty() ? 1u : 0u) << (console_.lines.empty() ? "" : console_.lines[0]);
    return pixels;
  }
};

// Every file cut at every length either still holds the whole picture (the
// cut falls in trailing bytes) or fails; it never decodes to other pixels.
TEST_F(DamagedImages, CutFilesFailOrDecodeWhole) {
  std::vector<std::string> files;
  DIR* dir = opendir(KV_IMAGE_FIXTURES);
  ASSERT_NE(dir, nullptr);
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name[0] != '.' && name.find(".argb") == std::string::npos) files.push_back(KV_IMAGE_FIXTURES "/" + name);
  }
  closedir(dir);
  for (const char* suite : {"interlacing/basi6a16.png", "basic/basn3p08.png", "transparency/tbrn2c08.png"}) {
    files.push_back(png_suite::kFolder + "/" + suite);
  }
  for (const std::string& path : files) {
    const Bytes whole = png_suite::ReadFile(path);
    const std::vector<uint32_t> full = Decode(whole);
    for (size_t length = 4; length < whole.size(); ++length) {
      const std::vector<uint32_t> cut =
          Decode(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
      EXPECT_TRUE(cut.empty() || cut == full) << path << " cut to " << length;
    }
  }
}

// A minimal grey baseline JPEG with one DC and one AC table.
Bytes Segment(uint8_t marker, const Bytes& body) {
  Bytes out = {0xFF, marker, static_cast<uint8_t>((body.size() + 2) >> 8), static_cast<uint8_t>(body.size() + 2)};
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// Sound tables: one code each, for DC difference 0 and for end of block.
Bytes HuffmanTable(uint8_t kindAndSlot) {
  Bytes body = {kindAndSlot, 1};
  body.resize(body.size() + 15 + 1, 0);
  return Segment(0xC4, body);
}

Bytes Jpeg(uint16_t width, uint16_t height) {
  Bytes out = {0xFF, 0xD8};
  auto append = [&out](const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); };
  Bytes quant(65, 1);
  quant[0] = 0;
  append(Segment(0xDB, quant));
  append(Segment(0xC0, {8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width), 1, 1, 0x11, 0}));
  append(HuffmanTable(0x00));
  append(HuffmanTable(0x10));
  append(Segment(0xDA, {1, 1, 0x00, 0, 63, 0}));
  out.insert(out.end(), {0x3F, 0xFF, 0xD9});  // DC difference 0, end of block
  return out;
}

// The fuzz regression inputs that once wrote past the previous decoder's
// Huffman tables: code counts adding up past the 256 symbols a table holds
// (in a DC and in an AC table), and three codes of one bit, which no prefix
// code has room for. Each is the file above with one table changed.
TEST_F(DamagedImages, BadHuffmanTablesFailCleanly) {
  ASSERT_EQ(Decode(Jpeg(8, 8)), std::vector<uint32_t>(64, 0xFF808080u));
  for (const char* name : {"2040_codes", "257_codes", "ac_257_codes", "oversubscribed"}) {
    const Bytes input =
        png_suite::ReadFile(std::string(KV_FUZZ_REGRESSIONS) + "/fuzz_image_decode/jpeg_huffman_" + name);
    ASSERT_GT(input.size(), 1u) << name;
    EXPECT_TRUE(Decode(Bytes(input.begin() + 1, input.end())).empty()) << name;
  }
}

Bytes PngChunk(const char* type, const Bytes& body) {
  Bytes out;
  PutBig32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, static_cast<uint32_t>(crc32(crc32(0, reinterpret_cast<const Bytef*>(type), 4), body.data(),
                                            static_cast<uInt>(body.size()))));
  return out;
}

Bytes PngHeaderOnly(uint32_t width, uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header;
  PutBig32(header, width);
  PutBig32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  const Bytes chunk = PngChunk("IHDR", header);
  png.insert(png.end(), chunk.begin(), chunk.end());
  const Bytes end = PngChunk("IEND", {});
  png.insert(png.end(), end.begin(), end.end());
  return png;
}

// Headers claiming more than any image may hold (sides up to 2^31, or
// allowed sides whose product passes 2^26 pixels), and sizes that fit the
// limits but not the bytes that follow.
TEST_F(DamagedImages, SizesThatLieFail) {
  std::vector<Bytes> files;
  Bytes bmp = {'B', 'M'};
  Put(bmp, 0, 8);
  Put(bmp, 54, 4);
  Put(bmp, 40, 4);
  Put(bmp, 0x7FFFFFFF, 4);
  Put(bmp, 1, 4);
  Put(bmp, 1, 2);
  Put(bmp, 24, 2);
  Put(bmp, 0, 24);
  files.push_back(bmp);
  std::memcpy(&bmp[18], "\x00\x40\x00\x00\x00\x40\x00\x00", 8);  // 16384 x 16384 in 54 bytes
  files.push_back(bmp);
  std::memcpy(&bmp[18], "\x01\x00\x00\x00\x00\x00\x00\x80", 8);  // height -2^31
  files.push_back(bmp);
  files.push_back({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 24, 0, 1, 2, 3});
  files.push_back({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x40, 0x00, 0x40, 24, 0, 1, 2, 3});
  files.push_back(PngHeaderOnly(65536, 32768));
  files.push_back(PngHeaderOnly(16384, 16384));
  files.push_back(Jpeg(65535, 65535));
  files.push_back(Jpeg(16384, 16384));
  // A whole, valid GIF: one pixel on a 16384 x 16384 screen would fill 1 GiB.
  files.push_back({'G', 'I',  'F', '8', '9', 'a', 0x00, 0x40, 0x00, 0x40, 0x80, 0, 0, 0,    0,    0, 255, 255,
                   255, 0x2C, 0,   0,   0,   0,   1,    0,    1,    0,    0,    2, 2, 0x44, 0x01, 0, 0x3B});
  files.push_back(PngHeaderOnly(16384, 8192));
  for (size_t i = 0; i < files.size(); ++i) EXPECT_TRUE(Decode(files[i]).empty()) << "case " << i;
}

void CollectPng(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// An 8-bit palette PNG of two entries, the first half transparent.
Bytes PalettePng(int width, int height, const Bytes& indices, bool interlaced) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, CollectPng, nullptr);
  png_set_check_for_invalid_index(png, 0);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  const png_color palette[2] = {{255, 0, 0}, {0, 0, 255}};
  png_set_PLTE(png, info, palette, 2);
  png_byte alpha = 0x80;
  png_set_tRNS(png, info, &alpha, 1, nullptr);
  std::vector<png_bytep> rows;
  for (int y = 0; y < height; ++y) rows.push_back(const_cast<png_bytep>(indices.data() + y * width));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Indices the palette does not hold read as opaque black, in either layout.
TEST_F(DamagedImages, PaletteIndicesPastThePaletteAreOpaqueBlack) {
  const Bytes indices = {0, 1, 5, 255, 1, 0, 0, 2, 1, 1, 200, 0};
  std::vector<uint32_t> expected;
  for (uint8_t i : indices) expected.push_back(i == 0 ? 0x80FF0000u : i == 1 ? 0xFF0000FFu : 0xFF000000u);
  EXPECT_EQ(Decode(PalettePng(4, 3, indices, false)), expected);
  EXPECT_EQ(Decode(PalettePng(4, 3, indices, true)), expected);
}

struct BmpLayout {
  int32_t width, height;
  uint16_t bits;
  uint32_t compression;
  uint32_t headerBytes;
  std::vector<uint32_t> masks;    // after a 40-byte header, or inside a longer one
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  Bytes pixels;                   // rows as stored, padding included
};

Bytes Bmp(const BmpLayout& s) {
  const uint32_t trailingMasks = s.headerBytes == 40 ? static_cast<uint32_t>(s.masks.size()) * 4 : 0;
  const uint32_t offset = 14 + s.headerBytes + trailingMasks + static_cast<uint32_t>(s.palette.size()) * 4;
  Bytes out = {'B', 'M'};
  Put(out, offset + static_cast<uint32_t>(s.pixels.size()), 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  Put(out, s.headerBytes, 4);
  Put(out, static_cast<uint32_t>(s.width), 4);
  Put(out, static_cast<uint32_t>(s.height), 4);
  Put(out, 1, 2);
  Put(out, s.bits, 2);
  Put(out, s.compression, 4);
  Put(out, 0, 20);
  for (uint32_t m : s.masks) Put(out, m, 4);
  out.resize(14 + s.headerBytes + trailingMasks, 0);
  for (uint32_t c : s.palette) Put(out, c, 4);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

TEST_F(DamagedImages, BmpAlphaMasksAndPalettes) {
  const Bytes twoPixels = {1, 2, 3, 0, 4, 5, 6, 0};
  // Plain 32-bit pixels whose alpha is all zero have none.
  EXPECT_EQ(Decode(Bmp({2, 1, 32, 0, 40, {}, {}, twoPixels})), (std::vector<uint32_t>{0xFF030201u, 0xFF060504u}));
  Bytes someAlpha = twoPixels;
  someAlpha[3] = 0x80;
  EXPECT_EQ(Decode(Bmp({2, 1, 32, 0, 40, {}, {}, someAlpha})), (std::vector<uint32_t>{0x80030201u, 0x00060504u}));
  // With bit fields the alpha is taken as it is.
  const std::vector<uint32_t> argb = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
  EXPECT_EQ(Decode(Bmp({2, 1, 32, 3, 108, argb, {}, twoPixels})), (std::vector<uint32_t>{0x00030201u, 0x00060504u}));
  // Five-six-five fields widen by repeating their top bits.
  EXPECT_EQ(Decode(Bmp({3, 1, 16, 3, 40, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0xF8, 0xE0, 0x07, 0x41, 0x08, 0, 0}})),
            (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF080808u}));
  // Indices past the palette are opaque black; rows run bottom first.
  EXPECT_EQ(Decode(Bmp({3, 2, 8, 0, 40, {}, {0xFF0000, 0x0000FF}, {1, 7, 0, 0, 0, 0, 1, 0}})),
            (std::vector<uint32_t>{0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu, 0xFF0000FFu, 0xFF000000u, 0xFFFF0000u}));

  const BmpLayout refused[] = {
      {3, 1, 8, 0, 40, {}, {}, {0, 0, 0, 0}},                       // no palette
      {3, 1, 2, 0, 40, {}, {0, 0, 0, 0}, {0, 0, 0, 0}},             // two bits a pixel
      {2, 1, 8, 1, 40, {}, {0, 0}, {2, 0, 0, 1}},                   // run-length compressed
      {2, 1, 32, 3, 40, {0xFF, 0xFF, 0xFF}, {}, twoPixels},         // one mask for every channel
      {2, 1, 32, 3, 40, {0x1FF0000, 0xFF00, 0xFF}, {}, twoPixels},  // a field of nine bits
      {2, 1, 24, 4, 40, {}, {}, twoPixels},                         // JPEG inside
  };
  for (const BmpLayout& layout : refused) EXPECT_TRUE(Decode(Bmp(layout)).empty()) << layout.bits << " bits";
  Bytes overlapping = Bmp({2, 1, 24, 0, 40, {}, {}, twoPixels});
  overlapping[10] = 20;
  EXPECT_TRUE(Decode(overlapping).empty());
}

Bytes Tga(uint8_t mapType, uint8_t type, uint16_t mapFirst, uint16_t mapLength, uint8_t mapBits, uint16_t width,
          uint16_t height, uint8_t bits, uint8_t descriptor, const Bytes& body) {
  Bytes out = {0, mapType, type};
  Put(out, mapFirst, 2);
  Put(out, mapLength, 2);
  out.push_back(mapBits);
  Put(out, 0, 4);
  Put(out, width, 2);
  Put(out, height, 2);
  out.push_back(bits);
  out.push_back(descriptor);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

constexpr uint8_t kTopFirst = 0x20;

TEST_F(DamagedImages, TgaColourMapsRunsAndSixteenBitColour) {
  // Five bits a channel; the top bit is no alpha.
  EXPECT_EQ(Decode(Tga(0, 2, 0, 0, 0, 2, 1, 16, kTopFirst, {0x00, 0xFC, 0x21, 0x04})),
            (std::vector<uint32_t>{0xFFFF0000u, 0xFF080808u}));
  // A map starting at index 2: indices below or past it take its first entry.
  EXPECT_EQ(Decode(Tga(1, 1, 2, 2, 24, 4, 1, 8, kTopFirst, {0, 0, 255, 255, 0, 0, 2, 3, 0, 9})),
            (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu, 0xFFFF0000u, 0xFFFF0000u}));
  // One run across both rows, stored bottom first; grey with alpha.
  EXPECT_EQ(Decode(Tga(0, 10, 0, 0, 0, 2, 2, 24, 0, {0x83, 1, 2, 3})), std::vector<uint32_t>(4, 0xFF030201u));
  EXPECT_EQ(Decode(Tga(0, 3, 0, 0, 0, 1, 1, 16, 0, {0x40, 0x80})), (std::vector<uint32_t>{0x80404040u}));

  EXPECT_TRUE(Decode(Tga(0, 10, 0, 0, 0, 2, 2, 24, 0, {0x83, 1, 2})).empty());              // the run's colour cut
  EXPECT_TRUE(Decode(Tga(0, 10, 0, 0, 0, 2, 2, 24, 0, {0x01, 1, 2, 3, 4, 5, 6})).empty());  // runs end early
  EXPECT_TRUE(Decode(Tga(1, 1, 0, 0, 24, 1, 1, 8, 0, {0})).empty());                        // an empty map
  EXPECT_TRUE(Decode(Tga(1, 1, 0, 4, 24, 1, 1, 8, 0, {0, 0, 0})).empty());                  // the map cut
  EXPECT_TRUE(Decode(Tga(7, 2, 0, 0, 0, 1, 1, 24, 0, {0, 0, 0})).empty());                  // no TGA at all
}

}  // namespace

// The records mkgame writes for resources with data of their own, checked
// field by field against the description in resources.json.
#include <algorithm>

#include "graphics/bitmap/image_decode.h"
#include "runtime/memory.h"
#include "tools/mkgame_harness.h"

namespace mkgame_test {
namespace {

struct Pixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  const uint8_t* At(int x, int y) const { return rgba.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// Pages are read as the player reads them, then laid out red, green, blue,
// alpha like the images mkgame was given.
Pixels Decode(const uint8_t* data, size_t size) {
  DecodedImage image = Image_Decode(data, static_cast<uint32_t>(size), 0);
  if (image.pixels == nullptr) throw std::runtime_error("not an image");
  Pixels p;
  p.width = image.width;
  p.height = image.height;
  for (size_t i = 0; i < static_cast<size_t>(p.width) * p.height; ++i) {
    const uint32_t v = image.pixels[i];
    p.rgba.insert(p.rgba.end(), {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24)});
  }
  MemoryManager::Free(image.pixels);
  return p;
}

class Records : public testing::Test {
 protected:
  static void SetUpTestSuite() { file_ = new GameFile(BuildFixture("resources.json")); }
  static void TearDownTestSuite() {
    delete file_;
    file_ = nullptr;
  }

  const GameFile& F() const { return *file_; }
  size_t Record(const char* chunk, size_t index) const { return F().ChunkTable(chunk).at(index); }

  // The texture page a TXTR entry holds, decoded.
  Pixels Page(size_t index) const {
    auto [at, size] = F().Chunk("TXTR");
    size_t entry = F().ChunkTable("TXTR").at(index);
    size_t png = F().Offset(entry + 4);
    EXPECT_LT(png, at + size);
    return Decode(F().Span(png, at + size - png), at + size - png);
  }

  // The pixels a TPAG record shows, cut from its page.
  Pixels Cut(size_t pageRecord) const {
    Pixels page = Page(static_cast<size_t>(F().I16(pageRecord + 20)));
    Pixels out;
    int x0 = F().I16(pageRecord), y0 = F().I16(pageRecord + 2);
    out.width = F().I16(pageRecord + 4);
    out.height = F().I16(pageRecord + 6);
    EXPECT_LE(x0 + out.width, page.width);
    EXPECT_LE(y0 + out.height, page.height);
    for (int y = 0; y < out.height; ++y) {
      for (int x = 0; x < out.width; ++x)
        out.rgba.insert(out.rgba.end(), page.At(x0 + x, y0 + y), page.At(x0 + x, y0 + y) + 4);
    }
    return out;
  }

  std::vector<uint8_t> Masks(size_t sprite) const {
    uint32_t frames = F().U32(sprite + 56);
    int32_t count = F().I32(sprite + 60 + 4 * frames);
    const uint8_t* p = F().Span(sprite + 64 + 4 * frames, static_cast<size_t>(std::max(count, 0)) * 4);
    return std::vector<uint8_t>(p, p + std::max(count, 0) * 4);  // 6 x 4 masks: one byte per row
  }

  static GameFile* file_;
};

GameFile* Records::file_ = nullptr;

TEST_F(Records, SpriteRecordsKeepTheBoxOrderLeftRightBottomTop) {
  size_t s = Record("SPRT", 0);
  EXPECT_EQ(F().Text(s), "spr_corner");
  std::vector<int32_t> fields;
  for (size_t at = 4; at < 60; at += 4) fields.push_back(F().I32(s + at));
  // width, height, left, right, bottom, top, transparent, smooth, preload, mode, precise, xorigin, yorigin, frames
  EXPECT_EQ(fields, (std::vector<int32_t>{6, 4, 1, 4, 3, 1, 1, 0, 1, 0, 1, 3, 2, 1}));

  size_t manual = Record("SPRT", 3);
  EXPECT_EQ(F().I32(manual + 40), 2);  // manual mode keeps the given box
  EXPECT_EQ(
      (std::vector<int32_t>{F().I32(manual + 12), F().I32(manual + 16), F().I32(manual + 20), F().I32(manual + 24)}),
      (std::vector<int32_t>{1, 3, 4, 2}));

  size_t opaque = Record("SPRT", 4);  // not transparent: the automatic box is the whole frame
  EXPECT_EQ(
      (std::vector<int32_t>{F().I32(opaque + 12), F().I32(opaque + 16), F().I32(opaque + 20), F().I32(opaque + 24)}),
      (std::vector<int32_t>{0, 5, 3, 0}));
}

TEST_F(Records, AutomaticBoxesCoverEveryVisiblePixelOfEveryFrame) {
  size_t two = Record("SPRT", 1);
  // corner.png is visible from (1, 1) to (4, 3) (its last pixel has alpha 1), dot.png at (0, 0).
  EXPECT_EQ((std::vector<int32_t>{F().I32(two + 12), F().I32(two + 16), F().I32(two + 20), F().I32(two + 24)}),
            (std::vector<int32_t>{0, 4, 3, 0}));
}

TEST_F(Records, MasksArePreciseTransparentSpritesBitRowsSharedOrPerFrame) {
  EXPECT_EQ(Masks(Record("SPRT", 0)), (std::vector<uint8_t>{0x00, 0x70, 0x70, 0x08}));
  EXPECT_EQ(Masks(Record("SPRT", 1)), (std::vector<uint8_t>{0x80, 0x70, 0x70, 0x08}));  // union of both frames
  EXPECT_EQ(Masks(Record("SPRT", 2)), (std::vector<uint8_t>{0x00, 0x70, 0x70, 0x08, 0x80, 0x00, 0x00, 0x00}));
  EXPECT_TRUE(Masks(Record("SPRT", 3)).empty());  // not precise
  EXPECT_TRUE(Masks(Record("SPRT", 4)).empty());  // precise but not transparent
}

TEST_F(Records, FramesAndBackgroundsShowTheirOwnPixelsOnThePages) {
  const std::vector<uint8_t> file = ReadAll(FixturePath("corner.png"));
  const std::vector<uint8_t> expected = Decode(file.data(), file.size()).rgba;

  size_t sprite = Record("SPRT", 0);
  size_t page = F().Offset(sprite + 60);
  // x, y, w, h on the page; the stored part is the whole image.
  EXPECT_EQ(F().I16(page + 8), 0);
  EXPECT_EQ(F().I16(page + 10), 0);
  for (size_t at : {12u, 16u}) EXPECT_EQ(F().I16(page + at), 6);
  for (size_t at : {14u, 18u}) EXPECT_EQ(F().I16(page + at), 4);
  EXPECT_EQ(Cut(page).rgba, expected);

  Pixels half = Cut(F().Offset(Record("SPRT", 3) + 60));
  ASSERT_EQ(half.width * half.height, 35);
  EXPECT_EQ(std::vector<uint8_t>(half.At(4, 6), half.At(4, 6) + 4), (std::vector<uint8_t>{0x10, 0x20, 0x30, 128}));

  size_t bg = Record("BGND", 0);
  EXPECT_EQ(F().Text(bg), "bg_sky");
  EXPECT_EQ((std::vector<uint32_t>{F().U32(bg + 4), F().U32(bg + 8), F().U32(bg + 12)}),
            (std::vector<uint32_t>{1, 1, 1}));
  size_t bgPage = F().Offset(bg + 16);
  EXPECT_EQ(F().I16(bgPage + 16), 40);
  EXPECT_EQ(F().I16(bgPage + 18), 20);
  Pixels sky = Cut(bgPage);
  for (int y : {0, 19}) {
    for (int x : {0, 39})
      EXPECT_EQ(std::vector<uint8_t>(sky.At(x, y), sky.At(x, y) + 4), (std::vector<uint8_t>{0x33, 0x66, 0x99, 255}));
  }
}

struct GlyphRecord {
  int code, x, y, w, h, shift, offset;
};

std::vector<GlyphRecord> Glyphs(const GameFile& f, size_t font) {
  std::vector<GlyphRecord> glyphs;
  for (size_t g : f.Table(font + 40)) {
    glyphs.push_back({static_cast<uint16_t>(f.I16(g)), f.I16(g + 2), f.I16(g + 4), f.I16(g + 6), f.I16(g + 8),
                      f.I16(g + 10), f.I16(g + 12)});
  }
  return glyphs;
}

int MaxCoverage(const Pixels& sheet, const GlyphRecord& g) {
  int most = 0;
  for (int y = g.y; y < g.y + g.h; ++y) {
    for (int x = g.x; x < g.x + g.w; ++x) most = std::max<int>(most, sheet.At(x, y)[3]);
  }
  return most;
}

TEST_F(Records, FontsCarryOneGlyphPerCodeOnTheirSheet) {
  size_t font = Record("FONT", 0);
  EXPECT_EQ(F().Text(font), "fnt_main");
  EXPECT_EQ(F().Text(font + 4), "DejaVu Sans");
  EXPECT_EQ(F().I32(font + 8), 12);
  EXPECT_EQ(F().U32(font + 20) & 0xFFFF, 32u);
  EXPECT_EQ(F().I32(font + 24), 90);
  EXPECT_EQ(F().F32(font + 32), 1.0f);
  EXPECT_EQ(F().F32(font + 36), 1.0f);

  std::vector<GlyphRecord> glyphs = Glyphs(F(), font);
  ASSERT_EQ(glyphs.size(), 59u);
  Pixels sheet = Cut(F().Offset(font + 28));
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const GlyphRecord& g = glyphs[i];
    EXPECT_EQ(g.code, static_cast<int>(32 + i));
    EXPECT_EQ(g.h, glyphs[0].h) << "every glyph spans the whole line";
    EXPECT_TRUE(g.x >= 0 && g.y >= 0 && g.x + g.w <= sheet.width && g.y + g.h <= sheet.height) << g.code;
    EXPECT_GT(g.shift, 0) << g.code;
  }
  EXPECT_EQ(MaxCoverage(sheet, glyphs[0]), 0) << "the space is blank";
  EXPECT_GT(MaxCoverage(sheet, glyphs['A' - 32]), 200);
  EXPECT_GT(glyphs['W' - 32].shift, glyphs['I' - 32].shift);

  size_t bold = Record("FONT", 1);
  EXPECT_EQ(F().U32(bold + 12), 1u);
  EXPECT_EQ(F().U32(bold + 16), 1u);
  std::vector<GlyphRecord> big = Glyphs(F(), bold);
  ASSERT_EQ(big.size(), 3u);
  EXPECT_GT(big[0].shift, glyphs['A' - 32].shift);
  EXPECT_GT(big[0].h, glyphs[0].h);

  auto [at, size] = F().Chunk("FONT");
  for (int code : {0, 65, 255}) EXPECT_EQ(F().I16(at + size - 512 + 2 * code), code);
}

TEST_F(Records, PathsKeepTheirPointsWithSpeedOneHundredByDefault) {
  size_t p = Record("PATH", 0);
  EXPECT_EQ(F().Text(p), "pth_square");
  EXPECT_EQ((std::vector<int32_t>{F().I32(p + 4), F().I32(p + 8), F().I32(p + 12), F().I32(p + 16)}),
            (std::vector<int32_t>{1, 1, 6, 3}));
  std::vector<float> points;
  for (size_t i = 0; i < 9; ++i) points.push_back(F().F32(p + 20 + 4 * i));
  EXPECT_EQ(points, (std::vector<float>{0, 0, 50, 100, 0, 100, 100, 100, 25.5f}));
}

TEST_F(Records, WaveSoundsAreEmbeddedAndOtherFilesAreOnlyNamed) {
  size_t blip = Record("SOND", 0);
  EXPECT_EQ(F().Text(blip), "snd_blip");
  EXPECT_EQ(F().I32(blip + 4), 0);
  EXPECT_EQ(F().Text(blip + 8), ".wav");
  EXPECT_EQ(F().Text(blip + 12), "blip.wav");
  EXPECT_EQ(F().F32(blip + 20), 0.5f);
  EXPECT_EQ(F().F32(blip + 24), -0.25f);
  EXPECT_EQ(F().I32(blip + 28), 0);
  ASSERT_EQ(F().I32(blip + 32), 0);
  size_t wave = Record("AUDO", 0);
  std::vector<uint8_t> expected = ReadAll(FixturePath("blip.wav"));
  ASSERT_EQ(F().U32(wave), expected.size());
  EXPECT_EQ(std::vector<uint8_t>(F().Span(wave + 4, expected.size()), F().Span(wave + 4, 0) + expected.size()),
            expected);

  size_t music = Record("SOND", 1);
  EXPECT_EQ(F().I32(music + 4), 1);
  EXPECT_EQ(F().Text(music + 8), ".mp3");
  EXPECT_EQ(F().Text(music + 12), "theme.mp3");
  EXPECT_EQ(F().F32(music + 20), 1.0f);
  EXPECT_EQ(F().I32(music + 28), 1);
  EXPECT_EQ(F().I32(music + 32), -1);
}

TEST_F(Records, ExtensionFunctionsTakeIdsInOrderUnlessGiven) {
  std::vector<size_t> packages = F().ChunkTable("EXTN");
  ASSERT_EQ(packages.size(), 2u);
  EXPECT_EQ(F().Text(packages[0]), "pkg");
  EXPECT_EQ(F().Text(packages[0] + 4), "pkg");
  std::vector<size_t> files = F().Table(packages[0] + 8);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(F().Text(files[0]), "native.so");
  EXPECT_EQ(F().Text(files[0] + 4), "pkg_end");
  EXPECT_EQ(F().Text(files[0] + 8), "pkg_start");
  EXPECT_EQ(F().I32(files[0] + 12), 1);
  std::vector<size_t> functions = F().Table(files[0] + 16);
  ASSERT_EQ(functions.size(), 2u);
  // name, id, convention, result, external name, argument count, kinds
  EXPECT_EQ(F().Text(functions[0]), "add");
  EXPECT_EQ((std::vector<int32_t>{F().I32(functions[0] + 4), F().I32(functions[0] + 8), F().I32(functions[0] + 12)}),
            (std::vector<int32_t>{0, 12, 2}));
  EXPECT_EQ(F().Text(functions[0] + 16), "add");
  EXPECT_EQ((std::vector<int32_t>{F().I32(functions[0] + 20), F().I32(functions[0] + 24), F().I32(functions[0] + 28)}),
            (std::vector<int32_t>{2, 2, 2}));
  EXPECT_EQ((std::vector<int32_t>{F().I32(functions[1] + 4), F().I32(functions[1] + 8), F().I32(functions[1] + 12)}),
            (std::vector<int32_t>{1, 11, 1}));
  EXPECT_EQ(F().Text(functions[1] + 16), "ext_greet");

  EXPECT_EQ(F().I32(files[1] + 12), 2);  // script functions, as the description says
  EXPECT_EQ(F().I32(F().Table(files[1] + 16).at(0) + 4), 10);
  EXPECT_EQ(F().Text(packages[1]), "other");
  size_t after = F().Table(F().Table(packages[1] + 8).at(0) + 16).at(0);
  EXPECT_EQ(F().I32(after + 4), 11);  // continues after the highest id given
}

TEST_F(Records, IncludedFilesCarryTheirBytes) {
  size_t file = Record("DAFL", 0);
  EXPECT_EQ(F().Text(file), "notes.txt");
  std::vector<uint8_t> expected = ReadAll(FixturePath("notes.txt"));
  ASSERT_EQ(F().U32(file + 4), expected.size());
  const uint8_t* bytes = F().Span(file + 8, expected.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + expected.size()), expected);
}

}  // namespace
}  // namespace mkgame_test

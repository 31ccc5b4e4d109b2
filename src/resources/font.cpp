#include "resources/font.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "graphics/texture/texture_table.h"
#include "resources/resource_names.h"
#include "resources/texture_pages.h"
#include "runtime/memory.h"
#include "runtime/utf8.h"

namespace {

// Reads a glyph record of seven 16-bit fields at a file offset.
bool ReadGlyph(const GameImage& image, uint32_t offset, FontGlyph* g) {
  ImageReader r = ImageReader::AtOffset(image, offset);
  int16_t* fields[] = {&g->code, &g->x, &g->y, &g->width, &g->height, &g->shift, &g->offset};
  for (int16_t* field : fields) *field = r.I16();
  return offset != 0 && !r.Failed();
}

}  // namespace

CFontGM::CFontGM() { std::fill(std::begin(lowGlyphs_), std::end(lowGlyphs_), int16_t{-1}); }

void CFontGM::MakeTexture() {
  if (texture_ >= 0) GR_Texture_Free(texture_);
  texture_ = -1;
  // Fonts of the game file have a face name but no coverage: their glyphs
  // are on a page.
  if (sprite_ >= 0 || coverage_ == nullptr) return;
  if (textureWidth_ <= 0 || textureHeight_ <= 0) return;
  texture_ = GR_Texture_Create_From_Alpha(textureWidth_, textureHeight_, coverage_);
}

CFontGM::CFontGM(const uint8_t* glyphBoxes, int32_t first, int32_t last, int32_t texture) {
  Reset();
  faceName_ = Resource_CopyName("debug");
  size_ = 10;
  first_ = first;
  last_ = last;
  int32_t count = std::max(last - first + 1, 0);
  glyphs_ = static_cast<FontGlyph*>(KV_ALLOC(static_cast<size_t>(count) * sizeof(FontGlyph), true));
  glyphCount_ = count;
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* box = glyphBoxes + 4 * i;
    glyphs_[i] = {static_cast<int16_t>(first + i), box[0], box[1], box[2], box[3], box[2], 0};
    lineHeight_ = std::max<int32_t>(lineHeight_, box[3]);
  }
  SortGlyphs();
  ownPage_ = true;
  page_ = {0, 0, 256, 128, 0, 0, 256, 128, 256, 128, static_cast<int16_t>(texture & 0xFFFF)};
  textureWidth_ = 256;
  textureHeight_ = 128;
}

CFontGM::~CFontGM() { Reset(); }

void CFontGM::Reset() {
  MemoryManager::Free(faceName_);
  MemoryManager::Free(coverage_);
  MemoryManager::Free(glyphs_);
  faceName_ = nullptr;
  coverage_ = nullptr;
  glyphs_ = nullptr;
  glyphCount_ = 0;
  std::fill(std::begin(lowGlyphs_), std::end(lowGlyphs_), int16_t{-1});
  if (texture_ >= 0 && !ownPage_) GR_Texture_Free(texture_);
  texture_ = -1;
  size_ = 12;
  bold_ = italic_ = 0;
  first_ = 32;
  last_ = 128;
  sprite_ = -1;
  lineHeight_ = 0;
  xscale_ = yscale_ = 1.0f;
  pageOffset_ = 0;
  ownPage_ = false;
}

const char* CFontGM::Load(ImageReader& record) {
  const GameImage& image = record.Image();
  Reset();
  faceName_ = Resource_CopyName(record.Text());
  size_ = record.I32();
  bold_ = record.U32() != 0;
  italic_ = record.U32() != 0;
  uint32_t range = record.U32();
  first_ = static_cast<int32_t>(range & 0xFFFF);
  if (((range >> 16) & 0xFF) != 0) charset_ = static_cast<int32_t>((range >> 16) & 0xFF);
  if ((range >> 24) != 0) antialias_ = static_cast<int32_t>(range >> 24) - 1;
  last_ = record.I32();
  pageOffset_ = record.U32();
  xscale_ = record.F32();
  yscale_ = record.F32();
  uint32_t count = record.U32();
  if (record.Failed()) return "the record runs past the file";
  // The page record's source size is the glyph image's size.
  ImageReader page = ImageReader::AtOffset(image, pageOffset_);
  page.Skip(4);
  textureWidth_ = page.I16();
  textureHeight_ = page.I16();
  page.Skip(14);
  if (pageOffset_ != 0 && page.Failed()) return "its texture-page record lies outside the file";
  if (count > record.Remaining() / 4) return "its glyph table runs past the file";
  glyphs_ = static_cast<FontGlyph*>(KV_ALLOC(static_cast<size_t>(count) * sizeof(FontGlyph), true));
  glyphCount_ = static_cast<int32_t>(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (!ReadGlyph(image, record.U32(), &glyphs_[i])) return "a glyph record lies outside the file";
    lineHeight_ = std::max<int32_t>(lineHeight_, glyphs_[i].height);
  }
  SortGlyphs();
  return record.Failed() ? "its glyph table runs past the file" : nullptr;
}

void CFontGM::MakeSystem(const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last) {
  Reset();
  faceName_ = Resource_CopyName(face);
  size_ = size;
  bold_ = bold;
  italic_ = italic;
  first_ = std::max(first, 0);
  last_ = std::min(last, 255);
  charset_ = 0;
  antialias_ = 3;
}

void CFontGM::MakeFromSprite(int32_t sprite, const SpriteFontSource& source, const char* characters, bool proportional,
                             int32_t separation) {
  Reset();
  sprite_ = sprite;
  if (source.frameCount < 0) return;
  if (characters == nullptr) characters = "";
  int32_t codePoints = UTF8_Length(characters);
  int32_t n = std::max(std::min(codePoints, source.frameCount), 0);
  glyphs_ = static_cast<FontGlyph*>(KV_ALLOC(static_cast<size_t>(n + 1) * sizeof(FontGlyph), true));
  const char* p = characters;
  int32_t space = -1;
  bool spaceAnywhere = false;
  for (int32_t i = 0; i < codePoints; ++i) {
    uint16_t code = UTF8_ReadChar(&p);
    if (code == 32) spaceAnywhere = true;
    if (i >= n) continue;
    int32_t left = 0, right = source.width;
    if (proportional && source.frameBox != nullptr) source.frameBox(source.context, i, &left, &right);
    glyphs_[i] = {static_cast<int16_t>(code),
                  0,
                  0,
                  static_cast<int16_t>(i),
                  static_cast<int16_t>(source.height),
                  static_cast<int16_t>(right - left + separation),
                  static_cast<int16_t>(-left)};
    if (code == 32 && space < 0) space = i;
  }
  glyphCount_ = n;
  if (!spaceAnywhere) {
    space = n;
    glyphs_[n] = {32, 0, 0, static_cast<int16_t>(n), static_cast<int16_t>(source.height), 0, 0};
    glyphCount_ = n + 1;
  }
  if (space >= 0) {
    int32_t widest = -999;
    for (int32_t i = 0; i < glyphCount_; ++i) {
      if (i != space) widest = std::max<int32_t>(widest, glyphs_[i].shift);
    }
    glyphs_[space].shift = static_cast<int16_t>(widest);
  }
  SortGlyphs();
  first_ = glyphCount_ > 0 ? glyphs_[0].code : 0;
  last_ = first_ + glyphCount_;
  lineHeight_ = source.height;
}

void CFontGM::SortGlyphs() {
  std::stable_sort(glyphs_, glyphs_ + glyphCount_,
                   [](const FontGlyph& a, const FontGlyph& b) { return a.code < b.code; });
  std::fill(std::begin(lowGlyphs_), std::end(lowGlyphs_), int16_t{-1});
  // The first of equal codes is the one found.
  for (int32_t i = std::min(glyphCount_, int32_t{INT16_MAX}) - 1; i >= 0; --i) {
    if (glyphs_[i].code >= 0 && glyphs_[i].code < kLowGlyphs) lowGlyphs_[glyphs_[i].code] = static_cast<int16_t>(i);
  }
}

const FontGlyph* CFontGM::FindGlyph(int32_t code) const {
  if (code >= 0 && code < kLowGlyphs && glyphCount_ < INT16_MAX) {
    return lowGlyphs_[code] >= 0 ? glyphs_ + lowGlyphs_[code] : nullptr;
  }
  const FontGlyph* begin = glyphs_;
  const FontGlyph* end = glyphs_ + glyphCount_;
  const FontGlyph* at = std::lower_bound(begin, end, code, [](const FontGlyph& g, int32_t c) { return g.code < c; });
  return at != end && at->code == code ? at : nullptr;
}

int32_t CFontGM::CharWidth(int32_t code) const {
  if (glyphCount_ == 0) return 0;
  const FontGlyph* g = FindGlyph(code);
  return g != nullptr ? g->shift : glyphs_[0].shift;
}

int32_t CFontGM::TextWidth(const char* text) const {
  if (text == nullptr || glyphCount_ == 0) return 0;
  // A long enough text of wide glyphs passes the 32-bit range.
  int64_t width = 0;
  for (uint16_t c = UTF8_ReadCharQuick(&text); c != 0; c = UTF8_ReadCharQuick(&text)) width += CharWidth(c);
  return static_cast<int32_t>(std::clamp<int64_t>(width, INT32_MIN, INT32_MAX));
}

const TexturePage* CFontGM::GetPage() const {
  if (ownPage_) return &page_;
  return pageOffset_ != 0 ? TexturePage_AtOffset(pageOffset_) : nullptr;
}

void CFontGM::SetCoverage(uint8_t* coverage, int32_t width, int32_t height) {
  MemoryManager::Free(coverage_);
  coverage_ = coverage;
  textureWidth_ = width;
  textureHeight_ = height;
}

void CFontGM::SetGlyphs(const FontGlyph* glyphs, int32_t count) {
  MemoryManager::Free(glyphs_);
  glyphs_ = static_cast<FontGlyph*>(KV_ALLOC(static_cast<size_t>(count) * sizeof(FontGlyph), true));
  if (count > 0) std::memcpy(glyphs_, glyphs, static_cast<size_t>(count) * sizeof(FontGlyph));
  glyphCount_ = count;
  lineHeight_ = 0;
  for (int32_t i = 0; i < count; ++i) lineHeight_ = std::max<int32_t>(lineHeight_, glyphs_[i].height);
  SortGlyphs();
}

int32_t CFontGM::LayoutLine(float x, float y, const char* text, const FontLayout& layout, FontVertex* out) const {
  if (text == nullptr) return 0;
  float pen = 0.0f;
  return LayoutChunk(x, y, &text, &pen, INT32_MAX, layout, out);
}

// One glyph's six vertices: the quad widened by half a pixel on every side
// so that neighbouring glyphs' edges are not cut, turned about the line's
// start when the layout is rotated.
void CFontGM::GlyphQuad(float x, float y, float pen, const FontGlyph& g, const FontLayout& layout, const LineTurn& turn,
                        FontVertex* v) const {
  const float left = pen + g.offset * layout.xscale - 0.5f;
  const float right = pen + g.offset * layout.xscale + g.width * layout.xscale + 0.5f;
  const float top = -0.5f, bottom = g.height * layout.yscale + 0.5f;
  // Corners top-left, top-right, bottom-right, bottom-left.
  float cx[4] = {x + left, x + right, x + right, x + left}, cy[4] = {y + top, y + top, y + bottom, y + bottom};
  if (turn.rotated) {
    const float px[4] = {left, right, right, left}, py[4] = {top, top, bottom, bottom};
    for (int i = 0; i < 4; ++i) {
      cx[i] = x + px[i] * turn.ux + py[i] * turn.vx;
      cy[i] = y + px[i] * turn.uy + py[i] * turn.vy;
    }
  }
  const float u0 = (g.x + turn.left) * layout.texelWidth, u1 = (g.x + g.width + turn.right) * layout.texelWidth;
  const float v0 = (g.y + turn.top) * layout.texelHeight, v1 = (g.y + g.height + turn.bottom) * layout.texelHeight;
  const FontVertex tl{cx[0], cy[0], layout.depth, layout.colour, u0, v0};
  const FontVertex tr{cx[1], cy[1], layout.depth, layout.colour, u1, v0};
  const FontVertex br{cx[2], cy[2], layout.depth, layout.colour, u1, v1};
  const FontVertex bl{cx[3], cy[3], layout.depth, layout.colour, u0, v1};
  v[0] = tl;
  v[1] = tr;
  v[2] = br;
  v[3] = br;
  v[4] = bl;
  v[5] = tl;
}

int32_t CFontGM::LayoutChunk(float x, float y, const char** text, float* pen, int32_t maxChars,
                             const FontLayout& layout, FontVertex* out) const {
  if (text == nullptr || *text == nullptr) return 0;
  LineTurn turn;
  // Glyphs on a page are cut half a pixel wider, like their quads.
  if (const TexturePage* page = GetPage()) {
    turn.left = page->x - 0.5f;
    turn.right = page->x + 0.5f;
    turn.top = page->y - 0.5f;
    turn.bottom = page->y + 0.5f;
  }
  turn.rotated = std::fabs(layout.angle) >= 0.001f;
  const double a = layout.angle * 0.017453292;
  turn.ux = static_cast<float>(std::cos(a));
  turn.uy = static_cast<float>(-std::sin(a));
  turn.vx = static_cast<float>(std::sin(a));
  turn.vy = static_cast<float>(std::cos(a));
  int32_t written = 0;
  for (int32_t n = 0; n < maxChars && **text != '\0'; ++n) {
    const uint16_t c = UTF8_ReadCharQuick(text);
    // A sequence cut by the end of the text is not a character.
    if (c == 0 && **text == '\0') break;
    FontVertex* v = out + written;
    written += 6;
    const FontGlyph* g = FindGlyph(c);
    if (g == nullptr) {
      std::memset(v, 0, 6 * sizeof(FontVertex));
      continue;
    }
    GlyphQuad(x, y, *pen, *g, layout, turn, v);
    *pen += g->shift * layout.xscale;
  }
  return written;
}

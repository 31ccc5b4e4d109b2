// Fonts: glyphs cut from one texture image (texture fonts) or taken from the
// frames of a sprite (sprite fonts), with measuring and the layout of a line
// into textured quads. Texts are UTF-8 and walked by code point.
#pragma once

#include <cstdint>

#include "graphics/texture/texture_page.h"
#include "runtime/game_image.h"

struct FontGlyph {
  int16_t code, x, y;
  int16_t width;  // a sprite font's frame number
  int16_t height;
  int16_t shift;   // the pen's advance
  int16_t offset;  // added to the pen before drawing
};

// One vertex of a laid-out line, as the batch takes it.
struct FontVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(FontVertex) == 24);

// What a sprite font needs of its sprite; a negative frame count stands for
// a sprite that does not exist.
struct SpriteFontSource {
  int32_t frameCount;
  int32_t width, height;
  // The frame's box of non-clear pixels; null means the whole width.
  void (*frameBox)(const void* context, int32_t frame, int32_t* left, int32_t* right);
  const void* context;
};

// How the quads of a line are placed and textured.
struct FontLayout {
  float xscale, yscale;
  float angle;      // degrees
  uint32_t colour;  // device colour 0xAARRGGBB
  float depth;
  float texelWidth, texelHeight;  // of the texture drawn from
};

class CFontGM {
 public:
  CFontGM();
  // The built-in "debug" font: glyphs first..last from {x, y, width, height}
  // quadruples, on a 256 x 128 image held by `texture`.
  CFontGM(const uint8_t* glyphBoxes, int32_t first, int32_t last, int32_t texture);
  virtual ~CFontGM();
  CFontGM(const CFontGM&) = delete;
  CFontGM& operator=(const CFontGM&) = delete;

  void Reset();
  // From a FONT record whose fields follow the name word; null on success,
  // else what was wrong.
  const char* Load(ImageReader& record);
  // A system font: the face is rasterised by the platform's font layer.
  void MakeSystem(const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last);
  // A sprite font over the characters of a UTF-8 text.
  void MakeFromSprite(int32_t sprite, const SpriteFontSource& source, const char* characters, bool proportional,
                      int32_t separation);

  const FontGlyph* FindGlyph(int32_t code) const;
  int32_t CharWidth(int32_t code) const;
  int32_t TextWidth(const char* text) const;
  int32_t TextHeight(const char*) const { return lineHeight_; }

  // Writes six vertices per code point of the line (zeros for a character
  // without glyph) and answers how many were written.
  int32_t LayoutLine(float x, float y, const char* text, const FontLayout& layout, FontVertex* out) const;
  // As LayoutLine for at most `maxChars` code points from *text, the pen
  // starting at *pen along the line; both are moved past what was laid out.
  int32_t LayoutChunk(float x, float y, const char** text, float* pen, int32_t maxChars, const FontLayout& layout,
                      FontVertex* out) const;

  // One line of UTF-8 text with (x, y) its top-left corner. Colours are
  // script colours 0xBBGGRR, alpha 0..1, angles in degrees; the colour
  // forms blend colour 1 to 2 along the top and 4 to 3 along the bottom.
  void Draw(float x, float y, const char* text, uint32_t colour, float alpha) const;
  void DrawTransformed(float x, float y, const char* text, float xscale, float yscale, float angle, uint32_t colour,
                       float alpha) const;
  void DrawColor(float x, float y, const char* text, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                 float alpha) const;
  void DrawTransformedColor(float x, float y, const char* text, float xscale, float yscale, float angle, uint32_t c1,
                            uint32_t c2, uint32_t c3, uint32_t c4, float alpha) const;

  const char* GetFaceName() const { return faceName_ != nullptr ? faceName_ : ""; }
  int32_t GetSize() const { return size_; }
  bool GetBold() const { return bold_ != 0; }
  bool GetItalic() const { return italic_ != 0; }
  int32_t GetCharset() const { return charset_; }
  int32_t GetAntialias() const { return antialias_; }
  int32_t GetFirst() const { return first_; }
  int32_t GetLast() const { return last_; }
  int32_t GetSprite() const { return sprite_; }
  int32_t GetTextureWidth() const { return textureWidth_; }
  int32_t GetTextureHeight() const { return textureHeight_; }
  int32_t GetLineHeight() const { return lineHeight_; }
  float GetXScale() const { return xscale_; }
  float GetYScale() const { return yscale_; }
  int32_t GetGlyphCount() const { return glyphCount_; }
  const FontGlyph& GetGlyph(int32_t i) const { return glyphs_[i]; }
  int32_t GetTexture() const { return texture_; }
  // The page record of the glyph image, or null.
  const TexturePage* GetPage() const;
  const uint8_t* GetCoverage() const { return coverage_; }

  // Gives the font a coverage image (owned from then on; MemoryManager).
  void SetCoverage(uint8_t* coverage, int32_t width, int32_t height);
  void SetGlyphs(const FontGlyph* glyphs, int32_t count);
  void SetTexture(int32_t texture) { texture_ = texture; }
  // Frees the own texture and, for a texture font with a coverage image,
  // makes it anew.
  void MakeTexture();

 private:
  void SortGlyphs();
  void DrawLine(float x, float y, const char* text, float xscale, float yscale, float angle, uint32_t colour,
                float alpha) const;
  void DrawSpriteLine(float x, float y, const char* text, float xscale, float yscale, float angle, uint32_t colour,
                      float alpha) const;
  void DrawColorLine(float x, float y, const char* text, float xscale, float yscale, float angle,
                     const uint32_t colours[4], float alpha, bool ownScales) const;
  // What every glyph of one laid-out line shares.
  struct LineTurn {
    float left = 0, right = 0, top = 0, bottom = 0;  // added to the glyph's edges on the texture
    bool rotated = false;
    float ux = 1, uy = 0, vx = 0, vy = 1;
  };
  void GlyphQuad(float x, float y, float pen, const FontGlyph& g, const FontLayout& layout, const LineTurn& turn,
                 FontVertex* v) const;

  char* faceName_ = nullptr;
  int32_t size_ = 12;
  uint8_t bold_ = 0, italic_ = 0;
  int32_t charset_ = 0;
  int32_t antialias_ = 3;
  int32_t first_ = 32, last_ = 128;
  int32_t sprite_ = -1;
  int32_t textureWidth_ = 0, textureHeight_ = 0;
  int32_t lineHeight_ = 0;
  uint8_t* coverage_ = nullptr;
  int32_t texture_ = -1;
  uint32_t pageOffset_ = 0;  // of the game file's page record; 0 for none
  bool ownPage_ = false;
  TexturePage page_ = {};
  int32_t glyphCount_ = 0;
  FontGlyph* glyphs_ = nullptr;
  // Where the glyphs of the first codes are, found without a search; -1 for none.
  static constexpr int32_t kLowGlyphs = 256;
  int16_t lowGlyphs_[kLowGlyphs];
  float xscale_ = 1.0f, yscale_ = 1.0f;
};

// Texture-font lines longer than this are drawn in several batches.
constexpr int32_t kFontCharsPerBatch = 5461;

// Remakes the own texture of every font that has a coverage image: white,
// its alpha from the coverage, in the texture table.
void Font_InitTextures();

// The store. Deleted slots stay null; indices are never reused.
void Font_Init();
bool Font_Load(const GameImage& image, uint64_t data, uint32_t size);
int32_t Font_Count();
bool Font_Exists(int32_t index);
CFontGM* Font_Get(int32_t index);
// A newly allocated "<undefined>" for no font; the caller frees it.
char* Font_GetName(int32_t index);
const char* Font_Name(int32_t index);
int32_t Font_Find(const char* name);
// The code table kept from the end of the FONT chunk (256 entries).
uint16_t Font_CodeTableEntry(int32_t index);
int32_t Font_Add(const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last);
bool Font_Replace(int32_t index, const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last);
int32_t Font_AddSpriteExt(int32_t sprite, const SpriteFontSource& source, const char* characters, bool proportional,
                          int32_t separation);
bool Font_ReplaceSpriteExt(int32_t index, int32_t sprite, const SpriteFontSource& source, const char* characters,
                           bool proportional, int32_t separation);
// The characters of frames first.. from the code table, as UTF-8; the text
// stops at the table's end. The caller frees it.
char* Font_SpriteCharacters(int32_t first, int32_t frameCount);
// Sprite fonts over a sprite of the store: the characters of a UTF-8 text,
// or of the code table from `first`. A sprite that does not exist gives a
// font without glyphs.
int32_t Font_AddSpriteExt(int32_t sprite, const char* characters, bool proportional, int32_t separation);
bool Font_ReplaceSpriteExt(int32_t index, int32_t sprite, const char* characters, bool proportional,
                           int32_t separation);
int32_t Font_AddSprite(int32_t sprite, int32_t first, bool proportional, int32_t separation);
bool Font_ReplaceSprite(int32_t index, int32_t sprite, int32_t first, bool proportional, int32_t separation);
bool Font_Delete(int32_t index);
void Font_Shutdown();

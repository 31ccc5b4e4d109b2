// A platform font: a face name, a height and style bits, and the FreeType
// face that fontconfig matches to them, made again whenever one changes
// (in font/); the glyphs it draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FT_FaceRec_;
// The face of a font, sized to its height; null when none could be made.
using FontHandle = FT_FaceRec_*;

// Style bits. Underline and strike-out are kept but change no glyph.
constexpr uint32_t kFontBold = 1;
constexpr uint32_t kFontItalic = 2;
constexpr uint32_t kFontUnderline = 4;
constexpr uint32_t kFontStrikeOut = 8;

class IVXFont {
 public:
  virtual ~IVXFont() = default;
  virtual int32_t GetExtra() const = 0;
  virtual void SetExtra(int32_t value) = 0;
  // A copy the caller frees with std::free; null when no name is set.
  virtual char* GetName() const = 0;
  virtual void SetName(const char* name) = 0;
  virtual int32_t GetSize() const = 0;
  virtual void SetSize(int32_t size) = 0;
  virtual void SetStyle(uint32_t style) = 0;
  virtual uint32_t GetStyle() const = 0;
  virtual void Assign(const IVXFont& other) = 0;
  virtual FontHandle GetHandle() const = 0;
};

// Lets fontconfig's configuration go; the next font made reads it again.
// Fonts are made rarely, so users call this when they are done with them.
void PlatformFont_Shutdown();

// The file fontconfig picks for a family in the regular style, with the
// face's index inside it; "" when none.
std::string PlatformFont_MatchFile(const char* family, int* faceIndex);

// An installed font file and the characters asked for that it draws.
struct FontCoverage {
  std::string path;
  int faceIndex = 0;
  std::vector<uint32_t> characters;
};
// Gives each character to the first font, in fontconfig's order of
// preference for `family` (the family itself first, then the fonts it falls
// back to), that has a glyph for it; only fonts whose outlines any
// TrueType or CFF reader takes. A character no installed font has is in none.
std::vector<FontCoverage> PlatformFont_Cover(const char* family, const std::vector<uint32_t>& characters);

// One glyph as a face draws it: coverage bytes (0 to 255), row by row.
struct PlatformGlyph {
  int32_t width = 0, rows = 0;
  int32_t left = 0;     // columns from the pen to the first column
  int32_t top = 0;      // rows from the baseline up to the first row
  int32_t advance = 0;  // the pen's move, rounded to whole pixels
  std::vector<uint8_t> coverage;
};

// The face's ascent and descent below the baseline, in whole pixels
// rounded up.
void PlatformFont_Metrics(FontHandle face, int32_t* ascender, int32_t* descender);
// Draws one character; false when the face has no glyph for it or cannot
// draw it.
bool PlatformFont_RenderGlyph(FontHandle face, int32_t code, PlatformGlyph* out);

// One face, held by every font assigned from the one that made it.
struct SharedFace;

class TFont final : public IVXFont {
 public:
  TFont() = default;
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  int32_t GetExtra() const override { return extra_; }
  void SetExtra(int32_t value) override;
  char* GetName() const override;
  // Null: no name, fontconfig's default family.
  void SetName(const char* name) override;
  int32_t GetSize() const override { return size_; }
  // Negative: the em height in pixels; positive: the cell height (ascent
  // plus descent); 0: 16 pixels to the em.
  void SetSize(int32_t size) override;
  void SetStyle(uint32_t style) override;
  uint32_t GetStyle() const override { return style_; }
  // Takes the other font's properties and its face: both then answer the
  // same handle, and the last holder releases it.
  void Assign(const IVXFont& other) override;
  FontHandle GetHandle() const override;

 private:
  void UpdateHandle();

  int32_t extra_ = 0;
  char* name_ = nullptr;
  int32_t size_ = 0;
  uint32_t style_ = 0;
  SharedFace* face_ = nullptr;
};

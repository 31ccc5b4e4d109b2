#include "platform/platform_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>
#include <string>

struct SharedFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int32_t holders = 1;
};

namespace {

constexpr int32_t kDefaultPixels = 16;
constexpr int kBoldWeight = 700, kNormalWeight = 400;

struct MatchedFile {
  std::string path;
  int index = 0;
};

// The file fontconfig picks for a family and style; empty when none.
MatchedFile Match(const char* family, uint32_t style) {
  MatchedFile file;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return file;
  if (family != nullptr) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType((style & kFontBold) != 0 ? kBoldWeight : kNormalWeight));
  FcPatternAddInteger(pattern, FC_SLANT, (style & kFontItalic) != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
      file.path = reinterpret_cast<const char*>(path);
      FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

// Heights read as a GDI font's: below 0 the em, above 0 the whole cell.
bool SetHeight(FT_Face face, int32_t size) {
  if (size <= 0) {
    const int64_t pixels = size == 0 ? kDefaultPixels : -int64_t{size};
    return pixels <= 0xFFFF && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) == 0;
  }
  if (size > 0xFFFF) return false;
  FT_Size_RequestRec request = {FT_SIZE_REQUEST_TYPE_REAL_DIM, 0, static_cast<FT_Long>(size) * 64, 0, 0};
  return FT_Request_Size(face, &request) == 0;
}

SharedFace* OpenFace(const char* name, int32_t size, uint32_t style) {
  const MatchedFile file = Match(name, style);
  if (file.path.empty()) return nullptr;
  auto* shared = new SharedFace;
  if (FT_Init_FreeType(&shared->library) == 0 &&
      FT_New_Face(shared->library, file.path.c_str(), file.index, &shared->face) == 0 &&
      SetHeight(shared->face, size)) {
    return shared;
  }
  if (shared->face != nullptr) FT_Done_Face(shared->face);
  if (shared->library != nullptr) FT_Done_FreeType(shared->library);
  delete shared;
  return nullptr;
}

void Release(SharedFace* shared) {
  if (shared == nullptr || --shared->holders > 0) return;
  FT_Done_Face(shared->face);
  FT_Done_FreeType(shared->library);
  delete shared;
}

}  // namespace

void PlatformFont_Shutdown() { FcFini(); }

std::string PlatformFont_MatchFile(const char* family, int* faceIndex) {
  const MatchedFile file = Match(family, 0);
  if (faceIndex != nullptr) *faceIndex = file.index;
  return file.path;
}

TFont::~TFont() {
  Release(face_);
  std::free(name_);
}

void TFont::UpdateHandle() {
  Release(face_);
  face_ = OpenFace(name_, size_, style_);
}

void TFont::SetExtra(int32_t value) {
  extra_ = value;
  UpdateHandle();
}

char* TFont::GetName() const { return name_ != nullptr ? strdup(name_) : nullptr; }

void TFont::SetName(const char* name) {
  if (name == nullptr) {
    std::free(name_);
    name_ = nullptr;
  } else if (name != name_) {
    const size_t bytes = std::strlen(name) + 1;
    // The old buffer is kept when the new name fits in it.
    if (name_ == nullptr || std::strlen(name_) + 1 < bytes) {
      std::free(name_);
      name_ = static_cast<char*>(std::malloc(bytes));
    }
    if (name_ != nullptr) std::memcpy(name_, name, bytes);
  }
  UpdateHandle();
}

void TFont::SetSize(int32_t size) {
  size_ = size;
  UpdateHandle();
}

void TFont::SetStyle(uint32_t style) {
  style_ = style;
  UpdateHandle();
}

void TFont::Assign(const IVXFont& other) {
  if (&other == this) return;
  extra_ = other.GetExtra();
  char* name = other.GetName();
  std::free(name_);
  name_ = name;
  size_ = other.GetSize();
  style_ = other.GetStyle();
  // A font of the same kind hands over its face rather than a second one.
  if (const auto* same = dynamic_cast<const TFont*>(&other)) {
    Release(face_);
    face_ = same->face_;
    if (face_ != nullptr) ++face_->holders;
  } else {
    UpdateHandle();
  }
}

FontHandle TFont::GetHandle() const { return face_ != nullptr ? face_->face : nullptr; }

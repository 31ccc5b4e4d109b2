// Which installed fonts draw a text's characters: the family asked for
// first, then the fonts fontconfig falls back to.
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_font.h"

namespace {

// Outlines that a plain TrueType reader understands; bitmap and Type 1
// fonts it does not.
bool Readable(FcPattern* font) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch || format == nullptr) return false;
  const char* name = reinterpret_cast<const char*>(format);
  return std::strcmp(name, "TrueType") == 0 || std::strcmp(name, "CFF") == 0;
}

FcFontSet* Sorted(const char* family) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return nullptr;
  if (family != nullptr) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
  FcPatternDestroy(pattern);
  return set;
}

}  // namespace

std::vector<FontCoverage> PlatformFont_Cover(const char* family, const std::vector<uint32_t>& characters) {
  std::vector<FontCoverage> out;
  FcFontSet* set = Sorted(family);
  if (set == nullptr) return out;
  std::vector<int> slot(static_cast<size_t>(set->nfont), -1);  // the font's place in `out`
  for (const uint32_t c : characters) {
    for (int i = 0; i < set->nfont; ++i) {
      FcPattern* font = set->fonts[i];
      FcCharSet* charset = nullptr;
      FcChar8* path = nullptr;
      if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch || !FcCharSetHasChar(charset, c) ||
          FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch || path == nullptr || !Readable(font)) {
        continue;
      }
      int& place = slot[static_cast<size_t>(i)];
      if (place < 0) {
        place = static_cast<int>(out.size());
        FontCoverage coverage;
        coverage.path = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(font, FC_INDEX, 0, &coverage.faceIndex);
        out.push_back(std::move(coverage));
      }
      out[static_cast<size_t>(place)].characters.push_back(c);
      break;
    }
  }
  FcFontSetDestroy(set);
  return out;
}

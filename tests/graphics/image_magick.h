// ImageMagick's convert (scripts/setup.sh installs it) as an outside maker
// and reader of image files: tests write their source pictures as PAM
// files, have convert turn them into the format under test, and compare
// what our loaders make of the result with the source or with what convert
// itself reads. Tests skip when convert is missing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace image_magick {

// The packaged program by its own path, so nothing standing in front of it
// on the search path can change its output; "" when it is not installed.
inline std::string Convert() { return std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : ""; }

inline std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs `convert ARGUMENTS` (already quoted) and answers its standard output;
// `ok` is false when it did not exit with 0.
inline std::vector<uint8_t> Run(const std::string& arguments, bool* ok) {
  std::vector<uint8_t> out;
  *ok = false;
  const std::string program = Convert();
  if (program.empty()) return out;
  std::FILE* pipe = popen((Quoted(program) + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return out;
  uint8_t buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + n);
  *ok = pclose(pipe) == 0;
  return out;
}

// A PAM file of 0xAARRGGBB pixels, top row first, that convert reads
// exactly as written.
inline bool WritePam(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  std::fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", width, height);
  for (uint32_t p : pixels) {
    const uint8_t rgba[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
    std::fwrite(rgba, 1, 4, f);
  }
  return std::fclose(f) == 0;
}

// What convert reads from an image file, as 8-bit blue, green, red, alpha
// bytes, top row first: 16-bit samples by their high byte, the samples
// taken as they stand (no gamma or colour-space conversion). Empty when
// convert fails or the size differs.
inline std::vector<uint8_t> ReadBgra(const std::string& path, int32_t width, int32_t height) {
  bool ok = false;
  const std::vector<uint8_t> rgba16 = Run(Quoted(path) + " -set colorspace sRGB -depth 16 -endian MSB rgba:-", &ok);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (!ok || rgba16.size() != count * 8) return {};
  std::vector<uint8_t> bgra(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* s = &rgba16[i * 8];
    bgra[i * 4] = s[4], bgra[i * 4 + 1] = s[2], bgra[i * 4 + 2] = s[0], bgra[i * 4 + 3] = s[6];
  }
  return bgra;
}

}  // namespace image_magick

#include "audio/openal/wav_check.h"

#include <cstring>

namespace {

uint32_t LittleEndian(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }
uint32_t BigEndian(const uint8_t* p) { return uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

bool RiffFits(const uint8_t* bytes, size_t length) {
  if (length < 12 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  size_t at = 12;
  while (length - at >= 8) {
    const uint8_t* chunk = bytes + at;
    uint64_t size = LittleEndian(chunk + 4);
    if (size > length - at - 8) return false;
    if (std::memcmp(chunk, "data", 4) == 0) return true;
    at += 8 + size + (size & 1);
    if (at > length) return false;
  }
  return false;
}

bool SndFits(const uint8_t* bytes, size_t length) {
  constexpr uint32_t kHeaderBytes = 24;
  constexpr uint32_t kUnknownSize = 0xFFFFFFFF;
  if (length < kHeaderBytes) return false;
  uint64_t offset = BigEndian(bytes + 4);
  uint64_t size = BigEndian(bytes + 8);
  if (offset < kHeaderBytes || offset > length) return false;
  // The reader takes the "unknown" size as a length and wraps around.
  return size != kUnknownSize && size <= length - offset;
}

}  // namespace

bool Wav_LengthsFit(const uint8_t* bytes, size_t length) {
  if (bytes == nullptr || length < 4) return true;
  if (std::memcmp(bytes, "RIFF", 4) == 0) return RiffFits(bytes, length);
  if (std::memcmp(bytes, ".snd", 4) == 0) return SndFits(bytes, length);
  return true;
}

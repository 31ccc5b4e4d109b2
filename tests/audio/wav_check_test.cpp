#include "audio/openal/wav_check.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> SndHeader(uint32_t offset, uint32_t size, size_t total) {
  std::vector<uint8_t> bytes = {'.', 's', 'n', 'd'};
  for (uint32_t v : {offset, size, 3u, 22050u, 1u}) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
  }
  bytes.resize(total, 0);
  return bytes;
}

TEST(WavCheck, SndSizesMustLieInsideTheImage) {
  EXPECT_TRUE(Wav_LengthsFit(SndHeader(24, 8, 32).data(), 32));
  EXPECT_FALSE(Wav_LengthsFit(SndHeader(24, 9, 32).data(), 32));
  EXPECT_FALSE(Wav_LengthsFit(SndHeader(40, 0, 32).data(), 32));
  // Left unknown, the size would be read as a length.
  EXPECT_FALSE(Wav_LengthsFit(SndHeader(24, 0xFFFFFFFF, 32).data(), 32));
}

}  // namespace

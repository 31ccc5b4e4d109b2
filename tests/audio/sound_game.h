// Sounds made in memory: WAV images and a game image holding SOND and AUDO
// chunks, for the audio tests and benchmarks.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gamefile/image_builder.h"

namespace audiotest {

inline void Le(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 16-bit PCM WAV of a sine (silence when hz is 0).
inline std::vector<uint8_t> Wave(uint32_t rate, uint16_t channels, double seconds, double hz = 440) {
  uint32_t frames = static_cast<uint32_t>(rate * seconds);
  uint32_t dataBytes = frames * channels * 2;
  std::vector<uint8_t> w;
  for (char c : std::string("RIFF")) w.push_back(static_cast<uint8_t>(c));
  Le(w, 36 + dataBytes, 4);
  for (char c : std::string("WAVEfmt ")) w.push_back(static_cast<uint8_t>(c));
  Le(w, 16, 4);
  Le(w, 1, 2);
  Le(w, channels, 2);
  Le(w, rate, 4);
  Le(w, rate * channels * 2, 4);
  Le(w, channels * 2, 2);
  Le(w, 16, 2);
  for (char c : std::string("data")) w.push_back(static_cast<uint8_t>(c));
  Le(w, dataBytes, 4);
  for (uint32_t f = 0; f < frames; ++f) {
    auto sample = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * f / rate));
    for (uint16_t c = 0; c < channels; ++c) Le(w, static_cast<uint16_t>(sample), 2);
  }
  return w;
}

struct TestSound {
  std::string name;
  int32_t kind = 0;
  std::string fileName = "a.wav";
  float volume = 1.0f;
  int32_t image = 0;
};

struct SoundGame {
  GameImage image;
  uint64_t sond = 0, audo = 0;
  uint32_t sondSize = 0, audoSize = 0;
};

inline uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

inline SoundGame BuildSoundGame(const std::vector<TestSound>& sounds, const std::vector<std::vector<uint8_t>>& images) {
  ImageBuilder b;
  SoundGame out;
  std::vector<size_t> nameAt, fileAt;
  size_t strings = b.Chunk("STRG");
  for (const TestSound& s : sounds) {
    nameAt.push_back(b.Here());
    b.Text(s.name);
    fileAt.push_back(b.Here());
    b.Text(s.fileName);
  }
  b.EndChunk(strings);
  size_t at = b.Chunk("SOND");
  out.sond = b.Here();
  b.U32(static_cast<uint32_t>(sounds.size()));
  size_t table = b.Here();
  for (size_t i = 0; i < sounds.size(); ++i) b.U32(0);
  for (size_t i = 0; i < sounds.size(); ++i) {
    b.Patch(table + 4 * i, static_cast<uint32_t>(b.Here()));
    const TestSound& s = sounds[i];
    b.U32(static_cast<uint32_t>(nameAt[i])).U32(static_cast<uint32_t>(s.kind)).U32(0);
    b.U32(static_cast<uint32_t>(fileAt[i])).U32(0).U32(FloatBits(s.volume)).U32(0).U32(1);
    b.U32(static_cast<uint32_t>(s.image));
  }
  b.EndChunk(at);
  out.sondSize = static_cast<uint32_t>(b.Here() - out.sond);
  at = b.Chunk("AUDO");
  out.audo = b.Here();
  b.U32(static_cast<uint32_t>(images.size()));
  table = b.Here();
  for (size_t i = 0; i < images.size(); ++i) b.U32(0);
  for (size_t i = 0; i < images.size(); ++i) {
    b.Patch(table + 4 * i, static_cast<uint32_t>(b.Here()));
    b.U32(static_cast<uint32_t>(images[i].size()));
    for (uint8_t byte : images[i]) b.bytes.push_back(byte);
  }
  b.EndChunk(at);
  out.audoSize = static_cast<uint32_t>(b.Here() - out.audo);
  out.image = b.Finish();
  return out;
}

}  // namespace audiotest

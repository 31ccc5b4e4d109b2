// The stream's outside forms: files, hexadecimal text, and the seeded byte
// substitution of stored script text and extension payloads.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/regular_file.h"
#include "runtime/hex.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

bool IsHexPair(const char* pair) { return Hex_DigitValue(pair[0]) >= 0 && Hex_DigitValue(pair[1]) >= 0; }

// The inverse of the byte permutation the seed builds.
void BuildUnscrambleTable(int32_t seed, uint8_t inverse[256]) {
  int32_t step = seed % 250 + 6;
  if (step < 0) step += 256;
  int32_t x = seed / 250 + step;
  if (x < 0) x += 256;
  uint8_t forward[256];
  for (int i = 0; i < 256; ++i) forward[i] = static_cast<uint8_t>(i);
  for (int i = 0; i < 10000; ++i) {
    int32_t r = x % 254;
    // A very negative seed keeps x negative; fold r into 0..253 so the
    // exchange stays inside the table.
    if (r < 0) r += 254;
    std::swap(forward[r + 1], forward[r + 2]);
    x += step;
  }
  for (int i = 0; i < 256; ++i) inverse[forward[i]] = static_cast<uint8_t>(i);
}

}  // namespace

bool CStream::LoadFromFile(const char* path, int64_t skip) {
  ReleaseBuffer();
  if (path == nullptr) return false;
  struct stat info;
  std::FILE* file = RegularFile_OpenStream(path, &info);
  if (file == nullptr) return false;
  const auto length = static_cast<int64_t>(info.st_size);
  skip = std::max<int64_t>(skip, 0);
  int64_t count = length - skip;
  bool ok = length >= 0 && count <= kMaxSize;
  if (ok && count > 0 && fseeko(file, static_cast<off_t>(skip), SEEK_SET) == 0) {
    m_buffer = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(count), true));
    m_size = static_cast<int64_t>(std::fread(m_buffer, 1, static_cast<size_t>(count), file));
    // A file that shrank while being read keeps what was there.
    if (m_size < count) m_buffer = static_cast<uint8_t*>(KV_REALLOC(m_buffer, static_cast<size_t>(m_size)));
  }
  std::fclose(file);
  return ok;
}

void CStream::WriteHex(char** slot) const {
  if (slot == nullptr) return;
  *slot = nullptr;
  int64_t count = std::clamp<int64_t>(m_position, 0, m_size);
  if (count == 0 || 2 * count + 1 > static_cast<int64_t>(MemoryManager::kMaxSize)) return;
  auto* text = static_cast<char*>(KV_ALLOC(static_cast<size_t>(2 * count + 1), true));
  for (int64_t i = 0; i < count; ++i) {
    text[2 * i] = Hex_Digit(m_buffer[i] >> 4);
    text[2 * i + 1] = Hex_Digit(m_buffer[i]);
  }
  *slot = text;
}

void CStream::ReadHex(const char* text) {
  ReleaseBuffer();
  m_position = 0;
  if (text == nullptr) return;
  size_t pairs = std::strlen(text) / 2;
  int64_t valid = 0;
  for (size_t i = 0; i < pairs; ++i) valid += IsHexPair(text + 2 * i) ? 1 : 0;
  if (valid == 0 || valid > kMaxSize) return;
  m_buffer = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(valid), true));
  m_size = valid;
  int64_t out = 0;
  for (size_t i = 0; i < pairs; ++i) {
    const char* pair = text + 2 * i;
    if (!IsHexPair(pair)) continue;
    m_buffer[out++] = static_cast<uint8_t>(Hex_DigitValue(pair[0]) * 16 + Hex_DigitValue(pair[1]));
  }
}

void CStream::Unscramble(int32_t seed, int64_t start, int64_t count) {
  int64_t first = std::max<int64_t>(start, 0);
  int64_t end = m_size;
  int64_t last;
  if (count >= 1 && !__builtin_add_overflow(start, count, &last)) end = std::min(m_size, last);
  if (m_buffer == nullptr || first >= end) return;
  uint8_t inverse[256];
  BuildUnscrambleTable(seed, inverse);
  for (int64_t i = first; i < end; ++i) m_buffer[i] = inverse[m_buffer[i]];
}

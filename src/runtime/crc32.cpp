#include "runtime/crc32.h"

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;
constexpr uint32_t kStart = 0xFFFFFFFFu;

uint32_t g_table[256];
bool g_tableReady = false;

const uint32_t* Table() {
  if (!g_tableReady) CRC32_InitTable();
  return g_table;
}

}  // namespace

void CRC32_InitTable() {
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) != 0 ? kPolynomial ^ (c >> 1) : c >> 1;
    g_table[n] = c;
  }
  g_tableReady = true;
}

uint32_t CRC32_BufferSeed(const void* bytes, int64_t count, uint32_t seed) {
  if (bytes == nullptr) return seed;
  const uint32_t* table = Table();
  const auto* p = static_cast<const uint8_t*>(bytes);
  uint32_t c = seed;
  for (int64_t i = 0; i < count; ++i) c = (c >> 8) ^ table[(c ^ p[i]) & 0xFFu];
  return c;
}

uint32_t CRC32_Buffer(const void* bytes, int64_t count) { return CRC32_BufferSeed(bytes, count, kStart); }

uint32_t CRC32_StringSeed(const char* text, uint32_t seed) {
  if (text == nullptr) return seed;
  const uint32_t* table = Table();
  uint32_t c = seed;
  for (const char* p = text; *p != '\0'; ++p) c = (c >> 8) ^ table[(c ^ static_cast<uint8_t>(*p)) & 0xFFu];
  return c;
}

uint32_t CRC32_String(const char* text) { return CRC32_StringSeed(text, kStart); }

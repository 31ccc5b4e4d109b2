#include "runtime/random.h"

namespace {

RandomState g_random = {};

// The seed fill feeds each 15-bit result back in, not the full LCG state.
uint32_t NextSeedWord(uint32_t w) { return ((w * 214013u + 2531011u) >> 16) & 0x7FFFu; }

}  // namespace

int32_t Random_Seed(int32_t seed) {
  g_random.seed = seed;
  uint32_t w = static_cast<uint32_t>(seed);
  for (uint32_t& word : g_random.state) {
    w = NextSeedWord(w);
    word = w;
  }
  g_random.index = 0;
  return seed;
}

int32_t Random_GetSeed() { return g_random.seed; }

uint32_t Random_Next() {
  uint32_t* s = g_random.state;
  uint32_t i = g_random.index;
  uint32_t a = s[i];
  uint32_t c = s[(i + 13) & 15];
  const uint32_t b = a ^ c ^ (a << 16) ^ (c << 15);
  c = s[(i + 9) & 15];
  c ^= c >> 11;
  a = s[i] = b ^ c;
  const uint32_t d = a ^ ((a << 5) & 0xDA442D24u);
  i = (i + 15) & 15;
  a = s[i];
  s[i] = a ^ b ^ d ^ (a << 2) ^ (b << 18) ^ (c << 28);
  g_random.index = i;
  return s[i];
}

double Random_Real(double x) {
  constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;
  return static_cast<double>(Random_Next()) * kTwoToMinus32 * x;
}

int32_t Random_Int(int32_t n) {
  if (n == 0) return 0;
  // Negating in unsigned arithmetic makes INT32_MIN's magnitude 2^31.
  const uint32_t range = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  return static_cast<int32_t>(Random_Next() % range);
}

const RandomState& Random_State() { return g_random; }

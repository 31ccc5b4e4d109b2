#include "runtime/sha1.h"

#include <cstring>

namespace {

uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

void ProcessBlock(SHA1Context* context) {
  static constexpr uint32_t kRound[4] = {0x5A827999u, 0x6ED9EBA1u, 0x8F1BBCDCu, 0xCA62C1D6u};
  uint32_t w[80];
  for (int t = 0; t < 16; ++t) {
    const uint8_t* b = context->block + 4 * t;
    w[t] = static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 |
           static_cast<uint32_t>(b[3]);
  }
  for (int t = 16; t < 80; ++t) w[t] = RotateLeft(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  uint32_t a = context->intermediate[0], b = context->intermediate[1], c = context->intermediate[2];
  uint32_t d = context->intermediate[3], e = context->intermediate[4];
  for (int t = 0; t < 80; ++t) {
    uint32_t f;
    if (t < 20) {
      f = (b & c) | (~b & d);
    } else if (t < 40 || t >= 60) {
      f = b ^ c ^ d;
    } else {
      f = (b & c) | (b & d) | (c & d);
    }
    uint32_t temp = RotateLeft(a, 5) + f + e + w[t] + kRound[t / 20];
    e = d;
    d = c;
    c = RotateLeft(b, 30);
    b = a;
    a = temp;
  }
  context->intermediate[0] += a;
  context->intermediate[1] += b;
  context->intermediate[2] += c;
  context->intermediate[3] += d;
  context->intermediate[4] += e;
  context->blockIndex = 0;
}

void PadMessage(SHA1Context* context) {
  context->block[context->blockIndex++] = 0x80;
  if (context->blockIndex > 56) {
    while (context->blockIndex < 64) context->block[context->blockIndex++] = 0;
    ProcessBlock(context);
  }
  while (context->blockIndex < 56) context->block[context->blockIndex++] = 0;
  for (int i = 0; i < 4; ++i) {
    context->block[56 + i] = static_cast<uint8_t>(context->lengthHigh >> (24 - 8 * i));
    context->block[60 + i] = static_cast<uint8_t>(context->lengthLow >> (24 - 8 * i));
  }
  ProcessBlock(context);
}

}  // namespace

void SHA1_Reset(SHA1Context* context) {
  if (context == nullptr) return;
  std::memset(context, 0, sizeof *context);
  context->intermediate[0] = 0x67452301u;
  context->intermediate[1] = 0xEFCDAB89u;
  context->intermediate[2] = 0x98BADCFEu;
  context->intermediate[3] = 0x10325476u;
  context->intermediate[4] = 0xC3D2E1F0u;
}

void SHA1_Input(SHA1Context* context, const void* bytes, size_t count) {
  if (context == nullptr || bytes == nullptr || count == 0) return;
  if (context->computed != 0) context->corrupted = 1;
  const auto* input = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < count && context->corrupted == 0; ++i) {
    context->block[context->blockIndex++] = input[i];
    context->lengthLow += 8;
    if (context->lengthLow == 0 && ++context->lengthHigh == 0) context->corrupted = 1;
    if (context->blockIndex == 64) ProcessBlock(context);
  }
}

int SHA1_Result(SHA1Context* context, uint8_t digest[20]) {
  if (context == nullptr || digest == nullptr || context->corrupted != 0) return 0;
  if (context->computed == 0) {
    PadMessage(context);
    std::memset(context->block, 0, sizeof context->block);
    context->lengthLow = 0;
    context->lengthHigh = 0;
    context->computed = 1;
  }
  for (int i = 0; i < 20; ++i) digest[i] = static_cast<uint8_t>(context->intermediate[i / 4] >> (24 - 8 * (i % 4)));
  return 1;
}

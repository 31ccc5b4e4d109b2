// MD5 message digest (RFC 1321).
#pragma once

#include <cstddef>
#include <cstdint>

struct MD5Context {
  uint32_t state[4];
  uint64_t bitCount;
  uint8_t block[64];
};

void MD5_Init(MD5Context* context);
void MD5_Update(MD5Context* context, const void* bytes, size_t count);
// Pads, writes the 16-byte digest and leaves the context wiped.
void MD5_Final(uint8_t digest[16], MD5Context* context);

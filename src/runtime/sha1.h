// SHA-1 message digest with the interface of the RFC 3174 reference code.
#pragma once

#include <cstddef>
#include <cstdint>

struct SHA1Context {
  uint32_t intermediate[5];
  uint32_t lengthLow;   // message length in bits, low half
  uint32_t lengthHigh;  // and high half
  int16_t blockIndex;
  uint8_t block[64];
  int computed;
  int corrupted;
};

void SHA1_Reset(SHA1Context* context);
// Input after the digest was taken, or past 2^64 bits, corrupts the context.
void SHA1_Input(SHA1Context* context, const void* bytes, size_t count);
// Writes the 20-byte digest and answers 1; pads only once, so a second call
// gives the same digest. Answers 0 (digest untouched) for a corrupted context.
int SHA1_Result(SHA1Context* context, uint8_t digest[20]);

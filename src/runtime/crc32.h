// CRC-32 over the reflected polynomial 0xEDB88320, started at 0xFFFFFFFF and
// returned WITHOUT the final inversion: the result is the bitwise complement
// of the usual CRC-32, and stored checksums depend on exactly that.
#pragma once

#include <cstdint>

// Fills the table; start-up calls it once. The functions below fill it
// themselves when it is still empty.
void CRC32_InitTable();

uint32_t CRC32_String(const char* text);
uint32_t CRC32_StringSeed(const char* text, uint32_t seed);
// A count below 1 (or null bytes) covers nothing and answers the seed.
uint32_t CRC32_Buffer(const void* bytes, int64_t count);
uint32_t CRC32_BufferSeed(const void* bytes, int64_t count, uint32_t seed);

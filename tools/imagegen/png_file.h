// Little-endian and big-endian words and 8-bit RGBA PNG files, for the
// images imagegen draws.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v);
void PutBE32(Bytes& b, uint32_t v);

// RGBA pixels, rows top first, into a PNG file.
Bytes Png(int width, int height, const Bytes& rgba);

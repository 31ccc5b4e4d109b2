// Compressed texture blocks into plain pixels (PVRTC at 2 or 4 bits a pixel,
// ETC1) and small texture-buffer helpers. Output pixels are 4 bytes red,
// green, blue, alpha, rows top first, stride width x 4. Self-contained
// integer routines: no device, file or script access.
#pragma once

#include <cstddef>
#include <cstdint>

// Zero: PVRTC blocks lie in twiddled (Morton) order; else row-major.
extern uint32_t g_pvrtcLinearBlocks;

// Sizes must be powers of two; others, and a source shorter than the block
// grid needs (at least 2 x 2 blocks of 8 bytes), write nothing.
void PVRTC_Decompress(const uint8_t* source, size_t sourceSize, int32_t twoBitsPerPixel, int32_t width, int32_t height,
                      uint8_t* destination);
// The block at row `by`, column `bx` of a gridWidth x gridHeight grid.
uint32_t PVRTC_BlockIndex(uint32_t gridWidth, uint32_t gridHeight, uint32_t by, uint32_t bx);

// Answers the source bytes the image occupies (whole 4 x 4 blocks, each
// side raised to a multiple of 4); 0, writing nothing, when the source is
// shorter than that or the scratch image cannot be had.
int32_t ETC1_Decompress(const uint8_t* source, size_t sourceSize, uint32_t width, uint32_t height,
                        uint8_t* destination);

uint32_t Texture_IsPowerOfTwo(uint32_t value);
// Bit k of v goes to bit 2k, bit k of u to bit 2k + 1 (k below 16).
void Morton_Interleave(uint32_t* index, uint32_t u, uint32_t v);
void Morton_Deinterleave(uint32_t* u, uint32_t* v, uint32_t index);
// Repeats a tile of elements over width x height elements; a zero tile
// side does nothing.
void Texture_FillTiled(uint8_t* destination, uint32_t width, uint32_t height, const uint8_t* source, uint32_t tileWidth,
                       uint32_t tileHeight, uint32_t elementSize, bool twiddled);

struct TextureBufferHeader {
  uint32_t headerSize;  // 52
  uint32_t height;
  uint32_t width;
  uint32_t unused4, unused5;
  uint32_t dataSize;
  uint32_t bitsPerPixel;
  uint32_t unused8, unused9, unused10, unused11, unused12;
  uint32_t one;  // 1
};

// One malloc block: the header, then uninitialised room for the texels of
// the first level (or the whole mip chain); the caller frees it. Null when
// the data would not fit 32 bits or the heap refuses.
TextureBufferHeader* Texture_CreateBuffer(uint32_t width, uint32_t height, uint32_t minWidth, uint32_t minHeight,
                                          uint32_t bitsPerPixel, bool mipChain);

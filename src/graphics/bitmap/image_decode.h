// Turning page images into 32-bit pixels (0xAARRGGBB, top row first): PNG,
// JPEG, the first frame of a GIF, BMP, TGA and binary PNM files, and DDS
// files of compressed or plain 32-bit pixels.
#pragma once
#include <cstddef>
#include <cstdint>

struct DecodedImage {
  int32_t width = 0, height = 0;  // known even when the pixels are not
  uint32_t* pixels = nullptr;     // from MemoryManager; the caller frees it
  uint32_t fileFormat = 0;        // 0 BMP, 1 JPEG, 2 TGA, 3 PNG, 4 DDS, 9 GIF
};

// Never reads past `bound` bytes. A failure leaves the pixels null and
// writes one console line naming the fault. Format codes 7 to 10 (depth and
// float formats) cannot hold an image; code 11 keeps four bits a channel.
DecodedImage Image_Decode(const uint8_t* data, uint32_t bound, uint32_t formatCode);

// "RAW " pixels into the device's order: 32-bit pixels swap their first and
// third bytes; 16-bit ones reverse their four 4-bit fields.
void Image_ConvertRaw(const uint8_t* source, uint8_t* destination, size_t count, uint32_t format);

// One 4x4 block of each compressed kind into 16 pixels, row by row.
void Dxt_DecodeBlock1(const uint8_t* block, uint32_t* out);
void Dxt_DecodeBlock3(const uint8_t* block, uint32_t* out);
void Dxt_DecodeBlock5(const uint8_t* block, uint32_t* out);

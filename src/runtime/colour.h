// Colour conversions between the script colour integer, RGB and HSV byte
// triples, and the per-channel blend. All arithmetic is single precision.
//
// A script colour holds red in bits 0-7, green in 8-15 and blue in 16-23.
// A triple packs three bytes as byte 0 | byte 1 << 8 | byte 2 << 16:
//   HSV triple: hue, saturation, value (hue 0..255 stands for 0..360 degrees)
//   RGB triple: blue, green, red (so red sits in bits 16-23)
#pragma once

#include <cstdint>

uint32_t Colour_MakeTriple(uint32_t byte0, uint32_t byte1, uint32_t byte2);
// Byte 0, 1 or 2 of a triple.
uint32_t Colour_TripleByte(uint32_t triple, int which);

// RGB triple -> HSV triple.
uint32_t Colour_RGBToHSV(uint32_t rgb);
// Script colour -> HSV triple.
uint32_t Colour_GetHSV(uint32_t colour);
// HSV triple -> RGB triple.
uint32_t Colour_HSVToRGB(uint32_t hsv);
// Script colour from hue, saturation and value; each uses its low 8 bits.
uint32_t Colour_MakeHSV(int32_t hue, int32_t saturation, int32_t value);

// Per channel colour1 * (1 - amount) + colour2 * amount, rounded half to
// even and kept to 8 bits (amount is not clamped, so a channel may wrap).
uint32_t Colour_Merge(uint32_t colour1, uint32_t colour2, float amount);

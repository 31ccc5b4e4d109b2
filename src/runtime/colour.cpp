#include "runtime/colour.h"

#include "runtime/numeric.h"

namespace {

float ByteToUnit(uint32_t byte) { return static_cast<float>(byte & 0xFFu) / 255.0f; }

// Channel results lie in 0..255 for valid inputs; the mask keeps the packing
// safe whatever single-precision rounding produced.
uint32_t UnitToByte(float unit) {
  return static_cast<uint32_t>(Num_TruncInt32(static_cast<double>(unit * 255.0f))) & 0xFFu;
}

float Max3(float a, float b, float c) {
  const float ab = a > b ? a : b;
  return ab > c ? ab : c;
}

float Min3(float a, float b, float c) {
  const float ab = a < b ? a : b;
  return ab < c ? ab : c;
}

// Degrees 0..360; red is tested first, then green, so ties go that way.
float HueDegrees(float r, float g, float b, float max, float delta) {
  float h;
  if (r == max) {
    h = (g - b) * 60.0f / delta;
  } else if (g == max) {
    h = (b - r) * 60.0f / delta + 120.0f;
  } else {
    h = (r - g) * 60.0f / delta + 240.0f;
  }
  return h < 0.0f ? h + 360.0f : h;
}

uint32_t SwapRedBlue(uint32_t c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

uint32_t MergeChannel(uint32_t a, uint32_t b, float amount, float rest) {
  const float mixed = static_cast<float>(a) * rest + static_cast<float>(b) * amount;
  return static_cast<uint32_t>(Num_RoundInt32(static_cast<double>(mixed))) & 0xFFu;
}

}  // namespace

uint32_t Colour_MakeTriple(uint32_t byte0, uint32_t byte1, uint32_t byte2) {
  return (byte0 & 0xFFu) | ((byte1 & 0xFFu) << 8) | ((byte2 & 0xFFu) << 16);
}

uint32_t Colour_TripleByte(uint32_t triple, int which) { return (triple >> (8 * (which & 3))) & 0xFFu; }

uint32_t Colour_RGBToHSV(uint32_t rgb) {
  const float r = ByteToUnit(rgb >> 16);
  const float g = ByteToUnit(rgb >> 8);
  const float b = ByteToUnit(rgb);
  const float max = Max3(r, g, b);
  const float min = Min3(r, g, b);
  float s = 0.0f;
  float h = 0.0f;
  if (max != 0.0f) {
    const float delta = max - min;
    s = delta / max;
    if (s != 0.0f) h = HueDegrees(r, g, b, max, delta);
  }
  const uint32_t hue = static_cast<uint32_t>(Num_TruncInt32(static_cast<double>(h * 255.0f / 360.0f)));
  return Colour_MakeTriple(hue, UnitToByte(s), UnitToByte(max));
}

uint32_t Colour_GetHSV(uint32_t colour) { return Colour_RGBToHSV(SwapRedBlue(colour)); }

uint32_t Colour_HSVToRGB(uint32_t hsv) {
  float h = static_cast<float>(Colour_TripleByte(hsv, 0)) * 360.0f / 255.0f;
  if (h >= 360.0f) h = 0.0f;
  const float s = ByteToUnit(Colour_TripleByte(hsv, 1));
  const float v = ByteToUnit(Colour_TripleByte(hsv, 2));
  if (s == 0.0f) {
    const uint32_t grey = UnitToByte(v);
    return Colour_MakeTriple(grey, grey, grey);
  }
  const int32_t sector = Num_TruncInt32(static_cast<double>(h / 60.0f));
  const float f = h / 60.0f - static_cast<float>(sector);
  const float p = (1.0f - s) * v;
  const float q = (1.0f - f * s) * v;
  const float t = (1.0f - (1.0f - f) * s) * v;
  float r, g, b;
  switch (sector) {
    case 0:
      r = v;
      g = t;
      b = p;
      break;
    case 1:
      r = q;
      g = v;
      b = p;
      break;
    case 2:
      r = p;
      g = v;
      b = t;
      break;
    case 3:
      r = p;
      g = q;
      b = v;
      break;
    case 4:
      r = t;
      g = p;
      b = v;
      break;
    default:
      r = v;
      g = p;
      b = q;
      break;
  }
  return Colour_MakeTriple(UnitToByte(b), UnitToByte(g), UnitToByte(r));
}

uint32_t Colour_MakeHSV(int32_t hue, int32_t saturation, int32_t value) {
  const uint32_t hsv =
      Colour_MakeTriple(static_cast<uint32_t>(hue), static_cast<uint32_t>(saturation), static_cast<uint32_t>(value));
  return SwapRedBlue(Colour_HSVToRGB(hsv));
}

uint32_t Colour_Merge(uint32_t colour1, uint32_t colour2, float amount) {
  const float rest = 1.0f - amount;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t a = (colour1 >> shift) & 0xFFu;
    const uint32_t b = (colour2 >> shift) & 0xFFu;
    out |= MergeChannel(a, b, amount, rest) << shift;
  }
  return out;
}

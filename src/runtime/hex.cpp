#include "runtime/hex.h"

char Hex_Digit(uint32_t value) { return "0123456789ABCDEF"[value & 15]; }

int Hex_DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void Hex_AppendByte(std::string* out, uint8_t byte) {
  out->push_back(Hex_Digit(byte >> 4));
  out->push_back(Hex_Digit(byte));
}

std::string Hex_Encode(const uint8_t* bytes, size_t count) {
  std::string text;
  text.reserve(2 * count);
  for (size_t i = 0; i < count; ++i) Hex_AppendByte(&text, bytes[i]);
  return text;
}

#include "runtime/base64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DigitValue(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

void EncodeGroup(const uint8_t* in, int have, char* out) {
  uint32_t bits = static_cast<uint32_t>(in[0]) << 16;
  if (have > 1) bits |= static_cast<uint32_t>(in[1]) << 8;
  if (have > 2) bits |= in[2];
  for (int i = 0; i < 4; ++i) out[i] = i <= have ? kAlphabet[(bits >> (18 - 6 * i)) & 63] : '=';
}

}  // namespace

int Base64_Encode(const void* bytes, int count, char* out, int size) {
  if (out == nullptr || size < 1) return 0;
  const auto* in = static_cast<const uint8_t*>(bytes);
  int written = 0;
  for (int i = 0; in != nullptr && i < count && written + 4 < size; i += 3) {
    EncodeGroup(in + i, count - i < 3 ? count - i : 3, out + written);
    written += 4;
  }
  out[written] = '\0';
  return written;
}

int Base64_Decode(const char* text, void* out, int size) {
  if (text == nullptr || out == nullptr || size < 1) return 0;
  auto* bytes = static_cast<uint8_t*>(out);
  int written = 0;
  uint32_t bits = 0;
  int held = 0;  // 6-bit digits gathered since the last whole byte
  for (const char* p = text; written < size; ++p) {
    int value = DigitValue(*p);
    if (value < 0) break;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      bytes[written++] = static_cast<uint8_t>(bits >> held);
    }
  }
  return written;
}

// Conversions between reals and text, and single characters.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "builtins/builtin_args.h"
#include "builtins/maths/strings.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

// Widest fixed-point text: a sign, 309 integer digits, the point and the
// largest precision string_format allows.
constexpr int kMaxFormatPrecision = 1000;
constexpr int kMaxFormatWidth = 1000;
constexpr size_t kFixedBufferBytes = 1 + 309 + 1 + kMaxFormatPrecision + 16;
constexpr size_t kMaxRealTextBytes = 255;

// x in fixed-point with `precision` decimals; the length written.
size_t FormatFixed(char* buffer, double x, int precision) {
  auto done = std::to_chars(buffer, buffer + kFixedBufferBytes, x, std::chars_format::fixed, precision);
  return done.ec == std::errc() ? static_cast<size_t>(done.ptr - buffer) : 0;
}

char* OwnedCopy(const char* bytes, size_t length) {
  auto* owned = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(owned, bytes, length);
  owned[length] = 0;
  return owned;
}

}  // namespace

char* Strings_FromReal(double value) {
  char buffer[kFixedBufferBytes];
  const int32_t whole = Num_RoundInt32(value);
  if (static_cast<double>(whole) == value) {
    auto done = std::to_chars(buffer, buffer + sizeof buffer, whole);
    return OwnedCopy(buffer, static_cast<size_t>(done.ptr - buffer));
  }
  // The text of a real is kept to 255 bytes: the rest of a huge one's digits
  // is dropped.
  return OwnedCopy(buffer, std::min(FormatFixed(buffer, value, 2), kMaxRealTextBytes));
}

double Strings_ParseReal(const char* text) { return Num_ParseReal(text); }

void F_Real(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.IsReal(0)) {
    Result_SetReal(result, a.Real(0));
    return;
  }
  if (!a.IsNonEmptyString(0)) return;
  char* trimmed = nullptr;
  VCL_Trim(&trimmed, a.Text(0));
  const double value = trimmed == nullptr ? 0.0 : Strings_ParseReal(trimmed);
  MemoryManager::Free(trimmed);
  Result_SetReal(result, value);
}

void F_String(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.IsString(0)) {
    Result_SetText(result, a.Text(0));
  } else {
    Result_TakeText(result, Strings_FromReal(a.Real(0)));
  }
}

// The field is padded with blanks on the left; a negative width (tot below
// dec) pads on the right, as a left-justified field does.
void F_StringFormat(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.IsString(0)) {
    Result_SetText(result, a.Text(0));
    return;
  }
  const int64_t total = Num_TruncInt32(a.Real(1));
  const int64_t decimals = Num_TruncInt32(a.Real(2));
  const int precision =
      static_cast<int>(decimals < 0 ? 0 : (decimals > kMaxFormatPrecision ? kMaxFormatPrecision : decimals));
  int64_t width = total - decimals;
  if (width > kMaxFormatWidth) width = kMaxFormatWidth;
  if (width < -kMaxFormatWidth) width = -kMaxFormatWidth;
  char digits[kFixedBufferBytes];
  const size_t length = FormatFixed(digits, a.Real(0), precision);
  const size_t field = static_cast<size_t>(width < 0 ? -width : width);
  const size_t padding = field > length ? field - length : 0;
  auto* text = static_cast<char*>(KV_ALLOC(length + padding + 1, false));
  const size_t at = width < 0 ? 0 : padding;
  std::memset(text, ' ', length + padding);
  std::memcpy(text + at, digits, length);
  text[length + padding] = 0;
  Result_TakeText(result, text);
}

// Codes up to 127, negative ones too, keep their low 7 bits; 128 .. 2047
// take two bytes; anything larger takes three bytes of its low 16 bits.
void F_Chr(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t code = a.TruncInt(0);
  char bytes[4];
  char* end = bytes;
  if (code <= 127) {
    *end++ = static_cast<char>(code & 0x7F);
  } else if (code <= 2047) {
    UTF8_WriteChar(&end, static_cast<uint16_t>(code));
  } else {
    const uint32_t low = static_cast<uint32_t>(code) & 0xFFFFu;
    *end++ = static_cast<char>(0xE0u | (low >> 12));
    *end++ = static_cast<char>(0x80u | ((low >> 6) & 0x3Fu));
    *end++ = static_cast<char>(0x80u | (low & 0x3Fu));
  }
  // A leading NUL (code 0) is the empty string.
  Result_SetText(result, bytes, bytes[0] == 0 ? 0 : static_cast<size_t>(end - bytes));
}

void F_AnsiChar(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const char byte = static_cast<char>(static_cast<uint32_t>(a.Int(0)) & 0xFFu);
  Result_SetText(result, &byte, byte == 0 ? 0 : 1);
}

void F_Ord(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const char* text = a.Text(0);
  Result_SetReal(result, UTF8_ReadChar(&text));
}

// Built-ins that count code points, numbered from 1. Reading goes through
// the UTF-8 reader only, which never steps past the terminator: a sequence
// cut by the end of the text is not a code point, and a four-byte sequence
// is one code point.
#include <algorithm>
#include <cstring>
#include <vector>

#include "builtins/builtin_args.h"
#include "builtins/maths/strings.h"
#include "runtime/memory.h"
#include "runtime/utf8.h"

namespace {

std::vector<uint16_t> CodePoints(const char* text) {
  std::vector<uint16_t> points(static_cast<size_t>(UTF8_Length(text)));
  for (uint16_t& point : points) point = UTF8_ReadChar(&text);
  return points;
}

// Byte offset of code point `index`, for 0 <= index <= the length.
size_t ByteOffset(const char* text, int64_t index) {
  const char* p = text;
  for (int64_t i = 0; i < index; ++i) UTF8_ReadChar(&p);
  return static_cast<size_t>(p - text);
}

void SetEncoded(ScriptValue* result, const uint16_t* points, size_t count) {
  size_t bytes = 0;
  for (size_t i = 0; i < count; ++i) bytes += static_cast<size_t>(UTF8_CharBytes(points[i]));
  if (bytes == 0) {
    Result_SetEmptyText(result);
    return;
  }
  auto* text = static_cast<char*>(KV_ALLOC(bytes + 1, false));
  char* end = text;
  for (size_t i = 0; i < count; ++i) UTF8_WriteChar(&end, points[i]);
  *end = 0;
  Result_TakeText(result, text);
}

// Three byte runs joined into the result.
void SetJoined(ScriptValue* result, const char* a, size_t na, const char* b, size_t nb, const char* c, size_t nc) {
  const size_t total = na + nb + nc;
  if (total == 0) {
    Result_SetEmptyText(result);
    return;
  }
  auto* text = static_cast<char*>(KV_ALLOC(total + 1, false));
  std::memcpy(text, a, na);
  std::memcpy(text + na, b, nb);
  std::memcpy(text + na + nb, c, nc);
  text[total] = 0;
  Result_TakeText(result, text);
}

int64_t Clamp64(int64_t x, int64_t low, int64_t high) { return std::min(std::max(x, low), high); }

}  // namespace

void F_StringLength(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, UTF8_Length(a.Text(0)));
}

void F_StringPos(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.IsString(0) || !a.IsNonEmptyString(1)) return;
  const std::vector<uint16_t> needle = CodePoints(a.Text(0));
  const std::vector<uint16_t> haystack = CodePoints(a.Text(1));
  if (needle.empty()) {
    Result_SetReal(result, haystack.empty() ? 0.0 : 1.0);
    return;
  }
  auto found = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
  Result_SetReal(result, found == haystack.end() ? 0.0 : static_cast<double>(found - haystack.begin() + 1));
}

void F_StringCopy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.Count() != 3 || !a.IsString(0) || !a.IsReal(1) || !a.IsReal(2)) return;
  const std::vector<uint16_t> points = CodePoints(a.Text(0));
  const int64_t length = static_cast<int64_t>(points.size());
  const int64_t start = std::max<int64_t>(a.Int(1), 1) - 1;
  if (start >= length) return;
  const int64_t count = Clamp64(a.Int(2), 0, length - start);
  SetEncoded(result, points.data() + start, static_cast<size_t>(count));
}

void F_StringCharAt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.Count() != 2 || !a.IsString(0) || !a.IsReal(1)) return;
  const std::vector<uint16_t> points = CodePoints(a.Text(0));
  const int64_t position = std::max<int64_t>(static_cast<int64_t>(a.Int(1)) - 1, 0);
  if (position >= static_cast<int64_t>(points.size())) return;
  SetEncoded(result, points.data() + position, 1);
}

void F_StringDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  const int64_t length = UTF8_Length(text);
  const int64_t start = static_cast<int64_t>(a.Int(1)) - 1;
  const int64_t count = a.Int(2);
  if (start < 0 || start >= length || count <= 0) {
    Result_SetText(result, text);
    return;
  }
  const size_t from = ByteOffset(text, start);
  const size_t to = from + ByteOffset(text + from, std::min(count, length - start));
  const size_t bytes = std::strlen(text);
  SetJoined(result, text, from, text + to, bytes - to, "", 0);
}

// A string substr with a non-string str inserts into the empty string.
void F_StringInsert(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  const char* text = a.Text(1);
  if (!a.IsNonEmptyString(0)) {
    Result_SetText(result, text);
    return;
  }
  const char* insert = a.Text(0);
  const int64_t position = Clamp64(static_cast<int64_t>(a.Int(2)) - 1, 0, UTF8_Length(text));
  const size_t insertLength = std::strlen(insert);
  if (insertLength + std::strlen(text) > kBuiltinMaxTextBytes) return Builtin_RefuseTooLong(result, "string_insert");
  const size_t at = ByteOffset(text, position);
  SetJoined(result, text, at, insert, insertLength, text + at, std::strlen(text + at));
}

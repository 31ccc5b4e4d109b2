// Built-ins that work on bytes rather than code points.
#include <algorithm>
#include <cstring>

#include "builtins/builtin_args.h"
#include "builtins/maths/strings.h"
#include "runtime/memory.h"

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsLetter(char c) { return IsUpper(c) || IsLower(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetterOrDigit(char c) { return IsLetter(c) || IsDigit(c); }

char* NewText(size_t length) {
  auto* text = static_cast<char*>(KV_ALLOC(length + 1, false));
  text[length] = 0;
  return text;
}

// The bytes of text that pass keep(), in order.
void SetFiltered(ScriptValue* result, const char* text, bool (*keep)(char)) {
  char* kept = NewText(std::strlen(text));
  char* end = kept;
  for (const char* p = text; *p != 0; ++p) {
    if (keep(*p)) *end++ = *p;
  }
  *end = 0;
  Result_TakeText(result, kept);
}

void SetMapped(ScriptValue* result, const char* text, bool (*from)(char), int shift) {
  const size_t length = std::strlen(text);
  char* mapped = NewText(length);
  for (size_t i = 0; i < length; ++i) mapped[i] = static_cast<char>(from(text[i]) ? text[i] + shift : text[i]);
  Result_TakeText(result, mapped);
}

// Occurrences of needle in text that do not overlap, searched left to right.
uint64_t CountDisjoint(const char* text, const char* needle, size_t needleLength, bool firstOnly) {
  uint64_t count = 0;
  for (const char* p = std::strstr(text, needle); p != nullptr; p = std::strstr(p + needleLength, needle)) {
    ++count;
    if (firstOnly) break;
  }
  return count;
}

// Replaced text is never searched again, so a replacement that contains the
// searched text does not loop.
void Replace(ScriptValue* result, int32_t argc, ScriptValue* args, bool firstOnly, const char* function) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  const char* needle = a.Text(1);
  if (!a.IsNonEmptyString(1)) {
    Result_SetText(result, text);
    return;
  }
  const char* replacement = a.Text(2);
  const size_t needleLength = std::strlen(needle);
  const size_t replacementLength = std::strlen(replacement);
  const uint64_t count = CountDisjoint(text, needle, needleLength, firstOnly);
  const uint64_t length = std::strlen(text) - count * needleLength + count * replacementLength;
  if (length > kBuiltinMaxTextBytes) {
    Builtin_RefuseTooLong(result, function);
    return;
  }
  char* joined = NewText(static_cast<size_t>(length));
  char* end = joined;
  const char* p = text;
  for (uint64_t i = 0; i < count; ++i) {
    const char* hit = std::strstr(p, needle);
    std::memcpy(end, p, static_cast<size_t>(hit - p));
    end += hit - p;
    std::memcpy(end, replacement, replacementLength);
    end += replacementLength;
    p = hit + needleLength;
  }
  std::strcpy(end, p);
  Result_TakeText(result, joined);
}

}  // namespace

void F_StringByteLength(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, static_cast<double>(std::strlen(a.Text(0))));
}

// Bytes read as signed, so 0xC3 is -61.
void F_StringByteAt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.IsString(0)) return;
  const char* text = a.Text(0);
  const int64_t position = std::max<int64_t>(static_cast<int64_t>(a.Int(1)) - 1, 0);
  if (position >= static_cast<int64_t>(std::strlen(text))) return;
  Result_SetReal(result, static_cast<signed char>(text[position]));
}

void F_StringLower(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.IsNonEmptyString(0)) SetMapped(result, a.Text(0), IsUpper, 'a' - 'A');
}

void F_StringUpper(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.IsNonEmptyString(0)) SetMapped(result, a.Text(0), IsLower, 'A' - 'a');
}

void F_StringRepeat(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  const int32_t count = a.Int(1);
  if (!a.IsNonEmptyString(0) || count < 1) return;
  const char* text = a.Text(0);
  const uint64_t length = std::strlen(text);
  if (length * static_cast<uint64_t>(count) > kBuiltinMaxTextBytes) {
    Builtin_RefuseTooLong(result, "string_repeat");
    return;
  }
  char* repeated = NewText(static_cast<size_t>(length * static_cast<uint64_t>(count)));
  for (int32_t i = 0; i < count; ++i) std::memcpy(repeated + length * static_cast<uint64_t>(i), text, length);
  Result_TakeText(result, repeated);
}

void F_StringLetters(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.IsString(0)) SetFiltered(result, a.Text(0), IsLetter);
}

void F_StringDigits(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.Count() == 1 && a.IsString(0)) SetFiltered(result, a.Text(0), IsDigit);
}

void F_StringLettersDigits(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (a.IsString(0)) SetFiltered(result, a.Text(0), IsLetterOrDigit);
}

void F_StringReplace(KV_BUILTIN_PARAMS) { Replace(result, argc, args, true, "string_replace"); }
void F_StringReplaceAll(KV_BUILTIN_PARAMS) { Replace(result, argc, args, false, "string_replace_all"); }

// Overlapping occurrences count: the search restarts one byte after each
// match's start.
void F_StringCount(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.IsNonEmptyString(0) || !a.IsNonEmptyString(1)) return;
  const char* needle = a.Text(0);
  double count = 0;
  for (const char* p = std::strstr(a.Text(1), needle); p != nullptr; p = std::strstr(p + 1, needle)) ++count;
  Result_SetReal(result, count);
}

#include "runtime/text.h"

#include <cstdio>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/utf8.h"

namespace {

constexpr int kConcatTexts = 10;

bool IsBlank(char c) { return static_cast<signed char>(c) < 33; }

}  // namespace

char* String_Concat(char** destination, const char* s1, const char* s2, const char* s3, const char* s4, const char* s5,
                    const char* s6, const char* s7, const char* s8, const char* s9, const char* s10) {
  const char* texts[kConcatTexts] = {s1, s2, s3, s4, s5, s6, s7, s8, s9, s10};
  size_t lengths[kConcatTexts];
  size_t total = 0;
  for (int i = 0; i < kConcatTexts; ++i) {
    lengths[i] = texts[i] == nullptr ? 0 : std::strlen(texts[i]);
    total += lengths[i];
  }
  if (total == 0) return nullptr;
  // A fresh block: every text is read before the old destination is freed,
  // so a text that points anywhere into it is still whole when copied.
  auto* joined = static_cast<char*>(KV_ALLOC(total + 1, false));
  char* write = joined;
  for (int i = 0; i < kConcatTexts; ++i) {
    std::memcpy(write, texts[i] == nullptr ? "" : texts[i], lengths[i]);
    write += lengths[i];
  }
  *write = 0;
  MemoryManager::Free(*destination);
  *destination = joined;
  return joined;
}

uint16_t* String_ToWide(const char* text) {
  if (text == nullptr) return nullptr;
  size_t length = std::strlen(text);
  auto* wide = static_cast<uint16_t*>(KV_ALLOC((length + 1) * sizeof(uint16_t), false));
  for (size_t i = 0; i < length; ++i) {
    wide[i] = static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(text[i])));
  }
  wide[length] = 0;
  return wide;
}

char* String_FromWide(const uint16_t* text) {
  if (text == nullptr) return nullptr;
  size_t length = 0;
  while (text[length] != 0) ++length;
  auto* narrow = static_cast<char*>(KV_ALLOC(length + 1, false));
  for (size_t i = 0; i < length; ++i) narrow[i] = static_cast<char>(text[i] & 0xFF);
  narrow[length] = 0;
  return narrow;
}

int VCL_Pos(const char* needle, const char* haystack) {
  if (needle == nullptr || haystack == nullptr) return 0;
  const char* found = std::strstr(haystack, needle);
  return found == nullptr ? 0 : static_cast<int>(found - haystack) + 1;
}

void VCL_Trim(char** slot, const char* source) {
  if (source == nullptr) {
    MemoryManager::Free(*slot);
    *slot = nullptr;
    return;
  }
  const char* first = source;
  while (*first != 0 && IsBlank(*first)) ++first;
  const char* last = first + std::strlen(first);
  while (last > first && IsBlank(last[-1])) --last;
  size_t length = static_cast<size_t>(last - first);
  if (MemoryManager::GetSize(*slot) >= length + 1) {
    std::memmove(*slot, first, length);  // the source may be the slot's own text
    (*slot)[length] = 0;
    return;
  }
  auto* fresh = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(fresh, first, length);
  fresh[length] = 0;
  MemoryManager::Free(*slot);
  *slot = fresh;
}

int Text_HashToNewline(char* text) {
  if (text == nullptr) return 0;
  // Reading never falls behind writing: every code point is written in at
  // most the bytes it was read from, and a cut sequence ends the text.
  const char* read = text;
  char* write = text;
  int written = 0;
  uint16_t previous = 0;
  for (;;) {
    const uint16_t c = UTF8_ReadCharQuick(&read);
    if (c == 0) break;
    if (c == '#' && previous == '\\' && written > 0) {
      write[-1] = '#';
    } else if (c < 0x80) {
      // ASCII, most of any text, is written byte by byte.
      *write++ = c == '#' ? '\r' : static_cast<char>(c);
      ++written;
    } else {
      UTF8_WriteChar(&write, c);
      ++written;
    }
    previous = c;
  }
  *write = 0;
  return written;
}

char* String_DuplicateBytes(const char* bytes, size_t length) {
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, bytes, length);
  copy[length] = '\0';
  return copy;
}

char* String_Duplicate(const char* text) {
  return text == nullptr ? nullptr : String_DuplicateBytes(text, std::strlen(text));
}

bool String_FormatArgs(std::string* out, const char* format, va_list args) {
  out->clear();
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) return false;
  out->resize(static_cast<size_t>(needed));
  std::vsnprintf(out->data(), out->size() + 1, format, args);
  return true;
}

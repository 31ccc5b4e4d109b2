#include "runtime/utf8.h"

namespace {

// Bytes a sequence takes, judged by its lead byte alone.
int SequenceBytes(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0x20) == 0) return 2;
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  return 3;
}

// Decodes the sequence at p whose `bytes` bytes are all present.
uint16_t Decode(const unsigned char* p, int bytes) {
  switch (bytes) {
    case 1: return p[0];
    case 2: return static_cast<uint16_t>(((p[0] & 0x1F) << 6) + (p[1] & 0x3F));
    case 3: return static_cast<uint16_t>(((p[0] & 0x0F) << 12) + ((p[1] & 0x3F) << 6) + (p[2] & 0x3F));
    default: return kUtf8Replacement;
  }
}

// Bytes present of a sequence at p: stops at a NUL after the lead and, when
// `end` is given, at the end of the buffer.
int PresentBytes(const unsigned char* p, int wanted, const unsigned char* end) {
  int present = 1;
  while (present < wanted) {
    if (end != nullptr && p + present >= end) break;
    if (p[present] == 0) break;
    ++present;
  }
  return present;
}

// Reads one code point. `end` null means the text ends at its NUL.
uint16_t Read(const unsigned char** pointer, const unsigned char* end) {
  const unsigned char* p = *pointer;
  if (end != nullptr ? p >= end : *p == 0) return 0;
  int wanted = SequenceBytes(*p);
  int present = PresentBytes(p, wanted, end);
  if (present < wanted) {
    *pointer = p + present;
    return 0;
  }
  *pointer = p + wanted;
  return Decode(p, wanted);
}

}  // namespace

uint16_t UTF8_ReadChar(const char** pointer) {
  auto** p = reinterpret_cast<const unsigned char**>(pointer);
  return Read(p, nullptr);
}

uint16_t UTF8_ReadChar(char** pointer) {
  const char* p = *pointer;
  uint16_t c = UTF8_ReadChar(&p);
  *pointer += p - *pointer;
  return c;
}

uint16_t UTF8_ReadCharBounded(const char** pointer, const char* end) {
  auto** p = reinterpret_cast<const unsigned char**>(pointer);
  return Read(p, reinterpret_cast<const unsigned char*>(end));
}

void UTF8_WriteChar(char** pointer, uint16_t c) {
  auto* p = reinterpret_cast<unsigned char*>(*pointer);
  if (c < 0x80) {
    *p++ = static_cast<unsigned char>(c);
  } else if (c < 0x800) {
    *p++ = static_cast<unsigned char>(0xC0 + (c >> 6));
    *p++ = static_cast<unsigned char>(0x80 + (c & 0x3F));
  } else {
    *p++ = static_cast<unsigned char>(0xE0 + (c >> 12));
    *p++ = static_cast<unsigned char>(0x80 + ((c >> 6) & 0x3F));
    *p++ = static_cast<unsigned char>(0x80 + (c & 0x3F));
  }
  *pointer = reinterpret_cast<char*>(p);
}

int UTF8_Length(const char* text) {
  if (text == nullptr) return 0;
  auto* p = reinterpret_cast<const unsigned char*>(text);
  int count = 0;
  while (*p != 0) {
    int wanted = SequenceBytes(*p);
    int present = PresentBytes(p, wanted, nullptr);
    if (present < wanted) break;
    p += wanted;
    ++count;
  }
  return count;
}

int UTF8_LengthBounded(const char* text, size_t size) {
  if (text == nullptr) return 0;
  auto* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + size;
  int count = 0;
  while (p < end) {
    int wanted = SequenceBytes(*p);
    if (PresentBytes(p, wanted, end) < wanted) break;
    p += wanted;
    ++count;
  }
  return count;
}

int UTF8_Compare(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  for (;;) {
    if (*a == 0 || *b == 0) return 0;
    int ca = UTF8_ReadChar(&a);
    int cb = UTF8_ReadChar(&b);
    if (ca == 0 || cb == 0) return 0;  // a cut sequence ends its text
    if (ca != cb) return ca - cb;
  }
}

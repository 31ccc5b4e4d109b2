// UTF-8 code points as the script engine sees them: 16-bit values, one to
// three bytes each. The lead byte decides how many bytes a sequence takes and
// the following bytes are taken as they come, except that a sequence never
// reaches over the terminating NUL or the end of a buffer: a sequence cut
// short there reads as the end of the text (code point 0), and the read
// position stops on the NUL or the end. Four-byte sequences (leads F0-F7)
// lie outside the 16-bit range and read as one U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint16_t kUtf8Replacement = 0xFFFD;

// Decodes the code point at *pointer and moves past it. At the NUL the
// pointer stays where it is and 0 comes back, so reading on past the end of
// a text keeps answering 0.
uint16_t UTF8_ReadChar(const char** pointer);
uint16_t UTF8_ReadChar(char** pointer);

// The same, with ASCII (most of any text) read in line.
inline uint16_t UTF8_ReadCharQuick(const char** pointer) {
  const auto byte = static_cast<unsigned char>(**pointer);
  if (byte == 0 || byte >= 0x80) return UTF8_ReadChar(pointer);
  ++*pointer;
  return byte;
}

// The same over a buffer that ends at `end` rather than at a NUL: a NUL byte
// is the code point 0 (one byte), and at or past `end` the pointer stays and
// 0 comes back.
uint16_t UTF8_ReadCharBounded(const char** pointer, const char* end);

// Encodes c in one to three bytes at *pointer and moves past them.
void UTF8_WriteChar(char** pointer, uint16_t c);

// Bytes UTF8_WriteChar takes for c.
inline int UTF8_CharBytes(uint16_t c) { return c < 0x80 ? 1 : (c < 0x800 ? 2 : 3); }

// Code points in a NUL-terminated text (0 for null); a cut final sequence is
// not counted.
int UTF8_Length(const char* text);
// Code points in the first `size` bytes of a buffer.
int UTF8_LengthBounded(const char* text, size_t size);

// Compares code point by code point and gives a - b at the first difference;
// 0 as soon as either text ends, so a text equals every text it begins.
// A null text is empty.
int UTF8_Compare(const char* a, const char* b);

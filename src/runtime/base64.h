// Base64 with the standard alphabet and "=" padding, no line breaks. Both
// directions write into a caller's buffer and never beyond its size.
#pragma once

#include <cstdint>

// Writes the text and its terminating zero into out (size bytes). Only whole
// four-character groups that fit before the zero are written. Answers the
// number of characters written.
int Base64_Encode(const void* bytes, int count, char* out, int size);

// Decodes up to the first "=" or the first character outside the alphabet; a
// final group of two or three characters gives its one or two bytes. Stops
// when out (size bytes) is full. Answers the number of bytes written.
int Base64_Decode(const char* text, void* out, int size);

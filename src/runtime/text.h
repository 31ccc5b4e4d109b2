// Text routines shared by the whole program. Texts are NUL-terminated UTF-8
// byte strings owned by whoever holds the pointer and allocated through
// MemoryManager.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

// A new copy of a text from the memory manager; null stays null.
char* String_Duplicate(const char* text);
// A new text of `length` bytes, terminated.
char* String_DuplicateBytes(const char* bytes, size_t length);

// printf formatting into a std::string of whatever length it needs; a format
// the C library refuses gives false and leaves *out empty.
bool String_FormatArgs(std::string* out, const char* format, va_list args);

// Joins up to ten texts, in order, into *destination and returns it. Null and
// empty texts are skipped. When every text is null or empty nothing changes
// and the result is null. Otherwise *destination is replaced by a block of the
// total length + 1 holding the joined text; any of the texts may point into
// the old destination (the usual case: the destination is the first text).

char* String_Concat(char** destination, const char* s1, const char* s2 = nullptr, const char* s3 = nullptr,
                    const char* s4 = nullptr, const char* s5 = nullptr, const char* s6 = nullptr,
                    const char* s7 = nullptr, const char* s8 = nullptr, const char* s9 = nullptr,
                    const char* s10 = nullptr);

// One 16-bit unit per byte, each byte sign-extended (0x80-0xFF become
// 0xFF80-0xFFFF), plus a terminating 0; no code-page conversion. Null gives null.
uint16_t* String_ToWide(const char* text);
// The low byte of each 16-bit unit, plus a terminating 0. Null gives null.
char* String_FromWide(const uint16_t* text);

// 1-based byte position of the first occurrence of needle in haystack; 0 when
// absent or when either is null.
int VCL_Pos(const char* needle, const char* haystack);

// Sets the text owned by *slot to source without leading and trailing blank
// bytes: those that read as a signed byte below 33, so the control bytes,
// the space and every byte from 0x80 up. The slot's buffer is reused when
// large enough. An all-blank source gives "", a null source a null slot.
void VCL_Trim(char** slot, const char* source);

// Rewrites a text in place for display: each "#" becomes a carriage return,
// except that "\#" becomes a plain "#". Returns the number of code points
// written (0 for null).
int Text_HashToNewline(char* text);

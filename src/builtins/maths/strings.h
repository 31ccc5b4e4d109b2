// Script string built-ins: conversions between reals and text, functions
// that count code points from 1, and functions that work on bytes.
#pragma once

#include "builtins/maths/maths.h"

// Conversions.
void F_Real(KV_BUILTIN_PARAMS);
void F_String(KV_BUILTIN_PARAMS);
void F_StringFormat(KV_BUILTIN_PARAMS);
void F_Chr(KV_BUILTIN_PARAMS);
void F_AnsiChar(KV_BUILTIN_PARAMS);
void F_Ord(KV_BUILTIN_PARAMS);

// Code points, counted from 1.
void F_StringLength(KV_BUILTIN_PARAMS);
void F_StringPos(KV_BUILTIN_PARAMS);
void F_StringCopy(KV_BUILTIN_PARAMS);
void F_StringCharAt(KV_BUILTIN_PARAMS);
void F_StringDelete(KV_BUILTIN_PARAMS);
void F_StringInsert(KV_BUILTIN_PARAMS);

// Bytes.
void F_StringByteLength(KV_BUILTIN_PARAMS);
void F_StringByteAt(KV_BUILTIN_PARAMS);
void F_StringLower(KV_BUILTIN_PARAMS);
void F_StringUpper(KV_BUILTIN_PARAMS);
void F_StringRepeat(KV_BUILTIN_PARAMS);
void F_StringLetters(KV_BUILTIN_PARAMS);
void F_StringDigits(KV_BUILTIN_PARAMS);
void F_StringLettersDigits(KV_BUILTIN_PARAMS);
void F_StringReplace(KV_BUILTIN_PARAMS);
void F_StringReplaceAll(KV_BUILTIN_PARAMS);
void F_StringCount(KV_BUILTIN_PARAMS);

// The text string() gives for a real: the integer when the real is one that
// fits 32 bits, else two decimals, every digit kept. Owned by the caller
// (memory manager).
char* Strings_FromReal(double value);
// Num_ParseReal: atof's reading without the locale.
double Strings_ParseReal(const char* text);

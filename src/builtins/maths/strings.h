// Script string built-ins: conversions between reals and text, functions
// that count code points from 1, and functions that work on bytes.
#pragma once

#include "builtins/maths/maths.h"

// Conversions.
KV_BUILTIN(F_Real);
KV_BUILTIN(F_String);
KV_BUILTIN(F_StringFormat);
KV_BUILTIN(F_Chr);
KV_BUILTIN(F_AnsiChar);
KV_BUILTIN(F_Ord);

// Code points, counted from 1.
KV_BUILTIN(F_StringLength);
KV_BUILTIN(F_StringPos);
KV_BUILTIN(F_StringCopy);
KV_BUILTIN(F_StringCharAt);
KV_BUILTIN(F_StringDelete);
KV_BUILTIN(F_StringInsert);

// Bytes.
KV_BUILTIN(F_StringByteLength);
KV_BUILTIN(F_StringByteAt);
KV_BUILTIN(F_StringLower);
KV_BUILTIN(F_StringUpper);
KV_BUILTIN(F_StringRepeat);
KV_BUILTIN(F_StringLetters);
KV_BUILTIN(F_StringDigits);
KV_BUILTIN(F_StringLettersDigits);
KV_BUILTIN(F_StringReplace);
KV_BUILTIN(F_StringReplaceAll);
KV_BUILTIN(F_StringCount);

// The text string() gives for a real: the integer when the real is one that
// fits 32 bits, else two decimals, every digit kept. Owned by the caller
// (memory manager).
char* Strings_FromReal(double value);
// Num_ParseReal: atof's reading without the locale.
double Strings_ParseReal(const char* text);

// Hexadecimal digits as the text forms of streams and data structures write
// them (upper case) and as readers take them (either case).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The digit for a value 0..15.
char Hex_Digit(uint32_t value);
// The value of a digit of either case; -1 for anything else.
int Hex_DigitValue(char c);
void Hex_AppendByte(std::string* out, uint8_t byte);
std::string Hex_Encode(const uint8_t* bytes, size_t count);

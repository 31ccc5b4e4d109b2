// JSON text to and from the script's maps and lists. Decoding makes a new
// map in the map pool, with nested objects as new maps and arrays as new
// lists, their ids held in values whose kind carries a mark; encoding
// follows those marks back. Parsing is json-c's, and the text written is
// what json-c prints for a tree of the same values, so its spacing and its
// number forms are what scripts see.
#pragma once

#include <cstdint>

// Marks in the top bits of a stored value's kind: the real is the id of a
// nested map, or of a nested list. Scripts never see them.
constexpr int32_t kDSNestedMap = static_cast<int32_t>(0x80000000u);
constexpr int32_t kDSNestedList = 0x40000000;
constexpr int32_t kDSVisibleKindMask = 0x00FFFFFF;

// Text whose first and last non-blank characters are braces is parsed as
// it stands; any other text, or braced text that does not parse, is placed
// unescaped into { "default" : "TEXT" }. The new map's id, or -1 when
// nothing parses. Nulls are left out of objects and are 0 in arrays.
int32_t DS_JsonDecode(const char* text);
// A real comes back as a string of two decimals under "default".
int32_t DS_JsonDecodeReal(double value);

// The map as JSON text from the memory manager, in the map's walk order;
// null when no map has the id. Real keys are written as whole numbers. A
// nested id that names nothing, a structure already on the way down (a
// cycle) and one nested deeper than kDSJsonMaxDepth are written as null.
char* DS_JsonEncode(int32_t mapId);
constexpr int32_t kDSJsonMaxDepth = 512;

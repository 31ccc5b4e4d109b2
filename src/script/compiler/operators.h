// The unary and binary operators on script values, shared by constant
// folding and the tree interpreter. Operator codes are the lexer's token
// kinds. A failure is reported as an error of `code` at `position` and the
// result is false.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CCode;

// Applies op to value in place.
bool Code_UnaryOperator(const CCode* code, int32_t position, int32_t op, ScriptValue* value);
// left = left op right; right is left alone.
bool Code_BinaryOperator(const CCode* code, int32_t position, int32_t op, ScriptValue* left, const ScriptValue* right);

// Longest string an operator builds, in bytes, and the runtime error of a
// longer one (the same in the tree and on the machine).
constexpr int64_t kMaxOperatorString = INT32_MAX;
inline constexpr const char* kStringTooLong = "String too long.";

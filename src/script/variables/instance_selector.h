// The values a script names instances with, wherever it does: the
// selector of a variable (in the tree and in the bytecode), `with`, and the
// built-ins that take an instance argument. Besides these, a value from 0
// below kFirstInstanceId names an object (its instances and those of its
// descendants), kFirstInstanceId and above one instance by its id.
#pragma once

#include <cstdint>

constexpr int32_t kInstanceSelf = -1;
constexpr int32_t kInstanceOther = -2;
constexpr int32_t kInstanceAll = -3;
constexpr int32_t kInstanceNoone = -4;
constexpr int32_t kInstanceGlobal = -5;
// A bare name: the global variable when the name was declared globalvar,
// else self's.
constexpr int32_t kInstanceNotSpecified = -6;
// A name declared with var in the running code.
constexpr int32_t kInstanceLocal = -7;

constexpr int32_t kFirstInstanceId = 100000;

// Where the two execution modes give different answers, as data: each row
// is a snippet, the scripts it calls, and what it prints in each mode (lines
// joined with " | "; null where that mode's answer is not settled yet).
#pragma once

struct ModeDifference {
  const char* topic;
  const char* program;
  const char* scripts;  // "name=text" pairs separated by ';;', or null
  const char* tree;
  const char* bytecode;
};

inline constexpr ModeDifference kModeDifferences[] = {
    {"div truncates both operands", "a = 7; b = 2.5; test_print(a div b)", nullptr, "3", nullptr},
    {"bitwise operands round halves to even", "a = 3.5; b = 2.5; test_print(a | 0, b | 0)", nullptr, "4 2",
     nullptr},
    {"comparisons are exact", "a = 1 / 49; b = a * 49; test_print(b == 1, b < 1)", nullptr, "0 1", nullptr},
    {"logical truth starts at 0.5", "a = 0.5; b = 0.49; test_print(a && a, b || 0, !a)", nullptr, "1 0 0", nullptr},
    {"arguments run left to right", "test_print(say(1), say(2))", "say=test_print(argument0); return argument0",
     "1 | 2 | 1 2", nullptr},
    {"a runtime error stops the code and is not fatal", "x = 1; y = x + 'a'; test_print(x)", nullptr,
     "error: Wrong type of arguments to +.", nullptr},
    {"1000 nested script calls run", "test_print(down(1000))",
     "down=if (argument0 <= 0) return 0; return down(argument0 - 1) + 1", "1000", nullptr},
    {"runaway recursion ends in a report", "x = forever(0)", "forever=return forever(argument0 + 1)",
     "error: Stack overflow...", nullptr},
};

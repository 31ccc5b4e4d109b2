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
    {"bitwise operands round halves to even", "a = 3.5; b = 2.5; test_print(a | 0, b | 0)", nullptr, "4 2", nullptr},
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
    {"if needs more than 0.5, loops take 0.5 after rounding to single precision",
     "a = 0.5; b = 0.4999999999; n = 0; if (a) n = 10; while (b) { n += 1; b = 0 } test_print(n)", nullptr, "1",
     nullptr},
    {"repeat rounds its count halves to even",
     "n = 0; repeat (3.5) n += 1; m = 0; repeat (2.5) m += 1; test_print(n, m)", nullptr, "4 2", nullptr},
    {"break outside a loop ends the code", "test_print(1); if (1) break; test_print(2)", nullptr, "1", nullptr},
    {"continue outside a loop ends the code", "test_print(1); continue; test_print(2)", nullptr, "1", nullptr},
    {"globalvar takes effect when it runs", "if (0) globalvar mode_g; mode_g = 3; test_print(global.mode_g)", nullptr,
     "0", nullptr},
    {"a real never matches a string case", "switch (1) { case '1': test_print(1) default: test_print(0) }", nullptr,
     "0", nullptr},
    {"with walks the room in list order", "tag = 1; other.tag = 2; with (all) test_print(tag)", nullptr, "1 | 2",
     nullptr},
};

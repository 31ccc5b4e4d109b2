// Golden answers of the maths and string built-ins, kept as data so that
// the same table can be run two ways: by calling the handlers directly
// (golden_test.cpp), and as script snippets through either interpreter,
// each snippet's value printed with string(). Rows that follow a seeding row
// depend on it: run the table in order.
#pragma once

#include <limits>

struct GoldenArg {
  const char* text;  // set: a string argument
  double real;
};

constexpr GoldenArg R(double x) { return {nullptr, x}; }
constexpr GoldenArg S(const char* text) { return {text, 0.0}; }

struct GoldenCase {
  const char* script;    // a script expression
  const char* function;  // the built-in it ends in
  int argc;
  GoldenArg args[4];
  const char* printed;  // string() of its value
  const char* error;    // the runtime error it reports, or null
};

constexpr double kGoldenPi = 3.141592653589793;
constexpr double kGoldenNaN = std::numeric_limits<double>::quiet_NaN();

inline constexpr GoldenCase kMathsGolden[] = {
    {"sin(pi)", "sin", 1, {R(kGoldenPi)}, "0", nullptr},
    {"cos(pi / 2)", "cos", 1, {R(kGoldenPi / 2)}, "0", nullptr},
    {"point_direction(0, 0, 1, -1)", "point_direction", 4, {R(0), R(0), R(1), R(-1)}, "45", nullptr},
    {"point_direction(0, 0, 0, 5)", "point_direction", 4, {R(0), R(0), R(0), R(5)}, "270", nullptr},
    {"point_direction(3, 3, 3, 3)", "point_direction", 4, {R(3), R(3), R(3), R(3)}, "0", nullptr},
    {"lengthdir_x(10, 90)", "lengthdir_x", 2, {R(10), R(90)}, "0", nullptr},
    {"lengthdir_y(10, 90)", "lengthdir_y", 2, {R(10), R(90)}, "-10", nullptr},
    {"round(2.5)", "round", 1, {R(2.5)}, "2", nullptr},
    {"round(3.5)", "round", 1, {R(3.5)}, "4", nullptr},
    {"floor(-0.5)", "floor", 1, {R(-0.5)}, "-1", nullptr},
    {"ceil(-0.5)", "ceil", 1, {R(-0.5)}, "0", nullptr},
    {"abs(16777217)", "abs", 1, {R(16777217)}, "16777216", nullptr},
    {"median(1, 2, 3, 4)", "median", 4, {R(1), R(2), R(3), R(4)}, "3", nullptr},
    {"median()", "median", 0, {}, "0", nullptr},
    {"logn(8, 2)", "logn", 2, {R(8), R(2)}, "3", nullptr},
    {"lerp(0, 10, 0.5)", "lerp", 3, {R(0), R(10), R(0.5)}, "5", nullptr},
    {"clamp(5, 0, 3)", "clamp", 3, {R(5), R(0), R(3)}, "3", nullptr},
    {"irandom(0)", "irandom", 1, {R(0)}, "0", nullptr},
    {"random_set_seed(-1)", "random_set_seed", 1, {R(-1)}, "0", nullptr},
    {"random_get_seed()", "random_get_seed", 0, {}, "4294967295.00", nullptr},
    {"round(sqrt(-1))", "round", 1, {R(kGoldenNaN)}, "-2147483648", nullptr},
    // Bad input: a runtime error the game goes on from, and the result 0.
    {"arcsin(2)", "arcsin", 1, {R(2)}, "0", "Error in function arcsin()."},
    {"arccos(-1.5)", "arccos", 1, {R(-1.5)}, "0", "Error in function arccos()."},
    {"min(1, \"a\")", "min", 2, {R(1), S("a")}, "0", "Error min(): illegal argument; strings not permitted"},
    {"max(\"a\", 2)", "max", 2, {S("a"), R(2)}, "0", "Error max(): illegal argument; strings not permitted"},
    {"min3(1, 2, \"x\")", "min3", 3, {R(1), R(2), S("x")}, "0", "Error min(): illegal argument; strings not permitted"},
    {"max3(\"x\", 1, 2)", "max3", 3, {S("x"), R(1), R(2)}, "0", "Error max(): illegal argument; strings not permitted"},
    // Fixed-seed sequences; irandom takes two generator words, the second
    // as the high half, which the 1e12 range exposes.
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"irandom(10)", "irandom", 1, {R(10)}, "6", nullptr},
    {"irandom(10)", "irandom", 1, {R(10)}, "9", nullptr},
    {"irandom(10)", "irandom", 1, {R(10)}, "5", nullptr},
    {"irandom(10)", "irandom", 1, {R(10)}, "2", nullptr},
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"irandom(1000000000000)", "irandom", 1, {R(1e12)}, "383470740610.00", nullptr},
    {"irandom(1000000000000)", "irandom", 1, {R(1e12)}, "201759078941.00", nullptr},
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"random(100)", "random", 1, {R(100)}, "42.62", nullptr},
    {"random(100)", "random", 1, {R(100)}, "44.91", nullptr},
    {"random(100)", "random", 1, {R(100)}, "18.71", nullptr},
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "-3", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "4", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "-3", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "4", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "-3", nullptr},
    {"irandom_range(4, -3)", "irandom_range", 2, {R(4), R(-3)}, "3", nullptr},
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"random_range(5, 2)", "random_range", 2, {R(5), R(2)}, "3.28", nullptr},
    {"random_range(5, 2)", "random_range", 2, {R(5), R(2)}, "3.35", nullptr},
    {"random_set_seed(42)", "random_set_seed", 1, {R(42)}, "0", nullptr},
    {"choose(\"a\", \"b\", \"c\", \"d\")", "choose", 4, {S("a"), S("b"), S("c"), S("d")}, "a", nullptr},
    {"choose(\"a\", \"b\", \"c\", \"d\")", "choose", 4, {S("a"), S("b"), S("c"), S("d")}, "a", nullptr},
    {"choose(\"a\", \"b\", \"c\", \"d\")", "choose", 4, {S("a"), S("b"), S("c"), S("d")}, "d", nullptr},
    {"choose(\"a\", \"b\", \"c\", \"d\")", "choose", 4, {S("a"), S("b"), S("c"), S("d")}, "a", nullptr},
};

inline constexpr GoldenCase kStringsGolden[] = {
    {"string(3)", "string", 1, {R(3)}, "3", nullptr},
    {"string(3.14159)", "string", 1, {R(3.14159)}, "3.14", nullptr},
    {"string(-0.5)", "string", 1, {R(-0.5)}, "-0.50", nullptr},
    {"string(10000000000)", "string", 1, {R(1e10)}, "10000000000.00", nullptr},
    {"string(2147483648)", "string", 1, {R(2147483648.0)}, "2147483648.00", nullptr},
    {"string(0.015)", "string", 1, {R(0.015)}, "0.01", nullptr},
    {"string_format(3.14159, 6, 2)", "string_format", 3, {R(3.14159), R(6), R(2)}, "3.14", nullptr},
    {"string_format(1.5, 10, 2)", "string_format", 3, {R(1.5), R(10), R(2)}, "    1.50", nullptr},
    {"string_format(\"abc\", 6, 2)", "string_format", 3, {S("abc"), R(6), R(2)}, "abc", nullptr},
    {"real(\"  12.5abc \")", "real", 1, {S("  12.5abc ")}, "12.50", nullptr},
    {"real(\"abc\")", "real", 1, {S("abc")}, "0", nullptr},
    {"real(\"\")", "real", 1, {S("")}, "0", nullptr},
    {"real(\"0x10\")", "real", 1, {S("0x10")}, "0", nullptr},
    {"real(\"inf\")", "real", 1, {S("inf")}, "0", nullptr},
    {"string_pos(\"ab\", \"xab\")", "string_pos", 2, {S("ab"), S("xab")}, "2", nullptr},
    {"string_pos(\"abc\", \"xab\")", "string_pos", 2, {S("abc"), S("xab")}, "0", nullptr},
    {"string_pos(\"\", \"abc\")", "string_pos", 2, {S(""), S("abc")}, "1", nullptr},
    {"string_pos(\"a\", \"\")", "string_pos", 2, {S("a"), S("")}, "0", nullptr},
    {"string_copy(\"hello\", 0, 2)", "string_copy", 3, {S("hello"), R(0), R(2)}, "he", nullptr},
    {"string_copy(\"hello\", 4, 10)", "string_copy", 3, {S("hello"), R(4), R(10)}, "lo", nullptr},
    {"string_copy(\"hello\", 9, 2)", "string_copy", 3, {S("hello"), R(9), R(2)}, "", nullptr},
    {"string_char_at(\"abc\", 0)", "string_char_at", 2, {S("abc"), R(0)}, "a", nullptr},
    {"string_char_at(\"abc\", 4)", "string_char_at", 2, {S("abc"), R(4)}, "", nullptr},
    {"string_delete(\"abcdef\", 3, 2)", "string_delete", 3, {S("abcdef"), R(3), R(2)}, "abef", nullptr},
    {"string_delete(\"abcdef\", 3, 0)", "string_delete", 3, {S("abcdef"), R(3), R(0)}, "abcdef", nullptr},
    {"string_insert(\"X\", \"abc\", 99)", "string_insert", 3, {S("X"), S("abc"), R(99)}, "abcX", nullptr},
    {"string_insert(\"X\", \"abc\", -5)", "string_insert", 3, {S("X"), S("abc"), R(-5)}, "Xabc", nullptr},
    {"string_replace_all(\"aaa\", \"aa\", \"b\")", "string_replace_all", 3, {S("aaa"), S("aa"), S("b")}, "ba", nullptr},
    {"string_count(\"aa\", \"aaa\")", "string_count", 2, {S("aa"), S("aaa")}, "2", nullptr},
    {"string_byte_at(ansi_char(195), 1)", "string_byte_at", 2, {S("\xC3"), R(1)}, "-61", nullptr},
    {"chr(233)", "chr", 1, {R(233)}, "\xC3\xA9", nullptr},
    {"string_length(chr(233))", "string_length", 1, {S("\xC3\xA9")}, "1", nullptr},
    {"string_byte_length(chr(233))", "string_byte_length", 1, {S("\xC3\xA9")}, "2", nullptr},
};

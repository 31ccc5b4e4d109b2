// The mathematics family, in registration order: the maths built-ins, then
// the string built-ins, which register with them.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/maths/maths.h"
#include "builtins/maths/strings.h"

inline constexpr BuiltinRow kMathsRows[] = {
    {"is_real", F_IsReal, 1, "x", "bool: 1 when x is a real", "0 for a string."},
    {"is_string", F_IsString, 1, "x", "bool: 1 when x is a string", "0 for a real."},
    {"random", F_Random, 1, "n", "real: a random real from 0 up to but not including n",
     "Draws from the script generator, which starts from seed 0 in every run: a game draws the same numbers each "
     "time until it calls `randomize`. A negative n gives a value between n and 0."},
    {"random_range", F_RandomRange, 2, "a, b", "real: a random real from the smaller to the larger",
     "The order of a and b does not matter; the larger end is never reached. The same numbers every run until "
     "`randomize`, as for `random`."},
    {"irandom", F_IRandom, 1, "n", "real: a random whole number from 0 to n, both included",
     "n is cut toward 0 first; a negative n gives 0 or a meaningless large number. The same numbers every run until "
     "`randomize`, as for `random`."},
    {"irandom_range", F_IRandomRange, 2, "a, b",
     "real: a random whole number from the smaller to the larger, both included",
     "The order of a and b does not matter; with fractional ends the result is cut toward 0. The same numbers every "
     "run until `randomize`, as for `random`."},
    {"random_set_seed", F_RandomSetSeed, 1, "seed", "nothing",
     "Restarts the script generator from the seed, rounded and kept to its low 32 bits, so the same seed gives the "
     "same numbers again."},
    {"random_get_seed", F_RandomGetSeed, 0, "", "real: the seed, from 0 to 4294967295",
     "The seed last set or made, read as an unsigned 32-bit number: after `random_set_seed(-1)` it is 4294967295. "
     "It is 0 at the start of every run, so the random numbers repeat from run to run until `randomize`; "
     "`game_restart` keeps it, and the place in the sequence too."},
    {"randomize", F_Randomize, 0, "", "real: the new seed",
     "Restarts the script generator from a seed made from the clock; the answer reads that seed as a signed 32-bit "
     "number. On the virtual clock (`KORVALITH_CLOCK=virtual`) the clock runs alike in every run, so the seeds "
     "repeat too (0 while the first room starts)."},
    {"abs", F_Abs, 1, "x", "real: x without its sign",
     "x is rounded to single precision first, so large values lose their last digits: 16777217 gives 16777216."},
    {"round", F_Round, 1, "x", "real: the nearest whole number",
     "Halves go to the even neighbour, so 2.5 gives 2 and 3.5 gives 4; values beyond 32 bits give -2147483648."},
    {"floor", F_Floor, 1, "x", "real: the largest whole number not above x",
     "floor(-0.5) is -1; values beyond 32 bits give -2147483648."},
    {"ceil", F_Ceil, 1, "x", "real: the smallest whole number not below x",
     "ceil(-0.5) is 0; values beyond 32 bits give -2147483648."},
    {"sign", F_Sign, 1, "x", "real: -1, 0 or 1", "-1 for a negative x and for NaN, 0 for 0, else 1."},
    {"frac", F_Frac, 1, "x", "real: the part after the point", "Keeps the sign of x: frac(-1.5) is -0.5."},
    {"sqrt", F_Sqrt, 1, "x", "real: the square root", "A negative x gives NaN, not an error."},
    {"sqr", F_Sqr, 1, "x", "real: x times x", "The square of x."},
    {"exp", F_Exp, 1, "x", "real: e to the power x", "Too large an x gives an infinity, not an error."},
    {"ln", F_Ln, 1, "x", "real: the natural logarithm", "0 gives minus infinity and a negative x NaN, not an error."},
    {"log2", F_Log2, 1, "x", "real: the base-2 logarithm",
     "Computed as ln(x) / ln(2); 0 or a negative x gives an infinity or NaN."},
    {"log10", F_Log10, 1, "x", "real: the base-10 logarithm",
     "0 or a negative x gives an infinity or NaN, not an error."},
    {"power", F_Power, 2, "x, n", "real: x to the power n", "A negative x with a fractional n gives NaN."},
    {"logn", F_LogN, 2, "a, b", "real: the logarithm of a to base b",
     "Computed as ln(a) / ln(b), so logn(8, 2) is 3; a base of 1 gives an infinity or NaN."},
    {"sin", F_Sin, 1, "x", "real: the sine",
     "x in radians; worked in single precision, and answers within 0.00001 of 0 become 0, so sin(pi) is exactly 0."},
    {"cos", F_Cos, 1, "x", "real: the cosine",
     "x in radians; worked in single precision, and answers within 0.00001 of 0 become 0."},
    {"tan", F_Tan, 1, "x", "real: the tangent",
     "x in radians; worked in single precision, and answers within 0.00001 of 0 become 0."},
    {"arcsin", F_ArcSin, 1, "x", "real: the angle in radians, from -pi/2 to pi/2",
     "x outside -1 to 1 is a runtime error and answers 0; worked in single precision with near-zero answers made 0."},
    {"arccos", F_ArcCos, 1, "x", "real: the angle in radians, from 0 to pi",
     "x outside -1 to 1 is a runtime error and answers 0; worked in single precision with near-zero answers made 0."},
    {"arctan", F_ArcTan, 1, "x", "real: the angle in radians, from -pi/2 to pi/2",
     "Worked in single precision with near-zero answers made 0."},
    {"arctan2", F_ArcTan2, 2, "y, x", "real: the angle of the point (x, y) in radians, from -pi to pi",
     "y comes first and is not turned over for the screen as in `point_direction`; worked in single precision with "
     "near-zero answers made 0."},
    {"degtorad", F_DegToRad, 1, "deg", "real: the angle in radians",
     "Uses pi rounded to single precision, as every degree conversion here does."},
    {"radtodeg", F_RadToDeg, 1, "rad", "real: the angle in degrees",
     "Uses pi rounded to single precision, as every degree conversion here does."},
    {"min", F_Min, kAnyArgumentCount, "value, ...", "real: the smallest argument",
     "0 without arguments; a string argument is a runtime error and answers 0."},
    {"max", F_Max, kAnyArgumentCount, "value, ...", "real: the largest argument",
     "0 without arguments; a string argument is a runtime error and answers 0."},
    {"min3", F_Min3, 3, "val1, val2, val3", "real: the smallest of the three",
     "The same as `min` with three arguments."},
    {"max3", F_Max3, 3, "val1, val2, val3", "real: the largest of the three",
     "The same as `max` with three arguments."},
    {"mean", F_Mean, kAnyArgumentCount, "value, ...", "real: the average of the arguments",
     "0 without arguments; a string counts as 0."},
    {"median", F_Median, kAnyArgumentCount, "value, ...", "real: the middle argument in sorted order",
     "For an even count the upper of the two middle values, so median(1, 2, 3, 4) is 3; 0 without arguments, and a "
     "string counts as 0."},
    {"choose", F_Choose, kAnyArgumentCount, "value, ...", "any: one of the values",
     "Picks one of its arguments at random, each as likely; a string comes back as a string, and no arguments give 0. "
     "The same picks every run until `randomize`, as for `random`."},
    {"clamp", F_Clamp, 3, "x, lo, hi", "real: x held between lo and hi", "When lo is above hi the answer is hi."},
    {"lerp", F_Lerp, 3, "a, b, t", "real: the value a + (b - a) * t",
     "t is not held to 0 to 1, so values outside it go beyond a and b."},
    {"point_distance", F_PointDistance, 4, "x1, y1, x2, y2", "real: the distance in pixels",
     "Worked in single precision, so large coordinates lose their last digits."},
    {"point_distance_3d", F_PointDistance3D, 6, "x1, y1, z1, x2, y2, z2", "real: the distance",
     "Worked in single precision, so large coordinates lose their last digits."},
    {"point_direction", F_PointDirection, 4, "x1, y1, x2, y2", "real: the direction in degrees, from 0 up to 360",
     "Degrees counter-clockwise from the right on a screen whose y grows downward, so (0, 0) to (0, 5) is 270; the "
     "same point twice gives 0."},
    {"lengthdir_x", F_LengthDirX, 2, "len, dir", "real: the horizontal part",
     "Of a vector len long pointing dir degrees counter-clockwise; worked in single precision, and a result within "
     "0.0001 beyond a whole number snaps to it."},
    {"lengthdir_y", F_LengthDirY, 2, "len, dir", "real: the vertical part, positive downward",
     "Of a vector len long pointing dir degrees counter-clockwise, so lengthdir_y(10, 90) is -10; snapped as "
     "`lengthdir_x` is."},
    {"dot_product", F_DotProduct, 4, "x1, y1, x2, y2", "real: x1 * x2 + y1 * y2", "The dot product of two vectors."},
    {"dot_product_3d", F_DotProduct3D, 6, "x1, y1, z1, x2, y2, z2", "real: x1 * x2 + y1 * y2 + z1 * z2",
     "The dot product of two vectors in space."},
    {"dot_product_normalised", F_DotProductNormalised, 4, "x1, y1, x2, y2",
     "real: the cosine of the angle between the vectors",
     "The dot product divided by both lengths, in single precision; a vector of length 0 gives an infinity or NaN."},
    {"dot_product_3d_normalised", F_DotProduct3DNormalised, 6, "x1, y1, z1, x2, y2, z2",
     "real: the cosine of the angle between the vectors",
     "The dot product divided by both lengths, in single precision; a vector of length 0 gives an infinity or NaN."},

    {"real", F_Real, 1, "x", "real: the number",
     "A real comes back as it is; a string loses the blanks (and bytes from 0x80 up) at both ends and is read as far "
     "as it looks like a number, 0 when it does not."},
    {"string", F_String, 1, "x", "string: the text",
     "A string comes back as it is; a whole number that fits 32 bits is written without a point, any other real with "
     "exactly two decimals (3.14159 gives `3.14`), cut to its first 255 bytes."},
    {"string_format", F_StringFormat, 3, "x, tot, dec", "string: the number written out",
     "Writes x with dec decimals, padded with blanks on the left to tot - dec characters, not tot; both counts are cut "
     "toward 0, and a string x comes back unchanged."},
    {"chr", F_Chr, 1, "code", "string: the character",
     "code is a character number, cut toward 0 and written as UTF-8; numbers above 65535 keep their low 16 bits and 0 "
     "gives the empty string."},
    {"ansi_char", F_AnsiChar, 1, "code", "string: one byte",
     "The byte given by the low 8 bits of the rounded code, even when it is not valid UTF-8 alone; 0 gives the empty "
     "string."},
    {"ord", F_Ord, 1, "str", "real: the number of the first character", "0 for the empty string or a real."},
    {"string_length", F_StringLength, 1, "str", "real: the number of characters",
     "Counts characters, not bytes; 0 for a real."},
    {"string_byte_length", F_StringByteLength, 1, "str", "real: the number of bytes",
     "Counts bytes of UTF-8, not characters; 0 for a real."},
    {"string_pos", F_StringPos, 2, "substr, str", "real: where substr first starts in str, 0 when absent",
     "Counts characters from 1; an empty substr is found at 1 in any text that is not empty."},
    {"string_copy", F_StringCopy, 3, "str, index, count", "string: count characters from position index",
     "Counts from 1, an index below 1 meaning 1; it stops at the end of str, and an index past the end gives the empty "
     "string."},
    {"string_char_at", F_StringCharAt, 2, "str, index", "string: the character at position index",
     "Counts from 1, so 0 or less gives the first character; past the end gives the empty string."},
    {"string_byte_at", F_StringByteAt, 2, "str, index", "real: the byte, from -128 to 127",
     "Counts bytes from 1, an index below 1 meaning 1; bytes from 0x80 up read as negative, and past the end or for a "
     "real the answer is 0."},
    {"string_delete", F_StringDelete, 3, "str, index, count",
     "string: str without count characters from position index",
     "Counts from 1; an index outside the text or a count of 0 or less gives str unchanged."},
    {"string_insert", F_StringInsert, 3, "substr, str, index", "string: str with substr put before position index",
     "Counts characters from 1; an index past the end appends and one below 1 puts substr in front."},
    {"string_lower", F_StringLower, 1, "str", "string: the text in lower case",
     "Only the ASCII letters A to Z change; a real gives the empty string."},
    {"string_upper", F_StringUpper, 1, "str", "string: the text in upper case",
     "Only the ASCII letters a to z change; a real gives the empty string."},
    {"string_repeat", F_StringRepeat, 2, "str, count", "string: str count times over",
     "count is rounded; below 1 gives the empty string, and a result too long for a string is a runtime error."},
    {"string_letters", F_StringLetters, 1, "str", "string: only the letters of str",
     "Keeps the ASCII letters A to Z and a to z in order; letters outside ASCII are dropped."},
    {"string_digits", F_StringDigits, 1, "str", "string: only the digits of str",
     "Keeps the digits 0 to 9 in order and drops every other character."},
    {"string_lettersdigits", F_StringLettersDigits, 1, "str", "string: only the letters and digits of str",
     "Keeps the ASCII letters and the digits in order; letters outside ASCII are dropped."},
    {"string_replace", F_StringReplace, 3, "str, substr, newstr",
     "string: str with its first substr replaced by newstr",
     "Works on bytes; an empty substr leaves str unchanged, and a real newstr removes the match."},
    {"string_replace_all", F_StringReplaceAll, 3, "str, substr, newstr",
     "string: str with every substr replaced by newstr",
     "Works on bytes from left to right and never searches replaced text again, so `aaa` with `aa` made `b` gives "
     "`ba`."},
    {"string_count", F_StringCount, 2, "substr, str", "real: how many times substr occurs in str",
     "Overlapping matches count, so `aa` occurs twice in `aaa`; 0 when either is empty."},
};

#include "builtins/data/maths_and_strings.h"

#include "builtins/data/maths.h"
#include "builtins/data/strings.h"
#include "script/function_registry.h"

namespace {

constexpr int32_t kAnyCount = -1;

void RegisterMaths() {
  Function_Add("is_real", F_IsReal, 1);
  Function_Add("is_string", F_IsString, 1);
  Function_Add("random", F_Random, 1);
  Function_Add("random_range", F_RandomRange, 2);
  Function_Add("irandom", F_IRandom, 1);
  Function_Add("irandom_range", F_IRandomRange, 2);
  Function_Add("random_set_seed", F_RandomSetSeed, 1);
  Function_Add("random_get_seed", F_RandomGetSeed, 0);
  Function_Add("randomize", F_Randomize, 0);
  Function_Add("abs", F_Abs, 1);
  Function_Add("round", F_Round, 1);
  Function_Add("floor", F_Floor, 1);
  Function_Add("ceil", F_Ceil, 1);
  Function_Add("sign", F_Sign, 1);
  Function_Add("frac", F_Frac, 1);
  Function_Add("sqrt", F_Sqrt, 1);
  Function_Add("sqr", F_Sqr, 1);
  Function_Add("exp", F_Exp, 1);
  Function_Add("ln", F_Ln, 1);
  Function_Add("log2", F_Log2, 1);
  Function_Add("log10", F_Log10, 1);
  Function_Add("power", F_Power, 2);
  Function_Add("logn", F_LogN, 2);
  Function_Add("sin", F_Sin, 1);
  Function_Add("cos", F_Cos, 1);
  Function_Add("tan", F_Tan, 1);
  Function_Add("arcsin", F_ArcSin, 1);
  Function_Add("arccos", F_ArcCos, 1);
  Function_Add("arctan", F_ArcTan, 1);
  Function_Add("arctan2", F_ArcTan2, 2);
  Function_Add("degtorad", F_DegToRad, 1);
  Function_Add("radtodeg", F_RadToDeg, 1);
  Function_Add("min", F_Min, kAnyCount);
  Function_Add("max", F_Max, kAnyCount);
  Function_Add("min3", F_Min3, 3);
  Function_Add("max3", F_Max3, 3);
  Function_Add("mean", F_Mean, kAnyCount);
  Function_Add("median", F_Median, kAnyCount);
  Function_Add("choose", F_Choose, kAnyCount);
  Function_Add("clamp", F_Clamp, 3);
  Function_Add("lerp", F_Lerp, 3);
  Function_Add("point_distance", F_PointDistance, 4);
  Function_Add("point_distance_3d", F_PointDistance3D, 6);
  Function_Add("point_direction", F_PointDirection, 4);
  Function_Add("lengthdir_x", F_LengthDirX, 2);
  Function_Add("lengthdir_y", F_LengthDirY, 2);
  Function_Add("dot_product", F_DotProduct, 4);
  Function_Add("dot_product_3d", F_DotProduct3D, 6);
  Function_Add("dot_product_normalised", F_DotProductNormalised, 4);
  Function_Add("dot_product_3d_normalised", F_DotProduct3DNormalised, 6);
}

void RegisterStrings() {
  Function_Add("real", F_Real, 1);
  Function_Add("string", F_String, 1);
  Function_Add("string_format", F_StringFormat, 3);
  Function_Add("chr", F_Chr, 1);
  Function_Add("ansi_char", F_AnsiChar, 1);
  Function_Add("ord", F_Ord, 1);
  Function_Add("string_length", F_StringLength, 1);
  Function_Add("string_byte_length", F_StringByteLength, 1);
  Function_Add("string_pos", F_StringPos, 2);
  Function_Add("string_copy", F_StringCopy, 3);
  Function_Add("string_char_at", F_StringCharAt, 2);
  Function_Add("string_byte_at", F_StringByteAt, 2);
  Function_Add("string_delete", F_StringDelete, 3);
  Function_Add("string_insert", F_StringInsert, 3);
  Function_Add("string_lower", F_StringLower, 1);
  Function_Add("string_upper", F_StringUpper, 1);
  Function_Add("string_repeat", F_StringRepeat, 2);
  Function_Add("string_letters", F_StringLetters, 1);
  Function_Add("string_digits", F_StringDigits, 1);
  Function_Add("string_lettersdigits", F_StringLettersDigits, 1);
  Function_Add("string_replace", F_StringReplace, 3);
  Function_Add("string_replace_all", F_StringReplaceAll, 3);
  Function_Add("string_count", F_StringCount, 2);
}

}  // namespace

void Builtins_RegisterMathsAndStrings() {
  RegisterMaths();
  RegisterStrings();
}

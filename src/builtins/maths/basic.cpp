// Rounding, powers, logarithms, aggregates and interpolation.
#include <algorithm>
#include <cmath>
#include <vector>

#include "builtins/builtin_args.h"
#include "builtins/maths/maths.h"
#include "runtime/numeric.h"

namespace {

using Unary = double (*)(double);

void ApplyUnary(ScriptValue* result, int32_t argc, ScriptValue* args, Unary f) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, f(a.Real(0)));
}

double Square(double x) { return x * x; }
double NaturalLog(double x) { return std::log(x); }
double LogTwo(double x) { return std::log(x) / std::log(2.0); }
double LogTen(double x) { return std::log10(x); }
double SquareRoot(double x) { return std::sqrt(x); }
double Exponential(double x) { return std::exp(x); }

// Strings are refused before any comparison; among equal values the first
// one stays.
void Extreme(ScriptValue* result, int32_t argc, ScriptValue* args, bool wantMax) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 0) return;
  for (int32_t i = 0; i < a.Count(); ++i) {
    if (a.IsString(i)) {
      Builtin_Error(wantMax ? "Error max(): illegal argument; strings not permitted"
                            : "Error min(): illegal argument; strings not permitted");
      Result_SetReal(result, 0.0);
      return;
    }
  }
  double best = a.Real(0);
  for (int32_t i = 1; i < a.Count(); ++i) {
    const double x = a.Real(i);
    if (wantMax ? x > best : x < best) best = x;
  }
  Result_SetReal(result, best);
}

// NaNs sort after every number so the ordering stays strict and weak.
bool Ascending(double x, double y) { return x < y || (!std::isnan(x) && std::isnan(y)); }

}  // namespace

void F_Abs(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, std::fabs(Maths_Single(a.Real(0))));
}

void F_Round(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Num_RoundInt32(a.Real(0)));
}

void F_Floor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Num_TruncInt32(std::floor(a.Real(0))));
}

void F_Ceil(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Num_TruncInt32(std::ceil(a.Real(0))));
}

void F_Sign(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double x = a.Real(0);
  Result_SetReal(result, !(x >= 0.0) ? -1.0 : (x == 0.0 ? 0.0 : 1.0));
}

void F_Frac(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double x = a.Real(0);
  Result_SetReal(result, x - std::trunc(x));
}

void F_Sqrt(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, SquareRoot); }
void F_Sqr(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, Square); }
void F_Exp(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, Exponential); }
void F_Ln(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, NaturalLog); }
void F_Log2(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, LogTwo); }
void F_Log10(KV_BUILTIN_PARAMS) { ApplyUnary(result, argc, args, LogTen); }

void F_Power(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, std::pow(a.Real(0), a.Real(1)));
}

void F_LogN(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, std::log(a.Real(0)) / std::log(a.Real(1)));
}

void F_Min(KV_BUILTIN_PARAMS) { Extreme(result, argc, args, false); }
void F_Max(KV_BUILTIN_PARAMS) { Extreme(result, argc, args, true); }
void F_Min3(KV_BUILTIN_PARAMS) { Extreme(result, argc, args, false); }
void F_Max3(KV_BUILTIN_PARAMS) { Extreme(result, argc, args, true); }

void F_Mean(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 0) return;
  double sum = 0.0;
  for (int32_t i = 0; i < a.Count(); ++i) sum += a.Real(i);
  Result_SetReal(result, sum / a.Count());
}

void F_Median(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 0) return;
  std::vector<double> values(static_cast<size_t>(a.Count()));
  for (int32_t i = 0; i < a.Count(); ++i) values[static_cast<size_t>(i)] = a.Real(i);
  std::sort(values.begin(), values.end(), Ascending);
  Result_SetReal(result, values[values.size() / 2]);
}

void F_Clamp(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() < 3) return;
  const double low = std::max(a.Real(0), a.Real(1));
  Result_SetReal(result, std::min(low, a.Real(2)));
}

void F_Lerp(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() != 3) return;
  const double from = a.Real(0);
  Result_SetReal(result, from + (a.Real(1) - from) * a.Real(2));
}

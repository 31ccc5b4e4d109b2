// Trigonometry, degree conversion and geometry. Arguments and results pass
// through single precision, and results within 1e-5 of zero become zero, so
// sin(pi) is exactly 0 in a script.
#include <cmath>

#include "builtins/builtin_args.h"
#include "builtins/maths/maths.h"

namespace {

constexpr double kSnapToZero = 1e-5;
constexpr double kSnapToWhole = 0.0001;

float ToFloat(double x) { return static_cast<float>(x); }

double Snapped(float value) {
  return std::fabs(static_cast<double>(value)) < kSnapToZero ? 0.0 : static_cast<double>(value);
}

// f on the single-precision argument, rounded to single precision, snapped.
void SingleTrig(ScriptValue* result, int32_t argc, ScriptValue* args, double (*f)(double)) {
  BuiltinArgs a(argc, args);
  const float x = ToFloat(a.Real(0));
  Result_SetReal(result, Snapped(ToFloat(f(x))));
}

// arcsin and arccos refuse arguments outside -1 .. 1 (a NaN is not outside
// and comes back as a NaN).
void SingleInverse(ScriptValue* result, int32_t argc, ScriptValue* args, double (*f)(double), const char* message) {
  BuiltinArgs a(argc, args);
  const float x = ToFloat(a.Real(0));
  if (x < -1.0f || x > 1.0f) {
    Builtin_Error(message);
    Result_SetReal(result, 0.0);
    return;
  }
  Result_SetReal(result, Snapped(ToFloat(f(x))));
}

double Sine(double x) { return std::sin(x); }
double Cosine(double x) { return std::cos(x); }
double Tangent(double x) { return std::tan(x); }
double ArcSine(double x) { return std::asin(x); }
double ArcCosine(double x) { return std::acos(x); }
double ArcTangent(double x) { return std::atan(x); }

float SingleRadians(double degrees) { return ToFloat(ToFloat(degrees) * kSinglePi / 180.0); }

// A product just beyond a whole number (away from zero) becomes that whole
// number; one just short of it stays as it is.
double SnapNearWhole(float product) {
  const double p = product;
  const double whole = std::trunc(p);
  if (std::fabs(p - whole) < kSnapToWhole) return whole + 0.0;  // + 0.0 drops a negative zero
  return p;
}

// Squares summed in double, the sum and its root each rounded to single.
double SingleLength(const double* deltas, int count) {
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += deltas[i] * deltas[i];
  return ToFloat(std::sqrt(static_cast<double>(ToFloat(sum))));
}

void PointDistance(ScriptValue* result, int32_t argc, ScriptValue* args, int dimensions) {
  BuiltinArgs a(argc, args);
  double deltas[3];
  for (int i = 0; i < dimensions; ++i) {
    const double from = ToFloat(a.Real(i));
    const double to = ToFloat(a.Real(i + dimensions));
    deltas[i] = to - from;
  }
  Result_SetReal(result, SingleLength(deltas, dimensions));
}

void DotProduct(ScriptValue* result, int32_t argc, ScriptValue* args, int dimensions) {
  BuiltinArgs a(argc, args);
  double dot = 0.0;
  for (int i = 0; i < dimensions; ++i) dot += a.Real(i) * a.Real(i + dimensions);
  Result_SetReal(result, dot);
}

// Zero-length vectors divide by zero on purpose: scripts get the infinity or
// NaN.
void DotProductNormalised(ScriptValue* result, int32_t argc, ScriptValue* args, int dimensions) {
  BuiltinArgs a(argc, args);
  double u[3];
  double v[3];
  double dot = 0.0;
  for (int i = 0; i < dimensions; ++i) {
    u[i] = ToFloat(a.Real(i));
    v[i] = ToFloat(a.Real(i + dimensions));
    dot += u[i] * v[i];
  }
  Result_SetReal(result, dot / (SingleLength(u, dimensions) * SingleLength(v, dimensions)));
}

}  // namespace

void F_Sin(KV_BUILTIN_PARAMS) { SingleTrig(result, argc, args, Sine); }
void F_Cos(KV_BUILTIN_PARAMS) { SingleTrig(result, argc, args, Cosine); }
void F_Tan(KV_BUILTIN_PARAMS) { SingleTrig(result, argc, args, Tangent); }
void F_ArcTan(KV_BUILTIN_PARAMS) { SingleTrig(result, argc, args, ArcTangent); }

void F_ArcSin(KV_BUILTIN_PARAMS) { SingleInverse(result, argc, args, ArcSine, "Error in function arcsin()."); }

void F_ArcCos(KV_BUILTIN_PARAMS) { SingleInverse(result, argc, args, ArcCosine, "Error in function arccos()."); }

void F_ArcTan2(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const float y = ToFloat(a.Real(0));
  const float x = ToFloat(a.Real(1));
  Result_SetReal(result, Snapped(ToFloat(std::atan2(static_cast<double>(y), static_cast<double>(x)))));
}

void F_DegToRad(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.Real(0) * kSinglePi / 180.0);
}

void F_RadToDeg(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.Real(0) * 180.0 / kSinglePi);
}

void F_PointDistance(KV_BUILTIN_PARAMS) { PointDistance(result, argc, args, 2); }
void F_PointDistance3D(KV_BUILTIN_PARAMS) { PointDistance(result, argc, args, 3); }

void F_PointDirection(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const float dx = ToFloat(a.Real(2)) - ToFloat(a.Real(0));
  const float dy = ToFloat(a.Real(3)) - ToFloat(a.Real(1));
  double direction;
  if (dx == 0.0f) {
    direction = dy > 0.0f ? 270.0 : (dy < 0.0f ? 90.0 : 0.0);
  } else {
    const float angle = ToFloat(
        static_cast<double>(ToFloat(std::atan2(static_cast<double>(dy), static_cast<double>(dx)))) * 180.0 / kSinglePi);
    direction = angle > 0.0f ? 360.0 - angle : 0.0 - angle;  // 0.0 - keeps zero positive
  }
  Result_SetReal(result, direction);
}

void F_LengthDirX(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const float component = ToFloat(std::cos(static_cast<double>(SingleRadians(a.Real(1)))));
  Result_SetReal(result, SnapNearWhole(component * ToFloat(a.Real(0))));
}

void F_LengthDirY(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const float component = ToFloat(std::sin(static_cast<double>(SingleRadians(a.Real(1)))));
  Result_SetReal(result, 0.0 - SnapNearWhole(component * ToFloat(a.Real(0))));
}

void F_DotProduct(KV_BUILTIN_PARAMS) { DotProduct(result, argc, args, 2); }
void F_DotProduct3D(KV_BUILTIN_PARAMS) { DotProduct(result, argc, args, 3); }
void F_DotProductNormalised(KV_BUILTIN_PARAMS) { DotProductNormalised(result, argc, args, 2); }
void F_DotProduct3DNormalised(KV_BUILTIN_PARAMS) { DotProductNormalised(result, argc, args, 3); }

// Type tests and the script random generator's built-ins.
#include <cmath>
#include <cstdint>

#include "builtins/builtin_args.h"
#include "builtins/maths/maths.h"
#include "runtime/numeric.h"
#include "runtime/random.h"
#include "runtime/timer.h"

namespace {

// Two generator words, the second as the high half, top bit cleared: a
// 63-bit number that never needs a signed conversion.
uint64_t Random63() {
  const uint64_t low = Random_Next();
  const uint64_t high = Random_Next();
  return ((high << 32) | low) & 0x7FFFFFFFFFFFFFFFull;
}

}  // namespace

void F_IsReal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.IsReal(0) ? 1.0 : 0.0);
}

void F_IsString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.IsString(0) ? 1.0 : 0.0);
}

void F_Random(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Random_Real(1.0) * a.Real(0));
}

void F_RandomRange(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double lo = std::fmin(a.Real(0), a.Real(1));
  Result_SetReal(result, lo + Random_Real(1.0) * std::fabs(a.Real(0) - a.Real(1)));
}

void F_IRandom(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const uint64_t number = Random63();
  // n in (-2, -1] makes the modulus 0; any other negative n makes it huge,
  // which simply hands back the drawn number.
  const uint64_t modulus = static_cast<uint64_t>(Num_TruncInt64(a.Real(0))) + 1u;
  Result_SetReal(result, modulus == 0 ? 0.0 : static_cast<double>(number % modulus));
}

void F_IRandomRange(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double lo = std::fmin(a.Real(0), a.Real(1));
  const uint64_t span = static_cast<uint64_t>(Num_TruncInt64(std::fabs(a.Real(0) - a.Real(1)) + 1.0));
  const uint64_t number = Random63();
  const double offset = span == 0 ? 0.0 : static_cast<double>(number % span);
  Result_SetReal(result, static_cast<double>(Num_TruncInt64(offset + lo)));
}

void F_RandomSetSeed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  // The low 32 bits of the nearest integer, so -1 and 4294967295 seed alike.
  const uint64_t whole = static_cast<uint64_t>(Num_RoundInt64(a.Real(0)));
  Random_Seed(static_cast<int32_t>(static_cast<uint32_t>(whole)));
  Result_SetReal(result, 0.0);
}

void F_RandomGetSeed(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, static_cast<double>(static_cast<uint32_t>(Random_GetSeed())));
}

void F_Randomize(KV_BUILTIN_PARAMS) {
  const uint64_t t = static_cast<uint64_t>(Timer_GetMicroseconds());
  const uint32_t high = static_cast<uint32_t>(t >> 32);
  const uint32_t low = static_cast<uint32_t>(t);
  const uint32_t seed = (high + low) ^ static_cast<uint32_t>((t >> 16) & 0xFFFFu) ^ (low << 16);
  Result_SetReal(result, static_cast<double>(Random_Seed(static_cast<int32_t>(seed))));
}

void F_Choose(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Count() == 0) return;
  int32_t index = Random_Int(a.Count());
  if (index < 0 || index >= a.Count()) index = 0;
  ScriptValue_Assign(result, &a.Value(index));
}

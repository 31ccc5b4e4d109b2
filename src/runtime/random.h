// The program-wide script random generator (WELL512a). Scripts, shuffles,
// particles and temporary file names all draw from this one sequence, so a
// game that sets the seed replays exactly the same run.
#pragma once

#include <cstdint>

struct RandomState {
  uint32_t state[16];
  uint32_t index;  // 0 to 15
  int32_t seed;    // the seed last set
};

// Refills the state from the seed and restarts the index; returns the seed.
int32_t Random_Seed(int32_t seed);
int32_t Random_GetSeed();
// The next 32-bit word.
uint32_t Random_Next();
// A real in [0, x) (or (x, 0] for a negative x).
double Random_Real(double x);
// An integer in [0, |n|); |INT32_MIN| counts as 2^31. Random_Int(0) gives 0
// without drawing.
int32_t Random_Int(int32_t n);

// Read access for diagnostics and tests.
const RandomState& Random_State();

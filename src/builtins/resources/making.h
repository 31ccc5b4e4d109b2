// How the built-ins that make or reload sprites and backgrounds read their
// flag arguments and which fixed precise and preload values they pass on.
// The functions do not agree: some take a flag at 0.5 and above, others only
// above 0.5, and each kind of source has its own fixed settings. One row per
// function keeps that in one place.
#pragma once

#include <cstdint>
#include <iterator>

#include "runtime/numeric.h"

enum class FlagTest : uint8_t { kAtHalf, kAboveHalf };

inline bool FlagTest_Passes(FlagTest test, double value) {
  return test == FlagTest::kAtHalf ? Num_TrueAtHalf(value) : Num_TrueAboveHalf(value);
}

enum class Making : uint8_t {
  kSpriteAdd,
  kSpriteReplace,
  kSpriteFromScreen,
  kSpriteFromSurface,
  kBackgroundAdd,
  kBackgroundReplace,
  kBackgroundColour,
  kBackgroundGradient,
  kBackgroundFromScreen,
  kBackgroundFromSurface,
};

struct MakingRule {
  Making making;
  // The remove-background (transparent) and smooth arguments; unused by the
  // colour and gradient backgrounds, which take no flags.
  FlagTest transparent;
  FlagTest smooth;
  bool precise;  // sprites only
  bool preload;
};

inline constexpr MakingRule kMakingRules[] = {
    {Making::kSpriteAdd, FlagTest::kAtHalf, FlagTest::kAboveHalf, false, false},
    {Making::kSpriteReplace, FlagTest::kAboveHalf, FlagTest::kAboveHalf, true, true},
    {Making::kSpriteFromScreen, FlagTest::kAboveHalf, FlagTest::kAboveHalf, true, true},
    {Making::kSpriteFromSurface, FlagTest::kAboveHalf, FlagTest::kAboveHalf, true, false},
    // The three background functions below that are given no preload
    // argument: an image file and a gradient are preloaded like a plain
    // colour, a surface capture is not, like a screen capture.
    {Making::kBackgroundAdd, FlagTest::kAtHalf, FlagTest::kAtHalf, false, true},
    {Making::kBackgroundReplace, FlagTest::kAtHalf, FlagTest::kAtHalf, false, true},
    {Making::kBackgroundColour, FlagTest::kAtHalf, FlagTest::kAtHalf, false, true},
    {Making::kBackgroundGradient, FlagTest::kAtHalf, FlagTest::kAtHalf, false, true},
    {Making::kBackgroundFromScreen, FlagTest::kAboveHalf, FlagTest::kAboveHalf, false, false},
    {Making::kBackgroundFromSurface, FlagTest::kAboveHalf, FlagTest::kAboveHalf, false, false},
};

constexpr bool MakingRulesInOrder() {
  for (size_t i = 0; i < std::size(kMakingRules); ++i) {
    if (static_cast<size_t>(kMakingRules[i].making) != i) return false;
  }
  return true;
}
static_assert(MakingRulesInOrder());

inline const MakingRule& Making_Rule(Making making) { return kMakingRules[static_cast<size_t>(making)]; }

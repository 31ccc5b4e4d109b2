// The transition drawer: one frame of a built-in transition kind painted
// from the old room's picture and the new room's, held in two surfaces,
// at a fraction from 0 (all old) to 1 (all new).
#pragma once

#include <cstdint>

// What a running transition holds. It exists from its start to the end of
// its finish; the surfaces live exactly that long, and every index is -1
// when its surface is gone.
struct TransitionState {
  int32_t kind = -1;
  int32_t oldSurface = -1;
  int32_t newSurface = -1;
};
extern TransitionState g_transition;

// Paints the frame over the whole screen-sized target. Kinds outside the
// built-in ones, and surfaces that no longer exist, draw nothing.
void GR_Transition_Draw(int32_t kind, float fraction);

// Running a room transition: Start captures the current room into the
// old-room surface and points drawing at the new-room surface, so that the
// next room's first frame lands there; Finish plays every frame of the
// transition at once and lets both surfaces go. Room changes never call
// these; they stand ready for a transition that is switched on.
#pragma once

#include <cstdint>

// Call with a frame open. A kind that is not built in is kept and only
// noted on the debug console.
void GR_Transition_Start(int32_t kind);
// Expects the frame the new room was drawn in to be still open; ends it,
// presents the transition's frames and frees its surfaces. Always false.
bool GR_Transition_Finish();

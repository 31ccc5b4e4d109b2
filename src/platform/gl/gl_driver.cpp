#include "platform/gl/gl_driver.h"

#include <cstdlib>

// The software driver's rasteriser threads signal a fence by raising its
// count and only then unlocking the fence's mutex, while a wait that finds
// the count raised returns without taking the mutex. The fence is then freed
// (the next clear or draw lets it go) and the rasteriser's late unlock writes
// into freed memory, by then perhaps another block of the heap: a frame that
// draws a render target onto the back buffer on a loaded machine corrupts
// the heap now and then. Without rasteriser threads the driver draws in the
// calling thread and signals its fences there. Other drivers ignore the
// setting; it holds even where a user set another count, since the count is
// what lets the fault happen.
void GlDriver_BeforeLoad() {
  static bool told = false;
  if (told) return;
  told = true;
  setenv("LP_NUM_THREADS", "0", 1);
}

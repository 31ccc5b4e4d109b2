#include "platform/gl/gl_driver.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "platform/switches.h"

// The software driver's rasteriser threads signal a fence by raising its
// count and only then unlocking the fence's mutex, while a look that finds
// the count raised takes no lock, and a wait that finds it raised returns
// at once. The drawing thread frees the fence of a scene it handed over once
// it finds it raised, or once a later scene is handed over: a rasteriser's
// late unlock then writes into freed memory, by then perhaps another block
// of the heap. A wait alone (glFinish) does not help: the scene may be done
// by the time it looks.
//
// So the device ends each scene itself, at every place where the driver
// would (a target set or reset, the frame onto the back buffer and into the
// window, pixels read or written, a blit, the frame's end): it waits for
// the scene, then keeps its fence (a sync object holds it) until its next
// wait. When that wait sees the later scene done, every rasteriser thread
// has raised that scene's count, which each does only after unlocking the
// kept fence, so letting the kept fence go frees nothing a thread holds.
// What is left is a scene that the driver ends by itself between two of
// these places, when its memory runs out: freed early only when that
// happens twice between two of them.
//
// The threads stay: without them (LP_NUM_THREADS=0) the driver rasterises in
// the calling thread and the player draws on one core. The count is the
// driver's own choice (one per core) or the user's.
bool GlDriver_WaitsForItsThreads() {
  if (Switches_Get().noDriverWait) return false;
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (renderer == nullptr || std::strncmp(renderer, "llvmpipe", 8) != 0) return false;
  const char* threads = std::getenv("LP_NUM_THREADS");
  return threads == nullptr || std::atoi(threads) != 0;
}

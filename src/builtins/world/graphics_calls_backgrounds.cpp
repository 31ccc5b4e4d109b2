// The background drawing operations reached by the built-ins. The records'
// own drawing is not in yet, so these draw nothing for now.
#include "builtins/world/graphics_calls.h"

void GraphicsCalls_FillBackgrounds(GraphicsCalls* calls);

namespace {

void Simple(int32_t, float, float) {}
void Draw(int32_t, float, float, float, float, float, uint32_t, float) {}
void Part(int32_t, float, float, float, float, float, float, float, float, uint32_t, float) {}
void General(int32_t, float, float, float, float, float, float, float, float, float, uint32_t, uint32_t, uint32_t,
             uint32_t, float) {}
void Stretched(int32_t, float, float, float, float, uint32_t, float) {}
void Tiled(int32_t, float, float, float, float, bool, bool, int32_t, int32_t, int32_t, int32_t, uint32_t, float) {}

}  // namespace

void GraphicsCalls_FillBackgrounds(GraphicsCalls* calls) {
  calls->backgroundSimple = Simple;
  calls->background = Draw;
  calls->backgroundPart = Part;
  calls->backgroundGeneral = General;
  calls->backgroundStretched = Stretched;
  calls->backgroundTiled = Tiled;
}

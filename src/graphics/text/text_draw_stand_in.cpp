// Texts are only read: nothing is drawn, every text measures 0, and the
// font and alignment chosen change nothing.
#include "graphics/text/text_draw_services.h"

namespace {

void Choose(int32_t) {}
int32_t Measure(const char*, int32_t, int32_t) { return 0; }
void Draw(float, float, const char*, int32_t, int32_t) {}
void DrawTransformed(float, float, const char*, int32_t, int32_t, float, float, float) {}
void DrawColor(float, float, const char*, int32_t, int32_t, uint32_t, uint32_t, uint32_t, uint32_t, float) {}
void DrawTransformedColor(float, float, const char*, int32_t, int32_t, float, float, float, uint32_t, uint32_t,
                          uint32_t, uint32_t, float) {}

constexpr TextDrawServices kStandIn{Choose, Choose, Choose, Measure, Measure, Draw, DrawTransformed, DrawColor,
                                    DrawTransformedColor};

}  // namespace

const TextDrawServices& TextDrawServices_StandIn() { return kStandIn; }

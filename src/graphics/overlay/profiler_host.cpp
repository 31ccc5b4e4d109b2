#include "graphics/overlay/profiler_host.h"

namespace {

void NoMouse(int32_t* x, int32_t* y) { *x = *y = 0; }
bool No() { return false; }
void NoPort(int32_t* w, int32_t* h) { *w = *h = 0; }
bool NoTitle(const char**, int32_t*, int32_t*) { return false; }
int32_t NoTexture() { return -1; }
const uint8_t* NoGlyphs() { return nullptr; }

constexpr ProfilerHost kNoGame{NoMouse, No, No, NoPort, NoTitle, NoTexture, NoGlyphs};
const ProfilerHost* g_host = &kNoGame;

}  // namespace

void ProfilerHost_Install(const ProfilerHost* host) { g_host = host != nullptr ? host : &kNoGame; }

const ProfilerHost& ProfilerHost_Get() { return *g_host; }

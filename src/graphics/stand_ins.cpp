// Plain versions of the surface, overlay-font and profiler operations. The
// layers that own these names replace this file.
#include "graphics/stand_ins.h"

void GR_Surface_Free_All() {}
void GR_Overlay_Bind_Font() {}
void Profiler_Frame_Start() {}
void Profiler_Draw() {}
void Profiler_Init() {}
void Profiler_Shutdown() {}

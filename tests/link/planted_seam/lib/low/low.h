// A setter of a seam that the planted table leaves out.
#pragma once

using LowHook = void (*)();
void Low_SetHook(LowHook hook);

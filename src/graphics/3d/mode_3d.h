// The 3D mode switch and the depth 2D drawing is given. Switching flushes
// and sets perspective and hidden-surface removal to the same value; the
// depth is 0 outside 3D mode.
#pragma once

bool GR_3D_Set_Mode(bool on);
// Clamped to -16000..16000.
void GR_3D_Set_Depth(float depth);
// The z buffer to 1.0 and the stencil to 0.
void GR_Clear_Depth();

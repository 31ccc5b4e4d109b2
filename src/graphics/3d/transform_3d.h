// The 3D camera and world transform: projection setters (view and
// projection matrices), world-matrix setters and adders, and a stack of 51
// saved world matrices. Angles are in degrees. Everything reaches the
// device through the transform cache, which draws pending vertices first.
#pragma once

#include <cstdint>

void GR_3D_Set_Projection(float xFrom, float yFrom, float zFrom, float xTo, float yTo, float zTo, float xUp, float yUp,
                          float zUp);
// Also a perspective of the vertical angle, the aspect, near and far.
void GR_3D_Set_Projection_Ext(float xFrom, float yFrom, float zFrom, float xTo, float yTo, float zTo, float xUp,
                              float yUp, float zUp, float angle, float aspect, float zNear, float zFar);
// The rectangle (x, y, w, h) seen straight on, turned by the angle.
void GR_3D_Set_Projection_Ortho(float x, float y, float w, float h, float angle);
void GR_3D_Set_Projection_Perspective(float x, float y, float w, float h, float angle);

// The world matrix becomes the transform.
void GR_3D_Transform_Set_Identity();
void GR_3D_Transform_Set_Translation(float x, float y, float z);
void GR_3D_Transform_Set_Scaling(float x, float y, float z);
void GR_3D_Transform_Set_Rotation_X(float angle);
void GR_3D_Transform_Set_Rotation_Y(float angle);
void GR_3D_Transform_Set_Rotation_Z(float angle);
// Turns the same way as the three axis rotations.
void GR_3D_Transform_Set_Rotation_Axis(float xa, float ya, float za, float angle);
// The transform applies after what the world matrix already does.
void GR_3D_Transform_Add_Translation(float x, float y, float z);
void GR_3D_Transform_Add_Scaling(float x, float y, float z);
void GR_3D_Transform_Add_Rotation_X(float angle);
void GR_3D_Transform_Add_Rotation_Y(float angle);
void GR_3D_Transform_Add_Rotation_Z(float angle);
void GR_3D_Transform_Add_Rotation_Axis(float xa, float ya, float za, float angle);

constexpr int32_t kTransformStackSlots = 51;
// Only the clear empties the stack. Push is false when it is full; pop, top
// and discard are false, and leave the world matrix alone, when it is empty.
void GR_3D_Transform_Stack_Clear();
bool GR_3D_Transform_Stack_Empty();
bool GR_3D_Transform_Stack_Push();
bool GR_3D_Transform_Stack_Pop();
bool GR_3D_Transform_Stack_Top();
bool GR_3D_Transform_Stack_Discard();

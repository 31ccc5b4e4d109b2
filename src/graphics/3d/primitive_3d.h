// 3D geometry built vertex by vertex (a primitive of one kind at a time,
// each vertex with an optional normal, texture coordinates and colour) or
// as whole shapes from a bounding box. A finished primitive goes to the
// vertex batch, or to the recorder of a model being recorded.
//
// Colours: a vertex in the current colour stores it with bit 0 cleared; a
// vertex with its own colour stores it packed with bit 0 set, so that a
// recording can tell the two apart and re-colour only the first.
//
// A texture argument is a texture index, -1 for none, or a texture-page
// handle, whose textured vertices' coordinates are mapped into the page's
// place; the plain forms keep 0, 0.
#pragma once

#include <cstdint>

#include "graphics/device/batcher.h"

class GraphicsRecorder;

// The vertices one primitive holds before it is drawn and continued.
constexpr int32_t kPrimitive3DMax = 1000;

void GR_3D_Primitive_Begin(int32_t kind, int64_t texture);
// Kinds 1..6 only: whole primitives to the recorder or the batch.
void GR_3D_Primitive_End();
void GR_3D_Vertex(float x, float y, float z);
void GR_3D_Vertex_Color(float x, float y, float z, uint32_t colour, float alpha);
void GR_3D_Vertex_Texture(float x, float y, float z, float u, float v);
void GR_3D_Vertex_Texture_Color(float x, float y, float z, float u, float v, uint32_t colour, float alpha);
void GR_3D_Vertex_Normal(float x, float y, float z, float nx, float ny, float nz);
void GR_3D_Vertex_Normal_Color(float x, float y, float z, float nx, float ny, float nz, uint32_t colour, float alpha);
void GR_3D_Vertex_Normal_Texture(float x, float y, float z, float nx, float ny, float nz, float u, float v);
void GR_3D_Vertex_Normal_Texture_Color(float x, float y, float z, float nx, float ny, float nz, float u, float v,
                                       uint32_t colour, float alpha);

// Finished primitives go to the recorder while one is set (null: the batch).
void GR_3D_Set_Recorder(GraphicsRecorder* recorder);
// The primitive being built, for tests.
int32_t GR_3D_Primitive_Count();
const NormalTexVertex* GR_3D_Primitive_Vertices();

// Shapes in the current colour, with texture repeat on while they draw.
// Steps are held to 3..128. A wall whose ends coincide draws nothing.
void GR_3D_Draw_Block(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                      float vrepeat);
void GR_3D_Draw_Cylinder(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                         float vrepeat, bool closed, int32_t steps);
void GR_3D_Draw_Cone(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                     float vrepeat, bool closed, int32_t steps);
void GR_3D_Draw_Ellipsoid(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                          float vrepeat, int32_t steps);
void GR_3D_Draw_Wall(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                     float vrepeat);
void GR_3D_Draw_Floor(float x1, float y1, float z1, float x2, float y2, float z2, int64_t texture, float hrepeat,
                      float vrepeat);

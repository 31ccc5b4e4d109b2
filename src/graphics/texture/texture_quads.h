// Quads of textured vertices written into the batch from a texture index or
// a texture-page record. Six-vertex list forms join the pending batch while
// texture and format stay the same; the four-vertex fan forms end it. Each
// writer draws nothing for a bad or unused texture. Angles are in radians;
// colours are script colours 0xBBGGRR with alpha 0..1 unless said otherwise.
#pragma once
#include <cstdint>

struct DeviceTexture;
struct TexturePage;

struct QuadPoint {
  float x, y;
};

// A tiled area in room pixels.
struct TileArea {
  int32_t left, top, width, height;
};

void GR_Texture_Draw(int32_t index, float x, float y);
void GR_Texture_Draw_Ext(int32_t index, float xOrigin, float yOrigin, float x, float y, float xScale, float yScale,
                         float angle, uint32_t colour, float alpha);
void GR_Texture_Draw_Part(int32_t index, float left, float top, float width, float height, float x, float y,
                          float xScale, float yScale, float angle, uint32_t colour, float alpha);
void GR_Texture_Draw_General(int32_t index, float left, float top, float width, float height, float x, float y,
                             float xScale, float yScale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                             uint32_t c4, float alpha);
void GR_Texture_Draw_Tiled(int32_t index, float xOrigin, float yOrigin, float x, float y, float xScale, float yScale,
                           bool hRepeat, bool vRepeat, TileArea area, uint32_t colour, float alpha);

void GR_TexturePage_Draw(TexturePage* page, float x, float y);
// Corners top-left, top-right, bottom-right, bottom-left.
void GR_TexturePage_Draw_Pos(TexturePage* page, QuadPoint p1, QuadPoint p2, QuadPoint p3, QuadPoint p4,
                             uint32_t colour);
void GR_TexturePage_Draw_Ext(TexturePage* page, float xOrigin, float yOrigin, float x, float y, float xScale,
                             float yScale, float angle, uint32_t colour, float alpha);
// The part is given in the coordinates of the untrimmed image.
void GR_TexturePage_Draw_Part(TexturePage* page, float left, float top, float width, float height, float x, float y,
                              float xScale, float yScale, float angle, uint32_t colour, float alpha);
void GR_TexturePage_Draw_General(TexturePage* page, float left, float top, float width, float height, float x, float y,
                                 float xScale, float yScale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                                 uint32_t c4, float alpha);
void GR_TexturePage_Draw_Tiled(TexturePage* page, float xOrigin, float yOrigin, float x, float y, float xScale,
                               float yScale, bool hRepeat, bool vRepeat, TileArea area, uint32_t colour, float alpha);

// Two triangles p1-p2-p3 and p3-p4-p1; colours are device colours 0xAARRGGBB.
void GR_Texture_Emit_Quad(DeviceTexture* texture, QuadPoint p1, QuadPoint p2, QuadPoint p3, QuadPoint p4, float u0,
                          float v0, float u1, float v1, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4);

// 2D primitives written straight into the pending vertex batch, clears and
// pixel reads. Coordinates are room or view coordinates; colour arguments
// are script colours 0xBBGGRR and take the current alpha; the plain forms
// draw in the current colour. An outline flag counts only when it is 1.
#pragma once
#include <cstdint>

// Colour 0xAABBGGRR as given (the caller puts the alpha in the top byte).
void GR_Draw_Clear(uint32_t colour);
void GR_Draw_Clear_Alpha(uint32_t scriptColour, float alpha);
// The screen target's pixel as a script colour; 0 when it cannot be read.
uint32_t GR_Draw_Get_Pixel(int32_t x, int32_t y);
// The window pixel a room point is shown at: relative to the view, scaled
// to its port's pixels, rounded (halves to even). Without a view set up the
// room point is the pixel.
void GR_Room_To_Window(float x, float y, int32_t* windowX, int32_t* windowY);

void GR_Draw_Point(float x, float y);
void GR_Draw_Point_Color(float x, float y, uint32_t colour);
void GR_Draw_Line(float x1, float y1, float x2, float y2);
void GR_Draw_Line_Color(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2);
// A line of no length draws nothing.
void GR_Draw_Line_Width(float x1, float y1, float x2, float y2, float width);
void GR_Draw_Line_Width_Color(float x1, float y1, float x2, float y2, float width, uint32_t colour1, uint32_t colour2);
void GR_Draw_Triangle(float x1, float y1, float x2, float y2, float x3, float y3, int32_t outline);
void GR_Draw_Triangle_Color(float x1, float y1, float x2, float y2, float x3, float y3, uint32_t colour1,
                            uint32_t colour2, uint32_t colour3, int32_t outline);
void GR_Draw_Rectangle(float x1, float y1, float x2, float y2, int32_t outline);
// Corner colours clockwise from the top left.
void GR_Draw_Rectangle_Color(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                             uint32_t colour3, uint32_t colour4, int32_t outline);
void GR_Draw_Roundrect(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight, int32_t outline);
void GR_Draw_Roundrect_Color(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight,
                             uint32_t centreColour, uint32_t edgeColour, int32_t outline);
void GR_Draw_Circle(float x, float y, float radius, int32_t outline);
void GR_Draw_Circle_Color(float x, float y, float radius, uint32_t centreColour, uint32_t edgeColour, int32_t outline);
void GR_Draw_Ellipse(float x1, float y1, float x2, float y2, int32_t outline);
void GR_Draw_Ellipse_Color(float x1, float y1, float x2, float y2, uint32_t centreColour, uint32_t edgeColour,
                           int32_t outline);
// The cores take device colours.
void GR_Draw_Line_Core(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2);
void GR_Draw_Ellipse_Core(float x1, float y1, float x2, float y2, uint32_t centre, uint32_t edge, bool outline);
void GR_Draw_Roundrect_Core(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight,
                            uint32_t centre, uint32_t edge, bool outline);
// A shaft of no length draws nothing.
void GR_Draw_Arrow(float x1, float y1, float x2, float y2, float headSize);
void GR_Draw_Button(float x1, float y1, float x2, float y2, bool up);
// Amount 0..100; direction 1 from the right, 2 from the top, 3 from the
// bottom, anything else from the left.
void GR_Draw_Healthbar(float x1, float y1, float x2, float y2, float amount, uint32_t backColour, uint32_t minColour,
                       uint32_t midColour, uint32_t maxColour, int32_t direction, bool showBack, bool showBorder);

// A primitive of free vertices: kinds 1 point list .. 6 triangle fan; at
// most kFreePrimitiveMax vertices, later ones are ignored. The texture is a
// texture index, else a texture-page handle, else none. End draws the list
// and keeps it.
constexpr int32_t kFreePrimitiveMax = 1001;
void GR_Primitive_Begin(int32_t kind, int64_t texture);
void GR_Primitive_Vertex(float x, float y);
void GR_Primitive_Vertex_Color(float x, float y, uint32_t colour, float alpha);
void GR_Primitive_Vertex_Texture(float x, float y, float u, float v);
void GR_Primitive_Vertex_Texture_Color(float x, float y, float u, float v, uint32_t colour, float alpha);
void GR_Primitive_End();
int32_t GR_Primitive_Count();

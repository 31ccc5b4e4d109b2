#include "graphics/texture/texture_quads.h"

#include <cmath>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"
#include "runtime/numeric.h"

namespace {

constexpr float kFineAngle = 0.001f;
constexpr float kCoarseAngle = 0.01f;

struct Uv {
  float u0, v0, u1, v1;
};

// Corners in the order top-left, top-right, bottom-right, bottom-left.
struct Corners {
  QuadPoint p[4];
};

uint32_t Pack(uint32_t colour, uint32_t alpha) {
  return (alpha << 24) | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t ClampByte(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); }
uint32_t AlphaTruncated(float alpha) { return ClampByte(Num_TruncInt32(static_cast<double>(alpha) * 255.0)); }
uint32_t AlphaRounded(float alpha) { return ClampByte(Num_RoundInt32(static_cast<double>(alpha) * 255.0)); }
float Trunc(float v) { return static_cast<float>(Num_TruncInt32(static_cast<double>(v))); }

// Offsets from (x, y) turned by the angle, or just added below the threshold.
Corners Place(float x, float y, const QuadPoint (&offsets)[4], float angle, float threshold) {
  Corners out;
  const bool turn = !(std::fabs(angle) < threshold);
  const float s = turn ? std::sin(angle) : 0.0f, c = turn ? std::cos(angle) : 1.0f;
  for (int i = 0; i < 4; ++i) {
    const float px = offsets[i].x, py = offsets[i].y;
    out.p[i] = turn ? QuadPoint{x + c * px + s * py, y - s * px + c * py} : QuadPoint{x + px, y + py};
  }
  return out;
}

Corners Box(float x, float y, float left, float top, float right, float bottom, float angle, float threshold) {
  const QuadPoint offsets[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  return Place(x, y, offsets, angle, threshold);
}

TexVertex Vertex(QuadPoint p, uint32_t colour, float u, float v) {
  return TexVertex{p.x, p.y, g_drawDepth, colour, u, v};
}

// TL, TR, BR, BR, BL, TL.
void ListQuad(DeviceTexture* texture, const Corners& q, const Uv& uv, uint32_t colour) {
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(D3DPT_TRIANGLELIST, texture, sizeof(TexVertex), 6));
  if (v == nullptr) return;
  v[0] = Vertex(q.p[0], colour, uv.u0, uv.v0);
  v[1] = Vertex(q.p[1], colour, uv.u1, uv.v0);
  v[2] = Vertex(q.p[2], colour, uv.u1, uv.v1);
  v[3] = v[2];
  v[4] = Vertex(q.p[3], colour, uv.u0, uv.v1);
  v[5] = v[0];
}

// TL, TR, BR, BL with a colour each.
void FanQuad(DeviceTexture* texture, const Corners& q, const Uv& uv, const uint32_t (&colours)[4]) {
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(D3DPT_TRIANGLEFAN, texture, sizeof(TexVertex), 4));
  if (v == nullptr) return;
  v[0] = Vertex(q.p[0], colours[0], uv.u0, uv.v0);
  v[1] = Vertex(q.p[1], colours[1], uv.u1, uv.v0);
  v[2] = Vertex(q.p[2], colours[2], uv.u1, uv.v1);
  v[3] = Vertex(q.p[3], colours[3], uv.u0, uv.v1);
}

void FanQuad(DeviceTexture* texture, const Corners& q, const Uv& uv, uint32_t colour) {
  const uint32_t colours[4] = {colour, colour, colour, colour};
  FanQuad(texture, q, uv, colours);
}

Uv WholeArea(const TextureEntry* e) {
  return Uv{0, 0, static_cast<float>(e->width) * e->inverseWidth, static_cast<float>(e->height) * e->inverseHeight};
}

// The record's entry, with a zero target size made 1 in the record itself.
TextureEntry* PageEntry(TexturePage* page) {
  if (page == nullptr) return nullptr;
  TextureEntry* e = GR_Texture_Entry(GR_TexturePage_Texture(page));
  if (e == nullptr) return nullptr;
  if (page->cropWidth == 0) page->cropWidth = 1;
  if (page->cropHeight == 0) page->cropHeight = 1;
  return e;
}

Uv PageSource(const TexturePage* p, const TextureEntry* e) {
  const float sx = p->x, sy = p->y;
  return Uv{sx * e->inverseWidth, sy * e->inverseHeight, (sx + p->width) * e->inverseWidth,
            (sy + p->height) * e->inverseHeight};
}

// A part of the untrimmed image clipped to the stored crop: where it starts
// inside the crop, its size, and where its top-left corner goes.
struct ClippedPart {
  float sx, sy, width, height, x, y;
};

bool ClipPart(const TexturePage* p, float left, float top, float width, float height, float x, float y, float xScale,
              float yScale, float angle, ClippedPart* out) {
  const float s = std::sin(angle), c = std::cos(angle);
  const float ox = p->xOffset, oy = p->yOffset;
  float sx = left - ox, sy = top - oy;
  if (ox > left) {
    const float d = ox - left;
    x += Trunc(d * c * xScale);
    y -= Trunc(d * s * yScale);
    width -= d;
    sx = 0;
  }
  if (oy > top) {
    const float d = oy - top;
    x += Trunc(d * s * xScale);
    y += Trunc(d * c * yScale);
    height -= d;
    sy = 0;
  }
  // A part reaching past the crop's far edge stops there rather than showing
  // its neighbours on the page.
  width = std::fmin(width, static_cast<float>(p->cropWidth) - sx);
  height = std::fmin(height, static_cast<float>(p->cropHeight) - sy);
  if (!(width > 0.0f) || !(height > 0.0f)) return false;
  *out = ClippedPart{sx, sy, width, height, x, y};
  return true;
}

// The first tile's start on one axis in whole pixels: the texture form.
bool FirstTile(int64_t start, int64_t step, bool repeat, int64_t areaStart, int64_t areaEnd, int64_t* first) {
  if (!repeat) {
    *first = start;
    return true;
  }
  int64_t at = start % step;
  if (at > 0) at -= step;
  if (areaStart > at + step) at += (areaStart - at - 1) / step * step;
  *first = at;
  return at < areaEnd;
}

// The same in floating point for the page form, also stepping back while a
// tile starts at or beyond the area's end.
bool FirstTileReal(double start, double step, bool repeat, double areaStart, double areaEnd, double* first) {
  if (!repeat) {
    *first = start;
    return true;
  }
  double at = std::fmod(start, step);
  if (!std::isfinite(at)) return false;
  if (at > 0) at -= step;
  if (areaStart > at + step) at += std::ceil((areaStart - at - step) / step) * step;
  if (at >= areaEnd) at -= (std::floor((at - areaEnd) / step) + 1) * step;
  *first = at;
  return at < areaEnd;
}

}  // namespace

void GR_Texture_Emit_Quad(DeviceTexture* texture, QuadPoint p1, QuadPoint p2, QuadPoint p3, QuadPoint p4, float u0,
                          float v0, float u1, float v1, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) {
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(D3DPT_TRIANGLELIST, texture, sizeof(TexVertex), 6));
  if (v == nullptr) return;
  v[0] = Vertex(p1, c1, u0, v0);
  v[1] = Vertex(p2, c2, u1, v0);
  v[2] = Vertex(p3, c3, u1, v1);
  v[3] = v[2];
  v[4] = Vertex(p4, c4, u0, v1);
  v[5] = v[0];
}

void GR_Texture_Draw(int32_t index, float x, float y) {
  const TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  const Corners q = Box(x, y, 0, 0, e->width, e->height, 0, 1);
  ListQuad(e->texture, q, WholeArea(e), Pack(0xFFFFFF, g_drawState.alpha & 0xFF));
}

void GR_Texture_Draw_Ext(int32_t index, float xOrigin, float yOrigin, float x, float y, float xScale, float yScale,
                         float angle, uint32_t colour, float alpha) {
  TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  if (e->width == 0 || e->height == 0) {
    e->width = e->height = 8;
    e->inverseWidth = e->inverseHeight = 0.125f;
  }
  const float left = -xOrigin * xScale - 0.5f, top = -yOrigin * yScale - 0.5f;
  const float right = left + e->width * xScale, bottom = top + e->height * yScale;
  FanQuad(e->texture, Box(x, y, left, top, right, bottom, angle, kFineAngle), WholeArea(e),
          Pack(colour, AlphaTruncated(alpha)));
}

void GR_Texture_Draw_Part(int32_t index, float left, float top, float width, float height, float x, float y,
                          float xScale, float yScale, float angle, uint32_t colour, float alpha) {
  const TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  const Uv uv{left * e->inverseWidth, top * e->inverseHeight, (left + width) * e->inverseWidth,
              (top + height) * e->inverseHeight};
  FanQuad(e->texture, Box(x, y, 0, 0, width * xScale, height * yScale, angle, kFineAngle), uv,
          Pack(colour, AlphaTruncated(alpha)));
}

void GR_Texture_Draw_General(int32_t index, float left, float top, float width, float height, float x, float y,
                             float xScale, float yScale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                             uint32_t c4, float alpha) {
  const TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  const Uv uv{left * e->inverseWidth, top * e->inverseHeight, (left + width) * e->inverseWidth,
              (top + height) * e->inverseHeight};
  const Corners q = Box(x, y, -0.5f, -0.5f, width * xScale - 0.5f, height * yScale - 0.5f, angle, kCoarseAngle);
  const uint32_t a = AlphaTruncated(alpha);
  const uint32_t colours[4] = {Pack(c1, a), Pack(c2, a), Pack(c3, a), Pack(c4, a)};
  FanQuad(e->texture, q, uv, colours);
}

void GR_Texture_Draw_Tiled(int32_t index, float xOrigin, float yOrigin, float x, float y, float xScale, float yScale,
                           bool hRepeat, bool vRepeat, TileArea area, uint32_t colour, float alpha) {
  const TextureEntry* e = GR_Texture_Entry(index);
  if (e == nullptr) return;
  const int64_t stepX = Num_TruncInt32(static_cast<double>(e->width) * xScale);
  const int64_t stepY = Num_TruncInt32(static_cast<double>(e->height) * yScale);
  if (stepX < 1 || stepY < 1) return;
  const int64_t right = int64_t{area.left} + area.width, bottom = int64_t{area.top} + area.height;
  int64_t firstX, firstY;
  if (!FirstTile(Num_RoundInt32(x), stepX, hRepeat, area.left, right, &firstX)) return;
  if (!FirstTile(Num_RoundInt32(y), stepY, vRepeat, area.top, bottom, &firstY)) return;
  const float left = -xOrigin * xScale - 0.5f, top = -yOrigin * yScale - 0.5f;
  const float w = e->width * xScale, h = e->height * yScale;
  const uint32_t packed = Pack(colour, AlphaRounded(alpha));
  const Uv uv = WholeArea(e);
  for (int64_t ty = firstY; ty == firstY || (vRepeat && ty < bottom); ty += stepY) {
    for (int64_t tx = firstX; tx == firstX || (hRepeat && tx < right); tx += stepX) {
      const float px = static_cast<float>(tx) + left, py = static_cast<float>(ty) + top;
      FanQuad(e->texture, Box(px, py, 0, 0, w, h, 0, 1), uv, packed);
    }
  }
}

void GR_TexturePage_Draw(TexturePage* page, float x, float y) {
  const TextureEntry* e = PageEntry(page);
  if (e == nullptr) return;
  const float left = page->xOffset, top = page->yOffset;
  const Corners q = Box(x, y, left, top, left + page->cropWidth, top + page->cropHeight, 0, 1);
  ListQuad(e->texture, q, PageSource(page, e), Pack(0xFFFFFF, g_drawState.alpha & 0xFF));
}

void GR_TexturePage_Draw_Pos(TexturePage* page, QuadPoint p1, QuadPoint p2, QuadPoint p3, QuadPoint p4,
                             uint32_t colour) {
  const TextureEntry* e = PageEntry(page);
  if (e == nullptr) return;
  ListQuad(e->texture, Corners{{p1, p2, p3, p4}}, PageSource(page, e), Pack(colour, g_drawState.alpha & 0xFF));
}

void GR_TexturePage_Draw_Ext(TexturePage* page, float xOrigin, float yOrigin, float x, float y, float xScale,
                             float yScale, float angle, uint32_t colour, float alpha) {
  const TextureEntry* e = PageEntry(page);
  if (e == nullptr) return;
  const float left = (page->xOffset - xOrigin) * xScale, top = (page->yOffset - yOrigin) * yScale;
  const float right = left + page->cropWidth * xScale, bottom = top + page->cropHeight * yScale;
  ListQuad(e->texture, Box(x, y, left, top, right, bottom, angle, kFineAngle), PageSource(page, e),
           Pack(colour, AlphaTruncated(alpha)));
}

void GR_TexturePage_Draw_Part(TexturePage* page, float left, float top, float width, float height, float x, float y,
                              float xScale, float yScale, float angle, uint32_t colour, float alpha) {
  const TextureEntry* e = PageEntry(page);
  ClippedPart part;
  if (e == nullptr || !ClipPart(page, left, top, width, height, x, y, xScale, yScale, angle, &part)) return;
  const float w = part.width * xScale, h = part.height * yScale;
  // Offsets TL, TR, BL, BR: this form writes TL, TR, BL, TR, BR, BL.
  const QuadPoint offsets[4] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
  const Corners q = Place(part.x, part.y, offsets, angle, kFineAngle);
  const float fx = static_cast<float>(page->width) / page->cropWidth;
  const float fy = static_cast<float>(page->height) / page->cropHeight;
  const float u0 = (page->x + fx * part.sx) * e->inverseWidth, u1 = u0 + fx * part.width * e->inverseWidth;
  const float v0 = (page->y + fy * part.sy) * e->inverseHeight, v1 = v0 + fy * part.height * e->inverseHeight;
  const uint32_t c = Pack(colour, AlphaTruncated(alpha));
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(D3DPT_TRIANGLELIST, e->texture, sizeof(TexVertex), 6));
  if (v == nullptr) return;
  v[0] = Vertex(q.p[0], c, u0, v0);
  v[1] = Vertex(q.p[1], c, u1, v0);
  v[2] = Vertex(q.p[2], c, u0, v1);
  v[3] = v[1];
  v[4] = Vertex(q.p[3], c, u1, v1);
  v[5] = v[2];
}

void GR_TexturePage_Draw_General(TexturePage* page, float left, float top, float width, float height, float x, float y,
                                 float xScale, float yScale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                                 uint32_t c4, float alpha) {
  const TextureEntry* e = PageEntry(page);
  ClippedPart part;
  if (e == nullptr || !ClipPart(page, left, top, width, height, x, y, xScale, yScale, angle, &part)) return;
  const float w = part.width * xScale, h = part.height * yScale;
  const Corners q = Box(part.x, part.y, 0, 0, w, h, angle, kCoarseAngle);
  const float u0 = (page->x + part.sx) * e->inverseWidth, u1 = (page->x + part.sx + part.width) * e->inverseWidth;
  const float v0 = (page->y + part.sy) * e->inverseHeight, v1 = (page->y + part.sy + part.height) * e->inverseHeight;
  const uint32_t a = AlphaRounded(alpha);
  GR_Texture_Emit_Quad(e->texture, q.p[0], q.p[1], q.p[2], q.p[3], u0, v0, u1, v1, Pack(c1, a), Pack(c2, a),
                       Pack(c3, a), Pack(c4, a));
}

void GR_TexturePage_Draw_Tiled(TexturePage* page, float xOrigin, float yOrigin, float x, float y, float xScale,
                               float yScale, bool hRepeat, bool vRepeat, TileArea area, uint32_t colour, float alpha) {
  const TextureEntry* e = PageEntry(page);
  if (e == nullptr) return;
  const double stepX = Num_TruncInt32(static_cast<double>(page->fullWidth) * xScale);
  const double stepY = Num_TruncInt32(static_cast<double>(page->fullHeight) * yScale);
  if (stepX < 1 || stepY < 1) return;
  const double right = static_cast<double>(area.left) + area.width;
  const double bottom = static_cast<double>(area.top) + area.height;
  double firstX, firstY;
  if (!FirstTileReal(x, stepX, hRepeat, area.left, right, &firstX)) return;
  if (!FirstTileReal(y, stepY, vRepeat, area.top, bottom, &firstY)) return;
  const float left = (page->xOffset - xOrigin) * xScale, top = (page->yOffset - yOrigin) * yScale;
  const float w = page->cropWidth * xScale, h = page->cropHeight * yScale;
  Uv uv = PageSource(page, e);
  uv.u1 = (static_cast<float>(page->x) + page->width - 0.5f) * e->inverseWidth;
  const uint32_t packed = Pack(colour, AlphaRounded(alpha));
  for (double ty = firstY; ty == firstY || (vRepeat && ty < bottom); ty += stepY) {
    for (double tx = firstX; tx == firstX || (hRepeat && tx < right); tx += stepX) {
      const float px = static_cast<float>(tx) + left, py = static_cast<float>(ty) + top;
      ListQuad(e->texture, Box(px, py, 0, 0, w, h, 0, 1), uv, packed);
    }
  }
}

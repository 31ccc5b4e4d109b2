// The text operations the drawing built-ins call: the font and alignment
// choice, measuring, and the four ways of drawing a text. The separation
// and wrap width are those of the built-ins.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"

struct TextDrawServices {
  void (*setFont)(int32_t font);
  void (*setHalign)(int32_t halign);
  void (*setValign)(int32_t valign);
  int32_t (*stringWidth)(const char* text, int32_t separation, int32_t wrapWidth);
  int32_t (*stringHeight)(const char* text, int32_t separation, int32_t wrapWidth);
  void (*draw)(float x, float y, const char* text, int32_t separation, int32_t wrapWidth);
  void (*drawTransformed)(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, float xscale,
                          float yscale, float angle);
  void (*drawColor)(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, uint32_t colour1,
                    uint32_t colour2, uint32_t colour3, uint32_t colour4, float alpha);
  void (*drawTransformedColor)(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                               float xscale, float yscale, float angle, uint32_t colour1, uint32_t colour2,
                               uint32_t colour3, uint32_t colour4, float alpha);
};

inline ServiceSeam<TextDrawServices> g_textDrawServices{"text drawing"};
inline void TextDrawServices_Install(const TextDrawServices* services) { g_textDrawServices.Install(services); }
inline const TextDrawServices& TextDrawServices_Get() { return g_textDrawServices.Get(); }

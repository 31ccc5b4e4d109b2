// A recording set of drawing operations for the graphics built-ins: every
// call becomes one line "name(arg, ...)" with floats to 9 digits, colours
// in hex, texts quoted. The current alpha reads 0.25 and the current colour
// 0xFF123456, so that defaults and masks show in the lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "builtins/graphics/calls.h"
#include "runtime/numeric.h"

namespace graphics_test {

inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

inline std::map<size_t, const char*>& Names() {
  static std::map<size_t, const char*> names;
  return names;
}

inline std::string Show(float v) {
  char b[48];
  std::snprintf(b, sizeof b, "%.9g", static_cast<double>(v));
  return b;
}
inline std::string Show(uint32_t v) {
  char b[16];
  std::snprintf(b, sizeof b, "0x%X", v);
  return b;
}
inline std::string Show(int32_t v) { return std::to_string(v); }
inline std::string Show(int64_t v) { return std::to_string(v); }
inline std::string Show(bool v) { return v ? "true" : "false"; }
inline std::string Show(const char* v) { return v == nullptr ? "null" : "\"" + std::string(v) + "\""; }

template <typename F>
struct Recorder;

template <typename R, typename... A>
struct Recorder<R (*)(A...)> {
  template <size_t Offset>
  static R Call(A... a) {
    std::string line = std::string(Names()[Offset]) + "(";
    const std::string parts[] = {Show(a)..., ""};
    for (size_t i = 0; i < sizeof...(A); ++i) line += (i > 0 ? ", " : "") + parts[i];
    Log().push_back(line + ")");
    return R();
  }
};

inline float RecordedAlpha() { return 0.25f; }
inline uint32_t RecordedColour() { return 0xFF123456u; }
inline void RecordedRoomToWindow(float x, float y, int32_t* wx, int32_t* wy) {
  *wx = Num_TruncInt32(x) + 100;
  *wy = Num_TruncInt32(y) + 200;
}

#define KV_RECORD(member)                                                                 \
  calls.member = Recorder<decltype(calls.member)>::Call<offsetof(GraphicsCalls, member)>; \
  Names()[offsetof(GraphicsCalls, member)] = #member

inline GraphicsCalls MakeRecorder() {
  GraphicsCalls calls{};
  KV_RECORD(setColor);
  KV_RECORD(setAlpha);
  KV_RECORD(setBlendMode);
  KV_RECORD(setBlendModeExt);
  KV_RECORD(clear);
  KV_RECORD(clearAlpha);
  KV_RECORD(setCirclePrecision);
  KV_RECORD(point);
  KV_RECORD(line);
  KV_RECORD(lineWidth);
  KV_RECORD(rectangle);
  KV_RECORD(roundrect);
  KV_RECORD(triangle);
  KV_RECORD(circle);
  KV_RECORD(ellipse);
  KV_RECORD(arrow);
  KV_RECORD(button);
  KV_RECORD(healthbar);
  KV_RECORD(pointColor);
  KV_RECORD(lineColor);
  KV_RECORD(lineWidthColor);
  KV_RECORD(rectangleColor);
  KV_RECORD(roundrectColor);
  KV_RECORD(triangleColor);
  KV_RECORD(circleColor);
  KV_RECORD(ellipseColor);
  KV_RECORD(path);
  KV_RECORD(primitiveBegin);
  KV_RECORD(primitiveEnd);
  KV_RECORD(vertex);
  KV_RECORD(vertexColor);
  KV_RECORD(vertexTexture);
  KV_RECORD(vertexTextureColor);
  KV_RECORD(getPixel);
  KV_RECORD(setFont);
  KV_RECORD(setHalign);
  KV_RECORD(setValign);
  KV_RECORD(stringWidth);
  KV_RECORD(stringHeight);
  KV_RECORD(text);
  KV_RECORD(textTransformed);
  KV_RECORD(textColor);
  KV_RECORD(textTransformedColor);
  KV_RECORD(spriteSimple);
  KV_RECORD(sprite);
  KV_RECORD(spritePart);
  KV_RECORD(spriteGeneral);
  KV_RECORD(spriteStretched);
  KV_RECORD(spriteTiled);
  KV_RECORD(spritePos);
  KV_RECORD(backgroundSimple);
  KV_RECORD(background);
  KV_RECORD(backgroundPart);
  KV_RECORD(backgroundGeneral);
  KV_RECORD(backgroundStretched);
  KV_RECORD(backgroundTiled);
  KV_RECORD(surfaceSimple);
  KV_RECORD(surface);
  KV_RECORD(surfacePart);
  KV_RECORD(surfaceGeneral);
  KV_RECORD(surfaceStretched);
  KV_RECORD(surfaceTiled);
  calls.getAlpha = RecordedAlpha;
  calls.getColor = RecordedColour;
  calls.roomToWindow = RecordedRoomToWindow;
  return calls;
}

#undef KV_RECORD

}  // namespace graphics_test

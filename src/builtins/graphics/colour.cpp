// Making and taking apart colours, and reading a pixel back.
#include "runtime/colour.h"
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "graphics/draw/draw_primitives.h"

using gfx::Colour;
using gfx::Float;

namespace {

constexpr int kHueByte = 0;
constexpr int kSaturationByte = 1;
constexpr int kValueByte = 2;

void HSVByte(ScriptValue* result, int32_t argc, ScriptValue* args, int which) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Colour_TripleByte(Colour_GetHSV(Colour(a, 0)), which));
}

}  // namespace

// Truncated, neither clamped nor masked: a channel out of 0..255 spills into
// its neighbours as plain arithmetic on a 32-bit colour would.
void F_MakeColorRGB(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const uint32_t red = static_cast<uint32_t>(a.TruncInt(0));
  const uint32_t green = static_cast<uint32_t>(a.TruncInt(1));
  const uint32_t blue = static_cast<uint32_t>(a.TruncInt(2));
  Result_SetReal(result, static_cast<int32_t>(red + green * 256u + blue * 65536u));
}

void F_MakeColorHSV(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Colour_MakeHSV(a.Int(0), a.Int(1), a.Int(2)));
}

// The channel getters keep the sign of a negative colour.
void F_ColorGetRed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t c = static_cast<int32_t>(Colour(a, 0));
  Result_SetReal(result, c % 256);
}

void F_ColorGetGreen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t c = static_cast<int32_t>(Colour(a, 0));
  Result_SetReal(result, (c / 256) % 256);
}

void F_ColorGetBlue(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t c = static_cast<int32_t>(Colour(a, 0));
  Result_SetReal(result, (c / 65536) % 256);
}

void F_ColorGetHue(KV_BUILTIN_PARAMS) { HSVByte(result, argc, args, kHueByte); }
void F_ColorGetSaturation(KV_BUILTIN_PARAMS) { HSVByte(result, argc, args, kSaturationByte); }
void F_ColorGetValue(KV_BUILTIN_PARAMS) { HSVByte(result, argc, args, kValueByte); }

void F_MergeColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Colour_Merge(Colour(a, 0), Colour(a, 1), Float(a, 2)));
}

void F_DrawGetPixel(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  int32_t wx = 0, wy = 0;
  GR_Room_To_Window(Float(a, 0), Float(a, 1), &wx, &wy);
  Result_SetReal(result, GR_Draw_Get_Pixel(wx, wy));
}

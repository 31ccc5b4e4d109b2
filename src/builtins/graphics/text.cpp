// Text built-ins: font and alignment, measuring, and drawing any value.
#include <cstdio>

#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "resources/text_draw.h"

using gfx::Colour;
using gfx::Float;
using gfx::RoundedFloat;

namespace {

constexpr size_t kTextBufferSize = kGraphicsTextBufferSize;
constexpr int32_t kNoSeparation = -1;
constexpr int32_t kNoWrap = -1;

}  // namespace

void F_DrawSetFont(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Text_Set_Font(a.Int(0));
}

void F_DrawSetHalign(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Text_Set_Halign(a.Int(0));
}

void F_DrawSetValign(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Text_Set_Valign(a.Int(0));
}

// A real measures as the empty string.
void F_StringWidth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Text_String_Width(a.Text(0), kNoSeparation, kNoWrap));
}

void F_StringHeight(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Text_String_Height(a.Text(0), kNoSeparation, kNoWrap));
}

void F_StringWidthExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Text_String_Width(a.Text(0), RoundedFloat(a, 1), RoundedFloat(a, 2)));
}

void F_StringHeightExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Text_String_Height(a.Text(0), RoundedFloat(a, 1), RoundedFloat(a, 2)));
}

void F_DrawText(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), kNoSeparation, kNoWrap);
}

void F_DrawTextExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), RoundedFloat(a, 3), RoundedFloat(a, 4));
}

void F_DrawTextTransformed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Transformed(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), kNoSeparation, kNoWrap,
                           Float(a, 3), Float(a, 4), Float(a, 5));
}

void F_DrawTextExtTransformed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Transformed(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), RoundedFloat(a, 3),
                           RoundedFloat(a, 4), Float(a, 5), Float(a, 6), Float(a, 7));
}

void F_DrawTextColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Color(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), kNoSeparation, kNoWrap, Colour(a, 3),
                     Colour(a, 4), Colour(a, 5), Colour(a, 6), Float(a, 7));
}

void F_DrawTextTransformedColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Transformed_Color(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), kNoSeparation, kNoWrap,
                                 Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6), Colour(a, 7), Colour(a, 8),
                                 Colour(a, 9), Float(a, 10));
}

void F_DrawTextExtColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Color(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), RoundedFloat(a, 3), RoundedFloat(a, 4),
                     Colour(a, 5), Colour(a, 6), Colour(a, 7), Colour(a, 8), Float(a, 9));
}

void F_DrawTextExtTransformedColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char buffer[kTextBufferSize];
  GR_Text_Draw_Transformed_Color(Float(a, 0), Float(a, 1), Graphics_ShownText(a, 2, buffer), RoundedFloat(a, 3),
                                 RoundedFloat(a, 4), Float(a, 5), Float(a, 6), Float(a, 7), Colour(a, 8), Colour(a, 9),
                                 Colour(a, 10), Colour(a, 11), Float(a, 12));
}

const char* Graphics_ShownText(const BuiltinArgs& args, int32_t i, char* buffer) {
  if (args.IsString(i)) return args.Text(i);
  if (args.Has(i)) {
    Graphics_ValueToText(args.Value(i), kTextBufferSize, buffer);
  } else {
    buffer[0] = 0;
  }
  return buffer;
}

void Graphics_ValueToText(const ScriptValue& value, size_t size, char* buffer) {
  if (buffer == nullptr || size == 0) return;
  buffer[0] = 0;
  if (value.kind == kValueString) {
    if (value.text != nullptr) std::snprintf(buffer, size, "%s", value.text);
    return;
  }
  const float single = NarrowToFloat(value.real);
  const int32_t whole = Num_RoundInt32(single);
  if (static_cast<double>(whole) == static_cast<double>(single)) {
    std::snprintf(buffer, size, "%d", whole);
  } else {
    std::snprintf(buffer, size, "%.2f", static_cast<double>(single));
  }
}

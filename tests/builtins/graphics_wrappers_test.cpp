#include <set>

#include "graphics_test_support.h"
#include "world/start/service_list.h"

namespace {

struct WrapperCase {
  const char* name;
  std::vector<GoldenArg> args;
  const char* call;  // the one recorded call
};

// Arguments chosen so that narrowing to float, rounding halves to even,
// flags tested at 0.5 on the float and the defaults all show in the call.
const std::vector<WrapperCase>& Cases() {
  static const std::vector<WrapperCase> cases = {
      {"draw_set_color", {R(255.5)}, "setColor(0x100)"},
      {"draw_set_alpha", {R(0.1)}, "setAlpha(0.100000001)"},
      {"draw_set_blend_mode", {R(2.5)}, "setBlendMode(2)"},
      {"draw_set_blend_mode_ext", {R(5), R(6.5)}, "setBlendModeExt(5, 6)"},
      {"draw_clear", {R(255)}, "clear(0xFF0000FF)"},
      {"draw_clear_alpha", {R(65280), R(0.5)}, "clearAlpha(0xFF00, 0.5)"},
      {"draw_set_circle_precision", {R(16)}, "setCirclePrecision(16)"},
      {"draw_point", {R(1.5), R(2.0000001)}, "point(1.5, 2)"},
      {"draw_line", {R(1), R(2), R(3), R(4)}, "line(1, 2, 3, 4)"},
      {"draw_line_width", {R(1), R(2), R(3), R(4), R(2.5)}, "lineWidth(1, 2, 3, 4, 2.5)"},
      {"draw_rectangle", {R(10), R(10), R(20), R(15), R(0.5)}, "rectangle(10, 10, 20, 15, 1)"},
      {"draw_rectangle", {R(10), R(10), R(20), R(15), R(0.4999999999)}, "rectangle(10, 10, 20, 15, 1)"},
      {"draw_rectangle", {R(10), R(10), R(20), R(15), R(0.4999)}, "rectangle(10, 10, 20, 15, 0)"},
      {"draw_roundrect", {R(0), R(0), R(30), R(20), R(0)}, "roundrect(0, 0, 30, 20, 10, 10, 0)"},
      {"draw_triangle", {R(1), R(2), R(3), R(4), R(5), R(6), R(1)}, "triangle(1, 2, 3, 4, 5, 6, 1)"},
      {"draw_circle", {R(5), R(5), R(3), R(0)}, "circle(5, 5, 3, 0)"},
      {"draw_ellipse", {R(1), R(2), R(3), R(4), R(7)}, "ellipse(1, 2, 3, 4, 1)"},
      {"draw_arrow", {R(0), R(0), R(10), R(0), R(4)}, "arrow(0, 0, 10, 0, 4)"},
      {"draw_button", {R(0), R(0), R(10), R(10), R(0.7)}, "button(0, 0, 10, 10, true)"},
      {"draw_healthbar",
       {R(0), R(0), R(20), R(3), R(50), R(0), R(255), R(16711680), R(1.5), R(1), R(0)},
       "healthbar(0, 0, 20, 3, 50, 0x0, 0xFF, 0x800080, 0xFF0000, 2, true, false)"},
      {"draw_path", {R(0), R(5), R(6), R(0)}, "path(0, 5, 6, false)"},
      {"draw_path", {R(0.4), R(5), R(6), R(1)}, "path(0, 0, 0, true)"},
      {"draw_point_color", {R(1), R(2), R(255)}, "pointColor(1, 2, 0xFF)"},
      {"draw_line_color", {R(1), R(2), R(3), R(4), R(1), R(2)}, "lineColor(1, 2, 3, 4, 0x1, 0x2)"},
      {"draw_line_width_color", {R(1), R(2), R(3), R(4), R(5), R(1), R(2)}, "lineWidthColor(1, 2, 3, 4, 5, 0x1, 0x2)"},
      {"draw_rectangle_color",
       {R(1), R(2), R(3), R(4), R(1), R(2), R(3), R(4), R(1)},
       "rectangleColor(1, 2, 3, 4, 0x1, 0x2, 0x3, 0x4, 1)"},
      {"draw_roundrect_color",
       {R(1), R(2), R(3), R(4), R(5), R(6), R(0)},
       "roundrectColor(1, 2, 3, 4, 10, 10, 0x5, 0x6, 0)"},
      {"draw_triangle_color",
       {R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(1)},
       "triangleColor(1, 2, 3, 4, 5, 6, 0x7, 0x8, 0x9, 1)"},
      {"draw_circle_color", {R(1), R(2), R(3), R(4), R(5), R(1)}, "circleColor(1, 2, 3, 0x4, 0x5, 1)"},
      {"draw_ellipse_color", {R(1), R(2), R(3), R(4), R(5), R(6), R(0)}, "ellipseColor(1, 2, 3, 4, 0x5, 0x6, 0)"},
      {"draw_primitive_begin", {R(4)}, "primitiveBegin(4, -1)"},
      {"draw_primitive_begin_texture", {R(5), R(1099511627776.0)}, "primitiveBegin(5, 1099511627776)"},
      {"draw_primitive_end", {}, "primitiveEnd()"},
      {"draw_vertex", {R(1), R(2)}, "vertex(1, 2)"},
      {"draw_vertex_color", {R(1), R(2), R(3), R(0.5)}, "vertexColor(1, 2, 0x3, 0.5)"},
      {"draw_vertex_texture", {R(1), R(2), R(0.25), R(0.75)}, "vertexTexture(1, 2, 0.25, 0.75)"},
      {"draw_vertex_texture_color",
       {R(1), R(2), R(0.25), R(0.75), R(3), R(0.5)},
       "vertexTextureColor(1, 2, 0.25, 0.75, 0x3, 0.5)"},
      {"draw_getpixel", {R(3.9), R(4.2)}, "getPixel(103, 204)"},
      {"draw_set_font", {R(2)}, "setFont(2)"},
      {"draw_set_halign", {R(1)}, "setHalign(1)"},
      {"draw_set_valign", {R(2)}, "setValign(2)"},
      {"string_width", {S("abc")}, "stringWidth(\"abc\", -1, -1)"},
      {"string_width", {R(5)}, "stringWidth(\"\", -1, -1)"},
      {"string_height", {S("abc")}, "stringHeight(\"abc\", -1, -1)"},
      {"string_width_ext", {S("abc"), R(2.5), R(100.5)}, "stringWidth(\"abc\", 2, 100)"},
      {"string_height_ext", {S("abc"), R(3.5), R(7)}, "stringHeight(\"abc\", 4, 7)"},
      {"draw_text", {R(1), R(2), S("hi")}, "text(1, 2, \"hi\", -1, -1)"},
      {"draw_text", {R(1), R(2), R(12.5)}, "text(1, 2, \"12.50\", -1, -1)"},
      {"draw_text", {R(1), R(2), R(7)}, "text(1, 2, \"7\", -1, -1)"},
      {"draw_text_ext", {R(1), R(2), S("hi"), R(3), R(40)}, "text(1, 2, \"hi\", 3, 40)"},
      {"draw_text_transformed",
       {R(1), R(2), S("hi"), R(2), R(3), R(45)},
       "textTransformed(1, 2, \"hi\", -1, -1, 2, 3, 45)"},
      {"draw_text_ext_transformed",
       {R(1), R(2), S("hi"), R(3), R(40), R(2), R(3), R(45)},
       "textTransformed(1, 2, \"hi\", 3, 40, 2, 3, 45)"},
      {"draw_text_color",
       {R(1), R(2), S("hi"), R(1), R(2), R(3), R(4), R(0.5)},
       "textColor(1, 2, \"hi\", -1, -1, 0x1, 0x2, 0x3, 0x4, 0.5)"},
      {"draw_text_transformed_color",
       {R(1), R(2), S("hi"), R(2), R(3), R(45), R(1), R(2), R(3), R(4), R(0.5)},
       "textTransformedColor(1, 2, \"hi\", -1, -1, 2, 3, 45, 0x1, 0x2, 0x3, 0x4, 0.5)"},
      {"draw_text_ext_color",
       {R(1), R(2), S("hi"), R(3), R(40), R(1), R(2), R(3), R(4), R(0.5)},
       "textColor(1, 2, \"hi\", 3, 40, 0x1, 0x2, 0x3, 0x4, 0.5)"},
      {"draw_text_ext_transformed_color",
       {R(1), R(2), S("hi"), R(3), R(40), R(2), R(3), R(45), R(1), R(2), R(3), R(4), R(0.5)},
       "textTransformedColor(1, 2, \"hi\", 3, 40, 2, 3, 45, 0x1, 0x2, 0x3, 0x4, 0.5)"},
      {"draw_self", {}, "sprite(0, 2, 5.5, 6.5, 2, 3, 45, 0xFF, 0.5)"},
      {"draw_sprite", {R(0), R(1.7), R(3), R(4)}, "spriteSimple(0, 1, 3, 4)"},
      {"draw_sprite", {R(0.9), R(-1), R(3), R(4)}, "spriteSimple(0, 2, 3, 4)"},
      {"draw_sprite", {R(0), R(-0.5), R(3), R(4)}, "spriteSimple(0, 2, 3, 4)"},
      {"draw_sprite", {R(0), R(7), R(3), R(4)}, "spriteSimple(0, 7, 3, 4)"},
      {"draw_sprite_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(255), R(0.5)},
       "sprite(0, 1, 2, 3, 4, 5, 6, 0xFF, 0.5)"},
      {"draw_sprite_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7)},
       "spritePart(0, 1, 2, 3, 4, 5, 6, 7, 1, 1, 0xFFFFFF, 0.25)"},
      {"draw_sprite_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(0.5)},
       "spritePart(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0.5)"},
      {"draw_sprite_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(14), R(0.5)},
       "spriteGeneral(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xB, 0xC, 0xD, 0xE, 0.5)"},
      {"draw_sprite_stretched",
       {R(0), R(1), R(2), R(3), R(4), R(5)},
       "spriteStretched(0, 1, 2, 3, 4, 5, 0xFFFFFF, 0.25)"},
      {"draw_sprite_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       "spriteStretched(0, 1, 2, 3, 4, 5, 0x6, 0.5)"},
      {"draw_sprite_tiled",
       {R(0), R(1), R(2), R(3)},
       "spriteTiled(0, 1, 2, 3, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, 0.25)"},
      {"draw_sprite_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       "spriteTiled(0, 1, 2, 3, 4, 5, true, true, 0, 0, 64, 48, 0x6, 0.5)"},
      {"draw_sprite_pos",
       {R(0), R(-1), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(0.5)},
       "spritePos(0, -1, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 0.5)"},
      {"draw_sprite_pos",
       {R(0.9), R(2.9), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(1)},
       "spritePos(0, 2, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 1)"},
      {"draw_background", {R(0.4), R(1), R(2)}, "backgroundSimple(0, 1, 2)"},
      {"draw_background_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       "background(0, 1, 2, 3, 4, 5, 0x6, 0.5)"},
      {"draw_background_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6)},
       "backgroundPart(0, 1, 2, 3, 4, 5, 6, 1, 1, 0xFFFFFF, 0.25)"},
      {"draw_background_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(0.5)},
       "backgroundPart(0, 1, 2, 3, 4, 5, 6, 7, 8, 0x9, 0.5)"},
      {"draw_background_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(0.5)},
       "backgroundGeneral(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0.5)"},
      {"draw_background_stretched",
       {R(0), R(1), R(2), R(3), R(4)},
       "backgroundStretched(0, 1, 2, 3, 4, 0xFFFFFF, 0.25)"},
      {"draw_background_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       "backgroundStretched(0, 1, 2, 3, 4, 0x5, 0.5)"},
      {"draw_background_tiled",
       {R(0), R(1), R(2)},
       "backgroundTiled(0, 1, 2, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, 0.25)"},
      {"draw_background_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       "backgroundTiled(0, 1, 2, 3, 4, true, true, 0, 0, 64, 48, 0x5, 0.5)"},
  };
  return cases;
}

// Built-ins that compute their result without a drawing call.
const std::set<std::string> kNoDrawingCall = {
    "screen_save",    "screen_save_part",     "draw_get_color",  "draw_get_alpha",  "make_color",
    "make_color_rgb", "make_color_hsv",       "color_get_red",   "color_get_green", "color_get_blue",
    "color_get_hue",  "color_get_saturation", "color_get_value", "merge_color"};

// Textures, tiles and the surface table and pixels act without a drawing
// call; the surface draws have their own cases, which need a surface.
bool DrawsNothing(const std::string& name) {
  for (const char* prefix :
       {"texture_", "tile_", "surface_", "sprite_get_", "background_get_", "draw_surface", "display_", "window_"}) {
    if (name.rfind(prefix, 0) == 0) return true;
  }
  return kNoDrawingCall.count(name) != 0;
}

TEST_F(GraphicsBuiltins, EachWrapperMakesItsOneCallWithConvertedArguments) {
  for (const WrapperCase& c : Cases()) {
    Log().clear();
    ErrorCapture errors;
    Call(c.name, c.args);
    EXPECT_EQ(Log(), std::vector<std::string>{c.call}) << c.name;
    EXPECT_TRUE(errors.Messages().empty()) << c.name;
  }
}

TEST_F(GraphicsBuiltins, TheTableCoversEveryDrawingRowOfTheFamily) {
  std::set<std::string> covered;
  for (const WrapperCase& c : Cases()) covered.insert(c.name);
  for (int32_t id = 0; id < Function_Count(); ++id) {
    const std::string name = Function_GetRecord(id)->name;
    if (!DrawsNothing(name)) {
      EXPECT_EQ(covered.count(name), 1u) << name;
    }
  }
}

TEST_F(GraphicsBuiltins, ColourAndAlphaGettersMaskTheColourAndPassTheAlpha) {
  EXPECT_EQ(Real("draw_get_color", {}), 0x123456);
  EXPECT_EQ(Real("draw_get_alpha", {}), 0.25);
  EXPECT_TRUE(Log().empty());
}

TEST_F(GraphicsBuiltins, MissingResourcesAreReportedAndNothingIsDrawn) {
  struct Bad {
    const char* name;
    std::vector<GoldenArg> args;
    const char* message;
  };
  const std::vector<Bad> bad = {
      {"draw_sprite", {R(3), R(0), R(0), R(0)}, "Trying to draw non-existing sprite."},
      {"draw_sprite_ext",
       {R(-1), R(0), R(0), R(0), R(1), R(1), R(0), R(0), R(1)},
       "Trying to draw non-existing sprite."},
      {"draw_sprite_pos",
       {R(1.9), R(0), R(0), R(0), R(0), R(0), R(0), R(0), R(0), R(0), R(1)},
       "Trying to draw non-existing sprite."},
      {"draw_background", {R(1.5), R(0), R(0)}, "Trying to draw non-existing background."},
      {"draw_background_tiled", {R(-1), R(0), R(0)}, "Trying to draw non-existing background."},
      {"draw_path", {R(1), R(0), R(0), R(0)}, "Trying to drawn non-existing path."},
      {"screen_save", {S("")}, "Trying to save screen to empty image file name."},
      {"screen_save", {R(3)}, "Trying to save screen to empty image file name."},
      {"screen_save_part", {S(""), R(0), R(0), R(5), R(5)}, "Trying to save screen to empty image file name."},
  };
  for (const Bad& b : bad) {
    Log().clear();
    ErrorCapture errors;
    Call(b.name, b.args);
    EXPECT_TRUE(Log().empty()) << b.name;
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{b.message}) << b.name;
  }
}

TEST_F(GraphicsBuiltins, DrawSelfNeedsTheInstancesSprite) {
  ErrorCapture errors;
  self_.sprite_index = -1;
  Call("draw_self", {});
  Call("draw_self", {}, false);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(errors.Messages(), std::vector<std::string>(2, "Trying to draw non-existing sprite."));
}

TEST_F(GraphicsBuiltins, TiledFormsCoverNothingWithoutARoom) {
  g_currentRoom = nullptr;
  Call("draw_sprite_tiled", {R(0), R(0), R(0), R(0)});
  EXPECT_EQ(Log(), std::vector<std::string>{"spriteTiled(0, 0, 0, 0, 1, 1, true, true, 0, 0, 0, 0, 0xFFFFFF, 0.25)"});
}

// Every row, every argument NaN, an infinity or far out of range: the
// conversions must stay defined (the sanitizer build checks) and the
// negative-frame rule must not read a missing instance.
TEST_F(GraphicsBuiltins, NonFiniteArgumentsReachEveryRowSafely) {
  ErrorCapture errors;
  for (double bad : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300, -1e300, 4294967296.0}) {
    for (int32_t id = 0; id < Function_Count(); ++id) {
      const BuiltinFunctionRecord* record = Function_GetRecord(id);
      const int32_t count = record->argumentCount < 0 ? 3 : record->argumentCount;
      std::vector<ScriptValue> values(static_cast<size_t>(count));
      for (ScriptValue& v : values) ScriptValue_SetReal(&v, bad);
      for (CInstance* self : {&self_, static_cast<CInstance*>(nullptr)}) {
        ScriptValue result{};
        record->handler(&result, self, nullptr, count, values.empty() ? nullptr : values.data());
        ScriptValue_Release(&result);
      }
    }
  }
}

TEST_F(GraphicsBuiltins, TheRealOperationsAcceptEveryRowWithoutADevice) {
  ServiceList_Install();
  GraphicsCalls_Install(nullptr);
  ErrorCapture errors;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    const BuiltinFunctionRecord* record = Function_GetRecord(id);
    if (std::string(record->name).rfind("screen_save", 0) == 0) continue;
    std::vector<ScriptValue> values(static_cast<size_t>(record->argumentCount));
    for (ScriptValue& v : values) ScriptValue_SetReal(&v, 0.0);
    ScriptValue result{};
    record->handler(&result, &self_, nullptr, record->argumentCount, values.empty() ? nullptr : values.data());
    ScriptValue_Release(&result);
  }
}

}  // namespace

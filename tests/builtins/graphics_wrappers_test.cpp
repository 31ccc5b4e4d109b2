#include <set>

#include "graphics_test_support.h"

namespace {

using devicetest::Drawing;

struct WrapperCase {
  const char* name;
  std::vector<GoldenArg> args;
  Drawing expected;  // the direct call the built-in must amount to
  Drawing wrong{};   // a value the conversion must not give
  Drawing before{}, after{};
};

// Three vertices of a triangle list, then its end; an open triangle list.
void ThreeAndEnd() {
  GR_Primitive_Vertex(1, 1);
  GR_Primitive_Vertex(9, 2);
  GR_Primitive_Vertex(4, 8);
  GR_Primitive_End();
}
void OpenList() {
  GR_Primitive_Begin(4, -1);
  GR_Primitive_Vertex(20, 20);
  GR_Primitive_Vertex(30, 22);
}
void End() { GR_Primitive_End(); }

// Arguments chosen so that narrowing to float, rounding halves to even,
// flags tested at 0.5 on the float and the defaults (the current alpha among
// them) all show in what is drawn.
const std::vector<WrapperCase>& Cases() {
  static const std::vector<WrapperCase> cases = {
      {"draw_set_color", {R(255.5)}, [] { GR_Draw_Set_Color(0x100); }, [] { GR_Draw_Set_Color(0xFF); }},
      {"draw_set_alpha", {R(0.1)}, [] { GR_Draw_Set_Alpha(0.1f); }},
      {"draw_set_blend_mode", {R(2.5)}, [] { GR_Draw_Set_Blend_Mode(2); }, [] { GR_Draw_Set_Blend_Mode(3); }},
      {"draw_set_blend_mode_ext",
       {R(5), R(6.5)},
       [] { GR_Draw_Set_Blend_Mode_Ext(5, 6); },
       [] { GR_Draw_Set_Blend_Mode_Ext(5, 7); }},
      {"draw_clear", {R(255)}, [] { GR_Draw_Clear(0xFF0000FF); }, [] { GR_Draw_Clear(0xFF); }},
      {"draw_clear_alpha", {R(65280), R(0.5)}, [] { GR_Draw_Clear_Alpha(0xFF00, 0.5f); }},
      {"draw_set_circle_precision", {R(16)}, [] { GR_Draw_Set_Circle_Precision(16); }},
      {"draw_point", {R(1.5), R(2.0000001)}, [] { GR_Draw_Point(1.5f, 2.0f); }},
      {"draw_line", {R(1), R(2), R(3), R(4)}, [] { GR_Draw_Line(1, 2, 3, 4); }},
      {"draw_line_width", {R(1), R(2), R(3), R(4), R(2.5)}, [] { GR_Draw_Line_Width(1, 2, 3, 4, 2.5f); }},
      {"draw_rectangle",
       {R(10), R(10), R(20), R(15), R(0.5)},
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 1); },
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 0); }},
      {"draw_rectangle",
       {R(10), R(10), R(20), R(15), R(0.4999999999)},
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 1); },
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 0); }},
      {"draw_rectangle",
       {R(10), R(10), R(20), R(15), R(0.4999)},
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 0); },
       [] { GR_Draw_Rectangle(10, 10, 20, 15, 1); }},
      {"draw_roundrect",
       {R(0), R(0), R(30), R(20), R(0)},
       [] { GR_Draw_Roundrect(0, 0, 30, 20, 10, 10, 0); },
       [] { GR_Draw_Roundrect(0, 0, 30, 20, 0, 0, 0); }},
      {"draw_triangle", {R(1), R(2), R(3), R(4), R(5), R(6), R(1)}, [] { GR_Draw_Triangle(1, 2, 3, 4, 5, 6, 1); }},
      {"draw_circle", {R(5), R(5), R(3), R(0)}, [] { GR_Draw_Circle(5, 5, 3, 0); }},
      {"draw_ellipse",
       {R(1), R(2), R(3), R(4), R(7)},
       [] { GR_Draw_Ellipse(1, 2, 3, 4, 1); },
       [] { GR_Draw_Ellipse(1, 2, 3, 4, 7); }},
      {"draw_arrow", {R(0), R(0), R(10), R(0), R(4)}, [] { GR_Draw_Arrow(0, 0, 10, 0, 4); }},
      {"draw_button",
       {R(0), R(0), R(10), R(10), R(0.7)},
       [] { GR_Draw_Button(0, 0, 10, 10, true); },
       [] { GR_Draw_Button(0, 0, 10, 10, false); }},
      {"draw_healthbar",
       {R(0), R(0), R(20), R(3), R(50), R(0), R(255), R(16711680), R(1.5), R(1), R(0)},
       [] { GR_Draw_Healthbar(0, 0, 20, 3, 50, 0x0, 0xFF, 0x800080, 0xFF0000, 2, true, false); },
       [] { GR_Draw_Healthbar(0, 0, 20, 3, 50, 0x0, 0xFF, 0x800080, 0xFF0000, 1, true, false); }},
      {"draw_path", {R(0), R(5), R(6), R(0)}, [] { Path_Get(0)->Draw(5, 6, false); }},
      {"draw_path",
       {R(0.4), R(5), R(6), R(1)},
       [] { Path_Get(0)->Draw(0, 0, true); },
       [] { Path_Get(0)->Draw(5, 6, false); }},
      {"draw_point_color", {R(1), R(2), R(255)}, [] { GR_Draw_Point_Color(1, 2, 0xFF); }},
      {"draw_line_color", {R(1), R(2), R(3), R(4), R(1), R(2)}, [] { GR_Draw_Line_Color(1, 2, 3, 4, 1, 2); }},
      {"draw_line_width_color",
       {R(1), R(2), R(3), R(4), R(5), R(1), R(2)},
       [] { GR_Draw_Line_Width_Color(1, 2, 3, 4, 5, 1, 2); }},
      {"draw_rectangle_color",
       {R(1), R(2), R(3), R(4), R(1), R(2), R(3), R(4), R(1)},
       [] { GR_Draw_Rectangle_Color(1, 2, 3, 4, 1, 2, 3, 4, 1); }},
      {"draw_roundrect_color",
       {R(1), R(2), R(3), R(4), R(5), R(6), R(0)},
       [] { GR_Draw_Roundrect_Color(1, 2, 3, 4, 10, 10, 5, 6, 0); }},
      {"draw_triangle_color",
       {R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(1)},
       [] { GR_Draw_Triangle_Color(1, 2, 3, 4, 5, 6, 7, 8, 9, 1); }},
      {"draw_circle_color", {R(1), R(2), R(3), R(4), R(5), R(1)}, [] { GR_Draw_Circle_Color(1, 2, 3, 4, 5, 1); }},
      {"draw_ellipse_color",
       {R(1), R(2), R(3), R(4), R(5), R(6), R(0)},
       [] { GR_Draw_Ellipse_Color(1, 2, 3, 4, 5, 6, 0); }},
      {"draw_primitive_begin",
       {R(4)},
       [] { GR_Primitive_Begin(4, -1); },
       [] { GR_Primitive_Begin(4, 0); },
       {},
       ThreeAndEnd},
      {"draw_primitive_begin_texture",
       {R(5), R(1099511627776.0)},
       [] { GR_Primitive_Begin(5, 1099511627776); },
       [] { GR_Primitive_Begin(5, 0); },
       {},
       ThreeAndEnd},
      {"draw_primitive_end",
       {},
       [] { GR_Primitive_End(); },
       {},
       [] {
         GR_Primitive_Begin(4, -1);
         ThreeAndEnd();
       },
       [] {}},
      {"draw_vertex", {R(1), R(2)}, [] { GR_Primitive_Vertex(1, 2); }, {}, OpenList, End},
      {"draw_vertex_color",
       {R(1), R(2), R(3), R(0.5)},
       [] { GR_Primitive_Vertex_Color(1, 2, 3, 0.5f); },
       {},
       OpenList,
       End},
      {"draw_vertex_texture",
       {R(1), R(2), R(0.25), R(0.75)},
       [] { GR_Primitive_Vertex_Texture(1, 2, 0.25f, 0.75f); },
       {},
       OpenList,
       End},
      {"draw_vertex_texture_color",
       {R(1), R(2), R(0.25), R(0.75), R(3), R(0.5)},
       [] { GR_Primitive_Vertex_Texture_Color(1, 2, 0.25f, 0.75f, 3, 0.5f); },
       {},
       OpenList,
       End},
      {"draw_set_font", {R(2)}, [] { GR_Text_Set_Font(2); }},
      {"draw_set_halign", {R(1)}, [] { GR_Text_Set_Halign(1); }},
      {"draw_set_valign", {R(2)}, [] { GR_Text_Set_Valign(2); }},
      {"draw_text", {R(1), R(2), S("hi")}, [] { GR_Text_Draw(1, 2, "hi", -1, -1); }},
      {"draw_text",
       {R(1), R(2), R(12.5)},
       [] { GR_Text_Draw(1, 2, "12.50", -1, -1); },
       [] { GR_Text_Draw(1, 2, "12.5", -1, -1); }},
      {"draw_text",
       {R(1), R(2), R(7)},
       [] { GR_Text_Draw(1, 2, "7", -1, -1); },
       [] { GR_Text_Draw(1, 2, "7.00", -1, -1); }},
      {"draw_text_ext", {R(1), R(2), S("hi"), R(3), R(40)}, [] { GR_Text_Draw(1, 2, "hi", 3, 40); }},
      {"draw_text_transformed",
       {R(1), R(2), S("hi"), R(2), R(3), R(45)},
       [] { GR_Text_Draw_Transformed(1, 2, "hi", -1, -1, 2, 3, 45); }},
      {"draw_text_ext_transformed",
       {R(1), R(2), S("hi"), R(3), R(40), R(2), R(3), R(45)},
       [] { GR_Text_Draw_Transformed(1, 2, "hi", 3, 40, 2, 3, 45); }},
      {"draw_text_color",
       {R(1), R(2), S("hi"), R(1), R(2), R(3), R(4), R(0.5)},
       [] { GR_Text_Draw_Color(1, 2, "hi", -1, -1, 1, 2, 3, 4, 0.5f); }},
      {"draw_text_transformed_color",
       {R(1), R(2), S("hi"), R(2), R(3), R(45), R(1), R(2), R(3), R(4), R(0.5)},
       [] { GR_Text_Draw_Transformed_Color(1, 2, "hi", -1, -1, 2, 3, 45, 1, 2, 3, 4, 0.5f); }},
      {"draw_text_ext_color",
       {R(1), R(2), S("hi"), R(3), R(40), R(1), R(2), R(3), R(4), R(0.5)},
       [] { GR_Text_Draw_Color(1, 2, "hi", 3, 40, 1, 2, 3, 4, 0.5f); }},
      {"draw_text_ext_transformed_color",
       {R(1), R(2), S("hi"), R(3), R(40), R(2), R(3), R(45), R(1), R(2), R(3), R(4), R(0.5)},
       [] { GR_Text_Draw_Transformed_Color(1, 2, "hi", 3, 40, 2, 3, 45, 1, 2, 3, 4, 0.5f); }},
      {"draw_self",
       {},
       [] { Spr()->Draw(2, 5.5f, 6.5f, 2, 3, 45, 0xFF, 0.5f); },
       [] { Spr()->Draw(3, 5.5f, 6.5f, 2, 3, 45, 0xFF, 0.5f); }},
      {"draw_sprite",
       {R(0), R(1.7), R(3), R(4)},
       [] { Spr()->DrawSimple(1, 3, 4); },
       [] { Spr()->DrawSimple(2, 3, 4); }},
      {"draw_sprite",
       {R(0.9), R(-1), R(3), R(4)},
       [] { Spr()->DrawSimple(2, 3, 4); },
       [] { Spr()->DrawSimple(-1, 3, 4); }},
      {"draw_sprite",
       {R(0), R(-0.5), R(3), R(4)},
       [] { Spr()->DrawSimple(2, 3, 4); },
       [] { Spr()->DrawSimple(0, 3, 4); }},
      {"draw_sprite", {R(0), R(7), R(3), R(4)}, [] { Spr()->DrawSimple(7, 3, 4); }, [] { Spr()->DrawSimple(0, 3, 4); }},
      {"draw_sprite_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(255), R(0.5)},
       [] { Spr()->Draw(1, 2, 3, 4, 5, 6, 0xFF, 0.5f); }},
      {"draw_sprite_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7)},
       [] { Spr()->DrawPart(1, 2, 3, 4, 5, 6, 7, 1, 1, 0xFFFFFF, GR_Draw_Get_Alpha()); },
       [] { Spr()->DrawPart(1, 2, 3, 4, 5, 6, 7, 1, 1, 0xFFFFFF, 1); }},
      {"draw_sprite_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(0.5)},
       [] { Spr()->DrawPart(1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0.5f); }},
      {"draw_sprite_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(14), R(0.5)},
       [] { Spr()->DrawGeneral(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xB, 0xC, 0xD, 0xE, 0.5f); }},
      {"draw_sprite_stretched",
       {R(0), R(1), R(2), R(3), R(4), R(5)},
       [] { Spr()->DrawStretched(1, 2, 3, 4, 5, 0xFFFFFF, GR_Draw_Get_Alpha()); },
       [] { Spr()->DrawStretched(1, 2, 3, 4, 5, 0xFFFFFF, 1); }},
      {"draw_sprite_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       [] { Spr()->DrawStretched(1, 2, 3, 4, 5, 6, 0.5f); }},
      {"draw_sprite_tiled",
       {R(0), R(1), R(2), R(3)},
       [] { Spr()->DrawTiled(1, 2, 3, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, GR_Draw_Get_Alpha()); },
       [] { Spr()->DrawTiled(1, 2, 3, 1, 1, true, true, 0, 0, 64, 64, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_sprite_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       [] { Spr()->DrawTiled(1, 2, 3, 4, 5, true, true, 0, 0, 64, 48, 6, 0.5f); }},
      {"draw_sprite_pos",
       {R(0), R(-1), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(0.5)},
       [] { Spr()->DrawPos(-1, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 0.5f); },
       [] { Spr()->DrawPos(2, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 0.5f); }},
      {"draw_sprite_pos",
       {R(0.9), R(2.9), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(1)},
       [] { Spr()->DrawPos(2, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 1); },
       [] { Spr()->DrawPos(3, 1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF, 1); }},
      {"draw_background", {R(0.4), R(1), R(2)}, [] { Back()->DrawSimple(1, 2); }},
      {"draw_background_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(0.5)},
       [] { Back()->Draw(1, 2, 3, 4, 5, 6, 0.5f); }},
      {"draw_background_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6)},
       [] { Back()->DrawPart(1, 2, 3, 4, 5, 6, 1, 1, 0xFFFFFF, GR_Draw_Get_Alpha()); },
       [] { Back()->DrawPart(1, 2, 3, 4, 5, 6, 1, 1, 0xFFFFFF, 1); }},
      {"draw_background_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(0.5)},
       [] { Back()->DrawPart(1, 2, 3, 4, 5, 6, 7, 8, 9, 0.5f); }},
      {"draw_background_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(0.5)},
       [] { Back()->DrawGeneral(1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0.5f); }},
      {"draw_background_stretched",
       {R(0), R(1), R(2), R(3), R(4)},
       [] { Back()->DrawStretched(1, 2, 3, 4, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_background_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       [] { Back()->DrawStretched(1, 2, 3, 4, 5, 0.5f); }},
      {"draw_background_tiled",
       {R(0), R(1), R(2)},
       [] { Back()->DrawTiled(1, 2, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_background_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       [] { Back()->DrawTiled(1, 2, 3, 4, true, true, 0, 0, 64, 48, 5, 0.5f); }},
  };
  return cases;
}

struct AnswerCase {
  const char* name;
  std::vector<GoldenArg> args;
  int32_t (*expected)();  // the module's own answer to the expected call
  int32_t (*wrong)() = nullptr;
};

// A view of the room's (0, 0, 64, 48) shown in a port at (10, 20) of the
// same size: a room point lies 10 and 20 pixels further on in the window.
void PortAt10And20() {
  g_viewProjection = ViewProjection{0, 0, 64, 48, 0};
  g_viewport = ViewportRect{10, 20, 64, 48};
}

const std::vector<AnswerCase>& Answers() {
  static const std::vector<AnswerCase> answers = {
      {"string_width", {S("abc")}, [] { return GR_Text_String_Width("abc", -1, -1); }},
      {"string_width",
       {R(5)},
       [] { return GR_Text_String_Width("", -1, -1); },
       [] { return GR_Text_String_Width("5", -1, -1); }},
      {"string_height", {S("abc")}, [] { return GR_Text_String_Height("abc", -1, -1); }},
      {"string_width_ext", {S("abc"), R(2.5), R(100.5)}, [] { return GR_Text_String_Width("abc", 2, 100); }},
      {"string_height_ext",
       {S("a b c"), R(3.5), R(7)},
       [] { return GR_Text_String_Height("a b c", 4, 7); },
       [] { return GR_Text_String_Height("a b c", 3, 7); }},
  };
  return answers;
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

TEST_F(GraphicsBuiltins, EachWrapperDrawsAsTheModuleDoesWithConvertedArguments) {
  for (const WrapperCase& c : Cases()) ExpectSame(c.name, c.args, c.expected, c.wrong, c.before, c.after);
}

TEST_F(GraphicsBuiltins, MeasuringWrappersAnswerAsTheModuleWithConvertedArguments) {
  for (const AnswerCase& c : Answers()) {
    SCOPED_TRACE(c.name);
    ErrorCapture errors;
    EXPECT_EQ(Real(c.name, c.args), c.expected());
    if (c.wrong != nullptr) {
      EXPECT_NE(c.expected(), c.wrong());
    }
    EXPECT_TRUE(errors.Messages().empty());
  }
}

// The room point goes through the view to the window pixel, rounded: the
// pixel read asks the device for exactly that pixel.
TEST_F(GraphicsBuiltins, GetPixelReadsTheWindowPixelUnderTheRoomPoint) {
  ExpectSame(
      "draw_getpixel", {R(3.9), R(4.2)}, [] { GR_Draw_Get_Pixel(14, 24); }, [] { GR_Draw_Get_Pixel(13, 24); },
      PortAt10And20);
  ExpectSame(
      "draw_getpixel", {R(-0.5), R(4.2)}, [] { GR_Draw_Get_Pixel(10, 24); }, [] { GR_Draw_Get_Pixel(9, 24); },
      PortAt10And20);
  device_.Fresh();
  EXPECT_EQ(Real("draw_getpixel", {R(3), R(4)}), GR_Draw_Get_Pixel(3, 4));
}

// A wrap width half a pixel short of a line's odd width lies between the
// even width that breaks the line and the odd one that keeps it whole: the
// half must go to the even one. In font 2 "AB AB" is 25 pixels wide.
TEST_F(GraphicsBuiltins, WrapWidthsRoundHalvesToEvenBeforeTheyWrap) {
  const auto font = [] { GR_Text_Set_Font(2); };
  font();
  const char* line = "AB AB";
  const int32_t whole = GR_Text_String_Width(line, -1, -1), even = whole - 1;
  ASSERT_EQ(whole % 2, 1);
  ASSERT_NE(GR_Text_String_Width(line, -1, even), whole);
  const double half = whole - 0.5;
  EXPECT_EQ(Real("string_width_ext", {S(line), R(-1), R(half)}), GR_Text_String_Width(line, -1, even));
  EXPECT_EQ(Real("string_height_ext", {S(line), R(-1), R(half)}), GR_Text_String_Height(line, -1, even));
  ExpectSame(
      "draw_text_ext", {R(1), R(2), S(line), R(-1), R(half)}, [&] { GR_Text_Draw(1, 2, line, -1, even); },
      [&] { GR_Text_Draw(1, 2, line, -1, whole); }, font);
  ExpectSame(
      "draw_text_ext_color", {R(1), R(2), S(line), R(-1), R(half), R(1), R(2), R(3), R(4), R(1)},
      [&] { GR_Text_Draw_Color(1, 2, line, -1, even, 1, 2, 3, 4, 1); },
      [&] { GR_Text_Draw_Color(1, 2, line, -1, whole, 1, 2, 3, 4, 1); }, font);
}

TEST_F(GraphicsBuiltins, TheTableCoversEveryDrawingRowOfTheFamily) {
  std::set<std::string> covered = {"draw_getpixel"};
  for (const WrapperCase& c : Cases()) covered.insert(c.name);
  for (const AnswerCase& c : Answers()) covered.insert(c.name);
  for (int32_t id = 0; id < Function_Count(); ++id) {
    const std::string name = Function_GetRecord(id)->name;
    if (!DrawsNothing(name)) {
      EXPECT_EQ(covered.count(name), 1u) << name;
    }
  }
}

TEST_F(GraphicsBuiltins, ColourAndAlphaGettersMaskTheColourAndPassTheAlpha) {
  device_.Fresh();
  GR_Draw_Set_Alpha(0.25f);
  EXPECT_EQ(Real("draw_get_color", {}), 0x123456);
  EXPECT_EQ(Real("draw_get_alpha", {}), GR_Draw_Get_Alpha());
  EXPECT_EQ(Sent([this] {
              Call("draw_get_color", {});
              Call("draw_get_alpha", {});
            }),
            Sent({}));
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
    ErrorCapture errors;
    EXPECT_EQ(Sent([&] { Call(b.name, b.args); }), Sent({})) << b.name;
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{b.message}) << b.name;
  }
}

TEST_F(GraphicsBuiltins, DrawSelfNeedsTheInstancesSprite) {
  ErrorCapture errors;
  self_.sprite_index = -1;
  EXPECT_EQ(Sent([this] {
              Call("draw_self", {});
              Call("draw_self", {}, false);
            }),
            Sent({}));
  EXPECT_EQ(errors.Messages(), std::vector<std::string>(2, "Trying to draw non-existing sprite."));
}

TEST_F(GraphicsBuiltins, TiledFormsCoverNothingWithoutARoom) {
  g_currentRoom = nullptr;
  device_.ExpectSame(
      "draw_sprite_tiled",
      [this] {
        Call("draw_sprite_tiled", {R(0), R(0), R(0), R(0)});
      },
      [] { Spr()->DrawTiled(0, 0, 0, 1, 1, true, true, 0, 0, 0, 0, 0xFFFFFF, GR_Draw_Get_Alpha()); },
      [] { Spr()->DrawTiled(0, 0, 0, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, GR_Draw_Get_Alpha()); });
}

// Every row, every argument NaN, an infinity or far out of range: the
// conversions must stay defined (the sanitizer build checks) and the
// negative-frame rule must not read a missing instance.
TEST_F(GraphicsBuiltinsWithoutDevice, NonFiniteArgumentsReachEveryRowSafely) {
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

TEST_F(GraphicsBuiltinsWithoutDevice, TheRealOperationsAcceptEveryRowWithoutADevice) {
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

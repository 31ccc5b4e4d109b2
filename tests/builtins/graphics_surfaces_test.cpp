// The surface built-ins over the recording device: each draw sends what the
// surface module sends for the converted arguments, a missing surface is
// named once per call, and the table, target and pixel rows answer as the
// surfaces do.
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "graphics_test_support.h"

namespace {

constexpr char kNoSurface[] = "Trying to use non-existing surface.";

class SurfaceBuiltins : public GraphicsBuiltins {
 protected:
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    ASSERT_EQ(GR_Surface_Create(16, 8), 0);
  }
  void TearDown() override {
    GR_Surface_Free_All();
    GraphicsBuiltins::TearDown();
  }
};

struct DrawCase {
  const char* name;
  std::vector<GoldenArg> args;
  devicetest::Drawing expected, wrong{};
};

TEST_F(SurfaceBuiltins, EachDrawSendsWhatTheSurfacesSendForConvertedArguments) {
  const std::vector<DrawCase> cases = {
      {"draw_surface",
       {R(0.4), R(10.7), R(-0.5)},
       [] { GR_Surface_Draw(0, 10, -1); },
       [] { GR_Surface_Draw(0, 11, 0); }},
      {"draw_surface",
       {R(0), R(2.9999999999), R(-1e-12)},
       [] { GR_Surface_Draw(0, 3, -1); },
       [] { GR_Surface_Draw(0, 2, -1); }},
      {"draw_surface_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6.5), R(0.5)},
       [] { GR_Surface_Draw_Ext(0, 1, 2, 3, 4, 5, 6, 0.5f); },
       [] { GR_Surface_Draw_Ext(0, 1, 2, 3, 4, 5, 7, 0.5f); }},
      {"draw_surface_stretched",
       {R(0), R(1), R(2), R(3), R(4)},
       [] { GR_Surface_Draw_Stretched(0, 1, 2, 3, 4, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_surface_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       [] { GR_Surface_Draw_Stretched(0, 1, 2, 3, 4, 5, 0.5f); }},
      {"draw_surface_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6)},
       [] { GR_Surface_Draw_Part(0, 1, 2, 3, 4, 5, 6, 1, 1, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_surface_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(0.5)},
       [] { GR_Surface_Draw_Part(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0.5f); }},
      {"draw_surface_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(0.5)},
       [] { GR_Surface_Draw_General(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0.5f); }},
      {"draw_surface_tiled",
       {R(0), R(1), R(2)},
       [] { GR_Surface_Draw_Tiled(0, 1, 2, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, GR_Draw_Get_Alpha()); }},
      {"draw_surface_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       [] { GR_Surface_Draw_Tiled(0, 1, 2, 3, 4, true, true, 0, 0, 64, 48, 5, 0.5f); }},
  };
  for (const DrawCase& c : cases) ExpectSame(c.name, c.args, c.expected, c.wrong);
}

TEST_F(SurfaceBuiltins, AMissingSurfaceIsNamedOncePerCallAndNothingHappens) {
  const std::vector<std::pair<const char*, std::vector<GoldenArg>>> calls = {
      {"draw_surface", {R(1), R(0), R(0)}},
      {"draw_surface_ext", {R(-1), R(0), R(0), R(1), R(1), R(0), R(0), R(1)}},
      {"draw_surface_stretched", {R(NAN), R(0), R(0), R(1), R(1)}},
      {"draw_surface_tiled", {R(1.5), R(0), R(0)}},
      {"surface_save", {R(3), S("a.bmp")}},
      {"surface_save_part", {R(3), S("a.bmp"), R(0), R(0), R(1), R(1)}},
      {"surface_getpixel", {R(3), R(0), R(0)}},
      {"surface_copy", {R(3), R(0), R(0), R(4)}},
      {"surface_copy", {R(0), R(0), R(0), R(4)}},
      {"surface_copy_part", {R(5), R(0), R(0), R(0), R(0), R(0), R(1), R(1)}},
  };
  for (const auto& [name, args] : calls) {
    ErrorCapture errors;
    EXPECT_EQ(Sent([&] { Call(name, args); }), Sent({})) << name;
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{kNoSurface}) << name;
  }
  ErrorCapture errors;
  Call("surface_save", {R(0), S("")});
  Call("surface_save_part", {R(0), R(7), R(0), R(0), R(1), R(1)});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>(2, "Trying to save surface to empty image file name."));
}

TEST_F(SurfaceBuiltins, TheTableRowsAnswerWithoutMessages) {
  ErrorCapture errors;
  EXPECT_EQ(Real("surface_create", {R(3.5), R(2)}), 1);
  EXPECT_EQ(Real("surface_get_width", {R(1)}), 4);
  EXPECT_EQ(Real("surface_get_height", {R(1)}), 2);
  EXPECT_EQ(Real("surface_get_texture", {R(0)}), GR_Surface_Get_Texture(0));
  EXPECT_EQ(Real("surface_exists", {R(0.5)}), 1);
  EXPECT_EQ(Real("surface_exists", {R(NAN)}), 0);
  EXPECT_EQ(Real("surface_get_width", {R(9)}), -1);
  for (double bad : {0.0, -3.0, 8193.0, double{NAN}, 1e300}) {
    EXPECT_EQ(Real("surface_create", {R(bad), R(4)}), -1) << bad;
  }
  EXPECT_EQ(Real("surface_create", {S("16"), R(4)}), -1);
  EXPECT_EQ(Real("surface_set_target", {R(1)}), 1);
  EXPECT_EQ(Real("surface_set_target", {R(7)}), 0);
  EXPECT_EQ(Real("surface_reset_target", {}), 1);
  EXPECT_EQ(Real("surface_reset_target", {}), 0);
  Call("surface_free", {R(1)});
  EXPECT_EQ(Real("surface_exists", {R(1)}), 0);
  EXPECT_EQ(Real("surface_getpixel", {R(0), R(1), R(1)}), 0);
  EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(GraphicsBuiltins, TexturesOfSpritesAndBackgroundsAreIndicesOrHandlesNeverPointers) {
  ErrorCapture errors;
  EXPECT_EQ(Real("sprite_get_texture", {R(0), R(1)}), Spr()->TextureOfFrame(1));
  EXPECT_EQ(Real("background_get_texture", {R(0)}), Background_Get(0)->GetTexture());
  const double page = kTexturePageHandleBase;
  EXPECT_EQ(Real("texture_exists", {R(page)}), 0);
  EXPECT_EQ(Real("texture_get_width", {R(page)}), 1.0);
  EXPECT_EQ(Real("texture_get_height", {R(-1)}), 1.0);
  Call("texture_preload", {R(page)});
  Call("texture_set_priority", {R(page), R(3)});
  EXPECT_TRUE(errors.Messages().empty());
  Call("sprite_get_texture", {R(5), R(0)});
  Call("background_get_texture", {R(NAN)});
  EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"Trying to get texture from non-existing sprite.",
                                                         "Trying to get texture from non-existing background."}));
}

}  // namespace

// The surface built-ins over the recording device: each draw makes its one
// call with converted arguments, a missing surface is named once per call,
// and the table, target and pixel rows answer as the surfaces do.
#include "graphics/device/graphics.h"
#include "graphics/overlay/profiler.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "graphics_test_support.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"

namespace {

constexpr char kNoSurface[] = "Trying to use non-existing surface.";

class SurfaceBuiltins : public GraphicsBuiltins {
 protected:
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    ProfilerServices_Install(&ProfilerServices_Real());
    GraphicsSystem_SetFactory(FakeGraphics_CreateSystem);
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(Graphics::CreateDevice(nullptr, 64, 48, 0));
    ASSERT_EQ(GR_Surface_Create(16, 8), 0);
  }
  void TearDown() override {
    GR_Surface_Free_All();
    Graphics::Shutdown();
    while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
    Graphics::Release();
    DeviceWindow_Destroy();
    GraphicsSystem_SetFactory(nullptr);
    GraphicsBuiltins::TearDown();
  }
  // The device's start-up lines.
  testsupport::ConsoleCapture quiet_;
};

struct DrawCase {
  const char* name;
  std::vector<GoldenArg> args;
  const char* call;
};

TEST_F(SurfaceBuiltins, EachDrawMakesItsOneCallWithConvertedArguments) {
  const std::vector<DrawCase> cases = {
      {"draw_surface", {R(0.4), R(10.7), R(-0.5)}, "surfaceSimple(0, 10, -1)"},
      {"draw_surface", {R(0), R(2.9999999999), R(-1e-12)}, "surfaceSimple(0, 3, -1)"},
      {"draw_surface_ext", {R(0), R(1), R(2), R(3), R(4), R(5), R(6.5), R(0.5)}, "surface(0, 1, 2, 3, 4, 5, 0x6, 0.5)"},
      {"draw_surface_stretched", {R(0), R(1), R(2), R(3), R(4)}, "surfaceStretched(0, 1, 2, 3, 4, 0xFFFFFF, 0.25)"},
      {"draw_surface_stretched_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       "surfaceStretched(0, 1, 2, 3, 4, 0x5, 0.5)"},
      {"draw_surface_part",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6)},
       "surfacePart(0, 1, 2, 3, 4, 5, 6, 1, 1, 0xFFFFFF, 0.25)"},
      {"draw_surface_part_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(0.5)},
       "surfacePart(0, 1, 2, 3, 4, 5, 6, 7, 8, 0x9, 0.5)"},
      {"draw_surface_general",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), R(11), R(12), R(13), R(0.5)},
       "surfaceGeneral(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0.5)"},
      {"draw_surface_tiled",
       {R(0), R(1), R(2)},
       "surfaceTiled(0, 1, 2, 1, 1, true, true, 0, 0, 64, 48, 0xFFFFFF, 0.25)"},
      {"draw_surface_tiled_ext",
       {R(0), R(1), R(2), R(3), R(4), R(5), R(0.5)},
       "surfaceTiled(0, 1, 2, 3, 4, true, true, 0, 0, 64, 48, 0x5, 0.5)"},
  };
  for (const DrawCase& c : cases) {
    Log().clear();
    ErrorCapture errors;
    Call(c.name, c.args);
    EXPECT_EQ(Log(), std::vector<std::string>{c.call}) << c.name;
    EXPECT_TRUE(errors.Messages().empty()) << c.name;
  }
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
    Log().clear();
    ErrorCapture errors;
    Call(name, args);
    EXPECT_TRUE(Log().empty()) << name;
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
  EXPECT_EQ(Real("sprite_get_texture", {R(0), R(0)}), -1);  // no frames
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

// The 3D family over the real 3D workers and the recording device: its rows,
// the conversions its handlers make on the way, and models with their files
// in a scratch save folder and program folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "builtin_test_support.h"
#include "builtins/d3d/rows.h"
#include "builtins/registration.h"
#include "files/file_layer.h"
#include "graphics/3d/mode_3d.h"
#include "graphics/3d/model_3d.h"
#include "graphics/3d/transform_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/overlay/profiler.h"
#include "graphics/start/graphics_start.h"
#include "platform/backends.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"
#include "support/test_support.h"

namespace {

class D3DBuiltins : public ::testing::Test {
 protected:
  void SetUp() override {
    ProfilerServices_Install(&ProfilerServices_Real());
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(GR_D3D_Init(nullptr, 64, 64, 0));
    GR_3D_Transform_Stack_Clear();
    testsupport::WriteRaw(folder_ / "program/.keep", "");
    LoadSave_SetProgramDirectory(program_.c_str());
    LoadSave_SetSaveDirectory(save_.c_str());
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    GR_3D_Set_Mode(false);
    GR_3D_Transform_Stack_Clear();
    GR_D3D_Shutdown();
    DrawState_Reset();
    DeviceWindow_Destroy();
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    LoadSave_SetSaveDirectory(nullptr);
    LoadSave_SetProgramDirectory(nullptr);
  }
  static double Call(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
    return BuiltinCall(handler, args).Real();
  }

  testsupport::ConsoleCapture console_;
  testsupport::ScratchFolder folder_{"kv_d3d"};
  std::string program_ = folder_ / "program/";
  std::string save_ = folder_ / "save/";
};

TEST_F(D3DBuiltins, TheFamilyListsItsNamesInOrderWithTheirCounts) {
  ASSERT_EQ(std::size(kD3DRows), 75u);
  EXPECT_STREQ(kD3DRows[0].name, "d3d_start");
  EXPECT_STREQ(kD3DRows[26].name, "d3d_set_projection");
  EXPECT_STREQ(kD3DRows[49].name, "d3d_light_define_ambient");
  EXPECT_STREQ(kD3DRows[53].name, "d3d_model_create");
  EXPECT_STREQ(kD3DRows[74].name, "d3d_model_ellipsoid");
  int32_t total = 0;
  for (const BuiltinRow& row : kD3DRows) {
    EXPECT_EQ(std::string(row.name).rfind("d3d_", 0), 0u) << row.name;
    total += row.argumentCount;
  }
  EXPECT_EQ(total, 329);
  // The family sits eighth: the ids of the families before it come first.
  EXPECT_EQ(Builtins_Families()[7].id, BuiltinFamilyId::k3D);
  EXPECT_EQ(Builtins_Families()[7].rows.data(), kD3DRows);
}

TEST_F(D3DBuiltins, SettingsConvertTheirArgumentsOnTheWay) {
  // Fog start and end keep their low 16 bits: -1 comes back as -1 and
  // 70000 as 4464; the colour takes full alpha.
  Call(F_D3DSetFog, {R(1), R(0x0000FF), R(-1), R(70000)});
  EXPECT_EQ(g_fogSettings.enable, 1);
  EXPECT_EQ(g_fogSettings.start, -1.0f);
  EXPECT_EQ(g_fogSettings.end, 4464.0f);
  EXPECT_EQ(g_fogSettings.colour, 0xFFFF0000u);
  Call(F_D3DSetFog, {R(0.4), R(0), R(NAN), R(1.9)});
  EXPECT_EQ(g_fogSettings.enable, 0);
  EXPECT_EQ(g_fogSettings.start, 0.0f);
  EXPECT_EQ(g_fogSettings.end, 1.0f);

  EXPECT_EQ(Call(F_D3DStart, {}), 1);
  EXPECT_EQ(Call(F_D3DStart, {}), 1);
  EXPECT_EQ(g_3dMode, 1);
  Call(F_D3DSetDepth, {R(20000)});
  EXPECT_EQ(g_drawDepth, 16000.0f);
  Call(F_D3DSetHidden, {R(0.49)});
  EXPECT_EQ(g_renderFlags[3], 0);
  Call(F_D3DSetHidden, {R(0.5)});
  EXPECT_EQ(g_renderFlags[3], 1);
  EXPECT_EQ(Call(F_D3DEnd, {}), 1);
  EXPECT_EQ(g_3dMode, 0);
}

TEST_F(D3DBuiltins, LightsTakeTheirIndexAsTheDeviceDoesAndAZeroDirectionStaysZero) {
  // A string is no colour: the ambient light is left alone.
  Call(F_D3DLightDefineAmbient, {S("x")});
  EXPECT_FALSE(FakeGraphics_Log().Has("SetRenderState 139"));
  Call(F_D3DLightDefineAmbient, {R(0x404040)});
  EXPECT_TRUE(FakeGraphics_Log().Has("SetRenderState 139 4210752"));

  Call(F_D3DLightDefineDirection, {R(1.7), R(0), R(0), R(2), R(0xFFFFFF)});
  const GfxLight& one = FakeGraphics_Log().lights.at(1);
  EXPECT_EQ(one.type, D3DLIGHT_DIRECTIONAL);
  EXPECT_EQ(one.direction[0], 0.0f);
  EXPECT_EQ(one.direction[1], 0.0f);
  EXPECT_EQ(one.direction[2], 1.0f);
  EXPECT_EQ(one.diffuse.r, 1.0f);
  Call(F_D3DLightDefineDirection, {R(1), R(0), R(0), R(0), R(0xFFFFFF)});
  const GfxLight& zero = FakeGraphics_Log().lights.at(1);
  EXPECT_EQ(zero.direction[0], 0.0f);
  EXPECT_EQ(zero.direction[1], 0.0f);
  EXPECT_EQ(zero.direction[2], 0.0f);
  EXPECT_FALSE(std::isnan(zero.direction[2]));

  Call(F_D3DLightEnable, {R(9), R(1)});
  EXPECT_TRUE(FakeGraphics_Log().Has("LightEnable 1 1"));
  // NaN is light 0.
  Call(F_D3DLightDefinePoint, {R(NAN), R(1), R(2), R(3), R(50), R(0xFF)});
  EXPECT_EQ(FakeGraphics_Log().lights.at(0).type, D3DLIGHT_POINT);
  EXPECT_EQ(FakeGraphics_Log().lights.at(0).range, 50.0f);
}

TEST_F(D3DBuiltins, TheStackAnswersOneOrZero) {
  EXPECT_EQ(Call(F_D3DTransformStackEmpty, {}), 1);
  EXPECT_EQ(Call(F_D3DTransformStackPop, {}), 0);
  for (int i = 0; i < 51; ++i) EXPECT_EQ(Call(F_D3DTransformStackPush, {}), 1) << i;
  EXPECT_EQ(Call(F_D3DTransformStackPush, {}), 0);
  EXPECT_EQ(Call(F_D3DTransformStackEmpty, {}), 0);
  EXPECT_EQ(Call(F_D3DTransformStackTop, {}), 1);
  EXPECT_EQ(Call(F_D3DTransformStackDiscard, {}), 1);
  Call(F_D3DTransformStackClear, {});
  EXPECT_EQ(Call(F_D3DTransformStackDiscard, {}), 0);
}

TEST_F(D3DBuiltins, ModelsAreMadeInFreeSlotsAndSavedInTheSaveFolder) {
  EXPECT_EQ(Call(F_D3DModelCreate, {}), 0);
  EXPECT_EQ(Call(F_D3DModelCreate, {}), 1);
  EXPECT_EQ(Call(F_D3DModelCreate, {}), 2);
  Call(F_D3DModelDestroy, {R(1)});
  EXPECT_EQ(Call(F_D3DModelCreate, {}), 1);

  Call(F_D3DModelVertex, {R(0), R(1), R(2), R(3)});
  EXPECT_EQ(Call(F_D3DModelSave, {R(0), S("m.txt")}), 1);
  EXPECT_EQ(testsupport::ReadRaw(save_ + "m.txt"),
            "100\n1\n2     1.0000     2.0000     3.0000     0.0000     0.0000     0.0000     0.0000     0.0000"
            "     0.0000     0.0000\n");
  // Wrong kinds of argument; no model; a folder inside the name is not made.
  EXPECT_EQ(Call(F_D3DModelSave, {R(0), R(5)}), -1);
  EXPECT_EQ(Call(F_D3DModelSave, {S("0"), S("m.txt")}), -1);
  EXPECT_EQ(Call(F_D3DModelSave, {R(7), S("other.txt")}), 0);
  EXPECT_EQ(Call(F_D3DModelSave, {R(0), S("sub/m.txt")}), 0);
  // Never outside the save folder.
  EXPECT_EQ(Call(F_D3DModelSave, {R(0), S("..\\escaped.txt")}), 0);
  EXPECT_TRUE(testsupport::ReadRaw(folder_ / "escaped.txt").empty());
}

TEST_F(D3DBuiltins, ModelsLoadFromTheSaveFolderFirstThenTheProgramFolder) {
  const double m = Call(F_D3DModelCreate, {});
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), R(5)}), -1);
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("nosuch.txt")}), 0);
  EXPECT_EQ(console_.Lines().back(), "d3d_model_load - unable to find file nosuch.txt\n");

  testsupport::WriteRaw(program_ + "only.txt", "100\n1\n2 5 6 7\n");
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("only.txt")}), 1);
  ASSERT_EQ(GR_3D_Model_Get(0)->Records().size(), 1u);
  EXPECT_EQ(GR_3D_Model_Get(0)->Records()[0].reals[0], 5.0f);

  testsupport::WriteRaw(program_ + "both.txt", "100\n1\n2 1 1 1\n");
  testsupport::WriteRaw(save_ + "both.txt", "100\n2\n1\n1\n");
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("both.txt")}), 1);
  EXPECT_EQ(GR_3D_Model_Get(0)->Records().size(), 2u);

  // Found but refused: still 1, and the model is empty.
  testsupport::WriteRaw(save_ + "blank.txt", "100 \n1\n2 1 1 1\n");
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("blank.txt")}), 1);
  EXPECT_TRUE(GR_3D_Model_Get(0)->Records().empty());
  // A model that does not exist: found, so 1.
  EXPECT_EQ(Call(F_D3DModelLoad, {R(9), S("both.txt")}), 1);
}

// A link in the save folder leading out of it is a file that is not there;
// one staying inside names its target.
TEST_F(D3DBuiltins, ModelFilesKeepToTheSaveFolderThroughLinks) {
  const std::string outside = folder_ / "outside.txt";
  testsupport::WriteRaw(outside, "100\n1\n2 5 6 7\n");
  testsupport::WriteRaw(save_ + "inside.txt", "100\n1\n2 1 1 1\n");
  ASSERT_EQ(symlink("../outside.txt", (save_ + "out.txt").c_str()), 0);
  ASSERT_EQ(symlink("inside.txt", (save_ + "in.txt").c_str()), 0);
  const double m = Call(F_D3DModelCreate, {});
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("out.txt")}), 0);
  EXPECT_EQ(Call(F_D3DModelSave, {R(m), S("out.txt")}), 0);
  EXPECT_EQ(testsupport::ReadRaw(outside), "100\n1\n2 5 6 7\n");
  EXPECT_EQ(Call(F_D3DModelLoad, {R(m), S("in.txt")}), 1);
  EXPECT_EQ(GR_3D_Model_Get(0)->Records().size(), 1u);
  Call(F_D3DModelClear, {R(m)});
  EXPECT_EQ(Call(F_D3DModelSave, {R(m), S("in.txt")}), 1);
  EXPECT_EQ(testsupport::ReadRaw(save_ + "inside.txt"), "100\n0\n");
}

}  // namespace

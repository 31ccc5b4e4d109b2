// The constant table: the built-in list, the two lookups and what hides what.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "front_end_support.h"
#include "script/compiler/constants.h"
#include "script/compiler/resource_lookup.h"

namespace {

// Every built-in constant in registration order, as name=value.
const char* const kBuiltIns =
    "self=-1 other=-2 all=-3 noone=-4 global=-5 local=-7 true=1 false=0 pi=3.1415927410125732 "
    "pr_pointlist=1 pr_linelist=2 pr_linestrip=3 pr_trianglelist=4 pr_trianglestrip=5 "
    "pr_trianglefan=6 c_aqua=16776960 c_black=0 c_blue=16711680 c_dkgray=4210752 "
    "c_fuchsia=16711935 c_gray=8421504 c_green=32768 c_lime=65280 c_ltgray=12632256 "
    "c_maroon=128 c_navy=8388608 c_olive=32896 c_purple=8388736 c_red=255 c_silver=12632256 "
    "c_teal=8421376 c_white=16777215 c_yellow=65535 c_orange=4235519 bm_normal=0 bm_add=1 "
    "bm_max=2 bm_subtract=3 bm_zero=1 bm_one=2 bm_src_color=3 bm_inv_src_color=4 "
    "bm_src_alpha=5 bm_inv_src_alpha=6 bm_dest_alpha=7 bm_inv_dest_alpha=8 bm_dest_color=9 "
    "bm_inv_dest_color=10 bm_src_alpha_sat=11 se_none=0 se_chorus=1 se_echo=2 se_flanger=4 "
    "se_gargle=8 se_reverb=16 se_compressor=32 se_equalizer=64 fa_left=0 fa_center=1 "
    "fa_right=2 fa_top=0 fa_middle=1 fa_bottom=2 mb_any=-1 mb_none=0 mb_left=1 mb_right=2 "
    "mb_middle=3 vk_nokey=0 vk_anykey=1 vk_enter=13 vk_return=13 vk_shift=16 vk_control=17 "
    "vk_alt=18 vk_escape=27 vk_space=32 vk_backspace=8 vk_tab=9 vk_pause=19 vk_printscreen=44 "
    "vk_left=37 vk_right=39 vk_up=38 vk_down=40 vk_home=36 vk_end=35 vk_delete=46 "
    "vk_insert=45 vk_pageup=33 vk_pagedown=34 vk_f1=112 vk_f2=113 vk_f3=114 vk_f4=115 "
    "vk_f5=116 vk_f6=117 vk_f7=118 vk_f8=119 vk_f9=120 vk_f10=121 vk_f11=122 vk_f12=123 "
    "vk_numpad0=96 vk_numpad1=97 vk_numpad2=98 vk_numpad3=99 vk_numpad4=100 vk_numpad5=101 "
    "vk_numpad6=102 vk_numpad7=103 vk_numpad8=104 vk_numpad9=105 vk_divide=111 "
    "vk_multiply=106 vk_subtract=109 vk_add=107 vk_decimal=110 vk_lshift=160 vk_lcontrol=162 "
    "vk_lalt=164 vk_rshift=161 vk_rcontrol=163 vk_ralt=165 ev_create=0 ev_destroy=1 ev_step=3 "
    "ev_alarm=2 ev_keyboard=5 ev_mouse=6 ev_collision=4 ev_other=7 ev_draw=8 ev_keypress=9 "
    "ev_keyrelease=10 ev_left_button=0 ev_right_button=1 ev_middle_button=2 ev_no_button=3 "
    "ev_left_press=4 ev_right_press=5 ev_middle_press=6 ev_left_release=7 ev_right_release=8 "
    "ev_middle_release=9 ev_mouse_enter=10 ev_mouse_leave=11 ev_global_press=12 "
    "ev_global_release=13 ev_joystick1_left=16 ev_joystick1_right=17 ev_joystick1_up=18 "
    "ev_joystick1_down=19 ev_joystick1_button1=21 ev_joystick1_button2=22 "
    "ev_joystick1_button3=23 ev_joystick1_button4=24 ev_joystick1_button5=25 "
    "ev_joystick1_button6=26 ev_joystick1_button7=27 ev_joystick1_button8=28 "
    "ev_joystick2_left=31 ev_joystick2_right=32 ev_joystick2_up=33 ev_joystick2_down=34 "
    "ev_joystick2_button1=36 ev_joystick2_button2=37 ev_joystick2_button3=38 "
    "ev_joystick2_button4=39 ev_joystick2_button5=40 ev_joystick2_button6=41 "
    "ev_joystick2_button7=42 ev_joystick2_button8=43 ev_global_left_button=50 "
    "ev_global_right_button=51 ev_global_middle_button=52 ev_global_left_press=53 "
    "ev_global_right_press=54 ev_global_middle_press=55 ev_global_left_release=56 "
    "ev_global_right_release=57 ev_global_middle_release=58 ev_mouse_wheel_up=60 "
    "ev_mouse_wheel_down=61 ev_outside=0 ev_boundary=1 ev_game_start=2 ev_game_end=3 "
    "ev_room_start=4 ev_room_end=5 ev_no_more_lives=6 ev_animation_end=7 ev_end_of_path=8 "
    "ev_no_more_health=9 ev_user0=10 ev_user1=11 ev_user2=12 ev_user3=13 ev_user4=14 "
    "ev_user5=15 ev_user6=16 ev_user7=17 ev_user8=18 ev_user9=19 ev_user10=20 ev_user11=21 "
    "ev_user12=22 ev_user13=23 ev_user14=24 ev_user15=25 ev_close_button=30 ev_step_normal=0 "
    "ev_step_begin=1 ev_step_end=2 ty_real=0 ty_string=1 dll_cdecl=0 dll_stdcall=1 "
    "fa_readonly=1 fa_hidden=2 fa_sysfile=4 fa_volumeid=8 fa_directory=16 fa_archive=32 "
    "cr_default=0 cr_none=-1 cr_arrow=-2 cr_cross=-3 cr_beam=-4 cr_size_nesw=-6 cr_size_ns=-7 "
    "cr_size_nwse=-8 cr_size_we=-9 cr_uparrow=-10 cr_hourglass=-11 cr_drag=-12 cr_nodrop=-13 "
    "cr_hsplit=-14 cr_vsplit=-15 cr_multidrag=-16 cr_sqlwait=-17 cr_no=-18 cr_appstart=-19 "
    "cr_help=-20 cr_handpoint=-21 cr_size_all=-22 pt_shape_pixel=0 pt_shape_disk=1 "
    "pt_shape_square=2 pt_shape_line=3 pt_shape_star=4 pt_shape_circle=5 pt_shape_ring=6 "
    "pt_shape_sphere=7 pt_shape_flare=8 pt_shape_spark=9 pt_shape_explosion=10 "
    "pt_shape_cloud=11 pt_shape_smoke=12 pt_shape_snow=13 ps_distr_linear=0 "
    "ps_distr_gaussian=1 ps_distr_invgaussian=2 ps_shape_rectangle=0 ps_shape_ellipse=1 "
    "ps_shape_diamond=2 ps_shape_line=3 ps_force_constant=0 ps_force_linear=1 "
    "ps_force_quadratic=2 ps_deflect_vertical=0 ps_deflect_horizontal=1 ps_change_all=0 "
    "ps_change_shape=1 ps_change_motion=2 ef_explosion=0 ef_ring=1 ef_ellipse=2 ef_firework=3 "
    "ef_smoke=4 ef_smokeup=5 ef_star=6 ef_spark=7 ef_flare=8 ef_cloud=9 ef_rain=10 ef_snow=11 "
    "display_landscape=0 display_portrait=1 phy_joint_anchor_1_x=0 phy_joint_anchor_1_y=1 "
    "phy_joint_anchor_2_x=2 phy_joint_anchor_2_y=3 phy_joint_reaction_force_x=4 "
    "phy_joint_reaction_force_y=5 phy_joint_reaction_torque=6 phy_joint_angle=8 "
    "phy_joint_motor_speed=7 phy_joint_motor_torque=9 phy_joint_max_motor_torque=10 "
    "phy_joint_translation=11 phy_joint_speed=12 phy_joint_motor_force=13 "
    "phy_joint_max_motor_force=14 phy_joint_length_1=15 phy_joint_length_2=16 "
    "phy_joint_damping_ratio=17 phy_joint_frequency=18 phy_debug_render_shapes=1 "
    "phy_debug_render_joints=2 phy_debug_render_coms=4 phy_debug_render_aabb=8 "
    "phy_debug_render_obb=16 phy_debug_render_core_shapes=32 "
    "phy_debug_render_collision_pairs=64 audio_falloff_none=0 "
    "audio_falloff_inverse_distance=1 audio_falloff_inverse_distance_clamped=2 "
    "audio_falloff_linear_distance=3 audio_falloff_linear_distance_clamped=4 "
    "audio_falloff_exponent_distance=5 audio_falloff_exponent_distance_clamped=6 ";

std::string TableText() {
  std::string text;
  for (int32_t i = 0; i < Code_Constant_Count(); ++i) {
    char value[40];
    std::snprintf(value, sizeof value, "%.17g", Code_Constant_Value(i)->real);
    text += std::string(Code_Constant_Name(i)) + "=" + value + " ";
  }
  return text;
}

int32_t SpriteNamedCRed(const char* name) { return std::strcmp(name, "c_red") == 0 ? 7 : -1; }
int32_t RoomNamedCRed(const char* name) { return std::strcmp(name, "c_red") == 0 ? 2 : -1; }
int32_t ObjectNamedHero(const char* name) { return std::strcmp(name, "hero") == 0 ? 0 : -1; }

class ConstantTable : public ::testing::Test {
 protected:
  void SetUp() override { Code_Constant_Init(); }
  void TearDown() override {
    Code_Constant_Free();
    Resolve_SetConstantResolver(nullptr);
    for (int32_t kind = 0; kind < kResourceKindCount; ++kind) {
      ResourceLookup_Install(static_cast<ResourceKind>(kind), nullptr);
    }
  }

  static std::string Resolved(const char* name) {
    ScriptValue value;
    if (!Code_Constant_Resolve(name, &value)) return "none";
    std::string text =
        value.kind == kValueString ? "'" + std::string(ScriptValue_Text(value)) + "'" : std::to_string(value.real);
    ScriptValue_Release(&value);
    return text;
  }
};

TEST_F(ConstantTable, BuiltInsInOrder) {
  EXPECT_EQ(Code_Constant_Count(), 322);
  EXPECT_EQ(TableText(), kBuiltIns);
  // The single-precision pi, not the double one.
  EXPECT_EQ(Code_Constant_Find("pi")->real, static_cast<double>(3.14159265358979f));
}

TEST_F(ConstantTable, PlainLookupIgnoresAsciiCaseOnly) {
  EXPECT_EQ(Code_Constant_Find("C_RED")->real, 255);
  EXPECT_EQ(Resolved("C_RED"), "none");  // the compiler's lookup is exact
  EXPECT_EQ(Code_Constant_Find("Vk_F12")->real, 123);
  EXPECT_EQ(Code_Constant_Find("c_re"), nullptr);
  EXPECT_EQ(Code_Constant_Find("c_redd"), nullptr);
  EXPECT_EQ(Code_Constant_Find(""), nullptr);
  EXPECT_EQ(Code_Constant_Find(nullptr), nullptr);
  // Bytes above ASCII are compared as they are.
  Code_Constant_AddReal("\xC3\xA9t\xC3\xA9", 4);
  EXPECT_NE(Code_Constant_Find("\xC3\xA9T\xC3\xA9"), nullptr);
  EXPECT_EQ(Code_Constant_Find("\xC3\x89T\xC3\x89"), nullptr);
}

TEST_F(ConstantTable, LaterEntriesHideEarlierOnes) {
  Code_Constant_AddReal("c_red", 1);
  ScriptValue text;
  ScriptValue_SetString(&text, "crimson");
  Code_Constant_Add("C_Red", text);
  ScriptValue_Release(&text);
  EXPECT_EQ(Code_Constant_Count(), 324);
  EXPECT_EQ(Resolved("c_red"), "1.000000");
  EXPECT_EQ(Resolved("C_Red"), "'crimson'");
  // The plain lookup takes the latest of any case.
  EXPECT_STREQ(ScriptValue_Text(*Code_Constant_Find("c_red")), "crimson");
}

TEST_F(ConstantTable, ResourceNamesComeFirstInKindOrder) {
  ResourceLookup_Install(kResourceRoom, RoomNamedCRed);
  EXPECT_EQ(Resolved("c_red"), "2.000000");
  ResourceLookup_Install(kResourceSprite, SpriteNamedCRed);
  EXPECT_EQ(Resolved("c_red"), "7.000000");
  // Index 0 is a resource too.
  ResourceLookup_Install(kResourceObject, ObjectNamedHero);
  EXPECT_EQ(Resolved("hero"), "0.000000");
  // The plain lookup never asks the resources.
  EXPECT_EQ(Code_Constant_Find("c_red")->real, 255);
  EXPECT_EQ(Code_Constant_Find("hero"), nullptr);
  ResourceLookup_Install(kResourceSprite, nullptr);
  EXPECT_EQ(Resolved("c_red"), "2.000000");
  EXPECT_EQ(ResourceLookup_Find(kResourceKindCount, "c_red"), -1);
}

TEST_F(ConstantTable, CompilerResolvesConstantsInsteadOfVariables) {
  ResourceLookup_Install(kResourceSprite, SpriteNamedCRed);
  EXPECT_EQ(front_test::Tree("c_maroon - vk_f1", true), "1011:211(128 112)");
  EXPECT_EQ(front_test::Tree("x = c_red", false), front_test::Tree("x = 7", false));
}

TEST(ConstantTableLife, FreeEmptiesAndTheHookAddsAfterTheBuiltIns) {
  Code_Constant_SetPlatformHook([] { Code_Constant_AddReal("os_test", 9); });
  Code_Constant_Init();
  Code_Constant_SetPlatformHook(nullptr);
  ASSERT_EQ(Code_Constant_Count(), 323);
  EXPECT_STREQ(Code_Constant_Name(321), "audio_falloff_exponent_distance_clamped");
  EXPECT_STREQ(Code_Constant_Name(322), "os_test");
  Code_Constant_Free();
  Resolve_SetConstantResolver(nullptr);
  EXPECT_EQ(Code_Constant_Count(), 0);
  EXPECT_EQ(Code_Constant_Find("self"), nullptr);
  Code_Constant_Free();  // twice is harmless
}

TEST(ConstantNames, Identifiers) {
  for (const char* good : {"a", "_", "_1", "c_red", "Z9_z"}) EXPECT_TRUE(Code_Constant_IsIdentifier(good)) << good;
  for (const char* bad : {"", "1abc", "a b", "a-b", "k\xC3\xA9", "\xC3\xA9", " k", "a."}) {
    EXPECT_FALSE(Code_Constant_IsIdentifier(bad)) << bad;
  }
  EXPECT_FALSE(Code_Constant_IsIdentifier(nullptr));
}

}  // namespace

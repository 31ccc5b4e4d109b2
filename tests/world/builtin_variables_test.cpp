#include "world/variables/builtin_variables.h"
#include "world/variables_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "gamefile/game_header.h"
#include "platform/device_window.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/events/error_report.h"
#include "script/events/event_world_seam.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "shell/window.h"
#include "support/test_support.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/input_test_support.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/start/service_list.h"
#include "world/start/world_teardown.h"

namespace {

// Every record in registration order; "-" marks one that refuses writes,
// "[]" one read and written by element.
const char* const kGolden[] = {
    "x", "y", "xprevious", "yprevious", "xstart", "ystart", "hspeed", "vspeed", "direction", "speed", "friction",
    "gravity", "gravity_direction", "-object_index", "-id", "alarm[]", "solid", "visible", "persistent", "depth",
    "-bbox_left", "-bbox_right", "-bbox_top", "-bbox_bottom", "sprite_index", "image_index", "image_single",
    "-image_number", "-sprite_width", "-sprite_height", "-sprite_xoffset", "-sprite_yoffset", "image_xscale",
    "image_yscale", "image_angle", "image_alpha", "image_blend", "image_speed", "mask_index", "-path_index",
    "path_position", "path_positionprevious", "path_speed", "path_scale", "path_orientation", "path_endaction",
    "timeline_index", "timeline_position", "timeline_speed", "timeline_running", "timeline_loop", "async_load",
    "phy_rotation", "phy_position_x", "phy_position_y", "phy_angular_velocity", "phy_linear_velocity_x",
    "phy_linear_velocity_y", "phy_speed_x", "phy_speed_y", "phy_bullet", "phy_fixed_rotation", "phy_active",
    "-phy_mass", "-phy_inertia", "-phy_com_x", "-phy_com_y", "-phy_dynamic", "-phy_kinematic", "-phy_sleeping",
    "-phy_collision_points", "-phy_collision_x[]", "-phy_collision_y[]", "-phy_col_normal_x[]", "-phy_col_normal_y[]",
    "-display_aa", "-delta_time", "-webgl_enabled",
    // global
    "-argument_relative", "argument[]", "argument0", "argument1", "argument2", "argument3", "argument4", "argument5",
    "argument6", "argument7", "argument8", "argument9", "argument10", "argument11", "argument12", "argument13",
    "argument14", "argument15", "argument_count", "debug_mode", "room", "-room_first", "-room_last", "transition_kind",
    "transition_steps", "score", "lives", "health", "-game_id", "-game_guid", "-working_directory", "-temp_directory",
    "-program_directory", "-instance_count", "-instance_id[]", "-room_width", "-room_height", "room_caption",
    "room_speed", "room_persistent", "background_color", "background_showcolor", "background_visible[]",
    "background_foreground[]", "background_index[]", "background_x[]", "background_y[]", "-background_width[]",
    "-background_height[]", "background_htiled[]", "background_vtiled[]", "background_xscale[]", "background_yscale[]",
    "background_hspeed[]", "background_vspeed[]", "background_blend[]", "background_alpha[]", "view_enabled",
    "-view_current", "view_visible[]", "view_xview[]", "view_yview[]", "view_wview[]", "view_hview[]", "view_xport[]",
    "view_yport[]", "view_wport[]", "view_hport[]", "view_angle[]", "view_hborder[]", "view_vborder[]", "view_hspeed[]",
    "view_vspeed[]", "view_object[]", "view_surface_id[]", "-mouse_x", "-mouse_y", "mouse_button", "mouse_lastbutton",
    "keyboard_key", "keyboard_lastkey", "keyboard_lastchar", "keyboard_string", "cursor_sprite", "show_score",
    "show_lives", "show_health", "caption_score", "caption_lives", "caption_health", "-fps", "-current_time",
    "-current_year", "-current_month", "-current_day", "-current_weekday", "-current_hour", "-current_minute",
    "-current_second", "-event_type", "-event_number", "-event_object", "-event_action", "-secure_mode",
    "error_occurred", "error_last", "-os_type", "-os_device", "-os_version", "-os_browser", "-browser_width",
    "-browser_height"};

ScriptValue RealValue(double v) {
  ScriptValue value;
  ScriptValue_SetReal(&value, v);
  return value;
}

class BuiltinVariables : public testing::Test {
 protected:
  void SetUp() override {
    VariablesWorld_Start();
    g_runFlags.showErrorDialog = false;
  }
  void TearDown() override { VariablesWorld_End(); }

  // A started room of `count` instances of object 0 at depth 0.
  CRoom* StartRoom(int32_t count) {
    Object_Place(0)->flags = kObjectVisible;
    int32_t index = Room_Add();
    for (int32_t i = 0; i < count; ++i) Room_AddInstanceEntry(index, static_cast<float>(i), 0.0f, 0);
    g_roomOrder.push_back(index);
    EXPECT_TRUE(StartGame());
    return g_currentRoom;
  }

  static int32_t Id(const char* name) {
    int32_t id = Variable_BuiltIn_Find(name);
    EXPECT_GE(id, 0) << name;
    return id;
  }
  double Get(const char* name, int32_t k = 0, CInstance* instance = nullptr) {
    ScriptValue out;
    EXPECT_TRUE(Variable_GetValue(instance, Id(name), k, &out)) << name;
    double real = out.real;
    ScriptValue_Release(&out);
    return real;
  }
  std::string GetText(const char* name, int32_t k = 0) {
    ScriptValue out;
    EXPECT_TRUE(Variable_GetValue(nullptr, Id(name), k, &out)) << name;
    std::string text = ScriptValue_Text(out);
    ScriptValue_Release(&out);
    return text;
  }
  bool Set(const char* name, double v, int32_t k = 0, CInstance* instance = nullptr) {
    return Variable_SetValue(instance, Id(name), k, RealValue(v));
  }
  bool SetText(const char* name, const char* text) {
    ScriptValue value;
    ScriptValue_SetString(&value, text);
    bool result = Variable_SetValue(nullptr, Id(name), 0, value);
    ScriptValue_Release(&value);
    return result;
  }
  std::vector<int32_t> Order() {
    std::vector<int32_t> ids;
    for (int32_t k = 0; k < static_cast<int32_t>(Get("instance_count")); ++k)
      ids.push_back(static_cast<int32_t>(Get("instance_id", k)));
    return ids;
  }

  testsupport::ConsoleCapture quiet_;
};

TEST_F(BuiltinVariables, RegistryHoldsEveryRecordInOrderWithItsWritability) {
  constexpr int32_t kCount = sizeof kGolden / sizeof kGolden[0];
  static_assert(kCount == 190);
  ASSERT_EQ(Variable_BuiltIn_Count(), kCount);
  for (int32_t i = 0; i < kCount; ++i) {
    std::string name = kGolden[i];
    bool readOnly = name[0] == '-', array = name.ends_with("[]");
    name = name.substr(readOnly ? 1 : 0, name.size() - (readOnly ? 1 : 0) - (array ? 2 : 0));
    const BuiltinVariableRecord* record = Variable_BuiltIn_Get(i);
    EXPECT_EQ(record->name, name) << i;
    EXPECT_EQ(record->canSet == 0, readOnly) << kGolden[i];
    EXPECT_EQ(record->isArray == 1, array) << kGolden[i];
    EXPECT_NE(record->getter, nullptr) << kGolden[i];
  }
  // Settable in name only: writes are refused without calling a setter.
  for (const char* name : {"argument_count", "debug_mode", "async_load"}) {
    EXPECT_EQ(Variable_BuiltIn_Get(Id(name))->setter, nullptr) << name;
    EXPECT_FALSE(Set(name, 3.0)) << name;
  }
  EXPECT_EQ(Get("async_load"), -1.0);
  EXPECT_FALSE(Set("fps", 3.0));
}

TEST_F(BuiltinVariables, InstanceSettersKeepTheBoxAndMotionInStep) {
  CRoom* room = StartRoom(1);
  CInstance* self = room->active.head;
  self->ComputeBoundingBox();
  self->bboxDirty = 0;
  Set("x", self->x, 0, self);
  EXPECT_EQ(self->bboxDirty, 0);
  Set("x", self->x + 1.0f, 0, self);
  EXPECT_EQ(self->bboxDirty, 1);
  EXPECT_EQ(Get("bbox_left", 0, self), static_cast<double>(self->bbox_left));
  EXPECT_EQ(self->bboxDirty, 0) << "reading a side recomputes a dirty box";

  Set("hspeed", 3.0, 0, self);
  Set("vspeed", -4.0, 0, self);
  EXPECT_FLOAT_EQ(static_cast<float>(Get("speed", 0, self)), 5.0f);
  Set("direction", 450.0, 0, self);
  EXPECT_FLOAT_EQ(static_cast<float>(Get("direction", 0, self)), 90.0f);
  Set("path_position", 3.0, 0, self);
  EXPECT_EQ(Get("path_position", 0, self), 1.0);

  Set("alarm", 5.0, 15, self);
  EXPECT_EQ(self->alarm[0], 5);
  Set("alarm", 2.5, 3, self);
  EXPECT_EQ(Get("alarm", 3, self), 2.0) << "int of v rounds half to even";
  Set("alarm", std::nan(""), 4, self);
  EXPECT_EQ(self->alarm[4], INT32_MIN) << "NaN goes through the conversion module";
  Set("image_blend", 4294967295.0, 0, self);
  EXPECT_EQ(Get("image_blend", 0, self), 2147483648.0) << "out of range reads back as the unsigned minimum";
}

TEST_F(BuiltinVariables, SpriteMeasuresFollowScaleAndReadZeroWithoutSprite) {
  CRoom* room = StartRoom(1);
  CInstance* self = room->active.head;
  self->sprite_index = -1;
  EXPECT_EQ(Get("sprite_width", 0, self), 0.0);
  EXPECT_EQ(Get("sprite_yoffset", 0, self), 0.0);
  EXPECT_EQ(Get("image_number", 0, self), 0.0);
  int32_t sprite = Sprite_AddEmpty();
  Sprite_Get(sprite)->width = 16;
  Sprite_Get(sprite)->yorigin = 4;
  Sprite_Get(sprite)->frameCount = 3;
  Set("sprite_index", sprite, 0, self);
  Set("image_xscale", -2.0, 0, self);
  Set("image_yscale", 0.5, 0, self);
  EXPECT_EQ(Get("sprite_width", 0, self), -32.0);
  EXPECT_EQ(Get("sprite_yoffset", 0, self), 2.0);
  EXPECT_EQ(Get("image_number", 0, self), 3.0);
}

TEST_F(BuiltinVariables, DepthChangesReorderAtOnceExceptForDeactivatedInstances) {
  CRoom* room = StartRoom(3);
  std::vector<int32_t> start = Order();
  ASSERT_EQ(start.size(), 3u);
  CInstance* first = room->active.head;
  Set("depth", 0.0, 0, first);
  EXPECT_EQ(Order(), start) << "an unchanged depth keeps the place";
  Set("depth", 5.0, 0, first);
  EXPECT_EQ(Order(), (std::vector<int32_t>{start[1], start[2], start[0]}));
  CInstance* middle = room->active.head->next;
  middle->deactivated = 1;
  Set("depth", -5.0, 0, middle);
  EXPECT_EQ(Order(), (std::vector<int32_t>{start[1], start[2], start[0]}));
  EXPECT_EQ(middle->depth, -5.0f);
  // A depth change of an instance in no list must not touch the room's.
  CInstance loose(0.0f, 0.0f, 7, 0, false);
  Set("depth", 9.0, 0, &loose);
  EXPECT_EQ(room->active.count, 3);
  EXPECT_EQ(Get("instance_id", 3), -4.0);
  EXPECT_EQ(Get("instance_id", -1), -4.0);
}

TEST_F(BuiltinVariables, PhysicsVariablesFailWithoutABody) {
  CRoom* room = StartRoom(1);
  CInstance* self = room->active.head;
  ScriptValue out;
  EXPECT_FALSE(Variable_GetValue(self, Id("phy_mass"), 0, &out));
  EXPECT_FALSE(Variable_GetValue(self, Id("phy_col_normal_y"), 2, &out));
  EXPECT_FALSE(Set("phy_rotation", 45.0, 0, self));
  EXPECT_FALSE(Variable_GetValue(nullptr, Id("x"), 0, &out)) << "no instance, no field";
}

TEST_F(BuiltinVariables, FlagsAndElementsConvertTheWayScriptsSeeThem) {
  CRoom* room = StartRoom(1);
  CInstance* self = room->active.head;
  Set("visible", -1.0, 0, self);
  EXPECT_EQ(self->visible, 1);
  Set("timeline_running", 1.0, 0, self);
  Set("timeline_running", -1.0, 0, self);
  EXPECT_EQ(self->timeline_running, 0);
  Set("show_score", 0.5);
  EXPECT_EQ(g_runValues.showScore, 0);
  EXPECT_EQ(g_runValues.captionSet, 1) << "show_score takes over the caption";
  Set("show_lives", 0.6);
  EXPECT_EQ(g_runValues.showLives, 1);
  Set("background_x", 12.0, 9);
  EXPECT_EQ(room->backgrounds[0].x, 12.0f);
  Set("view_visible", 1.0, 2);
  Set("view_visible", 0.5, 2);
  EXPECT_EQ(room->views[2].visible, 0);
  Set("background_blend", 255.0, 7);
  EXPECT_EQ(Get("background_blend", 7), 255.0);
  EXPECT_EQ(Get("background_width", 3), 0.0) << "a layer without a background";
  Set("transition_steps", -5.0);
  EXPECT_EQ(Get("transition_steps"), 1.0);
  Set("error_occurred", 0.5);
  EXPECT_TRUE(Error_Occurred());
  Set("error_occurred", 0.4);
  EXPECT_FALSE(Error_Occurred());
}

TEST_F(BuiltinVariables, RoomSettingsAndTheirRefusals) {
  CRoom* room = StartRoom(1);
  room->speed = 30;
  EXPECT_FALSE(Set("room_speed", 0.4));
  EXPECT_EQ(room->speed, 30);
  EXPECT_NE(std::string(Error_Last()).find("Trying to set the room speed to a value <= 0."), std::string::npos);
  EXPECT_TRUE(Set("room_speed", 59.5));
  EXPECT_EQ(Get("room_speed"), 60.0);
  SetText("room_caption", "a longer caption than before");
  SetText("room_caption", "short");
  EXPECT_EQ(GetText("room_caption"), "short");
  Set("transition_kind", 3.0);
  EXPECT_EQ(Get("transition_kind"), 0.0);
  Set("room", 0.0);
  EXPECT_EQ(g_newRoom, 0);
}

TEST_F(BuiltinVariables, TextVariablesKeepWholeCharactersAndOwnTheirCopies) {
  IO_Init();
  SetText("keyboard_lastchar", "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(IO_GetLastChar(), 0xE9) << "the first character, decoded, not its first byte";
  EXPECT_EQ(GetText("keyboard_lastchar"), "\xC3\xA9");
  SetText("keyboard_lastchar", "");
  Set("keyboard_lastchar", 65.0);
  EXPECT_EQ(IO_GetLastChar(), 0xE9) << "an empty text or a real changes nothing";
  IO_Free();

  SetText("caption_lives", "Extra lives: ");
  EXPECT_EQ(GetText("caption_lives"), "Extra lives: ");
  SetText("caption_score", "");
  EXPECT_EQ(GetText("caption_score"), "");
  SetText("error_last", "oops");
  EXPECT_EQ(GetText("error_last"), "oops");
  Set("error_last", 1.0);
  EXPECT_EQ(GetText("error_last"), "") << "a value without text clears it";

  ScriptValue text;
  ScriptValue_SetString(&text, "slot zero");
  Variable_SetValue(nullptr, Id("argument"), 20, text);
  ScriptValue_Release(&text);
  EXPECT_EQ(GetText("argument0"), "slot zero");
  EXPECT_EQ(GetText("argument", -3), "slot zero");
  Code_FreeArguments();
}

// The date is the local one, in a zone 13 hours ahead of UTC, and its
// months count from 0. A second may turn between the readings: then again.
TEST_F(BuiltinVariables, DateIsTheLocalCalendarsWithMonthsFromZero) {
  const char* zone = std::getenv("TZ");
  const std::string saved = zone == nullptr ? "" : zone;
  setenv("TZ", "XYZ-13", 1);
  tzset();
  const struct {
    const char* name;
    int std::tm::*part;
    int offset;
  } kParts[] = {{"current_year", &std::tm::tm_year, 1900}, {"current_month", &std::tm::tm_mon, 0},
                {"current_day", &std::tm::tm_mday, 0},     {"current_weekday", &std::tm::tm_wday, 0},
                {"current_hour", &std::tm::tm_hour, 0},    {"current_minute", &std::tm::tm_min, 0},
                {"current_second", &std::tm::tm_sec, 0}};
  std::vector<double> read, expected;
  for (int attempt = 0; attempt < 5 && (read.empty() || read != expected); ++attempt) {
    const std::time_t before = std::time(nullptr);
    read.clear();
    for (const auto& part : kParts) read.push_back(Get(part.name));
    if (std::time(nullptr) != before) continue;
    std::tm local{};
    localtime_r(&before, &local);
    expected.clear();
    for (const auto& part : kParts) expected.push_back(local.*part.part + part.offset);
  }
  EXPECT_EQ(read, expected);
  if (zone != nullptr) setenv("TZ", saved.c_str(), 1);
  if (zone == nullptr) unsetenv("TZ");
  tzset();
}

// The mouse variables read the step's mouse, scaled from the window onto
// the screen: a window twice the screen's size halves it.
TEST_F(BuiltinVariables, MouseIsTheStepsWindowMouseInRoomCoordinates) {
  inputtest::ResetInput();
  Win_ClearAllPorts();
  IO_OnMouseMove(100, 50);
  IO_Update();
  EXPECT_EQ(Get("mouse_x"), 0.0) << "a window without a drawn area maps nothing";
  DeviceWindow_State().clientWidth = 640;
  DeviceWindow_State().clientHeight = 480;
  g_screenWidth = 320;
  g_screenHeight = 240;
  EXPECT_EQ(Get("mouse_x"), 50.0);
  EXPECT_EQ(Get("mouse_y"), 25.0);
  IO_OnMouseMove(300, 400);
  EXPECT_EQ(Get("mouse_x"), 50.0) << "the window's mouse waits for the next step";
  IO_Update();
  EXPECT_EQ(Get("mouse_x"), 150.0);
  EXPECT_EQ(Get("mouse_y"), 200.0);
  DeviceWindow_State().clientWidth = DeviceWindow_State().clientHeight = 0;
  g_screenWidth = g_screenHeight = 0;
  inputtest::ResetInput();
}

}  // namespace

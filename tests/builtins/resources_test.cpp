// The resource family over the real stores: which calls report and with
// what, in which order two missing resources are named, how each function
// that makes a sprite or background reads its flags, and what bad input
// leaves behind.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "audio/sound_store.h"
#include "builtin_test_support.h"
#include "builtins/registration.h"
#include "builtins/resources/rows.h"
#include "files/file_layer.h"
#include "resources/background.h"
#include "resources/builtin_images.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "resources/timeline.h"
#include "runtime/run_flags.h"
#include "support/test_support.h"

namespace {

using Messages = std::vector<std::string>;

const BuiltinRow& Row(const std::string& name) {
  for (const BuiltinRow& row : kResourceRows) {
    if (name == row.name) return row;
  }
  ADD_FAILURE() << name;
  return kResourceRows[0];
}

std::string PngBytes() {
  EmbeddedImage_SetTable(g_builtinImageTable, g_builtinImageTableSize);
  uint32_t size = 0;
  const uint8_t* data = EmbeddedImage_Data(kBuiltinImageLoading, &size);
  return std::string(reinterpret_cast<const char*>(data), size);
}

class ResourceBuiltins : public testing::Test {
 protected:
  void SetUp() override {
    Sprite_Init();
    Background_Init();
    Path_Init();
    Font_Init();
    TimeLine_Init();
    Sound_FreeAll();
    g_newAudio = 0;
    LoadSave_SetProgramDirectory((program_.Path() + "/").c_str());
    LoadSave_SetSaveDirectory((save_.Path() + "/").c_str());
    testsupport::WriteRaw(save_ / "pic.png", PngBytes());
    testsupport::WriteRaw(save_ / "broken.png", "\x89PNG\r\n\x1a\n not an image at all");
  }
  void TearDown() override {
    Sound_FreeAll();
    TimeLine_Shutdown();
    Font_Shutdown();
    Path_Shutdown();
    Background_Shutdown();
    Sprite_Shutdown();
  }
  double Call(const std::string& name, const std::vector<GoldenArg>& args) {
    return BuiltinCall(Row(name).handler, args).Real();
  }
  std::string Text(const std::string& name, const std::vector<GoldenArg>& args) {
    BuiltinCall call(Row(name).handler, args);
    EXPECT_TRUE(call.IsString()) << name;
    return call.Text();
  }
  Messages Reported(const std::string& name, const std::vector<GoldenArg>& args, double* result = nullptr) {
    ErrorCapture errors;
    const double value = Call(name, args);
    if (result != nullptr) *result = value;
    return errors.Messages();
  }

  testsupport::ScratchFolder program_{"kv_res_program"};
  testsupport::ScratchFolder save_{"kv_res_save"};
  testsupport::ConsoleCapture console_;
};

constexpr size_t kSpriteToTimeLineRows = 133;

TEST_F(ResourceBuiltins, TheRowsComeInTheirOrderSpritesThenSoundsThenObjectsAndRooms) {
  EXPECT_EQ(std::size(kResourceRows), 175u);
  EXPECT_STREQ(kResourceRows[61].name, "background_replace_background");
  EXPECT_STREQ(kResourceRows[62].name, "sound_exists");
  EXPECT_STREQ(kResourceRows[132].name, "timeline_moment_add");
  EXPECT_STREQ(kResourceRows[133].name, "object_exists");
  EXPECT_STREQ(kResourceRows[174].name, "room_tile_clear");
}

// Every row called with 999 for each argument: only the functions that act
// on a resource they name report, each with its own message, and a missing
// resource leaves replace, delete and duplicate at 0.
TEST_F(ResourceBuiltins, OnlyFunctionsThatActOnAMissingResourceReportIt) {
  const std::map<std::string, std::string> reports = {
      {"sprite_collision_mask", "Trying to save non-existing sprite bitmap."},
      {"sprite_replace", "Trying to replace non-existing sprite."},
      {"sprite_add_from_screen", "Trying to add to non-existing sprite."},
      {"sprite_add_from_surface", "Trying to add to non-existing sprite."},
      {"sprite_delete", "Trying to delete non-existing sprite."},
      {"sprite_duplicate", "Trying to duplicate non-existing sprite."},
      {"sprite_assign", "Error assigning a sprite."},
      {"sprite_merge", "Trying to merge to non-existing sprite."},
      {"sprite_save", "Trying to save non-existing sprite bitmap."},
      {"sprite_save_strip", "Trying to save non-existing sprite bitmap."},
      {"background_replace", "Trying to replace non-existing background."},
      {"background_delete", "Trying to delete non-existing background."},
      {"background_duplicate", "Trying to duplicate non-existing background."},
      {"background_assign", "Error assigning a background."},
      {"background_save", "Trying to save non-existing background bitmap."},
      {"sound_replace", "Trying to replace non-existing sound."},
      {"sound_delete", "Trying to delete non-existing sound."},
      {"font_add_sprite", "Trying to create font from non-existing sprite."},
      {"font_add_sprite_ext", "Trying to create font from non-existing sprite."},
      {"font_replace", "Trying to replace non-existing font."},
      {"font_replace_sprite", "Trying to replace non-existing font."},
      {"font_replace_sprite_ext", "Trying to replace non-existing font."},
      {"font_delete", "Trying to delete non-existing font."},
      {"path_duplicate", "Trying to duplicate non-existing path."},
      {"path_assign", "Error assigning a path."},
      {"path_append", "Appending to non-existing path."},
      {"path_delete", "Trying to delete non-existing path."},
      {"script_execute", "Trying to execute non-existing script."},
      {"timeline_delete", "Trying to delete non-existing timeline."},
  };
  // The object and room rows, which follow, have their own tests.
  for (const BuiltinRow& row : std::span(kResourceRows).first(kSpriteToTimeLineRows)) {
    const std::string name = row.name;
    std::vector<GoldenArg> args(static_cast<size_t>(std::max(row.argumentCount, 1)), R(999));
    double result = 0;
    const Messages messages = Reported(name, args, &result);
    const auto found = reports.find(name);
    EXPECT_EQ(messages, found == reports.end() ? Messages{} : Messages{found->second}) << name;
    const bool leavesDefault = name.find("replace") != std::string::npos || name.find("delete") != std::string::npos ||
                               name.find("duplicate") != std::string::npos;
    if (found != reports.end() && leavesDefault) {
      EXPECT_EQ(result, 0) << name;
    }
  }
  EXPECT_EQ(Sprite_Count(), 2);      // the two screen and surface captures, empty
  EXPECT_EQ(Background_Count(), 4);  // colour, gradient and the two captures
  EXPECT_EQ(Sprite_Get(0)->frameCount, 0);
}

TEST_F(ResourceBuiltins, TheSecondResourceIsNamedOnlyWhenTheFirstExists) {
  const int32_t sprite = Sprite_AddEmpty();
  const int32_t path = Path_Add();
  const int32_t font = static_cast<int32_t>(Call("font_add", {S("DejaVu Sans"), R(10), R(0), R(0), R(32), R(40)}));
  const int32_t background = Background_AddEmpty();
  struct Case {
    std::string name;
    std::vector<GoldenArg> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"sprite_merge", {R(sprite), R(999)}, "Trying to merge from non-existing sprite."},
      {"font_replace_sprite", {R(font), R(999), R(32), R(1), R(0)}, "Trying to replace font from non-existing sprite."},
      {"font_replace_sprite_ext",
       {R(font), R(-1), S("ab"), R(1), R(0)},
       "Trying to replace font from non-existing sprite."},
      {"path_append", {R(path), R(999)}, "Appending a non-existing path."},
      {"sprite_save", {R(sprite), R(0), S("")}, "Trying to save sprite bitmap to empty image file name."},
      {"sprite_save_strip", {R(sprite), R(7)}, "Trying to save sprite bitmap to empty image file name."},
      {"background_save", {R(background), S("")}, "Trying to save background bitmap to empty image file name."},
  };
  for (const Case& c : cases) EXPECT_EQ(Reported(c.name, c.args), Messages{c.message}) << c.name;
  // With both there, nothing is reported.
  EXPECT_EQ(Reported("sprite_merge", {R(sprite), R(sprite)}), Messages{});
  EXPECT_EQ(Reported("path_append", {R(path), R(path)}), Messages{});
  EXPECT_EQ(Reported("background_save", {R(background), S("b.png")}), Messages{});
  EXPECT_FALSE(std::filesystem::exists(save_ / "b.png"));
}

// Each making function's flags at exactly 0.5, and just above: the table of
// which take 0.5 as true, and the fixed precise and preload values.
TEST_F(ResourceBuiltins, FileLoadsReadTheirFlagsAtHalfAsTheirRowSays) {
  const int32_t s = static_cast<int32_t>(Call("sprite_add", {S("pic.png"), R(2), R(0.5), R(0.5), R(3), R(4)}));
  ASSERT_GE(s, 0);
  const CSprite* sprite = Sprite_Get(s);
  EXPECT_EQ(sprite->frameCount, 2);
  EXPECT_EQ(std::vector<int>({sprite->transparent, sprite->smooth, sprite->precise, sprite->preload}),
            std::vector<int>({1, 0, 0, 0}));
  EXPECT_EQ(Call("sprite_get_xoffset", {R(s)}), 3);
  EXPECT_EQ(Call("sprite_replace", {R(s), S("pic.png"), R(1), R(0.5), R(0.5), R(0), R(0)}), 1);
  EXPECT_EQ(std::vector<int>({sprite->transparent, sprite->smooth, sprite->precise, sprite->preload}),
            std::vector<int>({0, 0, 1, 1}));
  EXPECT_EQ(Call("sprite_replace", {R(s), S("pic.png"), R(1), R(0.5000001), R(0.5000001), R(0), R(0)}), 1);
  EXPECT_EQ(std::vector<int>({sprite->transparent, sprite->smooth}), std::vector<int>({1, 1}));

  const int32_t b = static_cast<int32_t>(Call("background_add", {S("pic.png"), R(0.5), R(0.5)}));
  ASSERT_GE(b, 0);
  EXPECT_EQ(Call("background_get_transparent", {R(b)}), 1);
  EXPECT_EQ(Call("background_get_smooth", {R(b)}), 1);
  EXPECT_EQ(Call("background_get_preload", {R(b)}), 1);
  EXPECT_GT(Call("background_get_width", {R(b)}), 0);
  EXPECT_EQ(Call("background_replace", {R(b), S("pic.png"), R(0.4999), R(0.5)}), 1);
  EXPECT_EQ(Call("background_get_transparent", {R(b)}), 0);
  EXPECT_EQ(Call("background_get_smooth", {R(b)}), 1);

  const int32_t colour = static_cast<int32_t>(Call("background_create_color", {R(8), R(4), R(255)}));
  const int32_t gradient = static_cast<int32_t>(Call("background_create_gradient", {R(8), R(4), R(0), R(255), R(1)}));
  for (int32_t made : {colour, gradient}) {
    EXPECT_EQ(Call("background_get_preload", {R(made)}), 1);
    EXPECT_EQ(Call("background_get_width", {R(made)}), 8);
  }
}

TEST_F(ResourceBuiltins, DamagedOrMissingFilesFailAsTheStoresFail) {
  for (const char* file : {"broken.png", "absent.png", "", "http:/not-a-web-address"}) {
    EXPECT_EQ(Call("sprite_add", {S(file), R(1), R(0), R(0), R(0), R(0)}), -1) << file;
    EXPECT_EQ(Call("background_add", {S(file), R(0), R(0)}), -1) << file;
  }
  EXPECT_EQ(Call("sprite_add", {R(5), R(1), R(0), R(0), R(0), R(0)}), -1);
  EXPECT_EQ(Sprite_Count(), 0);
  EXPECT_EQ(Background_Count(), 0);
  const int32_t s = Sprite_AddEmpty();
  const int32_t b = Background_AddEmpty();
  EXPECT_EQ(Call("sprite_replace", {R(s), S("broken.png"), R(1), R(0), R(0), R(0), R(0)}), 0);
  EXPECT_EQ(Call("background_replace", {R(b), S("broken.png"), R(0), R(0)}), 0);
  EXPECT_EQ(Call("sound_add", {S("broken.png"), R(0), R(0)}), 0);
}

// Strings where numbers belong read 0; NaN, huge and negative indices are
// missing resources; sizes no bitmap may have allocate nothing.
TEST_F(ResourceBuiltins, BadNumbersNameNothingAndAllocateNothing) {
  ASSERT_EQ(Sprite_AddEmpty(), 0);
  for (GoldenArg bad : {R(NAN), R(-1), R(1e300), R(-1e300), R(2147483648.0)}) {
    EXPECT_EQ(Call("sprite_exists", {bad}), 0);
    EXPECT_EQ(Call("sprite_get_width", {bad}), -1);
    EXPECT_EQ(Call("path_get_length", {bad}), -1);
    EXPECT_EQ(Call("font_get_size", {bad}), -1);
    EXPECT_EQ(Call("sound_get_kind", {bad}), -1);
    EXPECT_EQ(Text("sprite_get_name", {bad}), "<undefined>");
  }
  EXPECT_EQ(Call("sprite_exists", {S("0")}), 1);
  for (const std::vector<GoldenArg>& size : std::vector<std::vector<GoldenArg>>{
           {R(0), R(8)}, {R(-5), R(8)}, {R(16385), R(1)}, {R(8193), R(8193)}, {R(NAN), R(8)}, {S("8"), R(8)}}) {
    const double colour = Call("background_create_color", {size[0], size[1], R(255)});
    const double gradient = Call("background_create_gradient", {size[0], size[1], R(0), R(255), R(2)});
    for (double made : {colour, gradient}) {
      ASSERT_GE(made, 0);
      EXPECT_EQ(Call("background_get_width", {R(made)}), 0);
      EXPECT_EQ(Background_Get(static_cast<int32_t>(made))->GetPixels(), nullptr);
    }
  }
  // A path with points at NaN and infinity still measures a number.
  const double p = Call("path_add", {});
  Call("path_add_point", {R(p), R(0), R(0), R(100)});
  Call("path_add_point", {R(p), R(NAN), R(0), R(100)});
  Call("path_add_point", {R(p), R(INFINITY), R(1e300), R(100)});
  Call("path_add_point", {R(p), R(3e38), R(-3e38), R(100)});
  EXPECT_TRUE(std::isfinite(Call("path_get_length", {R(p)})));
  Call("path_set_kind", {R(p), R(1)});
  EXPECT_TRUE(std::isfinite(Call("path_get_length", {R(p)})));
}

TEST_F(ResourceBuiltins, PathPointsAndPositions) {
  const double p = Call("path_add", {});
  Call("path_add_point", {R(p), R(0), R(0), R(50)});
  Call("path_add_point", {R(p), R(100), R(0), R(150)});
  Call("path_set_closed", {R(p), R(0.5)});
  EXPECT_EQ(Call("path_get_closed", {R(p)}), 1);
  Call("path_set_closed", {R(p), R(0.4999)});
  EXPECT_EQ(Call("path_get_length", {R(p)}), 100);
  EXPECT_EQ(Call("path_get_x", {R(p), R(0.25)}), 25);
  EXPECT_EQ(Call("path_get_speed", {R(p), R(0.5)}), 100);
  EXPECT_EQ(Call("path_get_point_speed", {R(p), R(1)}), 150);
  // A point out of range reads the fixed point {0, 0, 1}.
  EXPECT_EQ(Call("path_get_point_speed", {R(p), R(2)}), 1);
  EXPECT_EQ(Call("path_get_point_x", {R(p), R(-1)}), 0);
  Call("path_set_kind", {R(p), R(2)});
  EXPECT_EQ(Call("path_get_kind", {R(p)}), 0);
  Call("path_shift", {R(p), R(10), R(5)});
  Call("path_rescale", {R(p), R(2), R(1)});
  EXPECT_EQ(Call("path_get_point_x", {R(p), R(0)}), -40);
  Call("path_mirror", {R(p)});
  EXPECT_EQ(Call("path_get_point_x", {R(p), R(0)}), 160);
  Call("path_reverse", {R(p)});
  EXPECT_EQ(Call("path_get_point_x", {R(p), R(0)}), -40);
  Call("path_delete_point", {R(p), R(2)});
  EXPECT_EQ(Call("path_get_number", {R(p)}), 2);
  Call("path_change_point", {R(p), R(1), R(7), R(8), R(9)});
  EXPECT_EQ(Call("path_get_point_y", {R(p), R(1)}), 8);
  const double copy = Call("path_duplicate", {R(p)});
  Call("path_append", {R(copy), R(p)});
  EXPECT_EQ(Call("path_get_number", {R(copy)}), 4);
  Call("path_clear_points", {R(copy)});
  EXPECT_EQ(Call("path_get_length", {R(copy)}), 0);
  EXPECT_EQ(Reported("path_assign", {R(p), R(p)}),
            (Messages{"ERROR: Can not assign a path to itself!", "Error assigning a path."}));
  EXPECT_EQ(Call("path_delete", {R(copy)}), 1);
  EXPECT_EQ(Call("path_exists", {R(copy)}), 0);
}

TEST_F(ResourceBuiltins, SpriteFontsNeedTheirSpriteAndSystemFontsKeepTheirSettings) {
  const double s = Call("sprite_add", {S("pic.png"), R(3), R(0), R(0), R(0), R(0)});
  const double f = Call("font_add_sprite_ext", {R(s), S("abc"), R(1), R(2)});
  EXPECT_EQ(Call("font_get_first", {R(f)}), ' ');  // a space is added when the text has none
  EXPECT_EQ(Text("font_get_fontname", {R(f)}), "");
  EXPECT_EQ(Text("font_get_name", {R(f)}), "__newfont0");
  EXPECT_EQ(Call("font_replace", {R(f), S("DejaVu Sans"), R(0), R(0.5), R(0.4), R(-5), R(300)}), 1);
  EXPECT_EQ(Text("font_get_fontname", {R(f)}), "DejaVu Sans");
  EXPECT_EQ(Call("font_get_bold", {R(f)}), 1);
  EXPECT_EQ(Call("font_get_italic", {R(f)}), 0);
  EXPECT_EQ(Call("font_get_first", {R(f)}), 0);
  EXPECT_EQ(Call("font_get_last", {R(f)}), 255);
  EXPECT_EQ(Call("font_get_size", {R(Call("font_add", {S("No Such Face"), R(1e9), R(0), R(0), R(32), R(127)}))}), 1e9);
  EXPECT_EQ(Call("font_delete", {R(f)}), 1);
  EXPECT_EQ(Call("font_get_size", {R(f)}), -1);
}

TEST_F(ResourceBuiltins, LegacySoundsActOnlyWithoutTheAudioSystem) {
  testsupport::WriteRaw(save_ / "a.wav", "RIFF");
  EXPECT_EQ(Call("sound_add", {S("a.wav"), R(1), R(0.5)}), 0);
  EXPECT_EQ(Call("sound_get_preload", {R(0)}), 1);
  EXPECT_EQ(Call("sound_get_kind", {R(0)}), 1);
  EXPECT_EQ(Call("sound_exists", {R(0)}), 0);
  EXPECT_EQ(Text("sound_name", {R(0)}), "__newsound0");
  g_newAudio = 1;
  EXPECT_EQ(Call("sound_add", {S("a.wav"), R(1), R(0.5)}), 0);
  EXPECT_EQ(Call("sound_delete", {R(0)}), 0);
  EXPECT_EQ(Call("sound_exists", {R(0)}), 1);
  EXPECT_EQ(Sound_Count(), 1);
  g_newAudio = 0;
  EXPECT_EQ(Call("sound_delete", {R(0)}), 1);
  EXPECT_EQ(Call("sound_get_kind", {R(0)}), -1);
}

}  // namespace

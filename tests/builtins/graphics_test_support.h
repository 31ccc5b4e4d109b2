// A fixture for the graphics built-ins: the family registered alone, one
// sprite, one background and one path (index 0 of each), a 64 x 48 room,
// a calling instance, and the recording drawing operations installed.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/graphics/support.h"
#include "builtins/registration.h"
#include "graphics_recorder.h"
#include "resources/background.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "world/instance/instance.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

class GraphicsBuiltins : public testing::Test {
 protected:
  void SetUp() override {
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kGraphics);
    Sprite_Init();
    Background_Init();
    Path_Init();
    Sprite_AddEmpty();
    Background_AddEmpty();
    Path_Add();
    room_.width = 64;
    room_.height = 48;
    savedRoom_ = g_currentRoom;
    g_currentRoom = &room_;
    self_.sprite_index = 0;
    self_.image_index = 2.7f;
    self_.image_xscale = 2.0f;
    self_.image_yscale = 3.0f;
    self_.image_angle = 45.0f;
    self_.image_blend = 255;
    self_.image_alpha = 0.5f;
    recorder_ = graphics_test::MakeRecorder();
    GraphicsCalls_Install(&recorder_);
    graphics_test::Log().clear();
  }
  void TearDown() override {
    GraphicsCalls_Install(nullptr);
    g_currentRoom = savedRoom_;
    Path_Shutdown();
    Background_Shutdown();
    Sprite_Shutdown();
    Function_Free();
  }

  // Calls the named built-in as the instance; the result is kept in result_.
  void Call(const char* name, const std::vector<GoldenArg>& args, bool withSelf = true) {
    int32_t id = -1;
    ASSERT_TRUE(Function_Find(name, &id)) << name;
    std::vector<ScriptValue> values(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i].text != nullptr) {
        ScriptValue_SetString(&values[i], args[i].text);
      } else {
        ScriptValue_SetReal(&values[i], args[i].real);
      }
    }
    ScriptValue_Release(&result_);
    ScriptValue_SetReal(&result_, 0.0);
    Function_GetHandler(id)(&result_, withSelf ? &self_ : nullptr, nullptr, static_cast<int32_t>(values.size()),
                            values.empty() ? nullptr : values.data());
    for (ScriptValue& v : values) ScriptValue_Release(&v);
  }
  double Real(const char* name, const std::vector<GoldenArg>& args) {
    Call(name, args);
    return result_.real;
  }
  std::vector<std::string>& Log() { return graphics_test::Log(); }

  ~GraphicsBuiltins() override { ScriptValue_Release(&result_); }

  CRoom room_;
  CRoom* savedRoom_ = nullptr;
  CInstance self_{5.5f, 6.5f, 100001, -1, false};
  GraphicsCalls recorder_{};
  ScriptValue result_{};
};

// A fixture for the graphics built-ins: the family registered alone, the
// graphics layer on the recording device, one sprite of eight 4 x 4 frames
// side by side on one texture page, one 8 x 8 background, one path and
// three fonts of the letters A to H made from the sprite (index 0 of each,
// font 2 the last: glyphs 4 pixels wide and 1 apart), a 64 x 48 room and a
// calling instance. A fixture made with the device off
// has the same resources without pixels and no device at all.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/graphics/support.h"
#include "builtins/registration.h"
#include "device_streams.h"
#include "gamefile/image_builder.h"
#include "resources/background.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "world/instance/instance.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/start/service_list.h"

// The fixture's sprite and background.
inline CSprite* Spr() { return Sprite_Get(0); }
inline CBackground* Back() { return Background_Get(0); }

class GraphicsBuiltins : public testing::Test {
 protected:
  static constexpr int32_t kFrames = 8;

  explicit GraphicsBuiltins(bool withDevice = true) : withDevice_(withDevice) {}

  void SetUp() override {
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kGraphics);
    if (withDevice_) device_.Start();
    Sprite_Init();
    Background_Init();
    Path_Init();
    Font_Init();
    Sprite_AddEmpty();
    Background_AddEmpty();
    Path_Add();
    if (withDevice_) {
      PageTheSprite();
      Background_Get(0)->CreateColor(8, 8, 0x00FF00, true);
      for (int32_t i = 0; i < 3; ++i) Font_AddSpriteExt(0, "ABCDEFGH", i == 2, 1);
      device_.Warm();
    }
    CPath* path = Path_Get(0);
    path->SetClosed(false);
    for (auto [x, y] : {std::pair{10.0f, 10.0f}, {40.0f, 30.0f}, {20.0f, 40.0f}}) path->AddPoint(x, y, 100.0f);
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
  }
  void TearDown() override {
    g_currentRoom = savedRoom_;
    Font_Shutdown();
    Path_Shutdown();
    Background_Shutdown();
    Sprite_Shutdown();
    device_.Stop();
    Function_Free();
  }

  // Sprite 0's frames as page records: only paged images draw onto four
  // free corners, and every other form draws them too.
  void PageTheSprite() {
    const int32_t texture = GR_Texture_Create(4 * kFrames, 4, false);
    ImageBuilder b;
    const size_t at = b.Chunk("TPAG");
    const size_t data = b.Here();
    b.U32(kFrames);
    const size_t table = b.Here();
    for (int32_t i = 0; i < kFrames; ++i) b.U32(0);
    for (int32_t i = 0; i < kFrames; ++i) {
      b.Patch(table + 4 * static_cast<size_t>(i), static_cast<uint32_t>(b.Here()));
      const int16_t fields[11] = {static_cast<int16_t>(i * 4),  0, 4, 4, 0, 0, 4, 4, 4, 4,
                                  static_cast<int16_t>(texture)};
      for (int16_t f : fields)
        b.bytes.push_back(static_cast<uint8_t>(f)), b.bytes.push_back(static_cast<uint8_t>(f >> 8));
    }
    b.EndChunk(at);
    pages_ = b.Finish();
    ASSERT_TRUE(TexturePage_Load(pages_, data, static_cast<uint32_t>(pages_.Size() - data)));
    CSprite* sprite = Sprite_Get(0);
    sprite->frameCount = kFrames;
    sprite->width = sprite->height = 4;
    sprite->hasPages = 1;
    sprite->pages.SetLength(kFrames);
    for (int32_t i = 0; i < kFrames; ++i) sprite->pages[i] = static_cast<uint32_t>(table + 4 * kFrames + 22 * i);
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
  // The built-in sends the device what the expected direct calls send.
  void ExpectSame(const char* name, const std::vector<GoldenArg>& args, const devicetest::Drawing& expected,
                  const devicetest::Drawing& wrong = {}, const devicetest::Drawing& before = {},
                  const devicetest::Drawing& after = {}) {
    device_.ExpectSame(
        name, [&] { Call(name, args); }, expected, wrong, before, after);
  }
  // The device's calls from the fresh state for the drawing alone, nothing
  // after it.
  std::vector<std::string> Sent(const devicetest::Drawing& drawing) {
    return device_.Run(drawing, {}, [] {}).calls;
  }

  ~GraphicsBuiltins() override { ScriptValue_Release(&result_); }

  bool withDevice_;
  // The device's start-up lines.
  testsupport::ConsoleCapture quiet_;
  devicetest::Device device_;
  GameImage pages_;
  CRoom room_;
  CRoom* savedRoom_ = nullptr;
  CInstance self_{5.5f, 6.5f, 100001, -1, false};
  ScriptValue result_{};
};

// The same resources with no device: the rows reach the real operations,
// which must hold without one.
class GraphicsBuiltinsWithoutDevice : public GraphicsBuiltins {
 protected:
  GraphicsBuiltinsWithoutDevice() : GraphicsBuiltins(false) {}
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    ServiceList_Install();
  }
};

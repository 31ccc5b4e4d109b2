// The vertex batch and the state caches on the recording device: what
// reaches the device, in which order, and what is held back.
#include <string>
#include <vector>

#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"

namespace {

class Batching : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    Graphics::SetProjectionSizeSource(nullptr);
    GraphicsTest::TearDown();
  }
  static std::vector<std::string> Lines(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& line : FakeGraphics_Log().calls) {
      if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    }
    return out;
  }
  static int IndexOf(const std::string& prefix) {
    const auto& calls = FakeGraphics_Log().calls;
    for (size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
    }
    return -1;
  }
  DeviceTexture first_{}, second_{};
};

struct Request {
  int32_t type;
  int which;  // 0 no texture, 1 or 2
  int32_t stride, count;
};

TEST_F(Batching, RequestsJoinOrFlushByKindTextureFormatAndRoom) {
  first_.texture = 101;
  second_.texture = 102;
  struct Case {
    const char* name;
    std::vector<Request> requests;
    std::vector<std::string> draws;
  };
  const std::vector<Case> cases = {
      {"two lists of one texture", {{4, 1, 24, 6}, {4, 1, 24, 6}}, {"DrawPrimitiveUP 4 4 24"}},
      {"two fans", {{6, 1, 24, 4}, {6, 1, 24, 4}}, {"DrawPrimitiveUP 6 2 24", "DrawPrimitiveUP 6 2 24"}},
      {"a strip ends the batch", {{5, 0, 16, 4}, {5, 0, 16, 4}}, {"DrawPrimitiveUP 5 2 16", "DrawPrimitiveUP 5 2 16"}},
      {"full scratch", {{1, 0, 16, 32768}, {1, 0, 16, 1}}, {"DrawPrimitiveUP 1 32768 16", "DrawPrimitiveUP 1 1 16"}},
      {"exactly full joins", {{1, 0, 16, 32767}, {1, 0, 16, 1}}, {"DrawPrimitiveUP 1 32768 16"}},
      {"line list of 3", {{2, 0, 16, 3}}, {"DrawPrimitiveUP 2 1 16"}},
      {"triangle list of 5", {{4, 0, 24, 5}}, {"DrawPrimitiveUP 4 1 24"}},
      {"strip of 2", {{5, 0, 24, 2}}, {}},
      {"new texture", {{4, 1, 24, 3}, {4, 2, 24, 3}}, {"DrawPrimitiveUP 4 1 24", "DrawPrimitiveUP 4 1 24"}},
      {"new stride", {{4, 0, 24, 3}, {4, 0, 16, 3}}, {"DrawPrimitiveUP 4 1 24", "DrawPrimitiveUP 4 1 16"}},
      {"unknown kind draws points", {{9, 0, 16, 3}}, {"DrawPrimitiveUP 1 3 16"}},
  };
  DeviceTexture* textures[] = {nullptr, &first_, &second_};
  for (const Case& c : cases) {
    FakeGraphics_Log().Clear();
    for (const Request& r : c.requests) {
      ASSERT_NE(Graphics::AllocVertices(r.type, textures[r.which], r.stride, r.count), nullptr) << c.name;
    }
    Graphics::FlushBatch();
    EXPECT_EQ(Lines("DrawPrimitiveUP"), c.draws) << c.name;
  }
}

TEST_F(Batching, OversizedRequestIsRefusedAndLeavesThePendingBatch) {
  ASSERT_NE(Graphics::AllocVertices(4, nullptr, 24, 6), nullptr);
  EXPECT_EQ(Graphics::AllocVertices(4, nullptr, 24, 32769), nullptr);
  EXPECT_EQ(Graphics::AllocVertices(4, nullptr, 24, -1), nullptr);
  EXPECT_EQ(Graphics::AllocVertices(4, nullptr, 37, 3), nullptr);
  EXPECT_TRUE(Lines("DrawPrimitiveUP").empty());
  Graphics::FlushBatch();
  EXPECT_EQ(Lines("DrawPrimitiveUP"), std::vector<std::string>{"DrawPrimitiveUP 4 2 24"});
}

TEST_F(Batching, ReservationsFollowEachOtherAndReturnedVerticesAreNotDrawn) {
  auto* a = static_cast<uint8_t*>(Graphics::AllocVertices(4, nullptr, 24, 6));
  auto* b = static_cast<uint8_t*>(Graphics::AllocVertices(4, nullptr, 24, 6));
  EXPECT_EQ(b - a, 6 * 24);
  Graphics::ReturnVertices(3);
  Graphics::ReturnVertices(100);
  EXPECT_EQ(Graphics::PendingBatch().count, 0);
  Graphics::AllocVertices(4, nullptr, 24, 9);
  Graphics::ReturnVertices(3);
  Graphics::FlushBatch();
  EXPECT_EQ(Lines("DrawPrimitiveUP"), std::vector<std::string>{"DrawPrimitiveUP 4 2 24"});
  Graphics::AllocVertices(4, nullptr, 24, 6);
  Graphics::ResetVertexBuffers();
  Graphics::FlushBatch();
  EXPECT_EQ(Lines("DrawPrimitiveUP").size(), 1u);
}

TEST_F(Batching, FlushBindsTheTextureWithAddressingFromTheRepeatFlagAtThatMoment) {
  first_.texture = 101;
  Graphics::AllocVertices(4, &first_, 24, 3);
  g_drawState.textureRepeat = 1;
  Graphics::FlushBatch();
  EXPECT_EQ(Lines("SetSamplerState"), (std::vector<std::string>{"SetSamplerState 0 1 1", "SetSamplerState 0 2 1"}));
  EXPECT_LT(IndexOf("SetTexture 0 101"), IndexOf("DrawPrimitiveUP"));
  FakeGraphics_Log().Clear();
  Graphics::AllocVertices(4, &first_, 24, 3);
  g_drawState.textureRepeat = 0;
  Graphics::FlushBatch();
  EXPECT_EQ(Lines("SetSamplerState"), (std::vector<std::string>{"SetSamplerState 0 1 3", "SetSamplerState 0 2 3"}));
  // Untextured vertices leave the addressing alone and unbind the stage.
  FakeGraphics_Log().Clear();
  Graphics::AllocVertices(4, nullptr, 16, 3);
  g_drawState.textureRepeat = 1;
  Graphics::FlushBatch();
  EXPECT_TRUE(Lines("SetSamplerState").empty());
  EXPECT_TRUE(FakeGraphics_Log().Has("SetTexture 0 0"));
}

TEST_F(Batching, VertexFormatIsSentOnlyWhenItChanges) {
  Graphics::DrawPrimitiveUP(4, 3, this, 24);
  Graphics::DrawPrimitiveUP(4, 3, this, 24);
  Graphics::DrawPrimitiveUP(2, 2, this, 16);
  Graphics::SetVertexFormatCache(0);
  Graphics::DrawPrimitiveUP(2, 2, this, 16);
  Graphics::DrawPrimitiveUP(4, 3, this, 36);
  EXPECT_EQ(Lines("SetFVF"), (std::vector<std::string>{"SetFVF 322", "SetFVF 66", "SetFVF 66", "SetFVF 338"}));
  EXPECT_EQ(Graphics::DrawPrimitiveUP(5, 2, this, 24), 0);
}

TEST_F(Batching, FreeingThePendingTextureDrawsItsVerticesFirst) {
  DeviceTexture* t = Graphics::CreateTexture(8, 8, 1, false, 6);
  ASSERT_NE(t, nullptr);
  const GfxObject object = t->texture;
  Graphics::AllocVertices(4, t, 24, 6);
  FakeGraphics_Log().Clear();
  Graphics::FreeTexture(t);
  EXPECT_EQ(Lines("SetTexture"), std::vector<std::string>{"SetTexture 0 " + std::to_string(object)});
  EXPECT_EQ(Lines("DrawPrimitiveUP").size(), 1u);
  EXPECT_EQ(Graphics::PendingBatch().primitiveType, kNoPrimitive);
}

TEST_F(Batching, FrameCountsTellTextureChangesAndDrawnBatches) {
  first_.texture = 101;
  second_.texture = 102;
  g_textureSwaps = g_vertexBatches = 0;
  Graphics::AllocVertices(4, &first_, 24, 6);
  Graphics::AllocVertices(4, &second_, 24, 6);
  Graphics::AllocVertices(4, &second_, 24, 6);
  Graphics::AllocVertices(5, &second_, 24, 2);  // draws nothing
  Graphics::FlushBatch();
  EXPECT_EQ(g_textureSwaps, 2);
  EXPECT_EQ(g_vertexBatches, 2);
}

// Own states.

TEST_F(Batching, OwnStatesAreMappedAndSentOnlyOnChange) {
  struct Step {
    int32_t id;
    uint32_t value;
    const char* sent;  // null: nothing reaches the device
  };
  const Step steps[] = {
      {6, 1, "SetRenderState 19 1"},
      {6, 18, nullptr},
      {6, 5, "SetRenderState 19 5"},
      {7, 17, "SetRenderState 20 17"},
      {8, 2, "SetRenderState 22 3"},
      {8, 2, nullptr},
      {8, 1, "SetRenderState 22 2"},
      {8, 7, "SetRenderState 22 1"},
      {2, 9, "SetRenderState 8 3"},
      {3, 1, "SetRenderState 9 1"},
      {11, 0, "SetRenderState 25 8"},
      {11, 3, "SetRenderState 25 3"},
      {16, 7, "SetRenderState 35 3"},
      {23, 2, "SetRenderState 140 2"},
      {18, 0x3F800000u, "SetRenderState 37 1065353216"},
      {20, 1, "SetRenderState 48 1"},
      {4, 1, nullptr},
      {9, 1, nullptr},
      {14, 1, nullptr},
      {19, 1, nullptr},
      {22, 1, nullptr},
      {0, 1, nullptr},
      {24, 1, nullptr},
      {-3, 1, nullptr},
  };
  for (const Step& s : steps) {
    FakeGraphics_Log().Clear();
    Graphics::SetRenderState(s.id, s.value);
    const std::vector<std::string> expected =
        s.sent == nullptr ? std::vector<std::string>{} : std::vector<std::string>{s.sent};
    EXPECT_EQ(Lines("SetRenderState"), expected) << "id " << s.id << " value " << s.value;
  }
  EXPECT_EQ(Graphics::CullMode(), 7);
  Graphics::SetRenderState(13, 2);
  Graphics::SetRenderState(21, 0);
  Graphics::SetRenderState(1, 1);
  EXPECT_TRUE(Graphics::FogOn());
  EXPECT_FALSE(Graphics::LightingOn());
  EXPECT_TRUE(Graphics::ZBufferOn());
}

TEST_F(Batching, SamplerStatesAreMappedCachedPerStageAndForgottenWithTheDefaults) {
  Graphics::SetSamplerState(0, 0, 1);
  Graphics::SetSamplerState(0, 0, 5);
  Graphics::SetSamplerState(1, 0, 1);
  Graphics::SetSamplerState(0, 1, 0);
  Graphics::SetSamplerState(0, 3, 0);
  Graphics::SetSamplerState(16, 0, 1);
  Graphics::SetSamplerState(0, 4, 1);
  EXPECT_EQ(Lines("SetSamplerState"), (std::vector<std::string>{"SetSamplerState 0 5 1", "SetSamplerState 1 5 1",
                                                                "SetSamplerState 0 6 2", "SetSamplerState 0 2 1"}));
  Graphics::SetDefaultStates();
  FakeGraphics_Log().Clear();
  Graphics::SetSamplerState(0, 0, 1);
  EXPECT_EQ(Lines("SetSamplerState").size(), 1u);
}

TEST_F(Batching, DefaultStatesGoOutInTheirOrderAndMakeTheCacheKnown) {
  Graphics::SetRenderState(6, 9);
  FakeGraphics_Log().Clear();
  Graphics::SetDefaultStates();
  const std::vector<std::string> expected = {
      "SetRenderState 137 1", "SetRenderState 7 1",  "SetRenderState 8 3",  "SetRenderState 9 2",
      "SetRenderState 14 1",  "SetRenderState 15 0", "SetRenderState 16 1", "SetRenderState 19 2",
      "SetRenderState 20 1",  "SetRenderState 22 1", "SetRenderState 23 4", "SetRenderState 24 128",
      "SetRenderState 25 8",  "SetRenderState 26 1", "SetRenderState 27 0", "SetRenderState 28 0",
      "SetRenderState 29 0",  "SetRenderState 34 0", "SetRenderState 35 0", "SetRenderState 36 0",
      "SetRenderState 37 1",  "SetRenderState 52 0", "SetRenderState 54 1", "SetRenderState 168 15",
      "SetRenderState 171 1"};
  EXPECT_EQ(Lines("SetRenderState"), expected);
  FakeGraphics_Log().Clear();
  Graphics::SetRenderState(6, 2);   // already one
  Graphics::SetRenderState(12, 0);  // already off
  EXPECT_TRUE(Lines("SetRenderState").empty());
}

TEST_F(Batching, TextureBlendingSwitchesStageZero) {
  Graphics::SetTextureBlending(false);
  EXPECT_EQ(Lines("SetTextureStageState"),
            (std::vector<std::string>{"SetTextureStageState 0 1 2", "SetTextureStageState 0 4 2"}));
  FakeGraphics_Log().Clear();
  Graphics::SetTextureBlending(true);
  EXPECT_EQ(Lines("SetTextureStageState").size(), 6u);
  EXPECT_TRUE(FakeGraphics_Log().Has("SetTextureStageState 0 1 4"));
  EXPECT_TRUE(FakeGraphics_Log().Has("SetTextureStageState 0 6 0"));
}

void RoomOf1024x768(int32_t* w, int32_t* h) {
  *w = 1024;
  *h = 768;
}

// Half a pixel of the viewport drawn into, not of the room: a room drawn at
// twice its size would otherwise sit a whole window pixel up and left.
TEST_F(Batching, ProjectionIsMovedHalfAPixelOfItsViewportAndOthersAreNot) {
  const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  Matrix m{};
  Graphics::SetViewport(0, 0, 640, 480);
  Graphics::SetTransform(1, identity);
  Graphics::GetTransform(1, m);
  EXPECT_FLOAT_EQ(m.m[12], -1.0f / 640);
  EXPECT_FLOAT_EQ(m.m[13], 1.0f / 480);
  Graphics::SetProjectionSizeSource(RoomOf1024x768);
  Graphics::SetTransform(1, identity);
  Graphics::GetTransform(1, m);
  EXPECT_FLOAT_EQ(m.m[12], -1.0f / 640);
  Graphics::SetViewport(0, 0, 1024, 768);
  Graphics::SetTransform(1, identity);
  Graphics::GetTransform(1, m);
  EXPECT_EQ(m.m[12], 0.0f - 1.0f / 1024);
  EXPECT_EQ(m.m[13], 0.0f + 1.0f / 768);
  Graphics::SetTransform(0, identity);
  Graphics::GetTransform(0, m);
  EXPECT_EQ(m.m[12], 0.0f);
  // Read back and put back, the projection does not move again.
  Graphics::GetTransform(1, m);
  Graphics::RestoreTransform(1, m);
  Matrix again{};
  Graphics::GetTransform(1, again);
  EXPECT_EQ(again.m[12], m.m[12]);
  EXPECT_EQ(
      Lines("SetTransform"),
      (std::vector<std::string>{"SetTransform 3 -0.0015625 0.00208333 0", "SetTransform 3 -0.0015625 0.00208333 0",
                                "SetTransform 3 -0.000976562 0.00130208 0", "SetTransform 2 0 0 0",
                                "SetTransform 3 -0.000976562 0.00130208 0"}));
}

TEST_F(Batching, TransformChangesDrawWhatIsPendingFirst) {
  const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  Graphics::AllocVertices(4, nullptr, 16, 3);
  Graphics::SetTransform(2, identity);
  ASSERT_GE(IndexOf("DrawPrimitiveUP"), 0);
  EXPECT_LT(IndexOf("DrawPrimitiveUP"), IndexOf("SetTransform 256"));
}

TEST_F(Batching, ClearSendsSwappedColourWithFixedDepthAndStencil) {
  Graphics::Clear(0x80112233u, 0.25f, 9, 5);
  Graphics::Clear(0x80112233u, 0.25f, 9, 0);
  Graphics::Clear(0x00FF0000u, 0.0f, 0, 0x0A);
  EXPECT_EQ(Lines("Clear"), (std::vector<std::string>{"Clear 5 80332211 1 0", "Clear 2 000000ff 1 0"}));
}

TEST_F(Batching, LightsAndAmbientAddressTheirSlotsModuloEight) {
  Graphics::SetDirectionalLight(9, 0, 0, 1, 0xFF);
  Graphics::SetPointLight(15, 1, 2, 3, 0, 0xFF);
  Graphics::EnableLight(9, true);
  Graphics::SetAmbient(0x112233);
  Graphics::SetAmbient(0x112233);
  EXPECT_EQ(Lines("SetLight"), (std::vector<std::string>{"SetLight 1", "SetLight 7"}));
  EXPECT_EQ(Lines("LightEnable"), std::vector<std::string>{"LightEnable 1 1"});
  EXPECT_EQ(Lines("SetRenderState 139"), std::vector<std::string>{"SetRenderState 139 3351057"});
  EXPECT_EQ(Lines("SetMaterial").size(), 2u);
}

TEST_F(Batching, StateCallsWithoutADeviceDoNothing) {
  Graphics::Shutdown();
  while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
  Graphics::Release();
  FakeGraphics_Log().Clear();
  const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  Graphics::SetRenderState(6, 2);
  Graphics::SetSamplerState(0, 0, 1);
  Graphics::SetTransform(1, identity);
  Graphics::Clear(0, 1, 0, 7);
  Graphics::EnableLight(0, true);
  Graphics::AllocVertices(4, nullptr, 16, 3);
  Graphics::FlushBatch();
  EXPECT_TRUE(FakeGraphics_Log().calls.empty());
  EXPECT_EQ(Graphics::PendingBatch().count, 0);
}

}  // namespace

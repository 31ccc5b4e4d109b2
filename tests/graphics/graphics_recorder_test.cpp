#include "graphics/3d/graphics_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"

namespace {

// Vertex i carries i in x.
std::vector<NormalTexVertex> Numbered(int32_t n, uint32_t colour = 0xFFFFFFFFu) {
  std::vector<NormalTexVertex> v(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i)
    v[static_cast<size_t>(i)] = NormalTexVertex{static_cast<float>(i), 0, 0, 0, 0, 1, colour, 0, 0};
  return v;
}

std::vector<int> Order(const std::vector<NormalTexVertex>& v) {
  std::vector<int> out;
  for (const auto& x : v) out.push_back(static_cast<int>(x.x));
  return out;
}

TEST(GraphicsRecorderLists, StripsAndFansBecomeListsOfWholePrimitives) {
  GraphicsRecorder r(0xFFFFFFFFu, -1);
  r.AddPrimitive(5, 5, Numbered(5).data());
  EXPECT_EQ(Order(r.Triangles()), (std::vector<int>{0, 1, 2, 3, 2, 1, 2, 3, 4}));
  GraphicsRecorder fan(0xFFFFFFFFu, -1);
  fan.AddPrimitive(6, 4, Numbered(4).data());
  EXPECT_EQ(Order(fan.Triangles()), (std::vector<int>{0, 1, 2, 0, 2, 3}));
  GraphicsRecorder shortOnes(0xFFFFFFFFu, -1);
  shortOnes.AddPrimitive(5, 2, Numbered(2).data());
  shortOnes.AddPrimitive(6, 1, Numbered(1).data());
  shortOnes.AddPrimitive(3, 1, Numbered(1).data());
  shortOnes.AddPrimitive(4, 4, Numbered(4).data());
  shortOnes.AddPrimitive(4, 3, Numbered(3).data());
  EXPECT_EQ(Order(shortOnes.Triangles()), (std::vector<int>{0, 1, 2, 0, 1, 2}));
  EXPECT_TRUE(shortOnes.Lines().empty());
  shortOnes.AddPrimitive(3, 3, Numbered(3).data());
  shortOnes.AddPrimitive(1, 2, Numbered(2).data());
  EXPECT_EQ(Order(shortOnes.Lines()), (std::vector<int>{0, 1, 1, 2}));
  EXPECT_EQ(shortOnes.Points().size(), 2u);
  // A list's leftover vertex is dropped, as the same list drawn unrecorded
  // drops it: it never pairs with the next list's first vertex.
  GraphicsRecorder leftover(0xFFFFFFFFu, -1);
  leftover.AddPrimitive(2, 3, Numbered(3).data());
  leftover.AddPrimitive(2, 2, Numbered(2).data());
  leftover.AddPrimitive(4, 5, Numbered(5).data());
  leftover.AddPrimitive(4, 3, Numbered(3).data());
  EXPECT_EQ(Order(leftover.Lines()), (std::vector<int>{0, 1, 0, 1}));
  EXPECT_EQ(Order(leftover.Triangles()), (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

// Recordings keep bit 0 of their colour clear; one with it set stays as it is.
TEST(GraphicsRecorderLists, RecolouringTouchesOnlyTheRecordedColour) {
  GraphicsRecorder r(0xFFFFFFFEu, -1);
  r.AddPrimitive(4, 3, Numbered(3, 0xFFFFFFFEu).data());
  r.AddPrimitive(2, 2, Numbered(2, 0xFF00FF00u).data());
  r.SetColor(0xFFFF0000u);
  EXPECT_EQ(r.Triangles()[2].colour, 0xFFFF0000u);
  EXPECT_EQ(r.Lines()[0].colour, 0xFF00FF00u);
  GraphicsRecorder fixed(0xFFFFFFFFu, -1);
  fixed.AddPrimitive(1, 1, Numbered(1).data());
  fixed.SetColor(0xFF000000u);
  EXPECT_EQ(fixed.Points()[0].colour, 0xFFFFFFFFu);
}

class GraphicsRecorderDraw : public GraphicsTest {
 protected:
  void SetUp() override {
    StartFakeDrawing();
    FakeGraphics_Log().Clear();
  }
  int Calls(const std::string& prefix) {
    const auto& calls = FakeGraphics_Log().calls;
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
  }
};

TEST_F(GraphicsRecorderDraw, BuffersAreMadeOnceAndEachListIsOneCall) {
  GraphicsRecorder r(0xFFFFFFFFu, -1);
  r.AddPrimitive(4, 6, Numbered(6).data());
  r.AddPrimitive(2, 2, Numbered(2).data());
  r.AddPrimitive(1, 3, Numbered(3).data());
  r.Draw(10, 5, 0);
  EXPECT_EQ(Calls("CreateVertexBuffer"), 3);
  EXPECT_EQ(Calls("DrawPrimitive "), 3);
  EXPECT_EQ(Calls("DrawPrimitive 4 0 2"), 1);
  EXPECT_EQ(Calls("DrawPrimitive 2 0 1"), 1);
  EXPECT_EQ(Calls("DrawPrimitive 1 0 3"), 1);
  FakeGraphics_Log().Clear();
  r.Draw(0, 0, 0);
  EXPECT_EQ(Calls("CreateVertexBuffer"), 0);
  EXPECT_EQ(Calls("DrawPrimitive "), 3);
  FakeGraphics_Log().Clear();
  const TexVertex quad[4] = {};
  Graphics::DrawPrimitiveUP(5, 4, quad, sizeof(TexVertex));
  EXPECT_GE(Calls("SetFVF"), 1) << "the batcher sets its own format again";
}

TEST_F(GraphicsRecorderDraw, AFailedBufferDrawsNothingAndIsTriedAgain) {
  GraphicsRecorder r(0xFFFFFFFFu, 12345);
  r.AddPrimitive(4, 3, Numbered(3).data());
  FakeGraphics_Log().Fail("LockVertexBuffer");
  r.Draw(0, 0, 0);
  EXPECT_EQ(Calls("DrawPrimitive "), 0);
  r.Draw(0, 0, 0);
  EXPECT_EQ(Calls("DrawPrimitive "), 1);
  EXPECT_EQ(Calls("CreateVertexBuffer"), 2);
}

}  // namespace

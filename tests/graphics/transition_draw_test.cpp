// The transition drawer on the OpenGL device: what each kind puts on a
// 64 x 32 screen from an old room (red, its first four columns green) and
// a new one (blue, its first four columns yellow), read back exactly.
#include "graphics/transition/transition_draw.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "graphics/transition/transition_define.h"

namespace {

constexpr int32_t kWidth = 64, kHeight = 32;
constexpr uint32_t kGrey = 0xFF404040u;

void ScreenProjectionSize(int32_t* w, int32_t* h) {
  *w = g_screenSize.width;
  *h = g_screenSize.height;
}

// A row written one letter a pixel: Red, Green, Blue, Yellow, blacK, or ?.
char Letter(uint32_t pixel) {
  switch (pixel & 0xFFFFFFu) {
    case 0xFF0000u: return 'R';
    case 0x00FF00u: return 'G';
    case 0x0000FFu: return 'B';
    case 0xFFFF00u: return 'Y';
    case 0x000000u: return 'K';
    default: return '?';
  }
}

// Runs of letters, left to right.
std::string Bands(std::initializer_list<std::pair<int, char>> runs) {
  std::string row;
  for (const auto& [count, letter] : runs) row.append(static_cast<size_t>(count), letter);
  return row;
}

const std::string kOldRow = Bands({{4, 'G'}, {60, 'R'}});
const std::string kNewRow = Bands({{4, 'Y'}, {60, 'B'}});

class TransitionDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    g_screenSize = ScreenSize{kWidth, kHeight};
    DeviceWindow_State() = DeviceWindowState{};
    Graphics::SetProjectionSizeSource(ScreenProjectionSize);
    GR_Draw_Set_Alpha(1.0f);
    GR_Texture_Set_Interpolation(false);
    ASSERT_TRUE(GR_D3D_Init(nullptr, kWidth, kHeight, 0));
    ASSERT_TRUE(GR_D3D_Start_Frame());
    g_transition.oldSurface = Room(0x0000FF, 0x00FF00);
    g_transition.newSurface = Room(0xFF0000, 0x00FFFF);
  }
  void TearDown() override {
    g_transition = TransitionState{};
    GR_Transition_Set_Steps(1);
    GR_Surface_Free_All();
    if (Graphics::SceneDepth() != 0) GR_D3D_Finish_Frame(false);
    Graphics::SetProjectionSizeSource(nullptr);
    GraphicsTest::TearDown();
  }
  // A screen-sized room picture: one script colour with its first four
  // columns in another.
  static int32_t Room(uint32_t colour, uint32_t edge) {
    const int32_t s = GR_Surface_Create(kWidth, kHeight);
    EXPECT_TRUE(GR_Surface_Set_Target(s));
    GR_Draw_Set_Color(colour);
    GR_Draw_Rectangle(4, 0, kWidth - 1, kHeight - 1, 0);
    GR_Draw_Set_Color(edge);
    GR_Draw_Rectangle(0, 0, 3, kHeight - 1, 0);
    EXPECT_TRUE(GR_Surface_Reset_Target());
    return s;
  }
  // The screen after one kind drew over grey.
  void Draw(int32_t kind, float fraction) {
    GR_Draw_Clear(kGrey);
    GR_Transition_Draw(kind, fraction);
    screen_ = ReadScreen(kWidth, kHeight);
    ASSERT_EQ(screen_.size(), static_cast<size_t>(kWidth * kHeight));
  }
  uint32_t At(int x, int y) const { return screen_[static_cast<size_t>(y * kWidth + x)]; }
  std::string Row(int y) const {
    std::string row;
    for (int x = 0; x < kWidth; ++x) row += Letter(At(x, y));
    return row;
  }
  // Every row from `first` to `last` reads `want`.
  void ExpectRows(int first, int last, const std::string& want, const char* what) {
    for (int y = first; y <= last; ++y) EXPECT_EQ(Row(y), want) << what << ", row " << y;
  }
  bool AllOf(char letter, int x0, int y0, int x1, int y1) const {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        if (Letter(At(x, y)) != letter) return false;
      }
    }
    return true;
  }

  std::vector<uint32_t> screen_;
};

TEST_F(TransitionDrawing, WipesUncoverTheNewRoomFromEachSideAndTheCentre) {
  Draw(1, 0.5f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'Y'}, {28, 'B'}, {32, 'R'}}), "kind 1 enters from the left");
  Draw(2, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'G'}, {44, 'R'}, {16, 'B'}}), "kind 2 enters from the right");
  Draw(3, 0.5f);
  ExpectRows(0, 15, kNewRow, "kind 3 from the top");
  ExpectRows(16, 31, kOldRow, "kind 3 leaves the bottom");
  Draw(4, 0.5f);
  ExpectRows(0, 15, kOldRow, "kind 4 leaves the top");
  ExpectRows(16, 31, kNewRow, "kind 4 from the bottom");
  Draw(5, 0.5f);
  ExpectRows(0, 7, kOldRow, "kind 5 above");
  ExpectRows(8, 23, Bands({{4, 'G'}, {12, 'R'}, {32, 'B'}, {16, 'R'}}), "kind 5 in the centre");
  ExpectRows(24, 31, kOldRow, "kind 5 below");
}

TEST_F(TransitionDrawing, SlidesCoverTheOldRoomWhilePushesMoveItOut) {
  Draw(6, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{16, 'B'}, {48, 'R'}}), "kind 6 slides over");
  Draw(14, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{16, 'B'}, {4, 'G'}, {44, 'R'}}), "kind 14 pushes");
  Draw(7, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'G'}, {44, 'R'}, {4, 'Y'}, {12, 'B'}}), "kind 7 from the right");
  Draw(8, 0.5f);
  ExpectRows(0, 15, kNewRow, "kind 8 from the top");
  ExpectRows(16, 31, kOldRow, "kind 8 over the old");
  Draw(17, 0.5f);
  ExpectRows(0, 15, kOldRow, "kind 17 pushes the old room up");
  ExpectRows(16, 31, kNewRow, "kind 17 from the bottom");
}

TEST_F(TransitionDrawing, InterlacedStripesFollowTheStepsAndTheirDirection) {
  GR_Transition_Set_Steps(8);
  Draw(10, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'Y'}, {4, 'B'}, {8, 'R'}, {8, 'B'}, {8, 'R'}, {8, 'B'}, {24, 'R'}}), "kind 10");
  Draw(11, 0.25f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'G'}, {28, 'R'}, {8, 'B'}, {8, 'R'}, {8, 'B'}, {8, 'R'}}), "kind 11");
  Draw(12, 0.25f);
  ExpectRows(0, 3, kNewRow, "kind 12, first stripe");
  ExpectRows(4, 7, kOldRow, "kind 12, first gap");
  Draw(10, 0.75f);
  ExpectRows(0, kHeight - 1, Bands({{4, 'Y'}, {36, 'B'}, {8, 'R'}, {8, 'B'}, {8, 'R'}}),
             "kind 10 past the half wipes from the left under the stripes");
  Draw(13, 1.0f);
  ExpectRows(0, kHeight - 1, kNewRow, "the last step is the new room");
}

TEST_F(TransitionDrawing, RotationTurnsAndGrowsTheNewRoomAboutTheCentre) {
  Draw(18, 0.25f);
  EXPECT_TRUE(AllOf('B', 25, 13, 38, 18)) << "half a turn at a quarter of the size";
  EXPECT_TRUE(AllOf('R', 20, 0, 20, kHeight - 1));
  EXPECT_TRUE(AllOf('R', 43, 0, 43, kHeight - 1));
  EXPECT_TRUE(AllOf('R', 21, 5, 42, 8));
  Draw(19, 1.0f);
  EXPECT_TRUE(AllOf('Y', 1, 1, 3, kHeight - 2)) << "a whole turn back at full size";
  EXPECT_TRUE(AllOf('B', 4, 1, kWidth - 2, kHeight - 2));
}

TEST_F(TransitionDrawing, BlendAndFadeMixThePicturesThroughAlpha) {
  Draw(20, 0.5f);
  EXPECT_LE(ChannelDistance(At(32, 10) & 0xFFFFFFu, 0x80007Fu), 1);
  Draw(21, 0.5f);
  ExpectRows(0, kHeight - 1, std::string(kWidth, 'K'), "the fade's middle is black");
  Draw(21, 0.25f);
  EXPECT_LE(ChannelDistance(At(32, 10) & 0xFFFFFFu, 0x7F0000u), 1);
  Draw(21, 0.75f);
  EXPECT_LE(ChannelDistance(At(32, 10) & 0xFFFFFFu, 0x00007Fu), 1);
}

TEST_F(TransitionDrawing, UnknownKindsAndMissingSurfacesLeaveTheScreenAlone) {
  const std::string grey(kWidth, '?');
  for (int32_t kind : {0, 22, -1}) {
    Draw(kind, 0.5f);
    EXPECT_TRUE(AllOf('?', 0, 0, kWidth - 1, kHeight - 1)) << kind;
    EXPECT_EQ(At(0, 0) & 0xFFFFFFu, kGrey & 0xFFFFFFu) << kind;
  }
  GR_Surface_Free(g_transition.oldSurface);
  GR_Surface_Free(g_transition.newSurface);
  for (int32_t kind = 1; kind <= kTransitionBuiltInKinds; ++kind) {
    if (kind == 21) continue;  // the fade clears to black first
    Draw(kind, 0.5f);
    EXPECT_EQ(Row(0), grey) << kind;
  }
}

TEST_F(TransitionDrawing, FractionsOutOfRangeDrawWithoutHarm) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (int32_t steps : {1, 3, 1000000}) {
    GR_Transition_Set_Steps(steps);
    for (int32_t kind = 1; kind <= kTransitionBuiltInKinds; ++kind) {
      for (float f : {-1.0f, 2.0f, 5.0f, -inf, inf, nan}) Draw(kind, f);
    }
  }
  Draw(1, 2.0f);
  ExpectRows(0, kHeight - 1, kNewRow, "a part wider than the picture is clipped to it");
  Draw(1, -1.0f);
  ExpectRows(0, kHeight - 1, kOldRow, "a part of negative width is nothing");
}

}  // namespace

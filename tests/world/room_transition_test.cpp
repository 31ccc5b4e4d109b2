// Starting and finishing a room transition over a room whose Draw event
// writes a line: what is captured, the trace and frames of a finish, and
// starts whose surfaces cannot be made.
#include "world/draw/room_transition.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/object_test_support.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "graphics/surface/surfaces.h"
#include "graphics/transition/transition_define.h"
#include "graphics/transition/transition_draw.h"
#include "shell/window.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room_world_support.h"
#include "world/run/run_state.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int32_t kWidth = 64, kHeight = 32;
constexpr uint32_t kRoomColour = 0x00FF00, kNewColour = 0xFF0000;

class RoomTransition : public GraphicsTest {
 protected:
  void Start(bool fake) {
    StartDevice(fake, kWidth, kHeight);
    Graphics::ResetVertexBuffers();
    RoomWorld_Start();
    room_ = std::make_unique<CRoom>();
    room_->width = kWidth;
    room_->height = kHeight;
    room_->showColour = true;
    room_->colour = kRoomColour;
    g_currentRoom = room_.get();
    Win_ClearAllPorts();
    CObject* object = Object_Place(0);
    object->flags = kObjectVisible;
    CEvent* event = object->MakeOwnEvent(kEventDraw, 0);
    event->text = static_cast<char*>(KV_ALLOC(5, false));
    std::memcpy(event->text, "draw", 5);
    event->code = EventCode_Get().fromText(event->text);
    room_->AddInstance(0, 0, 0);
    code_.onRun = [this](const std::string& text) {
      g_debugConsole->Output("%s event\n", text.c_str());
      pendingWhileDrawn_ = g_newRoom;
      targetWhileDrawn_ = g_drawState.currentTarget;
      if (failNextSurface_) FakeGraphics_Log().Fail("CreateTexture");
    };
    ASSERT_TRUE(GR_D3D_Start_Frame());
  }
  void TearDown() override {
    g_transition = TransitionState{};
    GR_Transition_Set_Steps(1);
    GR_Surface_Free_All();
    if (Graphics::SceneDepth() != 0) GR_D3D_Finish_Frame(false);
    g_currentRoom = nullptr;
    room_.reset();
    RoomWorld_End();
    GraphicsTest::TearDown();
  }
  // The console lines and device presents from here on.
  void Watch() {
    console_.lines.clear();
    FakeGraphics_Log().Clear();
  }
  static int Presents() {
    int n = 0;
    for (const std::string& call : FakeGraphics_Log().calls) n += call == "Present" ? 1 : 0;
    return n;
  }
  void ExpectNoTransition() const {
    EXPECT_EQ(g_transition.kind, -1);
    EXPECT_EQ(g_transition.oldSurface, -1);
    EXPECT_EQ(g_transition.newSurface, -1);
  }

  RecordingCode code_;
  std::unique_ptr<CRoom> room_;
  int32_t pendingWhileDrawn_ = 0;
  int32_t targetWhileDrawn_ = 0;
  bool failNextSurface_ = false;
};

TEST_F(RoomTransition, StartCapturesTheOldRoomAndFinishPlaysEveryStepThenLetsGo) {
  Start(true);
  g_newRoom = 3;
  Watch();
  GR_Transition_Start(1);
  EXPECT_EQ(console_.lines, Lines{"draw event\n"});
  EXPECT_EQ(pendingWhileDrawn_, kRoomChangeNone) << "events run only with no room change pending";
  EXPECT_EQ(targetWhileDrawn_, g_transition.oldSurface);
  EXPECT_EQ(g_newRoom, 3);
  EXPECT_EQ(g_transition.kind, 1);
  const int32_t oldSurface = g_transition.oldSurface, newSurface = g_transition.newSurface;
  ASSERT_TRUE(GR_Surface_Exists(oldSurface));
  ASSERT_TRUE(GR_Surface_Exists(newSurface));
  EXPECT_EQ(g_drawState.currentTarget, newSurface) << "the next room's first frame goes to the new-room surface";
  EXPECT_EQ(GR_Surface_Get_Width(newSurface), kWidth);
  EXPECT_EQ(GR_Surface_Get_Height(oldSurface), kHeight);

  GR_Transition_Set_Steps(2);
  Watch();
  EXPECT_FALSE(GR_Transition_Finish());
  Lines want{"GR_Transition_Finish\n", "TF: 1\n", "TF: 2  - 2\n"};
  for (int i = 0; i < 3; ++i) {
    want.insert(want.end(), {"TF: 2.1\n", "TF: 2.2\n", "TransFunctionExists()\n", "TF: 2.3 -2\n", "TF: 2.4\n"});
  }
  want.insert(want.end(), {"TF: 3\n", "TF: 4\n", "TF: 5\n"});
  EXPECT_EQ(console_.lines, want);
  EXPECT_EQ(Presents(), 3);
  EXPECT_EQ(Graphics::SceneDepth(), 0);
  EXPECT_FALSE(GR_Surface_Exists(oldSurface));
  EXPECT_FALSE(GR_Surface_Exists(newSurface));
  ExpectNoTransition();

  // The transition is over: a second finish only ends a frame.
  ASSERT_TRUE(GR_D3D_Start_Frame());
  Watch();
  EXPECT_FALSE(GR_Transition_Finish());
  EXPECT_EQ(console_.lines, (Lines{"GR_Transition_Finish\n", "TransFunctionExists()\n", "FALSE: GR_D3D_Finish_Frame\n",
                                   "return FALSE\n"}));
  EXPECT_EQ(Presents(), 1);
}

TEST_F(RoomTransition, TheOldRoomIsCapturedAndTheLastFrameShowsTheNewOne) {
  Start(false);
  // As the old room's last frame left them.
  GR_Set_Viewport(0, 0, kWidth, kHeight);
  GR_Set_View_Projection(0, 0, kWidth, kHeight, 0);
  GR_Transition_Start(2);
  EXPECT_EQ(GR_Surface_Get_Pixel(g_transition.oldSurface, 10, 10), kRoomColour);
  GR_Draw_Clear(kNewColour | 0xFF000000u);
  EXPECT_FALSE(GR_Transition_Finish());
  int32_t w = 0, h = 0;
  uint32_t* shown = GR_Read_Back_Buffer(&w, &h);
  ASSERT_NE(shown, nullptr);
  ASSERT_EQ(w * h, kWidth * kHeight);
  EXPECT_EQ(shown[0] & 0xFFFFFFu, 0x0000FFu) << "the new room, blue";
  EXPECT_EQ(shown[kWidth * kHeight - 1] & 0xFFFFFFu, 0x0000FFu);
  MemoryManager::Free(shown);
}

TEST_F(RoomTransition, KindsThatAreNotBuiltInMakeNoSurfacesAndOnlyEndTheFrame) {
  Start(true);
  for (int32_t kind : {22, 0}) {
    Watch();
    GR_Transition_Start(kind);
    EXPECT_EQ(console_.lines, Lines{"TransFunctionExists()\n"}) << kind;
    EXPECT_EQ(g_transition.kind, kind);
    EXPECT_FALSE(GR_Surface_Exists(0));
    EXPECT_EQ(g_drawState.currentTarget, -1);
    Watch();
    EXPECT_FALSE(GR_Transition_Finish());
    EXPECT_EQ(console_.lines, (Lines{"GR_Transition_Finish\n", "TransFunctionExists()\n",
                                     "FALSE: GR_D3D_Finish_Frame\n", "return FALSE\n"}));
    EXPECT_EQ(Presents(), 1);
    ExpectNoTransition();
    ASSERT_TRUE(GR_D3D_Start_Frame());
  }
}

TEST_F(RoomTransition, SurfacesThatCannotBeMadeEndTheStartAndFreeNoOneElses) {
  Start(true);
  failNextSurface_ = true;
  GR_Transition_Start(5);
  failNextSurface_ = false;
  ExpectNoTransition();
  EXPECT_EQ(g_drawState.currentTarget, -1) << "the screen is the target again";
  EXPECT_FALSE(GR_Surface_Exists(0)) << "the old-room surface is freed";

  const int32_t scripts = GR_Surface_Create(8, 8);
  EXPECT_EQ(scripts, 0) << "a script's surface takes the freed index";
  GR_Transition_Start(5);
  EXPECT_TRUE(GR_Surface_Exists(scripts));
  EXPECT_EQ(g_transition.kind, 5);
  GR_Transition_Finish();
  EXPECT_TRUE(GR_Surface_Exists(scripts));
  EXPECT_EQ(GR_Surface_Get_Width(scripts), 8);

  ASSERT_TRUE(GR_D3D_Start_Frame());
  g_screenSize = ScreenSize{0, 0};
  Watch();
  GR_Transition_Start(5);
  EXPECT_EQ(console_.lines, Lines{}) << "no room drawn without a surface";
  ExpectNoTransition();
  EXPECT_EQ(g_drawState.currentTarget, -1);
}

}  // namespace

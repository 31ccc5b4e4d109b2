// Room drawing on the recording device: views that follow, window ports and
// scales, what each view clears, the order of the depth merge, the frames
// instances draw, and the GUI pass over the whole window.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/object_test_support.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/room_world_support.h"
#include "world/run/run_state.h"
#include "world/start/particle_world.h"
#include "world/start/world_teardown.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int32_t kArea = 96;

std::unique_ptr<TBitmap> Solid(int32_t w, int32_t h, uint8_t red) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  bitmap->LockBits(0, &row, nullptr);
  for (int32_t i = 0; i < w * h; ++i) row[i * 4 + 2] = red, row[i * 4 + 3] = 0xFF;
  return bitmap;
}

// The particle systems are the module's own; each one's particle is drawn
// as a "sprite" whose index tells the system's depth, through a recording
// host in place of the world's sprites.
constexpr int32_t kDepthSprite = 2000;
std::function<void(float)> g_particleDrawn;

bool AnySprite(int32_t sprite) { return sprite >= 0; }
int32_t OneFrame(int32_t) { return 1; }
void DrawDepthSprite(int32_t sprite, int32_t, float, float, float, float, float, uint32_t, float) {
  if (g_particleDrawn) g_particleDrawn(static_cast<float>(sprite - kDepthSprite));
}
const ParticleHost kRecordingHost = [] {
  ParticleHost host = ParticleHost_World();
  host.spriteExists = AnySprite;
  host.spriteFrames = OneFrame;
  host.drawSprite = DrawDepthSprite;
  return host;
}();

// One system at each depth, each holding one particle.
void ParticlesAt(const std::vector<int32_t>& depths) {
  for (int32_t depth : depths) {
    const int32_t system = Particle_System_Create();
    Particle_System_Depth(system, static_cast<float>(depth));
    const int32_t type = Particle_Type_Create();
    Particle_Type_Sprite(type, kDepthSprite + depth, false, false, false);
    Particle_Particles_Create(system, 0, 0, type, 1);
  }
}

class RoomDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true, kArea, kArea);
    Graphics::ResetVertexBuffers();
    RoomWorld_Start();
    Particle_Init();
    ParticleHost_Install(&kRecordingHost);
    g_particleDrawn = [this](float depth) { Mark("p" + std::to_string(static_cast<int>(depth))); };
    code_.onRun = [this](const std::string& text) { Mark(text); };
    room_ = std::make_unique<CRoom>();
    room_->width = kArea;
    room_->height = kArea;
    g_currentRoom = room_.get();
    Win_ClearAllPorts();
  }
  void TearDown() override {
    g_currentRoom = nullptr;
    room_.reset();
    Particle_Shutdown();
    ParticleHost_Install(&ParticleHost_World());
    g_particleDrawn = nullptr;
    RoomWorld_End();
    GraphicsTest::TearDown();
  }

  CObject* MakeObject(int32_t index, int32_t depth, int32_t sprite = -1) {
    CObject* object = Object_Place(index);
    object->depth = depth;
    object->sprite = sprite;
    object->flags = kObjectVisible;
    return object;
  }
  void GiveEvent(int32_t object, int32_t type, int32_t number, const char* text) {
    CEvent* event = Object_Get(object)->MakeOwnEvent(type, number);
    const size_t bytes = std::strlen(text) + 1;
    event->text = static_cast<char*>(KV_ALLOC(bytes, false));
    std::memcpy(event->text, text, bytes);
    event->code = EventCode_Get().fromText(event->text);
  }
  CInstance* Add(int32_t object, float x = 0, float y = 0) { return room_->AddInstance(x, y, object); }

  int32_t MakeBackground() {
    const uint32_t pixels[16] = {};
    uint32_t size = 0;
    uint8_t* bmp = GR_Build_BMP(pixels, 4, 4, &size, 4);
    const int32_t index = Background_AddEmpty();
    EXPECT_TRUE(Background_Get(index)->LoadFromMemory(bmp, static_cast<int32_t>(size), false, false, false));
    MemoryManager::Free(bmp);
    return index;
  }
  void AddTile(int32_t background, float x, float depth, bool visible = true) {
    CTile tile;
    tile.background = background;
    tile.x = x;
    tile.width = tile.height = 4;
    tile.depth = depth;
    tile.visible = visible ? 1 : 0;
    room_->AddTile(tile);
  }

  // Notes what reached the device since the last mark (tiles draw at once),
  // then the mark itself.
  void Mark(const std::string& what) {
    Graphics::FlushBatch();
    int draws = 0;
    const auto& calls = FakeGraphics_Log().calls;
    for (size_t i = seen_; i < calls.size(); ++i) draws += calls[i].rfind("DrawPrimitiveUP", 0) == 0 ? 1 : 0;
    seen_ = calls.size();
    if (draws > 0) marks_.push_back("draws:" + std::to_string(draws));
    marks_.push_back(what);
  }
  void StartMarks() {
    seen_ = FakeGraphics_Log().calls.size();
    marks_.clear();
  }

  // The viewports set and the target clears, in order, from the device log.
  Lines ViewportsAndClears() const {
    Lines out;
    for (const std::string& call : FakeGraphics_Log().calls) {
      if (call.rfind("SetViewport ", 0) == 0) out.push_back("vp" + call.substr(11));
      if (IsClear(call)) out.push_back(ClearLine(call));
    }
    return out;
  }
  static bool IsClear(const std::string& call) { return call.rfind("Clear ", 0) == 0; }
  // "clear AARRGGBB" from a logged Clear call.
  static std::string ClearLine(const std::string& call) { return "clear " + call.substr(call.find(' ', 6) + 1, 8); }

  CView& ShowView(int32_t i, int32_t vx, int32_t vy, int32_t vw, int32_t vh, int32_t px, int32_t py, int32_t pw,
                  int32_t ph) {
    room_->viewsEnabled = true;
    CView& v = room_->views[i];
    v = CView{};
    v.visible = 1;
    v.viewX = vx, v.viewY = vy, v.viewWidth = vw, v.viewHeight = vh;
    v.portX = px, v.portY = py, v.portWidth = pw, v.portHeight = ph;
    return v;
  }

  RecordingCode code_;
  std::unique_ptr<CRoom> room_;
  Lines marks_;
  size_t seen_ = 0;
};

TEST_F(RoomDrawing, WindowSizeComesFromTheVisiblePortsOrTheRoomWithinTheSystemScreen) {
  room_->viewsEnabled = true;
  Room_Compute_Window_Size();
  EXPECT_EQ(g_screenSize.width, 8);
  EXPECT_EQ(g_screenSize.height, 8);
  ShowView(2, 0, 0, 100, 100, 10, 20, 300, 200);
  Room_Compute_Window_Size();
  EXPECT_EQ(g_screenSize.width, 310);
  EXPECT_EQ(g_screenSize.height, 220);
  room_->views[2].portWidth = 2147483000;  // no overflow; cut to the system screen
  Room_Compute_Window_Size();
  EXPECT_EQ(g_screenSize.width, 1920);
  room_->viewsEnabled = false;
  room_->width = 640;
  room_->height = 480;
  Room_Compute_Window_Size();
  EXPECT_EQ(g_screenSize.width, 640);
  EXPECT_EQ(g_screenSize.height, 480);
}

TEST_F(RoomDrawing, FollowingViewsKeepTheirInstanceInsideTheBorderAndTheRoom) {
  MakeObject(0, 0);
  room_->width = 640;
  room_->height = 480;
  CInstance* target = Add(0, 600, 100);
  CView& wide = ShowView(0, 0, 0, 800, 200, 0, 0, 96, 96);
  wide.followedObject = 0;
  Room_Update_Views();
  EXPECT_EQ(wide.viewX, -160) << "a view wider than the room ends left of it";

  CView& slow = ShowView(0, 0, 0, 100, 100, 0, 0, 96, 96);
  slow.followedObject = 0;
  slow.hspeed = 0;
  Room_Update_Views();
  EXPECT_EQ(slow.viewX, 0) << "speed 0 holds the view";
  EXPECT_EQ(slow.viewY, 32) << "vspeed -1 jumps: 100 + 32 - 100";
  slow.hspeed = 5;
  Room_Update_Views();
  EXPECT_EQ(slow.viewX, 5);
  slow.hspeed = -1;
  Room_Update_Views();
  EXPECT_EQ(slow.viewX, 532) << "600 + 32 - 100";

  // Inside the border nothing moves; a wide border centres the instance.
  target->SetPosition(580, 100);
  Room_Update_Views();
  EXPECT_EQ(slow.viewX, 532);
  slow.borderHorizontal = 50;
  Room_Update_Views();
  EXPECT_EQ(slow.viewX, 530);
}

TEST_F(RoomDrawing, FollowedInstancesByIdOrObjectSkipThoseMarkedForDeletion) {
  MakeObject(0, 0);
  MakeObject(1, 0);
  g_lastInstanceId = 99999;
  CInstance* byId = Add(1, 300, 0);
  ASSERT_EQ(byId->id, 100000);
  CInstance* first = Add(0, 100, 0);
  Add(0, 200, 0);
  room_->width = 1000;
  CView& v = ShowView(0, 0, 0, 100, 100, 0, 0, 96, 96);
  v.borderHorizontal = 100;  // centres the instance
  v.followedObject = 100000;
  Room_Update_Views();
  EXPECT_EQ(v.viewX, 250) << "100000 is an instance id";
  v.followedObject = 0;
  Room_Update_Views();
  EXPECT_EQ(v.viewX, 50) << "an object follows its first instance";
  first->markedForDeletion = 1;
  Room_Update_Views();
  EXPECT_EQ(v.viewX, 150);
  v.followedObject = 100000;
  byId->markedForDeletion = 1;
  Room_Update_Views();
  EXPECT_EQ(v.viewX, 150) << "a followed instance that is going leaves the view";
  v.followedObject = 12345;
  Room_Update_Views();
  EXPECT_EQ(v.viewX, 150);
}

TEST_F(RoomDrawing, PortsAreSetForVisibleViewsAndScaleOnlyByThoseDrawnToTheScreen) {
  ShowView(0, 0, 0, 48, 96, 0, 0, 96, 96);
  ShowView(1, 0, 0, 48, 96, 96, 0, 96, 96);
  room_->views[3].visible = 0;
  Win_SetPort(3, 0, 0, 1, 1, 0, 0, 1, 1, 0, -1);
  Room_Update_Views();
  EXPECT_EQ(g_windowPortsInUse, 2);
  EXPECT_EQ(g_windowPorts[3].inUse, 0);
  EXPECT_FLOAT_EQ(g_windowPorts[1].portX, 96.0f);
  EXPECT_FLOAT_EQ(g_portScale[0], 0.5f) << "two ports 192 wide onto 96 pixels";
  EXPECT_FLOAT_EQ(g_portScale[1], 1.0f);

  room_->views[0].surface = 3;
  room_->views[1].surface = 4;
  Room_Update_Views();
  EXPECT_FLOAT_EQ(g_portScale[0], 1.0f) << "no view draws to the screen";
  EXPECT_FLOAT_EQ(g_portScale[1], 1.0f);

  room_->viewsEnabled = false;
  Room_Update_Views();
  EXPECT_EQ(g_windowPortsInUse, 0);
}

TEST_F(RoomDrawing, SideBySideViewsEachClearOnlyTheirPort) {
  DeviceWindow_State().windowColour = 0x102030;
  room_->colour = 0x204060;
  ShowView(0, 0, 0, 48, 96, 0, 0, 48, 96);
  ShowView(1, 48, 0, 48, 96, 48, 0, 48, 96);
  ASSERT_TRUE(GR_D3D_Start_Frame());
  FakeGraphics_Log().Clear();
  Room_Draw();
  const Lines got = ViewportsAndClears();
  const Lines want{"clear ff302010", "vp 0 0 48 96",   "clear ff604020",
                   "vp 48 0 48 96",  "clear ff604020", "vp 0 0 96 96"};
  ASSERT_GE(got.size(), want.size());
  EXPECT_EQ(Lines(got.begin(), got.begin() + static_cast<long>(want.size())), want);
  for (size_t i = want.size(); i < got.size(); ++i) EXPECT_EQ(got[i].rfind("clear", 0), std::string::npos) << got[i];
  GR_D3D_Finish_Frame(false);
}

// Each view's clear and Draw events come after the current view is set to
// it; the GUI pass comes after the last of the eight, and the frame ends at 0.
TEST_F(RoomDrawing, EachViewIsCurrentForItsClearAndDrawEvents) {
  DeviceWindow_State().windowColour = 0x102030;
  room_->colour = 0x204060;
  ShowView(0, 0, 0, 32, 96, 0, 0, 32, 96);
  ShowView(2, 64, 0, 32, 96, 64, 0, 32, 96);
  MakeObject(0, 0);
  GiveEvent(0, kEventDraw, 0, "draw");
  GiveEvent(0, kEventDraw, 64, "gui");
  Add(0);
  code_.onRun = [](const std::string& text) {
    FakeGraphics_Log().calls.push_back(text + " " + std::to_string(g_currentView));
  };
  ASSERT_TRUE(GR_D3D_Start_Frame());
  FakeGraphics_Log().Clear();
  Room_Draw();
  Lines got;
  for (const std::string& call : FakeGraphics_Log().calls) {
    if (IsClear(call)) got.push_back(ClearLine(call));
    if (call.rfind("draw", 0) == 0 || call.rfind("gui", 0) == 0) got.push_back(call);
  }
  GR_D3D_Finish_Frame(false);
  const Lines want{"clear ff302010", "clear ff604020", "draw 0", "clear ff604020", "draw 2", "gui 7"};
  EXPECT_EQ(got, want) << "the window clear, then one clear and Draw per visible view";
  EXPECT_EQ(g_currentView, 0);
}

TEST_F(RoomDrawing, MergeDrawsTheDeeperFirstAndBreaksTiesInstanceParticleTile) {
  const int32_t background = MakeBackground();
  AddTile(background, 0, 30);
  AddTile(background, 0, 10);
  AddTile(background, 0, 7, false);  // hidden
  AddTile(background, 500, 6);       // outside the drawn rectangle
  int32_t object = 0;
  for (int32_t depth : {20, 10, 5, 15, 12}) {
    MakeObject(object, depth);
    GiveEvent(object, kEventDraw, 0, ("i" + std::to_string(depth)).c_str());
    Add(object++);
  }
  room_->active.tail->prev->visible = 0;                  // depth 15
  room_->active.tail->prev->prev->markedForDeletion = 1;  // depth 12
  ParticlesAt({10, 5, -1000});
  StartMarks();
  room_->SortTiles();
  Room_Draw_By_Depth(0, 0, kArea, kArea);
  EXPECT_EQ(marks_, (Lines{"draws:1", "i20", "i10", "p10", "draws:1", "i5", "p5", "p-1000"}));
}

TEST_F(RoomDrawing, ParticlesStrictlyDeeperGoBeforeAnInstanceAndAtLeastAsDeepBeforeATile) {
  const int32_t background = MakeBackground();
  AddTile(background, 0, 3);
  MakeObject(0, 3);
  GiveEvent(0, kEventDraw, 0, "i3");
  Add(0);
  ParticlesAt({4, 3, -1000});
  StartMarks();
  Room_Draw_By_Depth(0, 0, kArea, kArea);
  EXPECT_EQ(marks_, (Lines{"p4", "i3", "p3", "draws:1", "p-1000"}));
}

TEST_F(RoomDrawing, InstancesWithoutDrawEventsDrawTheirSpriteFrameRoundedDown) {
  const int32_t sprite = Sprite_AddEmpty();
  CSprite* s = Sprite_Get(sprite);
  s->CreateFromBitmap(Solid(4, 4, 1).get(), false, false, false, true, 0, 0, 0);
  for (uint8_t red = 2; red <= 4; ++red) s->AddFrameFromBitmap(Solid(4, 4, red).get(), 0);
  ASSERT_EQ(s->textures.length, 4);
  MakeObject(0, 0, sprite);
  CInstance* instance = Add(0, 10, 10);
  g_currentViewRect[0] = g_currentViewRect[1] = 0;
  g_currentViewRect[2] = g_currentViewRect[3] = kArea;
  auto drawnTexture = [&](float image) {
    Graphics::ResetVertexBuffers();
    instance->image_index = image;
    Room_Draw_By_Depth(0, 0, kArea, kArea);
    return Graphics::PendingBatch().count > 0 ? Graphics::PendingBatch().texture : nullptr;
  };
  EXPECT_EQ(drawnTexture(2.7f), GR_Texture_Get_Device_Texture(s->textures[2]));
  EXPECT_EQ(drawnTexture(-0.5f), GR_Texture_Get_Device_Texture(s->textures[3])) << "-0.5 is image -1, the last";
  instance->SetImageXScale(2.0f);
  EXPECT_EQ(drawnTexture(-0.5f), GR_Texture_Get_Device_Texture(s->textures[3])) << "the transformed draw too";

  instance->sprite_index = 99;
  EXPECT_EQ(drawnTexture(0.0f), nullptr) << "a missing sprite is skipped";
  instance->sprite_index = sprite;
  GiveEvent(0, kEventDraw, 0, "own drawing");
  StartMarks();
  EXPECT_EQ(drawnTexture(0.0f), nullptr) << "a Draw event replaces the sprite";
  EXPECT_EQ(marks_, Lines{"own drawing"});
}

TEST_F(RoomDrawing, ZoomedViewDrawsItsRectangleAndTheGuiPassCoversTheWholeWindow) {
  ShowView(1, 8, 8, 48, 48, 0, 0, 96, 96);
  MakeObject(0, 0);
  GiveEvent(0, kEventDraw, 0, "view");
  GiveEvent(0, kEventDraw, 64, "gui");
  Add(0);
  Add(0)->visible = 0;
  struct Seen {
    int32_t view;
    ViewProjection projection;
    ViewportRect viewport;
    int32_t rect[4];
  };
  std::vector<Seen> seen;
  code_.onRun = [&](const std::string&) {
    seen.push_back({g_currentView, g_viewProjection, g_viewport, {}});
    std::memcpy(seen.back().rect, g_currentViewRect, sizeof g_currentViewRect);
  };
  g_runValues.guiWidth = 200;
  ASSERT_TRUE(GR_D3D_Start_Frame());
  Room_Draw();
  GR_D3D_Finish_Frame(false);
  ASSERT_EQ(seen.size(), 2u) << "one visible instance: its Draw, then its draw-GUI";
  EXPECT_EQ(seen[0].view, 1);
  EXPECT_FLOAT_EQ(seen[0].projection.width, 48.0f);
  EXPECT_EQ(seen[0].viewport.width, 96);
  EXPECT_EQ(std::vector<int32_t>(seen[0].rect, seen[0].rect + 4), (std::vector<int32_t>{8, 8, 56, 56}));
  EXPECT_FLOAT_EQ(seen[1].projection.x, 0.0f);
  EXPECT_FLOAT_EQ(seen[1].projection.width, 200.0f) << "the GUI size when set";
  EXPECT_FLOAT_EQ(seen[1].projection.height, 96.0f) << "else the drawing area";
  EXPECT_EQ(seen[1].viewport.width, 96);
  EXPECT_EQ(std::vector<int32_t>(seen[1].rect, seen[1].rect + 4), (std::vector<int32_t>{0, 0, 200, 96}));
  EXPECT_EQ(g_currentView, 0);
}

TEST_F(RoomDrawing, OnlyATrueAngleEnlargesTheDrawnRectangle) {
  CView& v = ShowView(0, 100, 200, 40, 20, 0, 0, 96, 96);
  room_->width = room_->height = 1000;
  std::vector<std::vector<int32_t>> rects;
  ParticlesAt({0});
  g_particleDrawn = [&](float) { rects.emplace_back(g_currentViewRect, g_currentViewRect + 4); };
  for (float angle : {0.0005f, -0.0009f, 30.0f}) {
    v.angle = angle;
    Room_Draw();
  }
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0], (std::vector<int32_t>{100, 200, 140, 220}));
  EXPECT_EQ(rects[1], rects[0]);
  EXPECT_EQ(rects[2], (std::vector<int32_t>{90, 180, 150, 240}));
}

// A change of room starts its room after the frame ended: the room draws
// all the same, in a frame it ends itself.
TEST_F(RoomDrawing, RoomStartDrawsInsideAFrameOrInOneOfItsOwnAndProjectionFollowsTheRoom) {
  MakeObject(0, 0);
  GiveEvent(0, kEventDraw, 0, "drawn");
  Add(0);
  StartMarks();
  RoomDraw_RoomStart();
  EXPECT_EQ(marks_, Lines{"drawn"});
  EXPECT_EQ(Graphics::SceneDepth(), 0);
  ASSERT_TRUE(GR_D3D_Start_Frame());
  RoomDraw_RoomStart();
  EXPECT_EQ(Graphics::SceneDepth(), 1) << "a frame already open stays open";
  GR_D3D_Finish_Frame(false);
  // The frame of its own ended, its picture drawn onto the back buffer.
  EXPECT_EQ(marks_, (Lines{"drawn", "draws:1", "drawn"}));

  int32_t w = 0, h = 0;
  RoomDraw_ProjectionSize(&w, &h);
  EXPECT_EQ(w, kArea);
  ShowView(0, 0, 0, 10, 10, 0, 0, 300, 200);
  RoomDraw_ProjectionSize(&w, &h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 200);
  g_currentRoom = nullptr;
  RoomDraw_ProjectionSize(&w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  Room_Draw();  // no room: nothing happens
}

}  // namespace

namespace {

TEST_F(RoomDrawing, CursorSpriteDrawsTheFrameOfTheStepCount) {
  const int32_t sprite = Sprite_AddEmpty();
  CSprite* s = Sprite_Get(sprite);
  s->CreateFromBitmap(Solid(4, 4, 1).get(), false, false, false, true, 0, 0, 0);
  for (uint8_t red = 2; red <= 3; ++red) s->AddFrameFromBitmap(Solid(4, 4, red).get(), 0);
  const int32_t steps = g_stepCount;
  g_stepCount = 7;
  g_runValues.cursorSprite = sprite;
  Room_Draw();
  EXPECT_EQ(Graphics::PendingBatch().texture, GR_Texture_Get_Device_Texture(s->textures[1])) << "7 mod 3";
  Graphics::ResetVertexBuffers();
  g_runValues.cursorSprite = 42;
  Room_Draw();
  EXPECT_EQ(Graphics::PendingBatch().count, 0);
  g_stepCount = steps;
}

}  // namespace

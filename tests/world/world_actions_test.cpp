#include <cmath>

#include "world/actions/world_actions.h"
#include "world/loop/dispatch.h"
#include "world/run/run_state.h"
#include "world_actions_test_support.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(ActionWorld, RoomRequestsSetTheChangeCodeOrFailFatally) {
  StartRooms(2);
  Run_RoomGoto(1, 5);
  EXPECT_EQ(g_newRoom, 1);
  EXPECT_EQ(g_runValues.transitionKind, 0);
  Run_RoomRestart();
  EXPECT_EQ(g_newRoom, 0);
  Run_GameEnd();
  EXPECT_EQ(g_newRoom, kRoomChangeEndGame);
  Run_GameRestart();
  EXPECT_EQ(g_newRoom, kRoomChangeRestart);
  g_newRoom = kRoomChangeNone;
  EXPECT_FALSE(Said("ERROR"));

  Run_RoomGoto(99);
  EXPECT_TRUE(Said("ERROR!!! :: FATAL ERROR in"));
  EXPECT_TRUE(Said("Unexisting room number: 99"));
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);
}

TEST_F(ActionWorld, PreviousAndNextStopAtTheEndsOfTheOrder) {
  StartRooms(2);
  Run_RoomGotoNext();
  EXPECT_EQ(g_newRoom, 1);
  g_newRoom = kRoomChangeNone;
  Run_RoomGotoPrevious();
  EXPECT_TRUE(Said("Moving to previous room before the first room."));
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);

  Error_ResetState();
  g_newRoom = kRoomChangeNone;
  ASSERT_TRUE(Run_ChangeRoom(1));
  Run_RoomGotoPrevious();
  EXPECT_EQ(g_newRoom, 0);
  g_newRoom = kRoomChangeNone;
  Run_RoomGotoNext();
  EXPECT_TRUE(Said("Moving to next room after the last room."));
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);
}

TEST_F(ActionWorld, CreateDestroyAndChangeRunTheirEventsOnce) {
  MakeObject(0);
  MakeObject(1);
  GiveEvent(0, kEventCreate, 0, "create 0");
  GiveEvent(0, kEventDestroy, 0, "destroy 0");
  GiveEvent(1, kEventCreate, 0, "create 1");
  StartRooms(1);

  EXPECT_EQ(Run_CreateInstance(7, 0, 0), nullptr);
  EXPECT_TRUE(Said("Creating instance for non-existing object: 7"));

  CInstance* made = Run_CreateInstance(0, 10, 20);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(code_.Texts(), Texts{"create 0"});
  EXPECT_EQ(code_.runs[0].self, made);
  EXPECT_EQ(made->created, 1);
  EXPECT_EQ(Instance_Find(made->id), made);

  Run_ChangeInstance(made, 9, true);
  EXPECT_TRUE(Said("Asking to change into non-existing object: 9"));
  EXPECT_EQ(made->object_index, 0);

  g_eventSerial = 40;
  made->created = 0;
  Run_ChangeInstance(made, 1, true);
  EXPECT_EQ(code_.Texts(), (Texts{"create 0", "destroy 0", "create 1"}));
  EXPECT_EQ(made->object_index, 1);
  EXPECT_EQ(made->creationStamp, 40u);
  EXPECT_EQ(made->created, 1);
  EXPECT_EQ(made->markedForDeletion, 0);

  CInstance* other = Run_CreateInstance(0, 0, 0);
  Run_DestroyInstance(other);
  Run_DestroyInstance(other);
  EXPECT_EQ(code_.Texts(), (Texts{"create 0", "destroy 0", "create 1", "create 0", "destroy 0"}));
  EXPECT_EQ(other->markedForDeletion, 1);
  // Once destroyed, a change with events runs no second Destroy.
  Run_ChangeInstance(other, 1, true);
  EXPECT_EQ(code_.Texts().back(), "create 1");
  EXPECT_EQ(code_.runs.size(), 6u);
}

TEST_F(ActionWorld, PendingRoomChangeSuppressesCreateButMarksCreated) {
  MakeObject(0);
  GiveEvent(0, kEventCreate, 0, "create");
  StartRooms(1);
  g_newRoom = 0;
  CInstance* made = Run_CreateInstance(0, 0, 0);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(code_.runs.empty());
  EXPECT_EQ(made->created, 1);
}

TEST_F(ActionWorld, StepPassSkipsInstancesCreatedOrChangedDuringIt) {
  MakeObject(0);
  MakeObject(1);
  GiveEvent(0, kEventStep, 0, "step 0");
  GiveEvent(1, kEventStep, 0, "step 1");
  GiveEvent(1, kEventCreate, 0, "create 1");
  StartRooms(1);
  CInstance* first = Add(0, 0, 0);
  CInstance* second = Add(0, 0, 0);
  CInstance* made = nullptr;
  code_.onRun = [&](const std::string& text, CInstance* self) {
    if (text != "step 0") return;
    if (self == first) made = Run_CreateInstance(1, 0, 0);
    if (self == second) Run_ChangeInstance(second, 1, false);
  };
  Run_DispatchStep(0);
  EXPECT_EQ(code_.Texts(), (Texts{"step 0", "create 1", "step 0"}));
  code_.runs.clear();
  Run_DispatchStep(0);
  EXPECT_EQ(code_.Texts(), (Texts{"step 0", "create 1", "step 1", "step 1"}));
  EXPECT_EQ(made->object_index, 1);
}

TEST_F(ActionWorld, PositionDestroyAndChangeActOnCoveringInstances) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box);
  GiveEvent(0, kEventDestroy, 0, "destroy");
  StartRooms(1);
  CInstance* hit = Add(0, 0, 0);
  CInstance* missed = Add(0, 100, 0);
  Run_PositionDestroy(8, 8);
  Run_PositionDestroy(8, 8);
  EXPECT_EQ(code_.Texts(), Texts{"destroy"});
  EXPECT_EQ(hit->markedForDeletion, 1);
  EXPECT_EQ(missed->markedForDeletion, 0);

  Run_PositionChange(108, 8, 5, false);
  EXPECT_TRUE(Said("Asking to change into non-existing object: 5"));
  Run_PositionChange(108, 8, 1, false);
  EXPECT_EQ(missed->object_index, 1);
  EXPECT_EQ(hit->object_index, 0);
}

TEST_F(ActionWorld, SetSpriteNeedsAnExistingSprite) {
  const int32_t box = MakeSprite(8, 8);
  MakeObject(0);
  StartRooms(1);
  CInstance* instance = Add(0, 0, 0);
  Run_SetSprite(instance, 4);
  EXPECT_TRUE(Said("Setting instance to non-existing sprite: 4"));
  EXPECT_EQ(instance->sprite_index, -1);
  Run_SetSprite(instance, box);
  EXPECT_EQ(instance->sprite_index, box);
}

TEST_F(ActionWorld, SelectorsNameAllIdsAndObjectsWithDescendants) {
  MakeObject(0);
  MakeObject(1)->SetParent(0);
  MakeObject(2);
  Object_LinkParents();
  StartRooms(1);
  CInstance* parent = Add(0, 0, 0);
  Add(1, 0, 0);
  CInstance* unrelated = Add(2, 0, 0);
  EXPECT_EQ(Run_InstanceNumber(kInstanceAll), 3);
  EXPECT_EQ(Run_InstanceNumber(0), 2);
  EXPECT_EQ(Run_InstanceNumber(1), 1);
  EXPECT_EQ(Run_InstanceNumber(unrelated->id), 1);
  EXPECT_EQ(Run_InstanceNumber(g_lastInstanceId + 1), 0);
  EXPECT_EQ(Run_InstanceNumber(-4), 0);
  EXPECT_EQ(Run_InstanceNumber(12), 0);
  parent->markedForDeletion = 1;
  EXPECT_EQ(Run_InstanceNumber(0), 1);
  EXPECT_EQ(Run_InstanceNumber(parent->id), 0);
  EXPECT_EQ(Run_InstanceNumber(kInstanceAll), 2);
}

// The nearest is looked for within 10000 pixels only; the furthest at any
// distance.
TEST_F(ActionWorld, NearestLooksNoFurtherThan10000AndBothKeepTheFirstOfEquals) {
  MakeObject(0);
  StartRooms(1);
  CInstance* far = Add(0, 20000, 0);
  CInstance* nearer = Add(0, 0, 20000);
  nearer->SetPosition(0, 19999);
  CInstance* twin = Add(0, 19999, 0);
  EXPECT_EQ(Run_InstanceNearest(0, 0, kInstanceAll), nullptr);
  EXPECT_EQ(Run_InstanceFurthest(0, 0, 0), far);
  nearer->SetPosition(0, 9999);
  EXPECT_EQ(Run_InstanceNearest(0, 0, 0), nearer);
  EXPECT_EQ(Run_InstanceNearest(0, -1, 0), nullptr);
  nearer->SetPosition(0, 19999);
  twin->SetPosition(0, 19999);
  EXPECT_EQ(Run_InstanceNearest(0, 10000, 0), nearer);
  far->SetPosition(0, 19999);
  EXPECT_EQ(Run_InstanceFurthest(0, 0, 0), far);
  EXPECT_EQ(Run_InstanceNearest(0, 0, far->id), nullptr);
  EXPECT_EQ(Run_InstanceFurthest(0, 0, far->id), nullptr);
  EXPECT_EQ(Run_InstanceNearest(0, 0, 3), nullptr);
}

TEST_F(ActionWorld, PlaceQueriesTestWithoutMovingTheInstance) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  MakeObject(2, box);
  StartRooms(1);
  CInstance* mover = Add(0, 0, 0);
  CInstance* wall = Add(1, 100, 0);
  CInstance* ghost = Add(2, 0, 100);
  mover->RefreshBoundingBox();

  EXPECT_TRUE(Run_PlaceFree(mover, 0, 100));
  EXPECT_FALSE(Run_PlaceEmpty(mover, 0, 100));
  EXPECT_FALSE(Run_PlaceFree(mover, 90, 0));
  EXPECT_TRUE(Run_PlaceFree(mover, 84, 0));
  EXPECT_EQ(Run_InstancePlace(mover, 0, 90, kInstanceAll), ghost);
  EXPECT_EQ(Run_InstancePlace(mover, 0, 90, 1), nullptr);
  EXPECT_TRUE(Run_PlaceMeeting(mover, wall->id, 95, 5));
  EXPECT_EQ(mover->x, 0.0f);
  EXPECT_EQ(mover->bbox_right, 15);
  EXPECT_EQ(mover->bboxDirty, 0);

  EXPECT_EQ(Run_InstancePosition(104, 4, kInstanceAll), wall);
  EXPECT_TRUE(Run_PositionMeeting(4, 104, 2));
  EXPECT_FALSE(Run_PositionMeeting(50, 50, kInstanceAll));

  EXPECT_EQ(Run_CollisionPoint(mover, 4, 4, kInstanceAll, false, false), mover);
  EXPECT_EQ(Run_CollisionPoint(mover, 4, 4, kInstanceAll, false, true), nullptr);
  EXPECT_EQ(Run_CollisionRectangle(mover, 0, 0, 200, 5, kInstanceAll, false, true), wall);
  EXPECT_EQ(Run_CollisionLine(mover, 0, 108, 300, 108, 2, true, true), ghost);
  EXPECT_EQ(Run_CollisionEllipse(mover, 90, 90, 110, 110, kInstanceAll, false, false), nullptr);
  wall->markedForDeletion = 1;
  EXPECT_EQ(Run_CollisionRectangle(mover, 0, 0, 200, 5, kInstanceAll, false, true), nullptr);
}

TEST_F(ActionWorld, ContactAndOutsideStopAtTheWall) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* mover = Add(0, 0, 0);
  CInstance* wall = Add(1, 100, 0);
  Run_MoveContact(mover, 0, -1, false);
  EXPECT_EQ(mover->x, 84.0f);
  EXPECT_EQ(mover->y, 0.0f);

  mover->SetPosition(0, 0);
  Run_MoveContact(mover, 0, 10.4f, false);
  EXPECT_EQ(mover->x, 10.0f);

  // Already touching: no move. Inside the wall: out the shortest way asked.
  mover->SetPosition(90, 0);
  Run_MoveContact(mover, 180, -1, false);
  EXPECT_EQ(mover->x, 90.0f);
  Run_MoveOutside(mover, 180, -1, false);
  EXPECT_EQ(mover->x, 84.0f);
  mover->SetPosition(90, 0);
  Run_MoveOutside(mover, 180, 3, false);
  EXPECT_EQ(mover->x, 87.0f);

  // Non-solid walls stop only the contact against all.
  wall->solid = 0;
  mover->SetPosition(0, 0);
  Run_MoveContact(mover, 0, 200, false);
  EXPECT_EQ(mover->x, 200.0f);
  mover->SetPosition(0, 0);
  Run_MoveContact(mover, 0, 200, true);
  EXPECT_EQ(mover->x, 84.0f);
}

TEST_F(ActionWorld, BounceReversesTheBlockedComponents) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* ball = Add(0, 82, 40);
  Add(1, 100, 0);
  Add(1, 100, 16);
  Add(1, 100, 32);
  Add(1, 100, 48);
  Add(1, 100, 64);
  ball->SetHSpeed(4);
  ball->SetVSpeed(-3);
  Run_MoveBounce(ball, false, false);
  EXPECT_EQ(ball->hspeed, -4.0f);
  EXPECT_EQ(ball->vspeed, -3.0f);

  // Nothing in the way: nothing changes.
  CInstance* free = Add(0, 300, 300);
  free->SetHSpeed(2);
  free->SetVSpeed(2);
  Run_MoveBounce(free, false, false);
  EXPECT_EQ(free->hspeed, 2.0f);
  EXPECT_EQ(free->vspeed, 2.0f);

  // Precise: moving right into the wall turns round.
  ball->SetPosition(82, 40);
  ball->SetDirection(0);
  ball->SetSpeed(4);
  Run_MoveBounce(ball, true, false);
  EXPECT_NEAR(ball->direction, 180.0f, 0.001f);
  // In open space nothing changes.
  free->SetDirection(33);
  Run_MoveBounce(free, true, false);
  EXPECT_NEAR(free->direction, 33.0f, 0.001f);
}

TEST_F(ActionWorld, DiagonalBounceIntoACornerReversesBoth) {
  const int32_t box = MakeSprite(16, 16);
  MakeObject(0, box);
  MakeObject(1, box, true);
  StartRooms(1);
  CInstance* ball = Add(0, 80, 80);
  Add(1, 100, 100);  // only the diagonal is blocked
  ball->SetHSpeed(8);
  ball->SetVSpeed(8);
  Run_MoveBounce(ball, false, false);
  EXPECT_EQ(ball->hspeed, -8.0f);
  EXPECT_EQ(ball->vspeed, -8.0f);

  Add(1, 80, 100);  // now straight down is blocked too
  ball->SetHSpeed(8);
  ball->SetVSpeed(8);
  Run_MoveBounce(ball, false, false);
  EXPECT_EQ(ball->hspeed, 8.0f);
  EXPECT_EQ(ball->vspeed, -8.0f);
}

TEST_F(ActionWorld, SnapWrapAndMoveTowards) {
  const int32_t box = MakeSprite(32, 16);
  MakeObject(0, box);
  StartRooms(1, 640, 480);
  CInstance* instance = Add(0, 24, 8);
  Run_MoveSnap(instance, 16, 16);
  EXPECT_EQ(instance->x, 32.0f);
  EXPECT_EQ(instance->y, 0.0f);
  instance->SetPosition(40, 56);
  Run_MoveSnap(instance, 16, 16);
  EXPECT_EQ(instance->x, 32.0f);
  EXPECT_EQ(instance->y, 64.0f);
  instance->SetPosition(41, 57);
  Run_MoveSnap(instance, 0, -4);
  EXPECT_EQ(instance->x, 41.0f);
  EXPECT_EQ(instance->y, 57.0f);

  instance->SetPosition(-1, 500);
  instance->SetHSpeed(-2);
  instance->SetVSpeed(3);
  Run_MoveWrap(instance, true, true);
  EXPECT_EQ(instance->x, -1.0f + 640.0f + 32.0f);
  EXPECT_EQ(instance->y, 500.0f - 480.0f - 16.0f);
  instance->SetPosition(-1, 500);
  instance->SetHSpeed(2);
  Run_MoveWrap(instance, true, false);
  EXPECT_EQ(instance->x, -1.0f);
  instance->SetImageXScale(2.0f);
  instance->SetPosition(640, 0);
  Run_MoveWrap(instance, true, false);
  EXPECT_EQ(instance->x, -64.0f);

  instance->SetPosition(0, 0);
  Run_MoveTowardsPoint(instance, 0, -50, 5);
  EXPECT_EQ(instance->direction, 90.0f);
  EXPECT_EQ(instance->speed, 5.0f);
  EXPECT_NEAR(instance->vspeed, -5.0f, 1e-5f);
}

TEST_F(ActionWorld, ScreenSaveNeedsANameAndAScreen) {
  EXPECT_FALSE(Run_ScreenSave(""));
  EXPECT_TRUE(Said("Trying to save screen to empty image file name."));
  EXPECT_FALSE(Run_ScreenSave(nullptr));
  Error_ResetState();
  EXPECT_FALSE(Run_ScreenSavePart("", 0, 0, 5, 5));
  EXPECT_NE(std::string(Error_Last()).find("Trying to save screen to empty image file name."), std::string::npos);
  // No device: nothing is read, nothing written, no error.
  Error_ResetState();
  EXPECT_FALSE(Run_ScreenSave("shot.png"));
  EXPECT_FALSE(Run_ScreenSavePart("part.bmp", -10, -10, 20, 20));
  EXPECT_STREQ(Error_Last(), "");
}

TEST_F(ActionWorld, ResetStateGivesTheStartValues) {
  g_runValues.score = 5;
  g_runValues.lives = 3;
  g_runValues.health = 1.0;
  g_runValues.showLives = 1;
  g_runValues.cursorSprite = 2;
  g_automaticDraw = 0;
  g_stepCount = 9;
  g_runValues.transitionKind = 4;
  Run_ResetState();
  Run_ResetState();
  EXPECT_STREQ(g_runValues.captionScore, "Score: ");
  EXPECT_STREQ(g_runValues.captionLives, "Lives: ");
  EXPECT_STREQ(g_runValues.captionHealth, "Health: ");
  EXPECT_EQ(g_runValues.score, 0);
  EXPECT_EQ(g_runValues.lives, -1);
  EXPECT_EQ(g_runValues.health, 100.0);
  EXPECT_EQ(g_runValues.showScore + g_runValues.showLives + g_runValues.showHealth, 0);
  EXPECT_EQ(g_runValues.cursorSprite, -1);
  EXPECT_EQ(g_automaticDraw, 1);
  EXPECT_EQ(g_stepCount, 0);
  EXPECT_EQ(g_runValues.transitionKind, 0);
  EXPECT_EQ(g_running, 0);
  RunState_Reset();
  EXPECT_EQ(g_runValues.captionScore, nullptr);
}

}  // namespace

#include "game_test_support.h"
#include "script/events/event.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(GameWorld, FindingWalksTheLiveListAndAnIdOnlyFindsItselfFirst) {
  MakeObject(0);
  MakeObject(1)->depth = 5;
  StartRooms(1);
  CInstance* deep = Add(1, 0, 0);
  CInstance* a = Add(0, 0, 0);
  CInstance* b = Add(0, 0, 0);

  EXPECT_EQ(Call("instance_find", {R(-3), R(0)}), a->id);
  EXPECT_EQ(Call("instance_find", {R(-3), R(2)}), deep->id);
  a->markedForDeletion = 1;
  EXPECT_EQ(Call("instance_find", {R(0), R(0)}), b->id);
  EXPECT_EQ(Call("instance_find", {R(0), R(2)}), -4);
  EXPECT_EQ(Call("instance_find", {R(0), R(-1)}), -4);
  EXPECT_EQ(Call("instance_find", {R(b->id), R(0)}), b->id);
  EXPECT_EQ(Call("instance_find", {R(b->id), R(1)}), -4);
  EXPECT_EQ(Call("instance_find", {R(a->id), R(0)}), -4);
  EXPECT_EQ(Call("instance_find", {R(-1), R(0)}, b), -4);
}

TEST_F(GameWorld, ExistenceAndCountsTreatSelfAndOtherAsInstances) {
  MakeObject(0);
  MakeObject(1);
  StartRooms(1);
  CInstance* self = Add(0, 0, 0);
  CInstance* other = Add(1, 0, 0);
  EXPECT_EQ(Call("instance_exists", {R(-5)}, self), 0);
  EXPECT_EQ(Call("instance_exists", {R(-4)}, self), 0);
  EXPECT_EQ(Call("instance_exists", {R(NAN)}, self), 0);
  EXPECT_EQ(Call("instance_exists", {R(-1)}, self), 1);
  EXPECT_EQ(Call("instance_exists", {R(-2)}, self), 0);
  EXPECT_EQ(Call("instance_exists", {R(-2)}, self, other), 1);
  EXPECT_EQ(Call("instance_exists", {R(-3)}), 1);
  EXPECT_EQ(Call("instance_exists", {R(1)}), 1);
  EXPECT_EQ(Call("instance_exists", {R(other->id)}), 1);
  EXPECT_EQ(Call("instance_number", {R(-1)}, self), 1);
  EXPECT_EQ(Call("instance_number", {R(-2)}, self), 0);
  EXPECT_EQ(Call("instance_number", {R(-3)}), 2);
  other->markedForDeletion = 1;
  self->markedForDeletion = 1;
  EXPECT_EQ(Call("instance_exists", {R(1)}), 0);
  EXPECT_EQ(Call("instance_exists", {R(other->id)}), 0);
  EXPECT_EQ(Call("instance_exists", {R(-1)}, self), 0);
  EXPECT_EQ(Call("instance_exists", {R(-3)}), 0);
  EXPECT_EQ(Call("instance_number", {R(-1)}, self), 0);
}

TEST_F(GameWorld, NearestFurthestAndPlaceAnswerIdsOrNoone) {
  StartRooms(1);
  CInstance* self = Boxed(0, 0, 0, 10, 10);
  CInstance* near = Boxed(1, 30, 0, 10, 10);
  CInstance* far = Boxed(1, 300, 0, 10, 10);
  EXPECT_EQ(Call("instance_nearest", {R(0), R(0), R(1)}), near->id);
  EXPECT_EQ(Call("instance_furthest", {R(0), R(0), R(1)}), far->id);
  EXPECT_EQ(Call("instance_nearest", {R(0), R(0), R(near->id)}), -4);
  EXPECT_EQ(Call("instance_place", {R(25), R(0), R(1)}, self), near->id);
  EXPECT_EQ(Call("instance_place", {R(25), R(0), R(1)}), -4);
  EXPECT_EQ(Call("instance_position", {R(305), R(5), R(-3)}), far->id);
}

TEST_F(GameWorld, CreateTakesTheNextIdRunsCreateAndRefusesStrings) {
  MakeObject(0);
  GiveEvent(0, kEventCreate, 0, "create");
  StartRooms(1);
  ErrorCapture errors;
  const int32_t last = g_lastInstanceId;
  EXPECT_EQ(Call("instance_create", {R(10), R(20), R(0)}), last + 1);
  EXPECT_EQ(Call("instance_create", {R(10), R(20.5), R(0.5)}), last + 2);
  EXPECT_EQ(code_.Texts(), (Texts{"create", "create"}));
  CInstance* made = Instance_Find(last + 2);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->y, 20.5f);
  EXPECT_EQ(made->created, 1);

  EXPECT_EQ(Call("instance_create", {R(10), S("20"), R(0)}), -1);
  EXPECT_EQ(Call("instance_create", {R(10), R(20), R(3)}), -1);
  EXPECT_EQ(errors.Messages(),
            (Texts{"instance_create( ) error: Illegal type", "Creating instance for non-existing object: 3"}));
  EXPECT_EQ(g_lastInstanceId, last + 2);

  g_newRoom = 0;
  const double pending = Call("instance_create", {R(0), R(0), R(0)});
  EXPECT_EQ(code_.Texts().size(), 2u);
  ASSERT_NE(Instance_Find(static_cast<int32_t>(pending)), nullptr);
  EXPECT_EQ(Instance_Find(static_cast<int32_t>(pending))->created, 1);
}

TEST_F(GameWorld, CopiesKeepTheirOwnIdAndTakeTheirPlaceByDepth) {
  MakeObject(0);
  GiveEvent(0, kEventCreate, 0, "create");
  StartRooms(1);
  CInstance* self = Add(0, 7, 8);
  self->depth = -10;
  CInstance* low = Add(0, 0, 0);
  self->alarm[3] = 44;
  const double quiet = Call("instance_copy", {R(0)}, self);
  EXPECT_TRUE(code_.Texts().empty());
  CInstance* copy = Instance_Find(static_cast<int32_t>(quiet));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, self);
  EXPECT_EQ(copy->id, quiet);
  EXPECT_EQ(copy->x, 7.0f);
  EXPECT_EQ(copy->alarm[3], 44);
  EXPECT_EQ(copy->created, 0);
  EXPECT_EQ(g_currentRoom->active.tail, low);
  EXPECT_EQ(Instance_Find(self->id), self);

  const double loud = Call("instance_copy", {R(1)}, self);
  EXPECT_EQ(loud, quiet + 1);
  ASSERT_EQ(code_.runs.size(), 1u);
  EXPECT_EQ(code_.runs[0].self, Instance_Find(static_cast<int32_t>(loud)));
  EXPECT_EQ(Call("instance_copy", {R(1)}), 0);
}

TEST_F(GameWorld, ChangeDestroySpriteAndPositionActionsReachTheWorld) {
  MakeObject(0);
  MakeObject(1);
  GiveEvent(0, kEventDestroy, 0, "destroy");
  StartRooms(1);
  ErrorCapture errors;
  CInstance* self = Boxed(2, 0, 0, 10, 10);
  CInstance* plain = Add(0, 0, 0);
  Call("position_change", {R(5), R(5), R(9), R(0)});
  EXPECT_EQ(errors.Messages(), Texts{"Asking to change into non-existing object: 9"});
  Call("position_change", {R(5), R(5), R(1), R(0)});
  EXPECT_EQ(self->object_index, 1);
  Call("instance_change", {R(2), R(0)}, self);
  EXPECT_EQ(self->object_index, 2);
  Call("instance_sprite", {R(0)}, plain);
  EXPECT_EQ(plain->sprite_index, 0);
  Call("instance_destroy", {}, plain);
  Call("instance_destroy", {}, plain);
  EXPECT_EQ(code_.Texts(), Texts{"destroy"});
  EXPECT_EQ(plain->markedForDeletion, 1);
  Call("position_destroy", {R(5), R(5)});
  EXPECT_EQ(self->markedForDeletion, 1);
}

TEST_F(GameWorld, DeactivatingARegionTakesEveryBoxTouchingItButTheCaller) {
  StartRooms(1);
  CInstance* caller = Boxed(0, 50, 50, 10, 10);
  CInstance* inner = Boxed(0, 90, 90, 10, 10);
  CInstance* rightEdge = Boxed(0, 100, 20, 10, 10);
  CInstance* beyond = Boxed(0, 101, 20, 10, 10);
  CInstance* topEdge = Boxed(0, 20, -9, 10, 10);
  CInstance* above = Boxed(0, 20, -10, 10, 10);
  MakeObject(1);
  CInstance* pointOn = Add(1, 100, 100);
  CInstance* pointOff = Add(1, 100.5f, 100);
  Call("instance_deactivate_region", {R(0), R(0), R(100), R(100), R(1), R(1)}, caller);
  for (CInstance* i : {inner, rightEdge, topEdge, pointOn}) EXPECT_EQ(i->deactivated, 1) << i->x << "," << i->y;
  for (CInstance* i : {caller, beyond, above, pointOff}) EXPECT_EQ(i->deactivated, 0) << i->x << "," << i->y;
  EXPECT_EQ(g_currentRoom->deactivated.count, 4);
  EXPECT_EQ(g_currentRoom->active.count, 4);

  Call("instance_activate_region", {R(0), R(0), R(100), R(100), R(0)});
  EXPECT_EQ(g_currentRoom->deactivated.count, 4);
  Call("instance_activate_region", {R(95), R(0), R(10), R(40), R(1)});
  EXPECT_EQ(rightEdge->deactivated, 0);
  EXPECT_EQ(g_currentRoom->deactivated.count, 3);

  Call("instance_deactivate_region", {R(0), R(0), R(100), R(100), R(0), R(0)}, caller);
  for (CInstance* i : {beyond, above, pointOff}) EXPECT_EQ(i->deactivated, 1);
  EXPECT_EQ(caller->deactivated, 0);
  Call("instance_activate_all", {});
  EXPECT_EQ(g_currentRoom->deactivated.count, 0);
  EXPECT_EQ(g_currentRoom->active.count, 8);
}

TEST_F(GameWorld, ActivationByObjectReachesHeirsThatLeftTheirObjectsLists) {
  MakeObject(0);
  MakeObject(1)->SetParent(0);
  MakeObject(2);
  Object_LinkParents();
  StartRooms(1);
  CInstance* self = Add(2, 0, 0);
  CInstance* parent = Add(0, 0, 0);
  CInstance* child = Add(1, 0, 0);
  CInstance* other = Add(2, 0, 0);

  Call("instance_deactivate_all", {R(1)}, self);
  EXPECT_EQ(self->deactivated, 0);
  EXPECT_EQ(g_currentRoom->deactivated.count, 3);
  Call("instance_activate_object", {R(1)});
  EXPECT_EQ(child->deactivated, 0);
  EXPECT_EQ(parent->deactivated, 1);
  Call("instance_activate_object", {R(0)});
  EXPECT_EQ(parent->deactivated, 0);
  Call("instance_activate_object", {R(other->id)});
  EXPECT_EQ(other->deactivated, 0);
  EXPECT_EQ(g_currentRoom->deactivated.count, 0);

  Call("instance_deactivate_object", {R(0)});
  EXPECT_EQ(parent->deactivated, 1);
  EXPECT_EQ(child->deactivated, 1);
  Call("instance_deactivate_object", {R(-1)}, self);
  Call("instance_deactivate_object", {R(-2)}, self, other);
  EXPECT_EQ(g_currentRoom->active.count, 0);
  Call("instance_activate_object", {R(-3)});
  EXPECT_EQ(g_currentRoom->active.count, 4);
  Call("instance_deactivate_all", {R(0)}, self);
  EXPECT_EQ(g_currentRoom->active.count, 0);
}

}  // namespace

// The drag-and-drop actions on a running world: relative handling, the key
// pad move, creation with motion, the questions, score, lives and captions,
// and what the drawing actions hand the drawing core.
#include <cmath>
#include <string>
#include <vector>

#include "builtins/actions/rows.h"
#include "device_streams.h"
#include "game_test_support.h"
#include "runtime/random.h"
#include "script/compiler/compile_error.h"
#include "world/actions/world_actions.h"
#include "world/object/event_lists.h"
#include "world/save/highscores.h"

namespace {

using Texts = std::vector<std::string>;

class Actions : public GameWorld {
 protected:
  void SetUp() override {
    GameWorld::SetUp();
    Builtins_RegisterFamily(BuiltinFamilyId::kActions);
    Random_Seed(1);
    device_.Start();
    device_.Warm();
  }
  void TearDown() override {
    GameWorld::TearDown();
    device_.Stop();
  }

  void Relative(bool on) { Call("action_set_relative", {R(on ? 1 : 0)}); }

  // Object 0 with one instance at (100, 100) in a started room.
  CInstance* One() {
    MakeObject(0);
    StartRooms(1);
    return Add(0, 100, 100);
  }

  // The actions send the device what the expected direct calls send.
  void ExpectSame(const std::string& what, const devicetest::Drawing& actions, const devicetest::Drawing& expected,
                  const devicetest::Drawing& wrong = {}) {
    device_.ExpectSame(what, actions, expected, wrong);
  }

  devicetest::Device device_;
};

TEST_F(Actions, TheFamilyIsFourthWithItsNamesTogether) {
  const BuiltinFamily& family = Builtins_Families()[3];
  EXPECT_EQ(family.id, BuiltinFamilyId::kActions);
  ASSERT_EQ(family.rows.size(), 131u);
  for (const BuiltinFamily& other : Builtins_Families()) {
    for (const BuiltinRow& row : other.rows) {
      EXPECT_EQ(std::string(row.name).starts_with("action_"), other.id == BuiltinFamilyId::kActions) << row.name;
    }
  }
}

// Each case: the action, the value before, the value after with the flag
// off and with it on.
TEST_F(Actions, RelativeAddsTheCurrentValueBeforeTheActionConvertsIt) {
  CInstance* self = One();
  for (bool relative : {false, true}) {
    Relative(relative);
    self->SetPosition(100, 100);
    Call("action_move_to", {R(10), R(5)}, self);
    EXPECT_EQ(self->x, relative ? 110 : 10);
    EXPECT_EQ(self->y, relative ? 105 : 5);

    self->SetHSpeed(3);
    Call("action_set_hspeed", {R(2)}, self);
    EXPECT_EQ(self->hspeed, relative ? 5 : 2);

    g_runValues.score = 1;
    Call("action_set_score", {R(0.5)}, self);
    EXPECT_EQ(g_runValues.score, relative ? 2 : 0);

    // An alarm that is off starts anew either way.
    self->SetAlarm(0, -1);
    Call("action_set_alarm", {R(10), R(0)}, self);
    EXPECT_EQ(self->GetAlarm(0), 10);
    self->SetAlarm(0, 5);
    Call("action_set_alarm", {R(10), R(0)}, self);
    EXPECT_EQ(self->GetAlarm(0), relative ? 15 : 10);
    self->SetAlarm(0, 5);
    Call("action_set_alarm", {R(3e9), R(0)}, self);
    Call("action_set_alarm", {R(1), R(12)}, self);
    Call("action_set_alarm", {R(1), R(NAN)}, self);
  }
  // Steps beyond 32 bits read as the conversion's INT32_MIN.
  EXPECT_EQ(self->GetAlarm(0), 5 + INT32_MIN);
}

TEST_F(Actions, TheKeyPadMoveStopsPicksAMarkedKeyOrReports) {
  CInstance* self = One();
  self->SetDirection(90);
  self->SetSpeed(2);
  Call("action_move", {S("000000000"), R(4)}, self);
  EXPECT_EQ(self->speed, 2);
  EXPECT_EQ(self->direction, 90);

  Call("action_move", {S("000010000"), R(4)}, self);
  EXPECT_EQ(self->speed, 0);
  EXPECT_EQ(self->direction, 0);

  // Replays the draws the action makes to know which of the two it takes.
  for (int32_t seed : {1, 2, 3, 4, 5, 6}) {
    Random_Seed(seed);
    int32_t key = 0;
    do {
      key = Random_Int(9);
    } while (key != 0 && key != 8);
    Random_Seed(seed);
    Call("action_move", {S("100000001"), R(3)}, self);
    EXPECT_EQ(self->direction, key == 0 ? 225 : 45) << seed;
    EXPECT_FLOAT_EQ(self->speed, 3);
  }

  ErrorCapture errors;
  Call("action_move", {S("0000100000"), R(4)}, self);
  Call("action_move", {R(100000000), R(4)}, self);
  Call("action_move", {S("00001000"), R(4)}, self);
  EXPECT_EQ(errors.Messages(), Texts(3, "Wrong argument to action_move()."));
  EXPECT_FLOAT_EQ(self->speed, 3);
}

TEST_F(Actions, CreationSetsMotionBeforeTheCreateEventAndMayPickAtRandom) {
  CInstance* self = One();
  MakeObject(1);
  MakeObject(2);
  GiveEvent(2, kEventCreate, 0, "fast");
  code_.onRun = [](const std::string& text, CInstance* instance) {
    if (text == "fast") instance->SetSpeed(7);
  };
  Relative(true);
  Call("action_create_object_motion", {R(1), R(5), R(6), R(3), R(90)}, self);
  Call("action_create_object_motion", {R(2), R(0), R(0), R(3), R(90)}, self);
  CInstance* plain = InstanceMap_Get(self->id + 1);
  CInstance* fast = InstanceMap_Get(self->id + 2);
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(fast, nullptr);
  EXPECT_EQ(plain->x, 105);
  EXPECT_EQ(plain->y, 106);
  EXPECT_FLOAT_EQ(plain->speed, 3);
  EXPECT_FLOAT_EQ(plain->vspeed, -3);
  EXPECT_FLOAT_EQ(fast->speed, 7);
  EXPECT_FLOAT_EQ(fast->direction, 90);

  // Only existing objects are drawn; four missing ones make nothing.
  Relative(false);
  for (int i = 0; i < 5; ++i) Call("action_create_object_random", {R(9), R(1), R(-1), R(NAN), R(0), R(0)}, self);
  EXPECT_EQ(Run_InstanceNumber(1), 6);
  Call("action_create_object_random", {R(9), R(8), R(-1), R(NAN), R(0), R(0)}, self);
  EXPECT_EQ(Run_InstanceNumber(kInstanceAll), 8);

  ErrorCapture errors;
  Call("action_create_object", {R(9.4), R(0), R(0)}, self);
  EXPECT_EQ(errors.Messages(), Texts{"Creating instance for non-existing object: 9"});
}

TEST_F(Actions, QuestionsAnswerTruths) {
  CInstance* self = One();
  Add(0, 0, 0);
  EXPECT_EQ(Call("action_if_number", {R(0), R(3), R(0)}), 0);
  Add(0, 0, 0);
  EXPECT_EQ(Call("action_if_number", {R(0), R(3), R(0)}), 1);
  EXPECT_EQ(Call("action_if_number", {R(0), R(3), R(7)}), 1);
  EXPECT_EQ(Call("action_if_number", {R(0), R(4), R(1)}), 1);
  EXPECT_EQ(Call("action_if_number", {R(0), R(2), R(2)}), 1);
  Add(0, 0, 0);
  EXPECT_EQ(Call("action_if_number", {R(0), R(3), R(0)}), 0);

  // Dice of one side or fewer never draw.
  Random_Seed(7);
  const int32_t next = Random_Int(1000);
  Random_Seed(7);
  EXPECT_EQ(Call("action_if_dice", {R(0)}), 1);
  EXPECT_EQ(Call("action_if_dice", {R(1)}), 1);
  EXPECT_EQ(Call("action_if_dice", {S("six")}), 1);
  EXPECT_EQ(Random_Int(1000), next);
  for (double sides : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300, 1.0000001})
    Call("action_if_dice", {R(sides)});
  EXPECT_EQ(Call("action_if_dice", {R(1.0000001)}), 1);

  ErrorCapture errors;
  EXPECT_EQ(Call("action_if_variable", {S("abc"), S("abd"), R(1)}), 1);
  EXPECT_EQ(Call("action_if_variable", {S("abd"), S("abc"), R(2)}), 1);
  EXPECT_EQ(Call("action_if_variable", {S("\xC3\xA9"), S("z"), R(2)}), 1);
  EXPECT_EQ(Call("action_if_variable", {R(2), R(2), R(3)}), 1);
  EXPECT_EQ(Call("action_if_variable", {R(2), R(3), R(4)}), 0);
  EXPECT_EQ(Call("action_if_variable", {R(2), R(2), R(0)}), 1);
  EXPECT_EQ(errors.Messages(), Texts{});
  EXPECT_EQ(Call("action_if_variable", {S("1"), R(1), R(0)}), 0);
  EXPECT_EQ(errors.Messages(), Texts{"Cannot compare arguments."});

  EXPECT_TRUE(std::isnan(Call("action_if", {S("yes")})));
  EXPECT_EQ(Call("action_if", {R(0.25)}), 0.25);
  g_runValues.health = 50;
  EXPECT_EQ(Call("action_if_health", {R(60), R(1)}), 1);
  EXPECT_EQ(Call("action_if_health", {R(50), R(2.4)}), 0);
  EXPECT_EQ(Call("action_if_health", {R(50), R(NAN)}), 1);
  EXPECT_EQ(Call("action_if_empty", {R(0), R(0), R(1)}, self), 1);
  EXPECT_EQ(Call("action_if_empty", {R(0), R(0), R(1)}), 0);
}

TEST_F(Actions, RoomQuestionsAndRequestsFollowTheRoomOrder) {
  MakeObject(0);
  StartRooms(2);
  EXPECT_EQ(Call("action_if_previous_room", {}), 0);
  EXPECT_EQ(Call("action_if_next_room", {}), 1);
  Call("action_next_room", {R(5)});
  EXPECT_EQ(g_newRoom, g_roomOrder[1]);
  EXPECT_EQ(g_runValues.transitionKind, 0);
  Call("action_load_game", {S("Some Name.sav")});
  EXPECT_EQ(g_newRoom, kRoomChangeLoadGame);
  EXPECT_EQ(g_runValues.loadFileName, "Some Name.sav");
  Call("action_load_game", {R(1)});
  EXPECT_EQ(g_runValues.loadFileName, "");
}

TEST_F(Actions, LivesAndHealthRaiseTheirEventsOnceWhenTheyRunOut) {
  CInstance* self = One();
  GiveEvent(0, kEventOther, kOtherNoMoreLives, "no lives");
  GiveEvent(0, kEventOther, kOtherNoMoreHealth, "no health");
  Object_LinkParents();
  Object_BuildEventLists();
  g_runValues.lives = 1;
  Call("action_set_life", {R(0)}, self);
  EXPECT_EQ(code_.Texts(), Texts{"no lives"});
  Call("action_set_life", {R(0)}, self);
  Relative(true);
  Call("action_set_life", {R(-1)}, self);
  EXPECT_EQ(g_runValues.lives, -1);
  Call("action_set_life", {R(2.5)}, self);
  EXPECT_EQ(g_runValues.lives, 2);
  EXPECT_EQ(code_.Texts(), Texts{"no lives"});

  g_runValues.health = 10;
  Call("action_set_health", {R(-10)}, self);
  Call("action_set_health", {R(-10)}, self);
  EXPECT_EQ(g_runValues.health, -10);
  EXPECT_EQ(code_.Texts(), (Texts{"no lives", "no health"}));
}

TEST_F(Actions, CaptionsShowOnlyForExactlyOneAndDropWhatIsNoText) {
  Call("action_set_caption", {R(1), S("P"), R(1.5), S("L"), R(1.4), R(7)});
  EXPECT_EQ(g_runValues.showScore, 1);
  EXPECT_EQ(g_runValues.showLives, 0);
  EXPECT_EQ(g_runValues.showHealth, 1);
  EXPECT_STREQ(g_runValues.captionScore, "P");
  EXPECT_STREQ(g_runValues.captionLives, "L");
  EXPECT_EQ(g_runValues.captionHealth, nullptr);
  EXPECT_EQ(g_runValues.captionSet, 1);
}

TEST_F(Actions, SpritesTransformAndTimeLinesSet) {
  CInstance* self = One();
  Call("action_sprite_transform", {R(2), R(2), R(0), R(3)}, self);
  EXPECT_EQ(self->image_xscale, -2);
  EXPECT_EQ(self->image_yscale, -2);
  Call("action_sprite_transform", {R(1), R(1), R(0), R(1.5)}, self);
  EXPECT_EQ(self->image_xscale, 1);
  EXPECT_EQ(self->image_yscale, -1);

  Call("action_timeline_set", {R(3), R(2.5), R(0.4), R(1)}, self);
  EXPECT_EQ(self->timeline_index, 3);
  EXPECT_EQ(self->timeline_position, 2);
  EXPECT_EQ(self->timeline_running, 1);
  EXPECT_EQ(self->timeline_loop, 1);
  Call("action_timeline_set", {R(3), R(0), R(1), R(2)}, self);
  EXPECT_EQ(self->timeline_running, 0);
  EXPECT_EQ(self->timeline_loop, 0);
  Relative(true);
  Call("action_set_timeline_position", {R(4.5)}, self);
  EXPECT_EQ(self->timeline_position, 4);
}

// A time-line moment has no object: its index is a time line's, whose
// namesake object must not have its parent's event run.
TEST_F(Actions, TheParentsEventRunsOnlyForAnObjectsEvent) {
  MakeObject(0);
  MakeObject(1)->parent = 0;
  GiveEvent(0, kEventStep, 0, "parent step");
  Object_LinkParents();
  StartRooms(1);
  CInstance* child = Add(1, 0, 0);
  const int32_t type = g_eventType, number = g_eventNumber, object = g_eventObject;
  g_eventObject = 1;
  g_eventNumber = 0;
  g_eventType = kEventTimeLine;
  Call("action_inherited", {}, child);
  EXPECT_EQ(code_.Texts(), Texts{});
  g_eventType = kEventStep;
  Call("action_inherited", {}, child);
  EXPECT_EQ(code_.Texts(), Texts{"parent step"});
  g_eventType = type;
  g_eventNumber = number;
  g_eventObject = object;
}

// An error left from before is not this call's to report.
TEST_F(Actions, ARunReportsOnlyItsOwnError) {
  Code_Error_Set(nullptr, 0, "an old error");
  ErrorCapture errors;
  Call("action_execute_script", {R(0), R(1), R(2), R(3), R(4), R(5)});
  EXPECT_EQ(errors.Messages(), Texts{});
  Code_Error_Clear();
}

// The resource must exist, then the file; only then is anything replaced.
TEST_F(Actions, ReplacementsCheckTheResourceThenTheFile) {
  const int32_t sprite = MakeSprite(4, 4);
  ErrorCapture errors;
  Call("action_replace_sprite", {R(sprite + 1), S("missing.png"), R(1)});
  Call("action_replace_sprite", {R(sprite), S("missing.png"), R(1)});
  Call("action_replace_background", {R(0), S("missing.png")});
  Call("action_replace_sound", {R(NAN), S("")});
  EXPECT_EQ(errors.Messages(),
            (Texts{"Trying to replace non-existing resource.", "File does not exist.",
                   "Trying to replace non-existing resource.", "Trying to replace non-existing resource."}));
  EXPECT_EQ(Sprite_Get(sprite)->width, 4);
}

TEST_F(Actions, VariablesDrawAsWholeNumbersOnlyWithin32Bits) {
  const std::vector<std::pair<GoldenArg, std::string>> shown = {
      {R(3), "3"}, {R(3e10), "30000000000.00"}, {R(-2147483648.0), "-2147483648"}, {S("text"), "text"}};
  for (const auto& [value, text] : shown) {
    ExpectSame(
        text,
        [&] {
          Call("action_draw_variable", {value, R(1), R(2)});
        },
        [&] { GR_Text_Draw(1, 2, text.c_str(), -1, -1); });
  }
  ExpectSame(
      "3.5 in its field",
      [this] {
        Call("action_draw_variable", {R(3.5), R(1), R(2)});
      },
      [] { GR_Text_Draw(1, 2, "      3.50", -1, -1); }, [] { GR_Text_Draw(1, 2, "3.50", -1, -1); });

  // A long text is cut before 1024 bytes without splitting a character.
  const std::string text = std::string(1022, 'a') + "\xC3\xA9" + "bb";
  const std::string cut(1022, 'a');
  ExpectSame(
      "long",
      [&] {
        Call("action_draw_variable", {S(text.c_str()), R(0), R(0)});
      },
      [&] { GR_Text_Draw(0, 0, cut.c_str(), -1, -1); }, [&] { GR_Text_Draw(0, 0, text.c_str(), -1, -1); });
}

// The colours of the health bar by number, as the designer's menus list
// them: back 0 is none, bar 0 runs red to green, bar 1 black to white.
TEST_F(Actions, HealthBarColoursFollowTheirNumbers) {
  const uint32_t named[] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000080, 0x008000, 0x008080, 0x800000,
                            0x800080, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00};
  g_runValues.health = 50;
  for (int32_t back = 0; back <= 17; ++back) {
    const uint32_t colour = back >= 1 && back <= 16 ? named[back - 1] : 0;
    ExpectSame(
        "back " + std::to_string(back),
        [&] {
          Call("action_draw_health", {R(0), R(0), R(10), R(4), R(back), R(0)});
        },
        [&] { GR_Draw_Healthbar(0, 0, 10, 4, 50, colour, 0xFF, 0xFFFF, 0xFF00, 0, back >= 1, true); });
  }
  for (int32_t bar = 0; bar <= 18; ++bar) {
    uint32_t low = 0xFF, middle = 0xFFFF, high = 0xFF00;
    if (bar == 1) {
      low = 0x0, middle = 0x808080, high = 0xFFFFFF;
    } else if (bar >= 2) {
      low = middle = high = bar <= 17 ? named[bar - 2] : 0;
    }
    ExpectSame(
        "bar " + std::to_string(bar),
        [&] {
          Call("action_draw_health", {R(0), R(0), R(10), R(4), R(1), R(bar)});
        },
        [&] { GR_Draw_Healthbar(0, 0, 10, 4, 50, 0x0, low, middle, high, 0, true, true); });
  }
}

TEST_F(Actions, DrawingActionsMoveWithSelfWhenRelative) {
  CInstance* self = One();
  Relative(true);
  // The shapes and the text of self's actions moved by self's place.
  auto drawn = [](float x, float y) {
    GR_Draw_Rectangle(x + 1, y + 2, x + 3, y + 4, 1);
    GR_Draw_Rectangle_Color(x, y, x + 1, y + 1, 0xFF, 0xFF00, 0xFF00, 0xFF, 0);
    GR_Draw_Rectangle_Color(x, y, x + 1, y + 1, 0xFF, 0xFF, 0xFF00, 0xFF00, 0);
    GR_Text_Draw(x, y, "2.50", -1, -1);
    GR_Text_Draw(0, 0, "0", -1, -1);
    GR_Text_Draw(0, 0, "-1", -1, -1);
  };
  ExpectSame(
      "shapes and texts",
      [&] {
        Call("action_draw_rectangle", {R(1), R(2), R(3), R(4), R(0.5)}, self);
        Call("action_draw_gradient_hor", {R(0), R(0), R(1), R(1), R(255), R(65280)}, self);
        Call("action_draw_gradient_vert", {R(0), R(0), R(1), R(1), R(255), R(65280)}, self);
        Call("action_draw_text", {R(2.5), R(0), R(0)}, self);
        Call("action_draw_score", {S("Score: "), R(0), R(0)});
        Call("action_draw_life", {R(0), R(0), R(1)});
      },
      [&] { drawn(100, 100); }, [&] { drawn(0, 0); });

  ErrorCapture errors;
  EXPECT_EQ(device_.Run([&] {
    Call("action_draw_sprite", {R(5), R(0), R(0), R(0)}, self);
    Call("action_draw_background", {R(5), R(0), R(0), R(0)}, self);
  }),
            device_.Run({}));
  EXPECT_EQ(errors.Messages(),
            (Texts{"Trying to draw a non-existing sprite.", "Trying to draw a non-existing background."}));
  const int32_t sprite = MakeSprite(8, 8);
  CSprite* frames = Sprite_Get(sprite);
  frames->CreateFromBitmap(devicetest::SolidBitmap(8, 8, 0x100000).get(), false, false, false, true, 0, 0, 0);
  for (uint32_t red : {0x200000u, 0x300000u, 0x400000u}) {
    frames->AddFrameFromBitmap(devicetest::SolidBitmap(8, 8, red).get(), 0);
  }
  self->image_index = 2.7f;
  g_runValues.lives = 3;
  auto sprites = [frames](int32_t frame) {
    frames->Draw(frame, 101, 101, 1, 1, 0, 0xFFFFFF, 1);
    for (float x : {100.0f, 108.0f, 116.0f}) frames->Draw(0, x, 100, 1, 1, 0, 0xFFFFFF, 1);
  };
  ExpectSame(
      "sprites",
      [&] {
        Call("action_draw_sprite", {R(sprite), R(1), R(1), R(-1)}, self);
        Call("action_draw_life_images", {R(0), R(0), R(sprite)}, self);
      },
      [&] { sprites(2); }, [&] { sprites(3); });
}

TEST_F(Actions, TheHighscoreTableFillsABoxInTheRoomsMiddle) {
  MakeObject(0);
  StartRooms(1, 641, 481);
  Score_Clear();
  Score_Set(10, "last", 5);
  ExpectSame(
      "table", [this] { Call("action_highscore_show", std::vector<GoldenArg>(11, R(0))); },
      [] { Score_DrawTable(220, 140, 420, 340); }, [] { Score_DrawTable(221, 141, 421, 341); });
}

}  // namespace

namespace {

// Every action with arguments of every wrong kind, without a room and
// without a caller, then with both: nothing may crash or read out of range.
// The web page is left out: it would start the desktop's opener.
TEST_F(Actions, BadArgumentsNeverCrash) {
  const std::vector<GoldenArg> kinds = {R(NAN), R(INFINITY), R(-INFINITY), R(1e300), R(-1e300), S("text"), S("")};
  auto everyAction = [&](CInstance* self) {
    for (const BuiltinRow& row : kActionRows) {
      const std::string name = row.name;
      if (name == "action_webpage" || name == "action_snapshot") continue;
      for (const GoldenArg& kind : kinds) {
        Call(row.name, std::vector<GoldenArg>(static_cast<size_t>(row.argumentCount), kind), self);
      }
      Call(row.name, {}, self);
    }
  };
  ErrorCapture errors;
  everyAction(nullptr);
  CInstance* self = One();
  everyAction(self);
  EXPECT_FALSE(errors.Messages().empty());
}

}  // namespace

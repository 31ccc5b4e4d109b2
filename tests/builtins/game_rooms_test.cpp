#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "files/file_layer.h"
#include "game_test_support.h"
#include "graphics/transition/transition_define.h"
#include "runtime/timer.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(GameWorld, RoomNeighboursFollowTheOrderAndEndAtEitherSide) {
  StartRooms(3);
  std::swap(g_roomOrder[0], g_roomOrder[2]);  // order 2, 1, 0
  EXPECT_EQ(Call("room_next", {R(2)}), 1);
  EXPECT_EQ(Call("room_next", {R(1)}), 0);
  EXPECT_EQ(Call("room_next", {R(0)}), -1);
  EXPECT_EQ(Call("room_previous", {R(0)}), 1);
  EXPECT_EQ(Call("room_previous", {R(2)}), -1);
  EXPECT_EQ(Call("room_previous", {R(7)}), -1);
  EXPECT_EQ(Call("room_next", {R(-1)}), -1);
  EXPECT_EQ(Call("room_next", {R(NAN)}), -1);
}

TEST_F(GameWorld, RoomRequestsOnlySetTheChangeCode) {
  StartRooms(2);
  Call("room_goto_next", {});
  EXPECT_EQ(g_newRoom, 1);
  Call("room_restart", {});
  EXPECT_EQ(g_newRoom, 0);
  Call("room_goto", {R(1.5)});
  EXPECT_TRUE(Said("Unexisting room number: 2"));
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);
  Call("game_restart", {});
  EXPECT_EQ(g_newRoom, kRoomChangeRestart);
  Call("game_end", {});
  EXPECT_EQ(g_newRoom, kRoomChangeEndGame);
  EXPECT_EQ(g_currentRoomIndex, 0);
  g_newRoom = kRoomChangeNone;
  Error_ResetState();
  Call("room_goto_previous", {});
  EXPECT_TRUE(Said("Moving to previous room before the first room."));
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);
}

class SaveFolders : public GameWorld {
 protected:
  void SetUp() override {
    GameWorld::SetUp();
    LoadSave_SetSaveDirectory(save_.Path().c_str());
    LoadSave_SetProgramDirectory(program_.Path().c_str());
  }
  void TearDown() override {
    LoadSave_SetSaveDirectory("");
    LoadSave_SetProgramDirectory("");
    GameWorld::TearDown();
  }
  testsupport::ScratchFolder save_{"kv_game_save"};
  testsupport::ScratchFolder program_{"kv_game_program"};
};

TEST_F(SaveFolders, LoadFindsTheSaveFolderFirstThenTheProgramFolder) {
  testsupport::WriteRaw(save_ / "slot/one.sav", "x");
  testsupport::WriteRaw(program_ / "slot/one.sav", "y");
  testsupport::WriteRaw(program_ / "two.sav", "z");
  EXPECT_EQ(Call("game_load", {S("slot\\one.sav")}), 1);
  EXPECT_EQ(g_newRoom, kRoomChangeLoadGame);
  EXPECT_EQ(g_runValues.loadFileName, save_ / "slot/one.sav");
  EXPECT_EQ(Call("game_load", {S("two.sav")}), 1);
  EXPECT_EQ(g_runValues.loadFileName, program_ / "two.sav");

  g_newRoom = kRoomChangeNone;
  EXPECT_EQ(Call("game_load", {S("nosave.dat")}), 0);
  EXPECT_TRUE(Said("game_load - unable to find file nosave.dat"));
  EXPECT_EQ(g_newRoom, kRoomChangeNone);
  EXPECT_EQ(g_runValues.loadFileName, program_ / "two.sav");
}

TEST_F(SaveFolders, SaveAndLoadWantExactlyOneStringAndSaveAlwaysAnswersMinusOne) {
  testsupport::WriteRaw(save_ / "one.sav", "x");
  EXPECT_EQ(Call("game_load", {R(1)}), -1);
  EXPECT_EQ(Call("game_load", {S("one.sav"), S("one.sav")}), -1);
  EXPECT_EQ(Call("game_load", {}), -1);
  EXPECT_EQ(g_newRoom, kRoomChangeNone);
  EXPECT_EQ(Call("game_save", {R(3)}), -1);
  EXPECT_EQ(Call("game_save", {}), -1);
  EXPECT_EQ(Call("game_save", {S("one.sav"), S("one.sav")}), -1);
  EXPECT_EQ(testsupport::ReadRaw(save_ / "one.sav"), "x");
  EXPECT_EQ(Call("game_save", {S("one.sav")}), -1) << "even when written";
  EXPECT_EQ(testsupport::ReadRaw(save_ / "one.sav").substr(0, 4), std::string("\x1C\x02\0\0", 4));
}

// A saved game behind a link leading out of the save folder is neither
// written nor found; behind one staying inside, it is.
TEST_F(SaveFolders, SavesKeepToTheSaveFolderThroughLinks) {
  testsupport::ScratchFolder outside{"kv_game_outside"};
  testsupport::WriteRaw(outside / "victim.sav", "victim");
  testsupport::WriteRaw(save_ / "real.sav", "x");
  ASSERT_EQ(symlink((outside / "victim.sav").c_str(), (save_ / "out.sav").c_str()), 0);
  ASSERT_EQ(symlink("real.sav", (save_ / "in.sav").c_str()), 0);
  Call("game_save", {S("out.sav")});
  EXPECT_TRUE(Said("game_save - out.sav lies outside the save folder"));
  EXPECT_FALSE(Said("could not write")) << "the refusal is the one line";
  EXPECT_EQ(testsupport::ReadRaw(outside / "victim.sav"), "victim");
  EXPECT_EQ(Call("game_load", {S("out.sav")}), 0);
  EXPECT_EQ(g_newRoom, kRoomChangeNone);

  Call("game_save", {S("in.sav")});
  EXPECT_EQ(testsupport::ReadRaw(save_ / "real.sav").substr(0, 4), std::string("\x1C\x02\0\0", 4));
  EXPECT_EQ(Call("game_load", {S("in.sav")}), 1);
  EXPECT_EQ(g_runValues.loadFileName, save_ / "in.sav");
}

// A name is mapped onto the save folder once, as game_load maps it, even
// when the current folder lies inside the save folder (mapping the mapped
// path again took "sub/" off it).
TEST_F(SaveFolders, SaveWritesWhereLoadLooksWhenTheCurrentFolderLiesInside) {
  testsupport::WriteRaw(save_ / "sub/keep.txt", "x");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(save_ / "sub");
  Call("game_save", {S("sub/g.sav")});
  const double found = Call("game_load", {S("sub/g.sav")});
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::exists(save_ / "sub/g.sav"));
  EXPECT_FALSE(std::filesystem::exists(save_ / "g.sav"));
  EXPECT_EQ(found, 1);
  EXPECT_EQ(g_runValues.loadFileName, save_ / "sub/g.sav");
}

TEST_F(GameWorld, SleepMovesTheVirtualClockByWhatItAsksCappedAtThreeSeconds) {
  Timer_SelectClock(TimerClockKind::kVirtual);
  const int64_t start = Timer_GetMicroseconds();
  Call("sleep", {R(2000)});
  EXPECT_EQ(Timer_GetMicroseconds() - start, 2000000);
  Call("sleep", {R(0.0015)});
  EXPECT_EQ(Timer_GetMicroseconds() - start, 2000002);
  Call("sleep", {R(-5)});
  Call("sleep", {R(NAN)});
  Call("sleep", {S("1000")});
  EXPECT_EQ(Timer_GetMicroseconds() - start, 2000002);
  Call("sleep", {R(1e9)});
  EXPECT_EQ(Timer_GetMicroseconds() - start, 5000002);
  Call("sleep", {R(1e300)});
  Call("sleep", {R(-INFINITY)});
  EXPECT_EQ(Timer_GetMicroseconds() - start, 5000002);
  Timer_SelectClock(TimerClockKind::kFromSwitches);
}

TEST_F(GameWorld, TransitionsDefineUserKindsThatNeverCountAsExisting) {
  GR_Transition_Shutdown();
  int32_t gameEnd = -1;
  ASSERT_TRUE(Function_Find("game_end", &gameEnd));
  EXPECT_EQ(Call("transition_exists", {R(21)}), 1);
  EXPECT_EQ(Call("transition_exists", {R(1)}), 1);
  EXPECT_FALSE(Said("TransFunctionExists()"));
  EXPECT_EQ(Call("transition_exists", {R(22)}), 0);
  EXPECT_TRUE(Said("TransFunctionExists()"));
  EXPECT_EQ(Call("transition_exists", {R(0)}), 0);

  EXPECT_EQ(Call("transition_define", {R(22), S("no_such_script")}), 0);
  EXPECT_EQ(Call("transition_define", {R(22), R(5)}), 0);
  EXPECT_EQ(GR_Transition_User_Capacity(), 0);
  EXPECT_EQ(Call("transition_define", {R(22), S("game_end")}), 1);
  EXPECT_EQ(GR_Transition_User_Function(22), gameEnd);
  EXPECT_STREQ(GR_Transition_User_Name(22), "game_end");
  EXPECT_EQ(Call("transition_exists", {R(22)}), 0);
  GR_Transition_Shutdown();
}

}  // namespace

#include "world/save/saved_game.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <random>

#include "files/file_layer.h"
#include "runtime/stream.h"
#include "script/variables/variable_global_state.h"
#include "world/loop/game_loop.h"
#include "world/world_actions_test_support.h"

namespace {

using testsupport::WriteRaw;

constexpr int32_t kGameId = 4242;
// Ids in distinct buckets, so the variable order survives a round trip.
constexpr int32_t kVarA = 100001, kVarB = 100002, kVarC = 100003;

class SavedGames : public ActionWorld {
 protected:
  void SetUp() override {
    ActionWorld::SetUp();
    Variable_Global_Init();
    g_gameId = kGameId;
    LoadSave_SetSaveDirectory(folder_.Path().c_str());
    MakeObject(0);
    MakeObject(1);
  }
  void TearDown() override {
    g_gameId = 0;
    LoadSave_SetSaveDirectory(nullptr);
    ActionWorld::TearDown();
    Variable_Global_Init();
  }

  static std::string Snapshot() {
    CStream stream;
    SavedGame_Write(stream);
    return std::string(reinterpret_cast<const char*>(stream.GetBuffer()), static_cast<size_t>(stream.GetPosition()));
  }
  // Parses bytes into a fresh stage; the fault, or null.
  static const char* Parse(const std::string& bytes) {
    CStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    SavedGame game;
    return SavedGame_Parse(stream, &game);
  }
  bool LoadBytes(const std::string& bytes) {
    const std::string path = folder_ / "game.sav";
    WriteRaw(path, bytes);
    return Run_LoadGame(path.c_str());
  }
  static int32_t IntAt(const std::string& bytes, size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  }
  static void PutInt(std::string* bytes, size_t offset, int32_t value) {
    std::memcpy(bytes->data() + offset, &value, 4);
  }

  static void SetGlobal(int32_t id, double real, const char* text = nullptr, int32_t k = 0) {
    ScriptValue v{};
    if (text != nullptr) {
      ScriptValue_SetString(&v, text);
    } else {
      v.real = real;
    }
    Variable_Global_Set(id, k, v);
    ScriptValue_Release(&v);
  }
  static double Global(int32_t id) {
    ScriptValue v{};
    Variable_Global_Get(id, 0, &v);
    const double real = v.real;
    ScriptValue_Release(&v);
    return real;
  }
  static void SetLocal(CInstance* instance, int32_t id, int32_t k, const char* text) {
    ScriptValue v{};
    ScriptValue_SetString(&v, text);
    instance->locals->SetValue(id, k, v);
    ScriptValue_Release(&v);
  }

  // Two rooms; room 1 is persistent and holds arrays, strings, a
  // deactivated instance and tiles; play is back in room 0 when it returns.
  void BuildRichWorld() {
    StartRooms(2);
    g_currentRoom->persistent = false;
    Room_Get(1)->persistent = true;
    ASSERT_TRUE(Run_ChangeRoom(1));
    CInstance* a = Add(0, 10.0f, 20.0f);
    a->depth = 5.0f;
    SetLocal(a, kVarA, 0, "text");
    SetLocal(a, kVarB, 32000 * 2 + 3, "row two");
    CInstance* b = Add(1, 30.0f, 40.0f);
    Instance_SetDeactivated(b, true);
    g_currentRoom->ApplyActivation();
    CTile tile;
    tile.x = 4.0f;
    tile.depth = 100.0f;
    g_currentRoom->AddTile(tile);
    g_currentRoom->AddTile(tile);
    MemoryManager::Free(g_currentRoom->caption);
    g_currentRoom->caption = String_Duplicate("the caption");
    SetGlobal(kVarA, 3.5);
    SetGlobal(kVarB, 0, "global text");
    SetGlobal(kVarC, 0, "cell", 7);
    // A short flag array keeps the file small enough to cut at every byte.
    auto* flags = static_cast<uint8_t*>(KV_ALLOC(3, true));
    flags[1] = 1;
    GlobalScope_ReplaceFlags(flags, 3);
    g_runValues.score = 12;
  }

  testsupport::ScratchFolder folder_{"kv_save"};
};

TEST_F(SavedGames, SmallestWorldHasItsExactLayout) {
  StartRooms(1);
  Add(0, 0.0f, 0.0f);
  const std::string bytes = Snapshot();
  ASSERT_EQ(bytes.size(), 41660u);
  EXPECT_EQ(IntAt(bytes, 0), 540);
  EXPECT_EQ(IntAt(bytes, 4), kGameId);
  EXPECT_EQ(IntAt(bytes, 8), 0) << "room";
  EXPECT_EQ(IntAt(bytes, 20), -1) << "lives";
  EXPECT_EQ(bytes.substr(24, 8), std::string("\0\0\0\0\0\0\x59\x40", 8)) << "health 100.0";
  EXPECT_EQ(IntAt(bytes, 32), -1) << "cursor";
  EXPECT_EQ(IntAt(bytes, 40), 1) << "automatic draw";
  EXPECT_EQ(IntAt(bytes, 44), 700);
  EXPECT_EQ(IntAt(bytes, 48), 442);
  EXPECT_EQ(IntAt(bytes, 52), 0);
  EXPECT_EQ(IntAt(bytes, 56), 10000);
  EXPECT_EQ(IntAt(bytes, 40060), 1) << "room count";
  EXPECT_EQ(IntAt(bytes, 40064), 1) << "slot 0 holds a room";
  EXPECT_EQ(IntAt(bytes, 40068), 540);
  EXPECT_EQ(IntAt(bytes, 40104), 8) << "background count";
  EXPECT_EQ(IntAt(bytes, 40752), 8) << "view count";
  EXPECT_EQ(IntAt(bytes, 41268), 1) << "one active instance";
  EXPECT_EQ(IntAt(bytes, 41272), g_lastInstanceId);
  EXPECT_EQ(IntAt(bytes, 41644), 0) << "no deactivated instance";
  EXPECT_EQ(IntAt(bytes, 41648), 0) << "no tile";
  EXPECT_EQ(IntAt(bytes, 41652), g_lastInstanceId);
  EXPECT_EQ(IntAt(bytes, 41656), g_lastTileId);

  ASSERT_TRUE(LoadBytes(bytes));
  EXPECT_EQ(Snapshot(), bytes) << "save, load, save";
  // A cut inside the global flags or anywhere else is refused.
  for (size_t cut = 0; cut < bytes.size(); cut += 7) ASSERT_NE(Parse(bytes.substr(0, cut)), nullptr) << cut;
}

TEST_F(SavedGames, EveryCutOfARichFileIsRefusedAndChangesNothing) {
  BuildRichWorld();
  const std::string saved = Snapshot();
  ASSERT_TRUE(Run_ChangeRoom(0));
  const std::string before = Snapshot();
  for (size_t cut = 0; cut < saved.size(); ++cut) ASSERT_NE(Parse(saved.substr(0, cut)), nullptr) << cut;
  for (size_t cut = 0; cut < saved.size(); cut += 53) {
    ASSERT_FALSE(LoadBytes(saved.substr(0, cut)));
    ASSERT_EQ(Snapshot(), before) << cut;
  }
  ASSERT_TRUE(LoadBytes(saved));
  EXPECT_EQ(Snapshot(), saved) << "arrays, strings, deactivated instances and tiles come back";
  EXPECT_EQ(g_currentRoomIndex, 1);
  EXPECT_EQ(g_currentRoom->deactivated.count, 1);
  EXPECT_EQ(g_currentRoom->tileCount, 2);
  EXPECT_STREQ(g_currentRoom->caption, "the caption");
  EXPECT_EQ(Variable_IsGlobalVar(100001), 1);
}

TEST_F(SavedGames, RefusedFilesShowOneErrorAndChangeNothing) {
  BuildRichWorld();
  const std::string saved = Snapshot();
  const std::string before = Snapshot();
  CStream globals;
  Variable_Global_Save(globals);
  const size_t globalsEnd = 44 + static_cast<size_t>(globals.GetPosition());
  ASSERT_EQ(IntAt(saved, globalsEnd), 2) << "the room count follows the globals";
  const size_t room1 = globalsEnd + 4 + 4 + 4;  // slot 0 empty, slot 1 present
  ASSERT_EQ(IntAt(saved, room1), 540);

  auto refused = [&](std::string bytes, const char* message) {
    const size_t from = console_.Lines().size();
    EXPECT_FALSE(LoadBytes(bytes)) << message;
    EXPECT_EQ(Snapshot(), before) << message;
    std::string said;
    for (size_t i = from; i < console_.Lines().size(); ++i) said += console_.Lines()[i];
    EXPECT_NE(said.find(message), std::string::npos) << message;
    EXPECT_EQ(said.find("ERROR!!! :: "), said.rfind("ERROR!!! :: ")) << "one error: " << said;
    EXPECT_NE(said.find("ERROR!!! :: "), std::string::npos) << message;
  };
  std::string other = saved;
  PutInt(&other, 0, 541);
  refused(other, "Cannot load game saved with other version.");
  refused(other.substr(0, 4), "Cannot load game saved with other version.");
  other = saved;
  PutInt(&other, 4, kGameId + 1);
  refused(other, "This is a save file for a different game!");
  // Another game's file is refused by its id before the rest is read: cut
  // or damaged after the id, it still names the other game, and the
  // variable records' own complaint never shows.
  for (size_t cut : {size_t{8}, size_t{20}, globalsEnd - 3, saved.size() - 1}) {
    refused(other.substr(0, cut), "This is a save file for a different game!");
  }
  PutInt(&other, globalsEnd, 0x7FFFFFFF);
  refused(other, "This is a save file for a different game!");
  PutInt(&other, 48, -1);  // the global variable list's record
  const size_t from = console_.Lines().size();
  refused(other, "This is a save file for a different game!");
  for (size_t i = from; i < console_.Lines().size(); ++i)
    EXPECT_EQ(console_.Lines()[i].find("!!!!"), std::string::npos);
  // A damaged file of this game is named by its damage.
  other = saved;
  PutInt(&other, globalsEnd, 0x7FFFFFFF);
  refused(other, "the room count runs past the end");
  refused(other.substr(0, 20), "the run values end early");
  other = saved;
  PutInt(&other, room1 + 4, -5);
  refused(other, "a room record ends early");
  other = saved;
  PutInt(&other, 8, 2);
  refused(other, "the current room is not among the saved rooms");
  PutInt(&other, 8, 0);
  refused(other, "the current room is not among the saved rooms");
  other = saved;
  PutInt(&other, room1 + 4 + 11 + 4 * 6 + 4 + 4, 7);
  refused(other, "a room's background count is not 8");
  other = saved;
  PutInt(&other, room1, 541);
  refused(other, "a room record is not of version 540");
  refused("", "the file is too short");

  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string garbage = saved.substr(0, 8);
    garbage.resize(8 + random() % 400);
    for (size_t i = 8; i < garbage.size(); ++i) garbage[i] = static_cast<char>(random());
    ASSERT_FALSE(LoadBytes(garbage));
    ASSERT_EQ(Snapshot(), before);
  }
}

TEST_F(SavedGames, LoadRestoresTheSavedWorldWithoutRunningEvents) {
  StartRooms(2);
  Room_Get(1)->persistent = true;
  ASSERT_TRUE(Run_ChangeRoom(1));
  const int32_t kept = Add(0, 1.0f, 2.0f)->id;
  SetGlobal(kVarA, 1.0);
  g_runValues.score = 10;
  g_stepCount = 33;
  const std::string path = folder_ / "slot";
  ASSERT_TRUE(Run_SaveGame(path.c_str()));
  const int32_t savedLast = g_lastInstanceId;

  // Away from the saved room: globals, score and instances change, and a
  // room beyond the saved table comes into being.
  ASSERT_TRUE(Run_ChangeRoom(0));
  SetGlobal(kVarA, 2.0);
  SetGlobal(kVarB, 5.0);
  g_runValues.score = 20;
  const int32_t stray = Add(1, 0.0f, 0.0f)->id;
  const int32_t extra = Room_Add();
  Room_Get(extra)->persistent = true;
  ASSERT_TRUE(Run_ChangeRoom(extra));
  const int32_t beyond = Add(0, 0.0f, 0.0f)->id;
  ASSERT_TRUE(Run_ChangeRoom(0));
  ASSERT_EQ(RoomChange_RuntimeRoomCount(), 3);
  code_.runs.clear();
  GiveEvent(0, kEventCreate, 0, "create");

  g_runValues.loadFileName = path;
  g_newRoom = kRoomChangeLoadGame;
  ASSERT_TRUE(RoomChange_ActOn());
  EXPECT_TRUE(code_.runs.empty()) << "no event runs during a load";
  EXPECT_EQ(g_newRoom, kRoomChangeNone);
  EXPECT_EQ(g_currentRoomIndex, 1);
  EXPECT_EQ(g_currentRoom, RoomChange_RuntimeRoom(1));
  ASSERT_NE(Instance_Find(kept), nullptr);
  EXPECT_EQ(Instance_Find(kept)->x, 1.0f);
  EXPECT_EQ(Object_Get(0)->instances.count, 1) << "linked to its object once";
  EXPECT_EQ(Instance_Find(stray), nullptr);
  EXPECT_EQ(Instance_Find(beyond), nullptr) << "the room beyond the saved count is gone";
  EXPECT_EQ(RoomChange_RuntimeRoomCount(), 2);
  EXPECT_EQ(Global(kVarA), 1.0);
  EXPECT_EQ(Variable_Global_List()->Find(kVarB), nullptr) << "a global made after the save is gone";
  EXPECT_EQ(g_runValues.score, 10);
  EXPECT_EQ(g_stepCount, 33);
  EXPECT_EQ(Add(0, 0.0f, 0.0f)->id, savedLast + 1);

  // Entering the loaded room 0 again makes it afresh; coming back to the
  // suspended one does not link its instances twice.
  ASSERT_TRUE(Run_ChangeRoom(0));
  ASSERT_TRUE(Run_ChangeRoom(1));
  EXPECT_EQ(Object_Get(0)->instances.count, 2);
}

TEST_F(SavedGames, ASuspendedRoomComesBackSuspended) {
  StartRooms(2);
  Room_Get(1)->persistent = true;
  ASSERT_TRUE(Run_ChangeRoom(1));
  const int32_t away = Add(1, 0.0f, 0.0f)->id;
  ASSERT_TRUE(Run_ChangeRoom(0));
  const std::string bytes = Snapshot();
  ASSERT_TRUE(LoadBytes(bytes));
  EXPECT_EQ(Object_Get(1)->instances.count, 0) << "off the object lists until entered";
  EXPECT_EQ(Instance_Find(away), nullptr);
  ASSERT_TRUE(Run_ChangeRoom(1));
  EXPECT_EQ(Object_Get(1)->instances.count, 1) << "linked once on entry";
  EXPECT_NE(Instance_Find(away), nullptr);
}

// A save cut short by the file size limit (as by a full disk) keeps the
// earlier save whole.
TEST_F(SavedGames, AFailedSaveKeepsTheEarlierFile) {
  StartRooms(1);
  const std::string path = folder_ / "slot";
  ASSERT_TRUE(Run_SaveGame(path.c_str()));
  const std::string good = testsupport::ReadRaw(path);
  for (int32_t i = 0; i < 50; ++i) Add(0, 0.0f, 0.0f);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{static_cast<rlim_t>(good.size()), static_cast<rlim_t>(good.size())};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(Run_SaveGame(path.c_str()) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(testsupport::ReadRaw(path), good);
}

TEST_F(SavedGames, UnknownResourcesInAnAcceptedFilePlay) {
  StartRooms(1);
  CInstance* instance = Add(0, 5.0f, 5.0f);
  instance->hspeed = 1.0f;
  std::string bytes = Snapshot();
  const size_t record = 41272;
  PutInt(&bytes, record + 4, 555);    // sprite
  PutInt(&bytes, record + 60, 556);   // mask
  PutInt(&bytes, record + 208, 999);  // object
  PutInt(&bytes, record + 268, 77);   // path
  PutInt(&bytes, record + 332, 88);   // time line
  PutInt(&bytes, record + 352, 1);    // running
  ASSERT_TRUE(LoadBytes(bytes));
  Run_Step();
  Run_Step();
  ASSERT_NE(Instance_Find(IntAt(bytes, record)), nullptr);
  EXPECT_EQ(Instance_Find(IntAt(bytes, record))->object, nullptr);
}

TEST_F(SavedGames, MissingFilesAndFoldersLoadNothing) {
  StartRooms(1);
  const std::string before = Snapshot();
  EXPECT_FALSE(Run_LoadGame((folder_ / "absent").c_str()));
  EXPECT_FALSE(Run_LoadGame(folder_.Path().c_str()));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(Said("ERROR"));
}

}  // namespace

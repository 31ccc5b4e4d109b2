// A whole run in-process: a Step event's code calls a test-only built-in
// that asks for a room that does not exist; the fatal error quits the game
// at the end of the frame, after which Room End and Game End still run.
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/name_resolution.h"
#include "script/events/script.h"
#include "script/tree/event_code.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "support/script_host_fake.h"
#include "world/actions/world_actions.h"
#include "world/loop/game_loop.h"
#include "world_actions_test_support.h"

namespace {

void TestGotoRoom(ScriptValue*, CInstance*, CInstance*, int32_t count, ScriptValue* arguments) {
  if (count == 1) Run_RoomGoto(static_cast<int32_t>(arguments[0].real), 0);
}

void TestSay(ScriptValue*, CInstance*, CInstance*, int32_t count, ScriptValue* arguments) {
  if (count == 1) g_debugConsole->Output("%s\n", ScriptValue_Text(arguments[0]));
}

// Parameter: run on the tree interpreter (true) or the bytecode machine.
class WholeRun : public ActionWorld, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ActionWorld::SetUp();
    EventCode_Install(EventCodeHooks{});
    g_runFlags.useBytecode = !GetParam();
    Function_Free();
    Function_Add("test_goto_room", TestGotoRoom, 1);
    Function_Add("test_say", TestSay, 1);
    FakeScriptHost([](ScriptHost& host) { host.functions = FunctionStores{}; });
    VM_InstallGenerator();
    VM_Install();
    Statements_Install();
    EventCode_SetRunner(EventCode_RunWithTree);
  }
  void TearDown() override {
    ActionWorld::TearDown();
    Interpreter_SetStatementHandler(nullptr);
    EventCode_SetRunner(nullptr);
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
    Code_FreeArguments();
    FakeScriptHost([](ScriptHost& host) { host.functions = FunctionStores{}; });
    Function_Free();
  }

  void GiveCompiledEvent(int32_t object, int32_t type, int32_t number, const char* text) {
    GiveEvent(object, type, number, text);
    ASSERT_TRUE(EventCode_Get().compile(Object_Get(object)->GetOwnEvent(type, number)->code, "Object.test")) << text;
  }

  // The main loop as the player runs it, bounded.
  int32_t Play(int32_t frames) {
    g_running = 1;
    if (!StartGame()) return -1;
    int32_t played = 0;
    while (g_running == 1 && played < frames) {
      ++played;
      Run_Step();
      if (!RoomChange_ActOn()) break;
    }
    if (g_running == 0) Run_EndGame();
    return played;
  }
};

TEST_P(WholeRun, UnknownRoomFromAStepEventQuitsAfterRoomAndGameEnd) {
  MakeObject(0);
  GiveCompiledEvent(0, kEventStep, 0, "test_say(\"step\"); test_goto_room(99)");
  GiveCompiledEvent(0, kEventOther, 5, "test_say(\"Room End\")");
  GiveCompiledEvent(0, kEventOther, 3, "test_say(\"Game End\")");
  const int32_t room = Room_Add();
  Room_Add();
  g_roomOrder = {0, 1};
  Room_AddInstanceEntry(room, 0, 0, 0);

  EXPECT_EQ(Play(10), 1);
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(g_newRoom, kRoomChangeQuit);
  const std::string text = console_.Text();
  const size_t step = text.find("step\n");
  const size_t error = text.find("ERROR!!! :: FATAL ERROR in");
  const size_t message = text.find("Unexisting room number: 99");
  const size_t roomEnd = text.find("Room End\n");
  const size_t gameEnd = text.find("Game End\n");
  ASSERT_NE(gameEnd, std::string::npos) << text;
  EXPECT_LT(step, error);
  EXPECT_LT(error, message);
  EXPECT_LT(message, roomEnd);
  EXPECT_LT(roomEnd, gameEnd);
  EXPECT_NE(text.find("Step Event"), std::string::npos) << text;
  EXPECT_NE(text.find("for object obj_0"), std::string::npos) << text;
  EXPECT_EQ(text.find("step\n", step + 1), std::string::npos) << "a second step ran";
}

INSTANTIATE_TEST_SUITE_P(BothModes, WholeRun, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Tree" : "Bytecode"; });

}  // namespace

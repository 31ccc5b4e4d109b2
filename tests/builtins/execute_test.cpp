#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "misc_script_support.h"
#include "support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

class Execute : public MiscScripts {
 protected:
  void SetUp() override {
    MiscScripts::SetUp();
    OwnedValue outer("outer");
    Code_SetArgument(0, outer.v);
    Code_SetArgument(15, Real(15));
  }
};

TEST_P(Execute, TheTextSeesItsOwnArgumentsAndTheCallersComeBack) {
  snippet::Runner runner(GetParam());
  EXPECT_EQ(runner.Run(R"game(
    execute_string("test_print(argument0, argument1, argument15)");
    execute_string("test_print(argument0, argument1, argument2)", 7, "x");
    test_print(execute_string("return argument0 * 2", 21));
    execute_string("execute_string('test_print(argument0)', 'inner'); test_print(argument0)", "middle");
    test_print(argument0, argument15);
  )game"),
            (Lines{"0 0 0", "7 x 0", "42", "inner", "middle", "outer 15"}));
  EXPECT_EQ(Execute_NextStringNumber(), 5);
}

TEST_P(Execute, ATextThatDoesNotCompileIsReportedAndTheGameGoesOn) {
  snippet::Runner runner(GetParam());
  ErrorCapture errors;
  EXPECT_EQ(runner.Run("test_print(execute_string('a = ;', 5)); test_print(argument0, 'after')"),
            (Lines{"0", "outer after"}));
  ASSERT_EQ(errors.Messages().size(), 1u);
  EXPECT_EQ(errors.Messages()[0].rfind("COMPILATION ERROR in string to be executed\nError in code at line 1", 0), 0u)
      << errors.Messages()[0];
  EXPECT_EQ(Execute_NextStringNumber(), 1);
  EXPECT_EQ(runner.Run("execute_string('test_print(1)')"), Lines{"1"});
  EXPECT_EQ(Execute_NextStringNumber(), 2);
}

TEST_P(Execute, ALongFileRunsWhole) {
  snippet::Runner runner(GetParam());
  testsupport::ScratchFolder folder;
  std::string program = "total = 0;\r\n";
  for (int i = 0; i < 2000; ++i) program += "total = total + 1;\n";
  program += "test_print(total, argument0)";
  ASSERT_GT(program.size(), 20000u);
  testsupport::WriteRaw(folder / "Long.TXT", program);
  std::string windowsStyle = folder.Path() + "\\long.txt";
  EXPECT_EQ(runner.Run("execute_file('" + windowsStyle + "', 'given'); test_print(argument0)"),
            (Lines{"2000 given", "outer"}));
  EXPECT_EQ(Execute_NextFileNumber(), 1);
}

TEST_P(Execute, FileFailures) {
  snippet::Runner runner(GetParam());
  testsupport::ScratchFolder folder;
  ErrorCapture errors;
  EXPECT_EQ(runner.Run("test_print(execute_file('" + (folder / "absent.txt") + "'))"), Lines{"0"});
  EXPECT_EQ(runner.Run("execute_file('" + folder.Path() + "')"), Lines{});
  testsupport::WriteRaw(folder / "bad.txt", "x = (1 + ;\n" + std::string(400, ' ') + "\n");
  EXPECT_EQ(runner.Run("execute_file('" + (folder / "bad.txt") + "'); test_print(argument0)"), Lines{"outer"});
  const Lines messages = errors.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "Trying to execute non-existing file.");
  EXPECT_EQ(messages[1], "Trying to execute non-existing file.");
  EXPECT_EQ(messages[2].rfind("COMPILATION ERROR in file to be executed\n", 0), 0u);
  EXPECT_LE(messages[2].size(), 255u);
}

KV_BOTH_MODES(Execute);

TEST(ExecuteJoinLines, EveryLineGetsOneMoreLineBreak) {
  EXPECT_EQ(Execute_JoinLines("a\r\nb\n\nc", 7), "a\n\nb\n\n\n\nc\n");
  EXPECT_EQ(Execute_JoinLines("", 0), "");
  const std::string longLine(6000, 'q');
  EXPECT_EQ(Execute_JoinLines(longLine.data(), longLine.size()), longLine + "\n");
}

TEST(ExecuteDirect, NoArgumentDoesNothing) {
  Execute_ResetCounters();
  BuiltinCall none(F_ExecuteString, {});
  BuiltinCall noFile(F_ExecuteFile, {});
  EXPECT_EQ(none.Real(), 0);
  EXPECT_EQ(Execute_NextStringNumber(), 0);
  EXPECT_EQ(Execute_NextFileNumber(), 0);
}

}  // namespace

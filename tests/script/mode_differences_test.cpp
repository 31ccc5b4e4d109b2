#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "script/mode_differences.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter_statements.h"

namespace {

std::vector<std::pair<std::string, std::string>> Scripts(const char* list) {
  std::vector<std::pair<std::string, std::string>> scripts;
  std::string rest = list == nullptr ? "" : list;
  while (!rest.empty()) {
    size_t end = rest.find(";;");
    std::string one = rest.substr(0, end);
    size_t equals = one.find('=');
    scripts.emplace_back(one.substr(0, equals), one.substr(equals + 1));
    rest = end == std::string::npos ? "" : rest.substr(end + 2);
  }
  return scripts;
}

TEST(ModeDifferences, TreeModeAnswers) {
  for (const ModeDifference& row : kModeDifferences) {
    snippet::Runner runner(true);
    Statements_Install();
    ASSERT_TRUE(runner.SetScripts(Scripts(row.scripts))) << row.topic;
    EXPECT_EQ(runner.RunJoined(row.program), row.tree) << row.topic;
    Interpreter_SetStatementHandler(nullptr);
  }
}

}  // namespace

// The maths and string golden table run as script text, in both
// interpreters: each row's expression printed through string().
#include <gtest/gtest.h>

#include "builtin_test_support.h"
#include "builtins/registration.h"
#include "maths_strings_golden.h"
#include "script/snippet_runner.h"

namespace {

class GoldenScripts : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kMaths);
  }
  void TearDown() override { Function_Free(); }

  template <size_t N>
  static void RunTable(const GoldenCase (&table)[N], bool tree) {
    snippet::Runner runner(tree);
    for (const GoldenCase& row : table) {
      SCOPED_TRACE(row.script);
      ErrorCapture errors;
      std::vector<std::string> lines = runner.Run(std::string("test_print(string(") + row.script + "));");
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_EQ(lines[0], row.printed);
      if (row.error != nullptr) {
        ASSERT_EQ(errors.Messages().size(), 1u);
        EXPECT_EQ(errors.Messages()[0], row.error);
      } else {
        EXPECT_TRUE(errors.Messages().empty());
      }
    }
  }
};

TEST_P(GoldenScripts, MathsRows) { RunTable(kMathsGolden, GetParam()); }
TEST_P(GoldenScripts, StringRows) { RunTable(kStringsGolden, GetParam()); }

INSTANTIATE_TEST_SUITE_P(BothInterpreters, GoldenScripts, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Tree") : std::string("Machine");
                         });

}  // namespace

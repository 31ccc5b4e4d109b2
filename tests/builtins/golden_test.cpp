#include <gtest/gtest.h>

#include "builtin_test_support.h"
#include "builtins/registration.h"
#include "maths_strings_golden.h"
#include "runtime/random.h"

namespace {

class MathsStringsTable : public ::testing::Test {
 protected:
  void SetUp() override {
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kMaths);
  }
  void TearDown() override { Function_Free(); }

  static BuiltinFunction Handler(const char* name) {
    int32_t id = -1;
    EXPECT_TRUE(Function_Find(name, &id)) << name;
    return Function_GetHandler(id);
  }

  // Runs one row and prints its value through string(), as a snippet would.
  static void Run(const GoldenCase& row) {
    SCOPED_TRACE(row.script);
    BuiltinFunction handler = Handler(row.function);
    ASSERT_NE(handler, nullptr);
    ErrorCapture errors;
    BuiltinCall call(handler, std::vector<GoldenArg>(row.args, row.args + row.argc));
    BuiltinCall printed(Handler("string"), {call.IsString() ? S(ScriptValue_Text(call.value)) : R(call.Real())});
    EXPECT_EQ(printed.Text(), row.printed);
    if (row.error == nullptr) {
      EXPECT_TRUE(errors.Messages().empty());
    } else {
      ASSERT_EQ(errors.Messages().size(), 1u);
      EXPECT_EQ(errors.Messages()[0], row.error);
      EXPECT_FALSE(Error_Stopping()) << "bad input never ends the game";
    }
  }
};

TEST_F(MathsStringsTable, RegistersBothFamiliesInOrderWithTheirArgumentCounts) {
  ASSERT_EQ(Function_Count(), 73);
  EXPECT_STREQ(Function_GetRecord(0)->name, "is_real");
  EXPECT_STREQ(Function_GetRecord(49)->name, "dot_product_3d_normalised");
  EXPECT_STREQ(Function_GetRecord(50)->name, "real");
  EXPECT_STREQ(Function_GetRecord(72)->name, "string_count");
  struct {
    const char* name;
    int32_t count;
  } counts[] = {
      {"min", -1},
      {"max", -1},
      {"mean", -1},
      {"median", -1},
      {"choose", -1},
      {"min3", 3},
      {"lerp", 3},
      {"clamp", 3},
      {"random_get_seed", 0},
      {"randomize", 0},
      {"point_distance_3d", 6},
      {"dot_product_3d_normalised", 6},
      {"string_format", 3},
      {"string_insert", 3},
      {"string_count", 2},
  };
  for (const auto& c : counts) {
    int32_t id = -1;
    ASSERT_TRUE(Function_Find(c.name, &id)) << c.name;
    EXPECT_EQ(Function_GetArgumentCount(id), c.count) << c.name;
  }
}

TEST_F(MathsStringsTable, MathsRowsPrintTheirGoldenText) {
  for (const GoldenCase& row : kMathsGolden) Run(row);
}

TEST_F(MathsStringsTable, StringRowsPrintTheirGoldenText) {
  for (const GoldenCase& row : kStringsGolden) Run(row);
}

}  // namespace

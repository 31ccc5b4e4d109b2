#include "script/variables/variable_list.h"

#include <gtest/gtest.h>

#include "runtime/run_flags.h"
#include "script/variables/variable_names.h"
#include "script_test_support.h"

namespace {

constexpr int32_t kA = 100000;
constexpr int32_t kB = 100064;  // same bucket as kA

class VariableListTest : public ::testing::Test {
 protected:
  void TearDown() override { RunFlags_Reset(); }

  double Read(int32_t id, int32_t k, bool* ok = nullptr) {
    OwnedValue out;
    bool found = list.GetValue(id, k, out.Slot());
    if (ok != nullptr) *ok = found;
    return out.v.real;
  }

  CVariableList list;
};

TEST_F(VariableListTest, WritingAnElementOfAnUnsetVariableMakesRowZero) {
  list.SetValue(kA, 5, Real(7));
  const VariableNode* node = list.Find(kA);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->value.kind, kValueReal);
  EXPECT_EQ(node->value.real, 0.0);
  ASSERT_EQ(node->rowCount, 1);
  ASSERT_EQ(node->rows[0].length, 6);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(node->rows[0].items[i].real, 0.0) << i;
  EXPECT_EQ(Read(kA, 5), 7.0);

  // Element 0 is the own value, not item 0 of row 0.
  list.SetValue(kA, 0, Real(3));
  EXPECT_EQ(Read(kA, 0), 3.0);
  EXPECT_EQ(node->rows[0].items[0].real, 0.0);
}

TEST_F(VariableListTest, ElementsOutsideTheArraySetTheFlag) {
  list.SetValue(kA, 64000, Real(9));
  const VariableNode* node = list.Find(kA);
  ASSERT_EQ(node->rowCount, 3);
  EXPECT_EQ(node->rows[0].length, 0);
  EXPECT_EQ(node->rows[1].length, 0);
  EXPECT_EQ(node->rows[2].length, 1);

  bool ok = true;
  EXPECT_EQ(Read(kA, 32005, &ok), 0.0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(g_variableIndexOutOfRange, 1);
  EXPECT_EQ(Read(kA, 64000, &ok), 9.0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(g_variableIndexOutOfRange, 0) << "every access clears the flag first";

  Read(kA, -32005, &ok);
  EXPECT_FALSE(ok);
}

TEST_F(VariableListTest, NegativeIndexWritesCreateTheVariableButStoreNothing) {
  list.SetValue(kA, -5, Real(4));
  EXPECT_EQ(g_variableIndexOutOfRange, 1);
  ASSERT_EQ(list.Count(), 1);
  const VariableNode* node = list.Find(kA);
  EXPECT_EQ(node->value.real, 0.0);
  for (int32_t r = 0; r < node->rowCount; ++r) EXPECT_EQ(node->rows[r].length, 0);
}

TEST_F(VariableListTest, UnsetVariablesReadZeroUnlessTheOptionMakesThemAnError) {
  bool ok = false;
  EXPECT_EQ(Read(kA, 0, &ok), 0.0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(list.Count(), 0) << "reading creates nothing";

  g_runFlags.unsetVariableIsError = true;
  ScriptValue out = Real(42);
  EXPECT_FALSE(list.GetValue(kA, 0, &out));
  EXPECT_EQ(out.real, 42.0) << "out stays untouched";
}

TEST_F(VariableListTest, StringsAreOwnedCopies) {
  {
    OwnedValue text("hello");
    list.SetValue(kA, 0, text.v);
    list.SetValue(kA, 2, text.v);
  }
  OwnedValue out;
  ASSERT_TRUE(list.GetValue(kA, 2, out.Slot()));
  EXPECT_EQ(out.Text(), "hello");
  EXPECT_NE(out.v.text, list.Find(kA)->rows[0].items[2].text);

  // Overwriting a string with a real drops the text (the sanitizer build
  // reports a leak otherwise).
  list.SetValue(kA, 0, Real(2));
  list.SetValue(kA, 2, Real(2));
  EXPECT_EQ(list.Find(kA)->value.text, nullptr);
}

TEST_F(VariableListTest, AValueTakenFromTheSameArraySurvivesItsGrowth) {
  OwnedValue text("kept");
  list.SetValue(kA, 1, text.v);
  const ScriptValue& inside = list.Find(kA)->rows[0].items[1];
  list.SetValue(kA, 20000, inside);
  OwnedValue out;
  ASSERT_TRUE(list.GetValue(kA, 20000, out.Slot()));
  EXPECT_EQ(out.Text(), "kept");
}

TEST_F(VariableListTest, FillingARowInOrderKeepsTheExactLength) {
  for (int32_t k = 1; k < 32000; ++k) list.SetValue(kA, k, Real(k));
  const VariableNode* node = list.Find(kA);
  ASSERT_EQ(node->rowCount, 1);
  EXPECT_EQ(node->rows[0].length, 32000);
  EXPECT_EQ(Read(kA, 31999), 31999.0);
}

TEST_F(VariableListTest, VariablesSharingABucketStaySeparate) {
  list.SetValue(kA, 0, Real(1));
  list.SetValue(kB, 0, Real(2));
  list.Ensure(kA);
  EXPECT_EQ(Read(kA, 0), 1.0) << "Ensure leaves an existing variable alone";
  EXPECT_EQ(Read(kB, 0), 2.0);
  list.Clear();
  EXPECT_EQ(list.Find(kA), nullptr);
  list.SetValue(kB, 3, Real(1));  // nodes come back from the pool clean
  EXPECT_EQ(list.Find(kB)->value.real, 0.0);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(VariableListTest, CopyIsDeepAndReplacesTheTarget) {
  OwnedValue text("t");
  list.SetValue(kA, 0, text.v);
  list.SetValue(kA, 32002, text.v);  // ragged: row 0 empty, row 1 of 3
  list.SetValue(kB, 1, Real(5));

  CVariableList copy;
  copy.SetValue(kA + 5, 0, Real(1));
  copy.Copy(list);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Find(kA + 5), nullptr);
  const VariableNode* node = copy.Find(kA);
  ASSERT_EQ(node->rowCount, 2);
  EXPECT_EQ(node->rows[0].length, 0);
  EXPECT_EQ(node->rows[1].length, 3);
  EXPECT_NE(node->rows[1].items[2].text, list.Find(kA)->rows[1].items[2].text);

  copy.Copy(copy);
  EXPECT_EQ(copy.Count(), 2) << "copying a list onto itself keeps it";
}

TEST_F(VariableListTest, DumpShowsEachValueInItsForm) {
  int32_t a = Code_Variable_Find("dump_a");
  int32_t b = Code_Variable_Find("dump_b");
  list.SetValue(a, 0, Real(1));
  list.SetValue(a, 1, Real(2.5));
  OwnedValue text("s");
  list.SetValue(a, 32000, text.v);
  list.SetValue(b, 0, Real(1e20));

  testsupport::RecordingConsole console;
  CVariableList::DumpVariable(&console, *list.Find(a));
  EXPECT_EQ(console.Text(), "dump_a = { { 1 ,2.500000},  { \"s\"},   }\n");
  testsupport::RecordingConsole plain;
  CVariableList::DumpVariable(&plain, *list.Find(b));
  EXPECT_EQ(plain.Text(), "dump_b = 100000000000000000000.000000\n");
}

TEST_F(VariableListTest, DumpCutsLargeArraysAtThirty) {
  int32_t a = Code_Variable_Find("dump_big");
  list.SetValue(a, 39 * 32000, Real(1));
  list.SetValue(a, 40, Real(1));
  testsupport::RecordingConsole console;
  CVariableList::DumpVariable(&console, *list.Find(a));
  const std::string text = console.Text();
  size_t rows = 0;
  for (size_t at = text.find("},  "); at != std::string::npos; at = text.find("},  ", at + 1)) ++rows;
  EXPECT_EQ(rows, 30u);
  EXPECT_NE(text.find("0 ,0 ,0 ... },  "), std::string::npos) << text.substr(0, 200);
  EXPECT_EQ(text.substr(text.size() - 14), "{ },   ...  }\n") << text.substr(text.size() - 40);
}

}  // namespace

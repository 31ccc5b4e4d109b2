// Stacks, queues and lists through their handlers, text forms included.
#include "ds_builtin_support.h"
#include "runtime/random.h"

namespace {

using DSSequences = DSBuiltins;

TEST_F(DSSequences, StackAndQueueHandBackCopiesAndZeroWhenEmpty) {
  int32_t stack = Make(F_DsStackCreate);
  EXPECT_EQ(Value(F_DsStackPop, {R(stack)}), "real 0");
  BuiltinCall(F_DsStackPush, {R(stack), R(5)});
  BuiltinCall(F_DsStackPush, {R(stack), S("top")});
  EXPECT_EQ(Value(F_DsStackTop, {R(stack)}), "top");
  EXPECT_EQ(Value(F_DsStackPop, {R(stack)}), "top");
  EXPECT_EQ(Value(F_DsStackPop, {R(stack)}), "real 5");
  EXPECT_EQ(Value(F_DsStackTop, {R(stack)}), "real 0");

  int32_t queue = Make(F_DsQueueCreate);
  EXPECT_EQ(Value(F_DsQueueDequeue, {R(queue)}), "real 0");
  EXPECT_EQ(Value(F_DsQueueTail, {R(queue)}), "real 0");
  BuiltinCall(F_DsQueueEnqueue, {R(queue), S("first")});
  BuiltinCall(F_DsQueueEnqueue, {R(queue), R(2)});
  EXPECT_EQ(Value(F_DsQueueHead, {R(queue)}), "first");
  EXPECT_EQ(Value(F_DsQueueTail, {R(queue)}), "real 2");
  EXPECT_EQ(Value(F_DsQueueDequeue, {R(queue)}), "first");
  EXPECT_EQ(Real(F_DsQueueSize, {R(queue)}), 1.0);
}

// A result that held a longer text before must not keep its tail, and one
// that held a text must lose it when a real comes back.
TEST_F(DSSequences, ReturnedValuesReplaceWhatTheResultHeld) {
  int32_t list = Make(F_DsListCreate);
  BuiltinCall(F_DsListAdd, {R(list), S("ab")});
  BuiltinCall(F_DsListAdd, {R(list), R(3)});
  ScriptValue result;
  ScriptValue args[2];
  ScriptValue_SetReal(&args[0], list);
  ScriptValue_SetString(&result, "a much longer text");
  F_DsListFindValue(&result, nullptr, nullptr, 2, args);
  EXPECT_STREQ(ScriptValue_Text(result), "ab");
  ScriptValue_SetReal(&args[1], 1);
  F_DsListFindValue(&result, nullptr, nullptr, 2, args);
  EXPECT_EQ(result.kind, kValueReal);
  EXPECT_EQ(result.text, nullptr);
  EXPECT_EQ(result.real, 3.0);
  ScriptValue_Release(&result);
}

TEST_F(DSSequences, ListPositionsOutOfRangeAreIgnoredSilently) {
  ErrorCapture errors;
  int32_t list = Make(F_DsListCreate);
  BuiltinCall(F_DsListInsert, {R(list), R(0), S("b")});
  BuiltinCall(F_DsListInsert, {R(list), R(0), S("a")});
  BuiltinCall(F_DsListInsert, {R(list), R(2), S("c")});
  BuiltinCall(F_DsListInsert, {R(list), R(4), S("never")});
  BuiltinCall(F_DsListInsert, {R(list), R(-1), S("never")});
  BuiltinCall(F_DsListReplace, {R(list), R(3), S("never")});
  BuiltinCall(F_DsListDelete, {R(list), R(3)});
  BuiltinCall(F_DsListDelete, {R(list), R(-1)});
  BuiltinCall(F_DsListInsert, {R(list), R(2.5), S("at two")});
  EXPECT_EQ(Real(F_DsListSize, {R(list)}), 4.0);
  EXPECT_EQ(Value(F_DsListFindValue, {R(list), R(2)}), "at two");
  EXPECT_EQ(Value(F_DsListFindValue, {R(list), R(3)}), "c");
  EXPECT_EQ(Value(F_DsListFindValue, {R(list), R(4)}), "real 0");
  EXPECT_EQ(Value(F_DsListFindValue, {R(list), R(-1)}), "real 0");
  BuiltinCall(F_DsListDelete, {R(list), R(0)});
  EXPECT_EQ(Value(F_DsListFindValue, {R(list), R(0)}), "b");
  BuiltinCall(F_DsListReplace, {R(list), R(0), R(8)});
  EXPECT_EQ(Real(F_DsListFindIndex, {R(list), R(8)}), 0.0);
  EXPECT_EQ(Real(F_DsListFindIndex, {R(list), S("missing")}), -1.0);
  EXPECT_TRUE(errors.Messages().empty());
}

std::string Contents(int32_t list) {
  std::string out;
  int32_t size = static_cast<int32_t>(BuiltinCall(F_DsListSize, {R(list)}).Real());
  for (int32_t i = 0; i < size; ++i) {
    BuiltinCall value(F_DsListFindValue, {R(list), R(i)});
    char real[32];
    std::snprintf(real, sizeof real, "%g", value.Real());
    out += (i ? " " : "") + (value.IsString() ? value.Text() : std::string(real));
  }
  return out;
}

TEST_F(DSSequences, SortDirectionIsTrueAtOneHalf) {
  int32_t list = Make(F_DsListCreate);
  for (double x : {3.0, 1.0, 2.0}) BuiltinCall(F_DsListAdd, {R(list), R(x)});
  BuiltinCall(F_DsListSort, {R(list), R(0.5)});
  EXPECT_EQ(Contents(list), "1 2 3");
  BuiltinCall(F_DsListSort, {R(list), R(0.49)});
  EXPECT_EQ(Contents(list), "3 2 1");
  BuiltinCall(F_DsListSort, {R(list), S("1")});
  EXPECT_EQ(Contents(list), "3 2 1") << "a string direction counts as 0, descending";
}

TEST_F(DSSequences, ShuffleDrawsFromTheSeededScriptGenerator) {
  auto shuffled = [] {
    DS_ReleasePools();
    int32_t list = Make(F_DsListCreate);
    for (int i = 0; i < 10; ++i) BuiltinCall(F_DsListAdd, {R(list), R(i)});
    Random_Seed(1234);
    BuiltinCall(F_DsListShuffle, {R(list)});
    return Contents(list);
  };
  std::string first = shuffled();
  EXPECT_EQ(shuffled(), first);
  EXPECT_NE(first, "0 1 2 3 4 5 6 7 8 9");
  // The same draws by hand: count * 8 pairs of positions exchanged.
  Random_Seed(1234);
  int order[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (int k = 0; k < 80; ++k) {
    int i = Random_Int(10);
    int j = Random_Int(10);
    std::swap(order[i], order[j]);
  }
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += (i ? " " : "") + std::to_string(order[i]);
  EXPECT_EQ(first, expected);
}

TEST_F(DSSequences, TextFormsRoundTripAndRefuseOtherKinds) {
  int32_t list = Make(F_DsListCreate);
  BuiltinCall(F_DsListAdd, {R(list), R(1.5)});
  BuiltinCall(F_DsListAdd, {R(list), S("two")});
  BuiltinCall(F_DsListAdd, {R(list), S("")});
  std::string text = Written(F_DsListWrite, list);
  EXPECT_EQ(text.substr(0, 8), "2D010000");
  int32_t other = Make(F_DsListCreate);
  BuiltinCall(F_DsListAdd, {R(other), S("old")});
  BuiltinCall(F_DsListRead, {R(other), S(text.c_str())});
  EXPECT_EQ(Written(F_DsListWrite, other), text);
  EXPECT_EQ(Contents(other), "1.5 two ");

  int32_t stack = Make(F_DsStackCreate);
  BuiltinCall(F_DsStackPush, {R(stack), R(9)});
  std::string stackText = Written(F_DsStackWrite, stack);
  BuiltinCall(F_DsStackRead, {R(stack), S(text.c_str())});
  EXPECT_EQ(Written(F_DsStackWrite, stack), stackText) << "a list text leaves the stack alone";
  BuiltinCall(F_DsStackRead, {R(stack), R(0)});
  BuiltinCall(F_DsListRead, {R(other), R(12)});
  EXPECT_EQ(Written(F_DsStackWrite, stack), stackText) << "a real is no text";
  EXPECT_EQ(Contents(other), "1.5 two ");

  int32_t queue = Make(F_DsQueueCreate);
  for (int i = 0; i < 5; ++i) BuiltinCall(F_DsQueueEnqueue, {R(queue), R(i)});
  BuiltinCall(F_DsQueueDequeue, {R(queue)});
  int32_t copy = Make(F_DsQueueCreate);
  BuiltinCall(F_DsQueueRead, {R(copy), S(Written(F_DsQueueWrite, queue).c_str())});
  EXPECT_EQ(Value(F_DsQueueHead, {R(copy)}), "real 1") << "the spent slot stays spent";
  EXPECT_EQ(Real(F_DsQueueSize, {R(copy)}), 4.0);
}

TEST_F(DSSequences, WriteOfAnEmptyStructureIsStillAText) {
  int32_t stack = Make(F_DsStackCreate);
  BuiltinCall written(F_DsStackWrite, {R(stack)});
  EXPECT_TRUE(written.IsString());
  EXPECT_EQ(written.Text(), "6500000000000000");
  ErrorCapture errors;
  BuiltinCall missing(F_DsStackWrite, {R(stack + 1)});
  EXPECT_FALSE(missing.IsString()) << "an invalid id keeps the real 0";
}

}  // namespace

// Maps and priority queues through their handlers.
#include "ds_builtin_support.h"

namespace {

using DSMaps = DSBuiltins;
using DSPriorities = DSBuiltins;

TEST_F(DSMaps, AddKeepsTheOldValueAndReplaceAddsWhatIsMissing) {
  int32_t map = Make(F_DsMapCreate);
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), S("k"), R(1)}), 1.0);
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), S("k"), R(2)}), 0.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("k")}), "real 1");
  EXPECT_EQ(Real(F_DsMapReplace, {R(map), S("new"), S("v")}), 0.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("new")}), "v");
  EXPECT_EQ(Real(F_DsMapReplace, {R(map), S("k"), S("w")}), 1.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("k")}), "w");
  EXPECT_EQ(Real(F_DsMapSize, {R(map)}), 2.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("absent")}), "real 0");
  BuiltinCall(F_DsMapDelete, {R(map), S("k")});
  BuiltinCall(F_DsMapDelete, {R(map), S("k")});
  EXPECT_EQ(Real(F_DsMapExists, {R(map), S("k")}), 0.0);
  EXPECT_EQ(Real(F_DsMapExists, {R(map), S("new")}), 1.0);
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), R(1), R(10)}), 1.0) << "the real 1 is not the text \"1\"";
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), S("1"), R(11)}), 1.0);
}

TEST_F(DSMaps, KeysWithTheSameChecksumStayApart) {
  int32_t map = Make(F_DsMapCreate);
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), S("plumless"), R(1)}), 1.0);
  EXPECT_EQ(Real(F_DsMapAdd, {R(map), S("buckeroo"), R(2)}), 1.0);
  EXPECT_EQ(Real(F_DsMapSize, {R(map)}), 2.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("plumless")}), "real 1");
  EXPECT_EQ(Real(F_DsMapReplace, {R(map), S("buckeroo"), R(3)}), 1.0);
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("plumless")}), "real 1");
  BuiltinCall(F_DsMapDelete, {R(map), S("plumless")});
  EXPECT_EQ(Value(F_DsMapFindValue, {R(map), S("buckeroo")}), "real 3");
  EXPECT_EQ(Real(F_DsMapExists, {R(map), S("plumless")}), 0.0);
}

TEST_F(DSMaps, WalkGoesByBucketBothWaysAndStopsAtTheEnds) {
  int32_t map = Make(F_DsMapCreate);
  EXPECT_EQ(Value(F_DsMapFindFirst, {R(map)}), "real 0");
  EXPECT_EQ(Value(F_DsMapFindLast, {R(map)}), "real 0");
  for (const char* key : {"a", "b", "c"}) BuiltinCall(F_DsMapAdd, {R(map), S(key), R(0)});
  EXPECT_EQ(Value(F_DsMapFindFirst, {R(map)}), "b");
  EXPECT_EQ(Value(F_DsMapFindNext, {R(map), S("b")}), "c");
  EXPECT_EQ(Value(F_DsMapFindNext, {R(map), S("c")}), "a");
  EXPECT_EQ(Value(F_DsMapFindNext, {R(map), S("a")}), "real 0");
  EXPECT_EQ(Value(F_DsMapFindLast, {R(map)}), "a");
  EXPECT_EQ(Value(F_DsMapFindPrevious, {R(map), S("a")}), "c");
  EXPECT_EQ(Value(F_DsMapFindPrevious, {R(map), S("b")}), "real 0");
  EXPECT_EQ(Value(F_DsMapFindNext, {R(map), S("zzz")}), "real 0");
}

// json results mark nested ids in the top bits of a value's kind: the value
// getter hides them, the key getters do not touch the kind.
TEST_F(DSMaps, FindValueShowsOnlyTheLowBitsOfTheKind) {
  int32_t map = Make(F_DsMapCreate);
  BuiltinCall(F_DsMapAdd, {R(map), S("nested"), R(4)});
  CDS_Map* stored = g_dsMaps.Get(map);
  ScriptValue key;
  ScriptValue_SetString(&key, "nested");
  stored->FindValue(&key)->kind |= 1 << 30;
  ScriptValue_Release(&key);
  BuiltinCall value(F_DsMapFindValue, {R(map), S("nested")});
  EXPECT_EQ(value.value.kind, kValueReal);
  EXPECT_EQ(value.Real(), 4.0);
}

TEST_F(DSMaps, ReadReplacesTheMapOnlyForAWholeText) {
  int32_t map = Make(F_DsMapCreate);
  BuiltinCall(F_DsMapAdd, {R(map), R(1), S("ab")});
  EXPECT_EQ(Written(F_DsMapWrite, map), "2:3FF0:6162");
  int32_t other = Make(F_DsMapCreate);
  BuiltinCall(F_DsMapAdd, {R(other), S("keep"), R(1)});
  BuiltinCall(F_DsMapRead, {R(other), S("2:3FF0:6162")});
  EXPECT_EQ(Written(F_DsMapWrite, other), "2:3FF0:6162");
  for (const char* bad : {"2:3FF0", "9:00:00", "2:3FF0:6162,", "0:11223344556677889900:00"}) {
    SCOPED_TRACE(bad);
    BuiltinCall(F_DsMapRead, {R(other), S(bad)});
    EXPECT_EQ(Written(F_DsMapWrite, other), "2:3FF0:6162");
  }
  BuiltinCall(F_DsMapRead, {R(other), R(3)});
  EXPECT_EQ(Real(F_DsMapSize, {R(other)}), 1.0);
  BuiltinCall(F_DsMapRead, {R(other), S("")});
  EXPECT_EQ(Real(F_DsMapSize, {R(other)}), 0.0) << "the empty text is the empty map";
}

TEST_F(DSPriorities, TiesGoToTheFirstAddedAndRemovalFillsTheHoleFromTheEnd) {
  int32_t queue = Make(F_DsPriorityCreate);
  EXPECT_EQ(Value(F_DsPriorityFindMin, {R(queue)}), "real 0");
  EXPECT_EQ(Value(F_DsPriorityDeleteMax, {R(queue)}), "real 0");
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("two"), R(2)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("one-a"), R(1)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("one-b"), R(1)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("one-c"), R(1)});
  EXPECT_EQ(Value(F_DsPriorityFindMin, {R(queue)}), "one-a");
  EXPECT_EQ(Value(F_DsPriorityDeleteMin, {R(queue)}), "one-a");
  // "one-c" moved into the hole, so it is now ahead of "one-b".
  EXPECT_EQ(Value(F_DsPriorityFindMin, {R(queue)}), "one-c");
  EXPECT_EQ(Value(F_DsPriorityFindMax, {R(queue)}), "two");
  EXPECT_EQ(Real(F_DsPrioritySize, {R(queue)}), 3.0);
}

TEST_F(DSPriorities, ValueLookupsActOnTheFirstEqualValue) {
  int32_t queue = Make(F_DsPriorityCreate);
  BuiltinCall(F_DsPriorityAdd, {R(queue), R(7), R(5)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), R(7), R(6)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("x"), R(1)});
  EXPECT_EQ(Real(F_DsPriorityFindPriority, {R(queue), R(7)}), 5.0);
  EXPECT_EQ(Value(F_DsPriorityFindPriority, {R(queue), S("x")}), "real 1");
  EXPECT_EQ(Value(F_DsPriorityFindPriority, {R(queue), R(8)}), "real 0");
  BuiltinCall(F_DsPriorityChangePriority, {R(queue), R(7), R(9)});
  EXPECT_EQ(Real(F_DsPriorityFindPriority, {R(queue), R(7)}), 9.0);
  EXPECT_EQ(Real(F_DsPriorityDeleteMax, {R(queue)}), 7.0);
  // The last entry ("x") moved into the first place.
  EXPECT_EQ(Value(F_DsPriorityFindMin, {R(queue)}), "x");
  EXPECT_EQ(Real(F_DsPriorityFindPriority, {R(queue), R(7)}), 6.0);
  BuiltinCall(F_DsPriorityDeleteValue, {R(queue), R(7)});
  BuiltinCall(F_DsPriorityDeleteValue, {R(queue), R(7)});
  EXPECT_EQ(Real(F_DsPrioritySize, {R(queue)}), 1.0);
  EXPECT_EQ(Value(F_DsPriorityDeleteMin, {R(queue)}), "x");
  EXPECT_EQ(Real(F_DsPriorityEmpty, {R(queue)}), 1.0);
}

TEST_F(DSPriorities, TextFormRoundTrips) {
  int32_t queue = Make(F_DsPriorityCreate);
  BuiltinCall(F_DsPriorityAdd, {R(queue), S("v"), R(3)});
  BuiltinCall(F_DsPriorityAdd, {R(queue), R(4), S("p")});
  int32_t copy = Make(F_DsPriorityCreate);
  BuiltinCall(F_DsPriorityRead, {R(copy), S(Written(F_DsPriorityWrite, queue).c_str())});
  EXPECT_EQ(Value(F_DsPriorityFindPriority, {R(copy), S("v")}), "real 3");
  EXPECT_EQ(Value(F_DsPriorityFindPriority, {R(copy), R(4)}), "p");
}

}  // namespace

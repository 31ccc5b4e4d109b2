// Ids, pools, the invalid-id rule and the members every kind shares.
#include <cmath>
#include <limits>
#include <vector>

#include "ds_builtin_support.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Kind {
  const char* name;
  BuiltinFunction create, destroy, clear, copy, size, empty, write, read, put;
};

// One element-adding handler per kind, called (id, value[, extra]).
void Put(BuiltinFunction put, int32_t id, double value) {
  if (put == F_DsMapAdd || put == F_DsPriorityAdd) {
    BuiltinCall(put, {R(id), R(value), R(value)});
  } else {
    BuiltinCall(put, {R(id), R(value)});
  }
}

const Kind kKinds[] = {
    {"stack", F_DsStackCreate, F_DsStackDestroy, F_DsStackClear, F_DsStackCopy, F_DsStackSize, F_DsStackEmpty,
     F_DsStackWrite, F_DsStackRead, F_DsStackPush},
    {"queue", F_DsQueueCreate, F_DsQueueDestroy, F_DsQueueClear, F_DsQueueCopy, F_DsQueueSize, F_DsQueueEmpty,
     F_DsQueueWrite, F_DsQueueRead, F_DsQueueEnqueue},
    {"list", F_DsListCreate, F_DsListDestroy, F_DsListClear, F_DsListCopy, F_DsListSize, F_DsListEmpty, F_DsListWrite,
     F_DsListRead, F_DsListAdd},
    {"map", F_DsMapCreate, F_DsMapDestroy, F_DsMapClear, F_DsMapCopy, F_DsMapSize, F_DsMapEmpty, F_DsMapWrite,
     F_DsMapRead, F_DsMapAdd},
    {"priority", F_DsPriorityCreate, F_DsPriorityDestroy, F_DsPriorityClear, F_DsPriorityCopy, F_DsPrioritySize,
     F_DsPriorityEmpty, F_DsPriorityWrite, F_DsPriorityRead, F_DsPriorityAdd},
};

using DSIds = DSBuiltins;

TEST_F(DSIds, FreedIdsAreReusedLowestFirstAndPoolsGrowBySixteen) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    EXPECT_EQ(Make(kind.create), 0);
    BuiltinCall(kind.destroy, {R(0)});
    EXPECT_EQ(Make(kind.create), 0);
    EXPECT_EQ(Make(kind.create), 1);
  }
  DS_ReleasePools();
  for (int i = 0; i < 16; ++i) Make(F_DsListCreate);
  EXPECT_EQ(g_dsLists.capacity, 16);
  EXPECT_EQ(Make(F_DsListCreate), 16);
  EXPECT_EQ(g_dsLists.capacity, 32);
  BuiltinCall(F_DsListDestroy, {R(9)});
  BuiltinCall(F_DsListDestroy, {R(4)});
  EXPECT_EQ(Make(F_DsListCreate), 4);
  EXPECT_EQ(Make(F_DsListCreate), 9);
  EXPECT_EQ(Make(F_DsListCreate), 17);
  EXPECT_EQ(Make(F_DsGridCreate), 0) << "each kind has its own pool";
}

TEST_F(DSIds, InvalidIdsReportOnceAndChangeNothing) {
  ErrorCapture errors;
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    int32_t id = Make(kind.create);
    Put(kind.put, id, 7);
    Make(kind.create);
    BuiltinCall(kind.destroy, {R(id + 1)});
    const std::vector<std::vector<GoldenArg>> bad = {{R(-1)}, {R(id + 1)}, {R(99)}, {R(kNaN)}, {R(1e300)}};
    for (const auto& args : bad) {
      EXPECT_EQ(BuiltinCall(kind.size, args).Real(), 0.0);
      BuiltinCall(kind.clear, args);
    }
    EXPECT_EQ(Real(kind.size, {R(id)}), 1.0) << "a stray clear reached a live structure";
  }
  ASSERT_EQ(errors.Messages().size(), 5u * 5u * 2u);
  for (const std::string& message : errors.Messages()) EXPECT_EQ(message, "Data structure with index does not exist.");
  EXPECT_FALSE(Error_Stopping());
}

TEST_F(DSIds, IdsRoundHalfToEvenButFindIndexTruncates) {
  for (int i = 0; i < 3; ++i) Make(F_DsListCreate);
  BuiltinCall(F_DsListAdd, {R(1), S("in one")});
  BuiltinCall(F_DsListAdd, {R(2), S("in two")});
  BuiltinCall(F_DsListAdd, {R(2), S("in one")});
  EXPECT_EQ(Real(F_DsListFindIndex, {R(1.7), S("in one")}), 0.0) << "1.7 truncates to list 1";
  EXPECT_EQ(Value(F_DsListFindValue, {R(1.7), R(0)}), "in two") << "1.7 rounds to list 2";
  EXPECT_EQ(Real(F_DsListFindIndex, {R(2.2), S("in one")}), 1.0);
  EXPECT_EQ(Value(F_DsListFindValue, {R(2.5), R(0)}), "in two") << "2.5 rounds to 2";
  EXPECT_EQ(Real(F_DsListSize, {R(0.5)}), 0.0) << "0.5 rounds to 0";
  EXPECT_EQ(Real(F_DsListSize, {R(1.5)}), 2.0) << "1.5 rounds to 2";
  ErrorCapture errors;
  EXPECT_EQ(Real(F_DsListFindIndex, {R(-0.9), S("in one")}), -1.0) << "list 0 is empty";
  EXPECT_TRUE(errors.Messages().empty()) << "-0.9 truncates to list 0, which exists";
}

TEST_F(DSIds, CopyChecksDestinationThenSourceAndSelfCopyKeepsData) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    int32_t a = Make(kind.create);
    int32_t b = Make(kind.create);
    Put(kind.put, a, 1);
    Put(kind.put, a, 2);
    std::string before = Written(kind.write, a);
    BuiltinCall(kind.copy, {R(a), R(a)});
    EXPECT_EQ(Written(kind.write, a), before);
    EXPECT_EQ(Real(kind.size, {R(a)}), 2.0);
    BuiltinCall(kind.copy, {R(b), R(a)});
    EXPECT_EQ(Written(kind.write, b), before);
    Put(kind.put, b, 3);
    EXPECT_EQ(Real(kind.size, {R(a)}), 2.0) << "a copy shares nothing";
    ErrorCapture errors;
    BuiltinCall(kind.copy, {R(b), R(50)});
    EXPECT_EQ(Real(kind.size, {R(b)}), 3.0) << "a missing source changes nothing";
    BuiltinCall(kind.copy, {R(50), R(60)});
    EXPECT_EQ(errors.Messages().size(), 2u) << "one message, for the destination";
  }
}

TEST_F(DSIds, EmptyClearAndDestroyAcrossKinds) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    int32_t id = Make(kind.create);
    EXPECT_EQ(Real(kind.empty, {R(id)}), 1.0);
    Put(kind.put, id, 4);
    EXPECT_EQ(Real(kind.empty, {R(id)}), 0.0);
    BuiltinCall(kind.clear, {R(id)});
    EXPECT_EQ(Real(kind.empty, {R(id)}), 1.0);
    BuiltinCall(kind.destroy, {R(id)});
    ErrorCapture errors;
    EXPECT_EQ(Real(kind.empty, {R(id)}), 0.0);
    BuiltinCall(kind.destroy, {R(id)});
    EXPECT_EQ(errors.Messages().size(), 2u);
  }
}

TEST_F(DSIds, PrecisionIsStoredAsItsMagnitude) {
  BuiltinCall(F_DsSetPrecision, {R(-0.5)});
  EXPECT_EQ(g_dsPrecision, 0.5);
  int32_t list = Make(F_DsListCreate);
  BuiltinCall(F_DsListAdd, {R(list), R(10)});
  EXPECT_EQ(Real(F_DsListFindIndex, {R(list), R(10.4)}), 0.0);
  EXPECT_EQ(Real(F_DsListFindIndex, {R(list), R(10.6)}), -1.0);
  BuiltinCall(F_DsSetPrecision, {S("text")});
  EXPECT_EQ(g_dsPrecision, 0.0) << "a string counts as 0";
}

}  // namespace

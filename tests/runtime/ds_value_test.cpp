#include "runtime/ds_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "runtime/ds_test_support.h"
#include "runtime/memory.h"

namespace {

class DSValue : public ::testing::Test {
 protected:
  void TearDown() override { DS_SetPrecision(1e-08); }
};

TEST_F(DSValue, RealsCompareInSinglePrecisionWithinThePrecision) {
  TestValue a(0.1), nearly(0.1 + 1e-9), apart(0.1 + 1e-6);
  EXPECT_EQ(DS_CompareValues(&a, &nearly), 0);
  EXPECT_EQ(DS_CompareValues(&a, &apart), -1);
  EXPECT_EQ(DS_CompareValues(&apart, &a), 1);
  DS_SetPrecision(-0.01);
  EXPECT_DOUBLE_EQ(g_dsPrecision, 0.01);
  TestValue b(0.105);
  EXPECT_EQ(DS_CompareValues(&a, &b), 0);
  // Beyond single precision's range both sides become infinities.
  TestValue huge(1e300), nan(std::nan(""));
  EXPECT_EQ(DS_CompareValues(&huge, &huge), 1);
  EXPECT_EQ(DS_CompareValues(&nan, &a), 1);
}

TEST_F(DSValue, StringsCompareByUnsignedBytesAndMixedKindsGiveOne) {
  TestValue a("a"), b("b"), high("\xC3\xA9"), three(3.0);
  EXPECT_EQ(DS_CompareValues(&a, &b), -1);
  EXPECT_EQ(DS_CompareValues(&high, &b), 1);
  EXPECT_EQ(DS_CompareValues(&a, &a), 0);
  EXPECT_EQ(DS_CompareValues(&a, &three), 1);
  EXPECT_EQ(DS_CompareValues(&three, &a), 1);
  EXPECT_EQ(a.v.kind, kValueString);
  EXPECT_EQ(three.v.kind, kValueReal);
  ScriptValue empty{kValueString, nullptr, 0.0};
  TestValue blank("");
  EXPECT_EQ(DS_CompareValues(&empty, &blank), 1);
  EXPECT_EQ(DS_CompareValues(&empty, &empty), 1);
}

TEST_F(DSValue, OperateSetsAddsAndMultiplies) {
  TestValue slotOwner(2.0);
  ScriptValue& slot = slotOwner.v;
  TestValue three(3.0), x("x"), y("y");
  DS_OperateValue(kDSOpAdd, &slot, &three);
  EXPECT_EQ(Describe(&slot), "r:5");
  DS_OperateValue(kDSOpMultiply, &slot, &three);
  EXPECT_EQ(Describe(&slot), "r:15");
  DS_OperateValue(kDSOpAdd, &slot, &x);
  EXPECT_EQ(Describe(&slot), "s:x");
  DS_OperateValue(kDSOpAdd, &slot, &y);
  EXPECT_EQ(Describe(&slot), "s:xy");
  DS_OperateValue(kDSOpMultiply, &slot, &three);
  DS_OperateValue(7, &slot, &three);
  EXPECT_EQ(Describe(&slot), "s:xy");
  DS_OperateValue(kDSOpAdd, &slot, &slot);
  EXPECT_EQ(Describe(&slot), "s:xyxy");
  DS_OperateValue(kDSOpSet, &slot, &three);
  EXPECT_EQ(Describe(&slot), "r:3");
  EXPECT_EQ(slot.text, nullptr);
}

TEST_F(DSValue, JoinedStringsStopAt1023BytesOnACodePoint) {
  std::string a(800, 'a');
  TestValue slotOwner(a.c_str());
  TestValue b(std::string(800, 'b').c_str());
  DS_OperateValue(kDSOpAdd, &slotOwner.v, &b);
  EXPECT_EQ(std::strlen(slotOwner.v.text), 1023u);

  // A two-byte character whose second byte would be byte 1024 goes whole.
  TestValue front(std::string(1022, 'c').c_str());
  TestValue accent("\xC3\xA9tail");
  DS_OperateValue(kDSOpAdd, &front.v, &accent);
  EXPECT_EQ(std::strlen(front.v.text), 1022u);
}

TEST_F(DSValue, StoringReusesABigEnoughBuffer) {
  ScriptValue slot{};
  TestValue longer("a fairly long text"), shorter("short");
  DS_StoreValue(&slot, &longer);
  char* buffer = slot.text;
  DS_StoreValue(&slot, &shorter);
  EXPECT_EQ(slot.text, buffer);
  EXPECT_STREQ(slot.text, "short");
  DS_ResetSlot(&slot);
  EXPECT_EQ(slot.text, nullptr);
}

}  // namespace

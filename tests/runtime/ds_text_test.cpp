// Text forms of stacks, queues, lists, priority queues and grids.
#include <gtest/gtest.h>

#include <string>

#include "runtime/ds_grid.h"
#include "runtime/ds_list.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_queue.h"
#include "runtime/ds_stack.h"
#include "runtime/ds_test_support.h"
#include "runtime/ds_value.h"

namespace {

// Little-endian hex of one i32.
std::string Int(uint32_t v) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, v >> 24);
  return buffer;
}

const std::string kRealZero = Int(0) + "0000000000000000" + Int(0);

TEST(DSText, StackRoundTripsAndStartsWithItsIdentifier) {
  CDS_Stack stack, back;
  TestValue five(5.0), hi("hi");
  stack.Push(&five);
  stack.Push(&hi);
  std::string text = TakeText(stack.WriteText());
  EXPECT_EQ(text.substr(0, 16), "6500000002000000");
  EXPECT_EQ(text.substr(16), Int(0) + "0000000000001440" + Int(0) + Int(1) + "0000000000000000" + Int(2) + "6869");
  ASSERT_TRUE(back.ReadText(text.c_str()));
  EXPECT_EQ(Describe(back.Pop()), "s:hi");
  EXPECT_EQ(Describe(back.Pop()), "r:5");
  // Lower-case digits read as well.
  EXPECT_TRUE(back.ReadText("650000000100000000000000000000000000f03f00000000"));
  EXPECT_EQ(Describe(back.Top()), "r:1");
}

TEST(DSText, QueueKeepsTailHeadCapacityAndSpentSlots) {
  CDS_Queue queue, back;
  for (int i = 0; i < 40; ++i) {
    TestValue v(i);
    queue.Enqueue(&v);
  }
  for (int i = 0; i < 21; ++i) queue.Dequeue();
  std::string text = TakeText(queue.WriteText());
  EXPECT_EQ(text.substr(0, 32), Int(201) + Int(19) + Int(0) + Int(48));
  ASSERT_TRUE(back.ReadText(text.c_str()));
  EXPECT_EQ(back.TailIndex(), 19);
  EXPECT_EQ(back.HeadIndex(), 0);
  EXPECT_EQ(back.Capacity(), 48);
  EXPECT_EQ(Describe(back.SlotAt(25)), "r:25");  // spent, yet still in the form
  EXPECT_EQ(TakeText(back.WriteText()), text);
}

TEST(DSText, GridWritesColumnByColumnAndPriorityPrioritiesFirst) {
  CDS_Grid grid(2, 3), back(1, 1);
  for (int x = 0; x < 2; ++x) {
    for (int y = 0; y < 3; ++y) {
      TestValue v(x * 3 + y);
      grid.Operate(kDSOpSet, 0, x, y, &v);
    }
  }
  std::string text = TakeText(grid.WriteText());
  std::string expected = Int(601) + Int(2) + Int(3);
  const char* reals[] = {"0000000000000000", "000000000000F03F", "0000000000000040",
                         "0000000000000840", "0000000000001040", "0000000000001440"};
  for (const char* r : reals) expected += Int(0) + r + Int(0);
  EXPECT_EQ(text, expected);
  ASSERT_TRUE(back.ReadText(text.c_str()));
  EXPECT_EQ(back.Width(), 2);
  EXPECT_EQ(Describe(back.Get(0, 1, 2)), "r:5");

  CDS_Priority queue, copy;
  TestValue value("v"), prio(0.0);
  queue.Add(&value, &prio);
  text = TakeText(queue.WriteText());
  EXPECT_EQ(text, Int(501) + Int(1) + kRealZero + Int(1) + "0000000000000000" + Int(1) + "76");
  ASSERT_TRUE(copy.ReadText(text.c_str()));
  EXPECT_EQ(Describe(copy.FindMin()), "s:v");
}

// Each bad text must answer false and leave the structure as it was.
TEST(DSText, BadFormsAnswerFalseAndChangeNothing) {
  CDS_List list;
  TestValue keep("keep");
  list.Add(&keep);
  std::string listText = TakeText(list.WriteText());
  CDS_Stack stack;
  stack.Push(&keep);
  std::string before = TakeText(stack.WriteText());

  std::string bad[] = {
      listText,                                                           // another kind's identifier
      before.substr(0, before.size() - 2),                                // truncated text
      Int(101) + Int(0x7FFFFFFF) + kRealZero,                             // count far beyond the bytes
      Int(101) + Int(0xFFFFFFFF),                                         // negative count
      Int(101) + Int(1) + Int(7) + "0000000000000000" + Int(0),           // unknown kind
      Int(101) + Int(1) + Int(1) + "0000000000000000" + Int(0x40000000),  // text past the end
      "",
  };
  for (const std::string& text : bad) {
    EXPECT_FALSE(stack.ReadText(text.c_str())) << text;
    EXPECT_EQ(TakeText(stack.WriteText()), before);
  }
  EXPECT_FALSE(stack.ReadText(nullptr));

  CDS_Queue queue;
  EXPECT_FALSE(queue.ReadText((Int(201) + Int(1) + Int(2) + Int(2) + kRealZero + kRealZero).c_str()));
  EXPECT_FALSE(queue.ReadText((Int(201) + Int(2) + Int(0) + Int(1) + kRealZero).c_str()));
  EXPECT_FALSE(queue.ReadText((Int(201) + Int(0) + Int(0) + Int(0x7FFFFFF0)).c_str()));
  CDS_Grid grid(1, 1);
  EXPECT_FALSE(grid.ReadText((Int(601) + Int(70000) + Int(70000) + kRealZero).c_str()));
  EXPECT_FALSE(grid.ReadText((Int(601) + Int(0xFFFFFFFF) + Int(1)).c_str()));
  EXPECT_FALSE(grid.ReadText((Int(601) + Int(2) + Int(1) + kRealZero).c_str()));
  EXPECT_EQ(grid.Width(), 1);
  CDS_Priority priority;
  EXPECT_FALSE(priority.ReadText((Int(501) + Int(1) + kRealZero).c_str()));
  EXPECT_FALSE(list.ReadText(nullptr));
  EXPECT_EQ(list.Size(), 1);
}

TEST(DSText, EmptyStructuresRoundTrip) {
  CDS_List list;
  std::string text = TakeText(list.WriteText());
  EXPECT_EQ(text, Int(301) + Int(0));
  TestValue v(1.0);
  list.Add(&v);
  EXPECT_TRUE(list.ReadText(text.c_str()));
  EXPECT_TRUE(list.Empty());
  CDS_Grid grid(0, 4), back(2, 2);
  EXPECT_TRUE(back.ReadText(TakeText(grid.WriteText()).c_str()));
  EXPECT_EQ(back.Width(), 0);
  EXPECT_EQ(back.Height(), 4);
}

}  // namespace

// Stacks, queues and lists.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/ds_list.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_queue.h"
#include "runtime/ds_stack.h"
#include "runtime/ds_test_support.h"
#include "runtime/random.h"

namespace {

std::string Contents(CDS_List& list) {
  std::string out;
  for (int32_t i = 0; i < list.Size(); ++i) out += Describe(list.FindValue(i)) + " ";
  return out;
}

void Fill(CDS_List& list, std::initializer_list<double> reals) {
  for (double r : reals) {
    TestValue v(r);
    list.Add(&v);
  }
}

TEST(DSStack, PushPopTopAndEmpty) {
  CDS_Stack stack;
  TestValue five(5.0), hi("hi");
  EXPECT_EQ(stack.Pop(), nullptr);
  EXPECT_EQ(stack.Top(), nullptr);
  stack.Push(&five);
  stack.Push(&hi);
  EXPECT_EQ(Describe(stack.Top()), "s:hi");
  EXPECT_EQ(Describe(stack.Pop()), "s:hi");
  EXPECT_EQ(Describe(stack.Pop()), "r:5");
  EXPECT_TRUE(stack.Empty());
  // A value taken from the stack itself may be pushed back.
  for (int i = 0; i < 16; ++i) stack.Push(&hi);
  stack.Push(stack.Top());
  EXPECT_EQ(stack.Size(), 17);
  EXPECT_EQ(Describe(stack.Top()), "s:hi");
}

TEST(DSQueue, SpentFrontMovesDownOnceMoreThanHalfIsSpent) {
  CDS_Queue queue;
  for (int i = 0; i < 40; ++i) {
    TestValue v(i);
    queue.Enqueue(&v);
  }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Describe(queue.Dequeue()), "r:" + std::to_string(i));
  EXPECT_EQ(queue.HeadIndex(), 20);
  const ScriptValue* last = queue.Dequeue();
  EXPECT_EQ(Describe(last), "r:20");  // the slot handed back survives the move
  EXPECT_EQ(queue.HeadIndex(), 0);
  EXPECT_EQ(queue.TailIndex(), 19);
  EXPECT_EQ(queue.Capacity(), 48);
  EXPECT_EQ(Describe(queue.SlotAt(0)), "r:21");
  EXPECT_EQ(Describe(queue.Head()), "r:21");
  EXPECT_EQ(Describe(queue.Tail()), "r:39");
  EXPECT_EQ(queue.Size(), 19);
}

// The slot array of a stack, open to the growth test.
struct OpenStack : CDS_Stack {
  const ScriptValue* Base() const { return m_slots; }
};

// Growing by a fixed step moves the whole array once per step, so that n
// appends copy n * n / 32 slots; a geometric rule moves it about log n times.
TEST(DSGrowth, AppendsMoveTheSlotArrayOnlyLogarithmicallyOften) {
  constexpr int kAppends = 100000;
  CDS_List list;
  OpenStack stack;
  CDS_Queue queue;
  CDS_Priority priority;
  TestValue one(1.0);
  struct Kind {
    const char* name;
    std::function<void()> append;
    std::function<const ScriptValue*()> base;
  };
  const Kind kinds[] = {
      {"list", [&] { list.Add(&one); }, [&] { return list.FindValue(0); }},
      {"stack", [&] { stack.Push(&one); }, [&] { return stack.Base(); }},
      {"queue", [&] { queue.Enqueue(&one); }, [&] { return queue.SlotAt(0); }},
      // Every value is equal: the search stops at the first priority.
      {"priority", [&] { priority.Add(&one, &one); }, [&] { return priority.FindPriority(&one); }},
  };
  for (const Kind& kind : kinds) {
    int moves = 0;
    const ScriptValue* base = nullptr;
    for (int i = 0; i < kAppends; ++i) {
      kind.append();
      if (kind.base() != base) ++moves;
      base = kind.base();
    }
    EXPECT_LE(moves, 40) << kind.name;
  }
  EXPECT_EQ(list.Size(), kAppends);
  // The queue's capacity is part of its text form: it still steps by 16.
  EXPECT_EQ(queue.Capacity(), kAppends);
}

TEST(DSList, InsertReplaceDeleteIgnoreBadPositions) {
  CDS_List list;
  Fill(list, {1, 2});
  TestValue nine(9.0), text("t");
  list.Insert(2, &nine);
  list.Insert(4, &nine);
  list.Insert(-1, &nine);
  list.Insert(0, &text);
  EXPECT_EQ(Contents(list), "s:t r:1 r:2 r:9 ");
  list.Replace(4, &nine);
  list.Replace(1, &text);
  list.Delete(4);
  list.Delete(0);
  EXPECT_EQ(Contents(list), "s:t r:2 r:9 ");
  EXPECT_EQ(list.FindIndex(&nine), 2);
  EXPECT_EQ(list.FindIndex(&text), 0);
  TestValue absent(7.0);
  EXPECT_EQ(list.FindIndex(&absent), -1);
  EXPECT_EQ(list.FindValue(3), nullptr);
  EXPECT_EQ(list.FindValue(-1), nullptr);
}

TEST(DSList, ReservedRoomTakesValuesOverAndKeepsWhatIsThere) {
  CDS_List list;
  Fill(list, {1, 2, 3});
  list.Reserve(2);
  EXPECT_EQ(Contents(list), "r:1 r:2 r:3 ");
  list.Reserve(40);
  for (int i = 0; i < 40; ++i) {
    ScriptValue v;
    ScriptValue_SetString(&v, std::to_string(i).c_str());
    const char* handed = v.text;
    list.AddTaking(&v);
    EXPECT_TRUE(v.text == nullptr && v.kind == kValueReal);
    EXPECT_EQ(list.FindValue(3 + i)->text, handed);
  }
  TestValue nine(9.0);
  list.Delete(1);
  list.Insert(0, &nine);
  EXPECT_EQ(list.Size(), 43);
  EXPECT_EQ(Contents(list).substr(0, 20), "r:9 r:1 r:3 s:0 s:1 ");
  EXPECT_EQ(Describe(list.FindValue(42)), "s:39");
}

TEST(DSList, SortIsTheNeighbourSwappingInsertionSort) {
  CDS_List list;
  Fill(list, {3, 1, 2});
  list.Sort(true);
  EXPECT_EQ(Contents(list), "r:1 r:2 r:3 ");
  list.Sort(false);
  EXPECT_EQ(Contents(list), "r:3 r:2 r:1 ");

  CDS_List mixed;
  TestValue b("b"), one(1.0), a("a");
  mixed.Add(&b);
  mixed.Add(&one);
  mixed.Add(&a);
  mixed.Sort(true);
  EXPECT_EQ(Contents(mixed), "s:a r:1 s:b ");

  // Descending moves past equal neighbours, reversing them.
  CDS_List equal;
  TestValue first("x"), second("x");
  equal.Add(&first);
  equal.Add(&second);
  ScriptValue* before = equal.FindValue(0);
  char* firstText = before->text;
  equal.Sort(false);
  EXPECT_EQ(equal.FindValue(1)->text, firstText);
}

TEST(DSList, ShuffleFollowsTheSeed) {
  CDS_List empty;
  empty.Shuffle();
  EXPECT_TRUE(empty.Empty());

  CDS_List one, two;
  Fill(one, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  Fill(two, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  Random_Seed(42);
  one.Shuffle();
  Random_Seed(42);
  two.Shuffle();
  EXPECT_EQ(Contents(one), Contents(two));
  EXPECT_NE(Contents(one), "r:0 r:1 r:2 r:3 r:4 r:5 r:6 r:7 r:8 r:9 ");
  one.Sort(true);
  EXPECT_EQ(Contents(one), "r:0 r:1 r:2 r:3 r:4 r:5 r:6 r:7 r:8 r:9 ");
}

// Copying onto itself must not free what it is about to copy.
TEST(DSCopy, EveryKindCopiedOntoItselfOrAnotherKeepsItsData) {
  TestValue s("s"), four(4.0);
  CDS_Stack stack, stackCopy;
  stack.Push(&s);
  stack.Copy(&stack);
  stackCopy.Copy(&stack);
  EXPECT_EQ(Describe(stack.Top()), "s:s");
  EXPECT_EQ(Describe(stackCopy.Top()), "s:s");
  CDS_Queue queue, queueCopy;
  queue.Enqueue(&s);
  queue.Enqueue(&four);
  queue.Dequeue();
  queue.Copy(&queue);
  queueCopy.Copy(&queue);
  EXPECT_EQ(queueCopy.HeadIndex(), 1);
  EXPECT_EQ(queueCopy.Capacity(), 16);
  EXPECT_EQ(Describe(queueCopy.SlotAt(0)), "s:s");  // spent slots are copied too
  queueCopy.Copy(nullptr);
  EXPECT_EQ(queueCopy.Capacity(), 0);
  CDS_List list, listCopy;
  list.Add(&s);
  list.Add(&four);
  list.Copy(&list);
  listCopy.Copy(&list);
  list.Clear();
  EXPECT_EQ(Contents(listCopy), "s:s r:4 ");
  CDS_Priority priority, priorityCopy;
  priority.Add(&s, &four);
  priority.Copy(&priority);
  priorityCopy.Copy(&priority);
  priority.Clear();
  EXPECT_EQ(Describe(priorityCopy.FindPriority(&s)), "r:4");
}

}  // namespace

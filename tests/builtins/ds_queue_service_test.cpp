// The platform services' queue calls, which go through the queue handlers.
#include "builtins/ds/queues.h"
#include "ds_builtin_support.h"

namespace {

using DSQueueService = DSBuiltins;

TEST_F(DSQueueService, CreatesFillsAndClearsThroughTheHandlers) {
  Make(F_DsQueueCreate);
  int32_t queue = DSQueue_Create();
  EXPECT_EQ(queue, 1) << "the service's queue takes the next id of the shared pool";
  const DSQueueItem items[] = {{3.5, nullptr}, {99, "purchase"}, {0, ""}};
  DSQueue_Enqueue(queue, 3, items);
  EXPECT_EQ(Real(F_DsQueueSize, {R(queue)}), 3.0);
  EXPECT_EQ(Value(F_DsQueueDequeue, {R(queue)}), "real 3.5");
  EXPECT_EQ(Value(F_DsQueueDequeue, {R(queue)}), "purchase") << "a text makes a string, whatever the real";
  BuiltinCall last(F_DsQueueDequeue, {R(queue)});
  EXPECT_TRUE(last.IsString());
  EXPECT_EQ(last.Text(), "");
  DSQueue_Enqueue(queue, 1, items);
  DSQueue_Clear(queue);
  EXPECT_EQ(Real(F_DsQueueEmpty, {R(queue)}), 1.0);
}

TEST_F(DSQueueService, IgnoresNegativeIdsAndCountsBelowOne) {
  ErrorCapture errors;
  int32_t queue = DSQueue_Create();
  const DSQueueItem item = {1, nullptr};
  DSQueue_Enqueue(queue, 0, &item);
  DSQueue_Enqueue(queue, -3, &item);
  DSQueue_Enqueue(-1, 1, &item);
  DSQueue_Clear(-1);
  EXPECT_EQ(Real(F_DsQueueSize, {R(queue)}), 0.0);
  EXPECT_TRUE(errors.Messages().empty());
  DSQueue_Enqueue(queue + 1, 2, (const DSQueueItem[]){{1, nullptr}, {2, nullptr}});
  DSQueue_Clear(queue + 1);
  EXPECT_EQ(errors.Messages().size(), 3u) << "a missing queue reports like a script's call";
}

}  // namespace

// How the platform services keep their event queues: as script-visible
// queues, filled and emptied through the queue built-ins so that scripts see
// exactly what a script of their own would have put there.
#pragma once

#include <cstdint>

// One item to enqueue: a string holding a copy of `text` when it is not
// null, else the real.
struct DSQueueItem {
  double real;
  const char* text;
};

// A new queue; answers its id.
int32_t DSQueue_Create();
// Enqueues the items in order; nothing for a negative queue id or a count
// below 1. An id without a queue reports the family's error once per item.
void DSQueue_Enqueue(int32_t queue, int32_t count, const DSQueueItem* items);
// Empties the queue; nothing for a negative queue id.
void DSQueue_Clear(int32_t queue);

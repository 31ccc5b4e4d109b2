// A stand-in for the asynchronous HTTP requests until the real client
// exists: requests are kept, and delivering one calls its completion and
// clean-up directly, as the asynchronous dispatch will.
#pragma once

#include <cstdint>

struct HttpAnswer {
  const char* address;
  const uint8_t* data;
  int32_t size;  // below 1: nothing came
};

// Builds the asynchronous-event map into *map and answers the event number.
using HttpCompletionFn = int32_t (*)(const HttpAnswer& answer, void* argument, int32_t* map);
using HttpCleanupFn = void (*)(void* argument);

void HTTP_Get(const char* address, int32_t kind, HttpCompletionFn completion, HttpCleanupFn cleanup,
              void* argument);

int32_t HttpStub_PendingCount();
// Delivers the oldest request with this answer; its event number, or -1
// when none is pending. The map id lands in *map.
int32_t HttpStub_DeliverOldest(const uint8_t* data, int32_t size, int32_t* map);
// Drops every pending request, running only the clean-ups.
void HttpStub_Clear();

// The asynchronous HTTP requests as their callers see them: a GET names the
// address and two functions of the caller's, the completion that turns the
// answer into an asynchronous-event map and the clean-up of its argument.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"

struct HttpAnswer {
  const char* address;
  const uint8_t* data;
  int32_t size;  // below 1: nothing came
};

// Builds the asynchronous-event map into *map and answers the event number.
using HttpCompletionFn = int32_t (*)(const HttpAnswer& answer, void* argument, int32_t* map);
using HttpCleanupFn = void (*)(void* argument);

struct HttpServices {
  void (*get)(const char* address, int32_t kind, HttpCompletionFn completion, HttpCleanupFn cleanup,
              void* argument);
};

inline ServiceSeam<HttpServices> g_httpServices{"HTTP requests"};
inline void HttpServices_Install(const HttpServices* services) { g_httpServices.Install(services); }
inline const HttpServices& HttpServices_Get() { return g_httpServices.Get(); }

// Until HTTP is built: requests are kept, and a test delivers them one at
// a time, calling the completion and clean-up as the asynchronous dispatch
// will.
const HttpServices& HttpServices_StandIn();
int32_t HttpStandIn_PendingCount();
// Delivers the oldest request with this answer; its event number, or -1
// when none is pending. The map id lands in *map.
int32_t HttpStandIn_DeliverOldest(const uint8_t* data, int32_t size, int32_t* map);
// Drops every pending request, running only the clean-ups.
void HttpStandIn_Clear();

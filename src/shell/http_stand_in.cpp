// Requests wait in arrival order until a test delivers them; nothing goes
// out on the network.
#include "shell/http_services.h"

#include <deque>
#include <string>

namespace {

struct Pending {
  std::string address;
  HttpCompletionFn completion;
  HttpCleanupFn cleanup;
  void* argument;
};

std::deque<Pending>& Queue() {
  static std::deque<Pending> queue;
  return queue;
}

void Get(const char* address, int32_t, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument) {
  Queue().push_back({address == nullptr ? "" : address, completion, cleanup, argument});
}

Pending TakeOldest() {
  Pending request = Queue().front();
  Queue().pop_front();
  return request;
}

constexpr HttpServices kStandIn{Get};

}  // namespace

const HttpServices& HttpServices_StandIn() { return kStandIn; }

int32_t HttpStandIn_PendingCount() { return static_cast<int32_t>(Queue().size()); }

int32_t HttpStandIn_DeliverOldest(const uint8_t* data, int32_t size, int32_t* map) {
  if (Queue().empty()) return -1;
  const Pending request = TakeOldest();
  const HttpAnswer answer{request.address.c_str(), data, size};
  const int32_t event = request.completion != nullptr ? request.completion(answer, request.argument, map) : -1;
  if (request.cleanup != nullptr) request.cleanup(request.argument);
  return event;
}

void HttpStandIn_Clear() {
  while (!Queue().empty()) {
    const Pending request = TakeOldest();
    if (request.cleanup != nullptr) request.cleanup(request.argument);
  }
}

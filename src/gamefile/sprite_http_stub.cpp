#include "gamefile/sprite_http_stub.h"

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

}  // namespace

void HTTP_Get(const char* address, int32_t, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument) {
  Queue().push_back({address == nullptr ? "" : address, completion, cleanup, argument});
}

int32_t HttpStub_PendingCount() { return static_cast<int32_t>(Queue().size()); }

int32_t HttpStub_DeliverOldest(const uint8_t* data, int32_t size, int32_t* map) {
  if (Queue().empty()) return -1;
  Pending request = Queue().front();
  Queue().pop_front();
  const HttpAnswer answer{request.address.c_str(), data, size};
  const int32_t event = request.completion != nullptr ? request.completion(answer, request.argument, map) : -1;
  if (request.cleanup != nullptr) request.cleanup(request.argument);
  return event;
}

void HttpStub_Clear() {
  while (!Queue().empty()) {
    Pending request = Queue().front();
    Queue().pop_front();
    if (request.cleanup != nullptr) request.cleanup(request.argument);
  }
}

// Script requests over HTTP: the id comes back at once, the answer later as
// the asynchronous HTTP event, whose map this file's completion builds.
#include <cstring>

#include "builtins/files/handlers.h"
#include "requests/http_request.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kAsyncHttpEvent = 62;

// The scheme is compared case-sensitively: "HTTP://x" is refused.
bool IsWebAddress(const char* url) {
  return std::strncmp(url, "http://", 7) == 0 || std::strncmp(url, "https://", 8) == 0;
}

// The body is text: it ends at its first zero byte.
int32_t HttpCompletion(HTTP_REQ_CONTEXT* request, void*, int32_t* map) {
  const int32_t length = request->buffer == nullptr ? 0 : request->received;
  char* body = static_cast<char*>(KV_ALLOC(static_cast<size_t>(length) + 1, false));
  if (length > 0) std::memcpy(body, request->buffer, static_cast<size_t>(length));
  body[length] = 0;
  *map = DS_CreateMapFromPairs(5, "id", double(request->id), nullptr, "url", 0.0,
                               request->url == nullptr ? "" : request->url, "result", 0.0, body, "http_status",
                               double(request->status), nullptr, "status", length >= 1 ? 0.0 : -1.0, nullptr);
  MemoryManager::Free(body);
  return kAsyncHttpEvent;
}

}  // namespace

void F_HttpGet(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1.0);
  if (!IsWebAddress(a.Text(0))) return;
  const int32_t id = HTTP_NextRequestId();
  HTTP_Get(a.Text(0), 0, HttpCompletion, nullptr, nullptr);
  Result_SetReal(result, id);
}

void F_HttpPostString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, -1.0);
  if (!IsWebAddress(a.Text(0))) return;
  const int32_t id = HTTP_NextRequestId();
  HTTP_Post(a.Text(0), a.Text(1), HttpCompletion, nullptr, nullptr);
  Result_SetReal(result, id);
}

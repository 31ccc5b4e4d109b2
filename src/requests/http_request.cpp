#include "requests/http_request.h"

#include <cstdlib>
#include <cstring>

#include "platform/http_transport.h"
#include "runtime/console.h"
#include "runtime/memory.h"

HTTP_REQ_CONTEXT* g_httpRequestList = nullptr;

namespace {

constexpr int32_t kAnswerBufferBytes = 0x20000;

int32_t g_nextRequestId = 0;

void Unlink(HTTP_REQ_CONTEXT* request) {
  for (HTTP_REQ_CONTEXT** link = &g_httpRequestList; *link != nullptr; link = &(*link)->next) {
    if (*link == request) {
      *link = request->next;
      request->next = nullptr;
      return;
    }
  }
}

const char* CallName(HttpStage stage) {
  switch (stage) {
    case HttpStage::kSession: return "InternetOpen";
    case HttpStage::kAddress: return "InternetCanonicalizeUrl";
    case HttpStage::kConnect: return "InternetConnect";
    case HttpStage::kSend: return "HttpSendRequest";
    case HttpStage::kRead: return "InternetReadFile";
    case HttpStage::kDone: break;
  }
  return "";
}

// Runs the exchange at once. A broken-off answer is still delivered, with
// nothing received; a request that never got an answer is dropped here,
// so nothing is kept for a request that can never finish, and so is one
// abandoned because the game quits: no event will run for it.
void Run(const char* url, const char* body, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument) {
  HTTP_REQ_CONTEXT* request = new HTTP_REQ_CONTEXT(url, kAnswerBufferBytes, completion, cleanup, argument);
  request->state = kHttpSent;
  HttpBody answer{request->buffer, request->bufferSize, 0};
  const HttpOutcome outcome = HttpTransport_Exchange(url, body, body == nullptr ? 0 : std::strlen(body), &answer);
  request->buffer = answer.data;
  request->bufferSize = answer.capacity;
  request->received = answer.received;
  request->status = outcome.status;
  if (outcome.stage != HttpStage::kDone) HTTP_ReportError(CallName(outcome.stage), outcome.message);
  if (!outcome.abandoned && (outcome.stage == HttpStage::kDone || outcome.stage == HttpStage::kRead)) {
    request->state = kHttpFinished;
    return;
  }
  Unlink(request);
  HTTP_Dispose(request);
}

}  // namespace

HTTP_REQ_CONTEXT::HTTP_REQ_CONTEXT(const char* address, int32_t size, HttpCompletionFn completionFn,
                                   HttpCleanupFn cleanupFn, void* argumentWord)
    : completion(completionFn), cleanup(cleanupFn), argument(argumentWord) {
  if (size > 0) {
    // One byte more than asked, for the zero after the received bytes.
    buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size) + 1));
    if (buffer != nullptr) {
      std::memset(buffer, 0xFF, static_cast<size_t>(size) + 1);
      bufferSize = size;
    }
  }
  next = g_httpRequestList;
  g_httpRequestList = this;
  id = g_nextRequestId++;
  if (address != nullptr) {
    const size_t length = std::strlen(address);
    url = static_cast<char*>(KV_ALLOC(length + 1, false));
    std::memcpy(url, address, length + 1);
  }
}

HTTP_REQ_CONTEXT::~HTTP_REQ_CONTEXT() {
  std::free(buffer);
  MemoryManager::Free(url);
}

int32_t HTTP_NextRequestId() { return g_nextRequestId; }

void HTTP_Get(const char* url, int32_t, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument) {
  Run(url, nullptr, completion, cleanup, argument);
}

void HTTP_Post(const char* url, const char* body, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument) {
  Run(url, body == nullptr ? "" : body, completion, cleanup, argument);
}

void HTTP_ReportError(const char* callName, const char* text) { g_debugConsole->Output("%s: %s\n", callName, text); }

HTTP_REQ_CONTEXT* HTTP_TakeFinished() {
  HTTP_REQ_CONTEXT* taken = nullptr;
  HTTP_REQ_CONTEXT** tail = &taken;
  for (HTTP_REQ_CONTEXT** link = &g_httpRequestList; *link != nullptr;) {
    HTTP_REQ_CONTEXT* request = *link;
    if (request->deliverable == 0 || request->state != kHttpFinished) {
      link = &request->next;
      continue;
    }
    *link = request->next;
    request->next = nullptr;
    *tail = request;
    tail = &request->next;
  }
  return taken;
}

int32_t HTTP_Complete(HTTP_REQ_CONTEXT* request, int32_t* map) {
  *map = -1;
  if (request->completion == nullptr) return -1;
  return request->completion(request, request->argument, map);
}

void HTTP_Dispose(HTTP_REQ_CONTEXT* request) {
  if (request->cleanup != nullptr) request->cleanup(request->argument);
  delete request;
}

void HTTP_FreeAll() {
  while (g_httpRequestList != nullptr) {
    HTTP_REQ_CONTEXT* request = g_httpRequestList;
    g_httpRequestList = request->next;
    HTTP_Dispose(request);
  }
}

void HTTP_ResetForTest() {
  HTTP_FreeAll();
  g_nextRequestId = 0;
}

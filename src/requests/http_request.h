// Requests whose answers reach the game later, as asynchronous events. Every
// kind (HTTP requests, and requests such as dialogs that derive from the
// record) sits on one list, newest first, and takes its id from one counter
// that starts at 0 and is never reset. An HTTP request runs to its end
// inside HTTP_Get or HTTP_Post, holding the game meanwhile; the step's
// asynchronous stage then delivers it: its completion builds the event's
// map and names the event, and the record goes.
#pragma once

#include <cstdint>

class HTTP_REQ_CONTEXT;

// Builds the asynchronous-event map into *map and answers the event number
// (60 and above raise an event).
using HttpCompletionFn = int32_t (*)(HTTP_REQ_CONTEXT* request, void* argument, int32_t* map);
// Frees what the argument holds; runs after the completion, or alone when
// the request is dropped without an answer.
using HttpCleanupFn = void (*)(void* argument);

enum HttpRequestState : int32_t {
  kHttpMade = 1,
  kHttpSent = 5,
  kHttpFinished = 7,
};

class HTTP_REQ_CONTEXT {
 public:
  // Pushes the record at the head of the list and takes the next id. A
  // buffer size above 0 allocates the answer's buffer (filled with 0xFF).
  HTTP_REQ_CONTEXT(const char* url, int32_t bufferSize, HttpCompletionFn completion, HttpCleanupFn cleanup,
                   void* argument);
  // Frees the buffer and the address. Unlinking is the list's business.
  virtual ~HTTP_REQ_CONTEXT();
  HTTP_REQ_CONTEXT(const HTTP_REQ_CONTEXT&) = delete;
  HTTP_REQ_CONTEXT& operator=(const HTTP_REQ_CONTEXT&) = delete;

  HTTP_REQ_CONTEXT* next = nullptr;
  // Only deliverable records are delivered.
  int32_t deliverable = 1;
  int32_t state = kHttpMade;
  HttpCompletionFn completion;
  HttpCleanupFn cleanup;
  void* argument;
  // Owned copy of the address as asked, or null.
  char* url = nullptr;
  int32_t id;
  // The answer's status code; a dialog keeps its confirmation here.
  int32_t status = 200;
  // From the general heap, one byte beyond bufferSize for the zero after
  // the received bytes.
  uint8_t* buffer = nullptr;
  int32_t bufferSize = 0;
  int32_t received = 0;
};

extern HTTP_REQ_CONTEXT* g_httpRequestList;

// The id the next request will take.
int32_t HTTP_NextRequestId();

// A GET of the address; the kind is the caller's and not used. The answer
// waits on the list for delivery. A request that cannot be sent prints its
// line, runs the clean-up and is gone: no event comes for it.
void HTTP_Get(const char* url, int32_t kind, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument);
// A POST of the body text (sent whole) as a form; otherwise as HTTP_Get.
void HTTP_Post(const char* url, const char* body, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument);
// "CALL: TEXT" on the debug console.
void HTTP_ReportError(const char* callName, const char* text);

// Takes every deliverable finished request off the list, in list order,
// chained through their next links; the caller delivers each with
// HTTP_Deliver. Requests made meanwhile stay for the next pass.
HTTP_REQ_CONTEXT* HTTP_TakeFinished();
// Runs the request's completion (the map id lands in *map, -1 when none),
// answering its event number (-1 without a completion).
int32_t HTTP_Complete(HTTP_REQ_CONTEXT* request, int32_t* map);
// Runs the clean-up and deletes the record.
void HTTP_Dispose(HTTP_REQ_CONTEXT* request);
// Every request still listed is disposed of (program end).
void HTTP_FreeAll();
// HTTP_FreeAll, and the id counter back to 0 (tests only).
void HTTP_ResetForTest();

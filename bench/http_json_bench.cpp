// Requests and JSON against the libraries underneath, side by side: 200 GETs
// of 1 KiB from a loopback server through the request list and its delivery
// beside plain libcurl on one reused handle; json_decode and json_encode of
// about 1 MiB beside json-c's own parse and print of the same text.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <json-c/json.h>

#include <string>

#include "requests/http_request.h"
#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"
#include "support/loopback_server.h"

namespace {

constexpr int kRequests = 200;

testsupport::LoopbackServer& Server() {
  static testsupport::LoopbackServer server;
  static const bool ready = [] {
    server.On("/kib", testsupport::ServerReply(200, std::string(1024, 'k')));
    return true;
  }();
  (void)ready;
  return server;
}

int32_t Count(HTTP_REQ_CONTEXT* request, void* argument, int32_t* map) {
  *static_cast<int64_t*>(argument) += request->received;
  *map = -1;
  return 62;
}

void BM_RequestsThroughTheList(benchmark::State& state) {
  const std::string url = Server().Url("/kib");
  for (auto _ : state) {
    int64_t bytes = 0;
    for (int i = 0; i < kRequests; ++i) {
      HTTP_Get(url.c_str(), 0, Count, nullptr, &bytes);
      for (HTTP_REQ_CONTEXT* r = HTTP_TakeFinished(); r != nullptr;) {
        HTTP_REQ_CONTEXT* next = r->next;
        int32_t map;
        HTTP_Complete(r, &map);
        HTTP_Dispose(r);
        r = next;
      }
    }
    if (bytes != kRequests * 1024) state.SkipWithError("short answers");
  }
}
BENCHMARK(BM_RequestsThroughTheList)->Unit(benchmark::kMillisecond);

size_t Keep(char* data, size_t size, size_t count, void* into) {
  static_cast<std::string*>(into)->append(data, size * count);
  return size * count;
}

void BM_ReferenceRequestsOnOneHandle(benchmark::State& state) {
  const std::string url = Server().Url("/kib");
  CURL* handle = curl_easy_init();
  std::string body;
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Keep);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  for (auto _ : state) {
    body.clear();
    for (int i = 0; i < kRequests; ++i) curl_easy_perform(handle);
    if (body.size() != size_t(kRequests) * 1024) state.SkipWithError("short answers");
  }
  curl_easy_cleanup(handle);
}
BENCHMARK(BM_ReferenceRequestsOnOneHandle)->Unit(benchmark::kMillisecond);

// About 1 MiB: objects of numbers, strings, flags and short arrays.
const std::string& Text() {
  static const std::string text = [] {
    std::string t = "{\"items\":[";
    for (int i = 0; t.size() < (1u << 20); ++i) {
      if (i > 0) t += ",";
      t += "{\"id\":" + std::to_string(i) + ",\"name\":\"item " + std::to_string(i) +
           "\",\"price\":" + std::to_string(i * 0.25) + ",\"ok\":true,\"tags\":[1,2,\"x\"]}";
    }
    return t + "]}";
  }();
  return text;
}

void BM_JsonDecode(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(DS_JsonDecode(Text().c_str()));
    state.PauseTiming();
    DS_ReleasePools();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Text().size()));
}
BENCHMARK(BM_JsonDecode)->Unit(benchmark::kMillisecond);

void BM_ReferenceParse(benchmark::State& state) {
  for (auto _ : state) {
    json_object* parsed = json_tokener_parse(Text().c_str());
    benchmark::DoNotOptimize(parsed);
    state.PauseTiming();
    json_object_put(parsed);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Text().size()));
}
BENCHMARK(BM_ReferenceParse)->Unit(benchmark::kMillisecond);

void BM_JsonEncode(benchmark::State& state) {
  const int32_t map = DS_JsonDecode(Text().c_str());
  for (auto _ : state) {
    char* text = DS_JsonEncode(map);
    benchmark::DoNotOptimize(text);
    MemoryManager::Free(text);
  }
  DS_ReleasePools();
}
BENCHMARK(BM_JsonEncode)->Unit(benchmark::kMillisecond);

// json-c prints its tree afresh on every call.
void BM_ReferencePrint(benchmark::State& state) {
  json_object* parsed = json_tokener_parse(Text().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(json_object_to_json_string(parsed));
  json_object_put(parsed);
}
BENCHMARK(BM_ReferencePrint)->Unit(benchmark::kMillisecond);

}  // namespace

// json_decode and json_encode beside json-c alone, in one run: each
// iteration times json-c's parse (or print) and ours back to back on the
// same 1 MiB document, and the best of each gives the ratio. The document is
// nested objects and arrays of numbers, strings and flags, made by json-c
// from a fixed seed, so the tree json-c prints equals the map ours encodes.
#include <benchmark/benchmark.h>
#include <json-c/json.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"

namespace {

// The flags json_encode prints with.
constexpr int kPrintFlags = JSON_C_TO_STRING_SPACED;

class Generator {
 public:
  json_object* Value(int depth) {
    const uint32_t pick = Next() % 10;
    if (depth < 5 && pick < 2) return Object(depth + 1);
    if (depth < 5 && pick < 4) return Array(depth + 1);
    if (pick < 7) return Number();
    return json_object_new_string(Text().c_str());
  }
  json_object* Object(int depth) {
    json_object* object = json_object_new_object();
    const uint32_t members = Next() % 9;
    for (uint32_t i = 0; i < members; ++i) {
      static const char* const kNames[] = {"id", "name", "price", "tags", "child", "x", "y", "label", "weight"};
      json_object_object_add(object, kNames[i], Value(depth));
    }
    return object;
  }

 private:
  json_object* Array(int depth) {
    json_object* array = json_object_new_array();
    const uint32_t count = Next() % 9;
    for (uint32_t i = 0; i < count; ++i) json_object_array_add(array, Value(depth));
    return array;
  }
  json_object* Number() {
    const uint32_t n = Next();
    switch (n % 4) {
      case 0: return json_object_new_double(n % 100000);
      case 1: return json_object_new_double((n % 4000) * 0.25 - 500);
      case 2: return json_object_new_double(static_cast<double>(n) / 7.0);
      default: return json_object_new_double(static_cast<double>(n) * 1e15);
    }
  }
  std::string Text() {
    static const char* const kWords[] = {"alpha",     "b\xC3\xA9ta", "gamma/delta",     "say \"hi\"",
                                         "tab\there", "line\nbreak", "\xE2\x82\xAC 12", "plain words of a longer text"};
    std::string text = kWords[Next() % 8];
    text += ' ';
    text += std::to_string(Next() % 1000);
    return text;
  }
  uint32_t Next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state_ >> 33);
  }
  uint64_t state_ = 42;
};

// The tree under {"records": [...]}, whose plain text reaches 1 MiB.
struct Document {
  json_object* tree = nullptr;
  std::string text;
};

const Document& TheDocument() {
  static const Document document = [] {
    Document d;
    Generator generator;
    json_object* records = json_object_new_array();
    size_t size = 0;
    while (size < (1u << 20)) {
      json_object* record = generator.Object(1);
      size += std::strlen(json_object_to_json_string_ext(record, JSON_C_TO_STRING_PLAIN)) + 1;
      json_object_array_add(records, record);
    }
    d.tree = json_object_new_object();
    json_object_object_add(d.tree, "records", records);
    d.text = json_object_to_json_string_ext(d.tree, JSON_C_TO_STRING_PLAIN);
    return d;
  }();
  return document;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

void Report(benchmark::State& state, double ours, double jsonc) {
  state.counters["ours_ms"] = ours * 1e3;
  state.counters["jsonc_ms"] = jsonc * 1e3;
  state.counters["ratio"] = ours / jsonc;
}

void BM_JsonDecodeBesideJsonC(benchmark::State& state) {
  const char* text = TheDocument().text.c_str();
  double ours = std::numeric_limits<double>::infinity(), jsonc = ours;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    json_object* parsed = json_tokener_parse(text);
    const Clock::time_point parsedAt = Clock::now();
    const int32_t map = DS_JsonDecode(text);
    const Clock::time_point decodedAt = Clock::now();
    if (parsed == nullptr || map < 0) state.SkipWithError("the document did not parse");
    json_object_put(parsed);
    DS_ReleasePools();
    jsonc = std::min(jsonc, Seconds(start, parsedAt));
    ours = std::min(ours, Seconds(parsedAt, decodedAt));
  }
  Report(state, ours, jsonc);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(TheDocument().text.size()));
}
BENCHMARK(BM_JsonDecodeBesideJsonC)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_JsonEncodeBesideJsonC(benchmark::State& state) {
  const Document& document = TheDocument();
  const int32_t map = DS_JsonDecode(document.text.c_str());
  double ours = std::numeric_limits<double>::infinity(), jsonc = ours;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    size_t printedLength = 0;
    benchmark::DoNotOptimize(json_object_to_json_string_length(document.tree, kPrintFlags, &printedLength));
    const Clock::time_point printedAt = Clock::now();
    char* encoded = DS_JsonEncode(map);
    const Clock::time_point encodedAt = Clock::now();
    // Same tree, so the same length: only the order of the members differs.
    if (encoded == nullptr || std::strlen(encoded) != printedLength) state.SkipWithError("the texts differ");
    MemoryManager::Free(encoded);
    jsonc = std::min(jsonc, Seconds(start, printedAt));
    ours = std::min(ours, Seconds(printedAt, encodedAt));
  }
  DS_ReleasePools();
  Report(state, ours, jsonc);
}
BENCHMARK(BM_JsonEncodeBesideJsonC)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

// Reading a stream that came from outside (a saved game, a table file):
// every field is checked against the bytes left, and the first field that
// does not fit makes the reader fail and read zeros from then on. Callers
// check ok() once at the end of a record instead of after every field.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/memory.h"
#include "runtime/stream.h"

class CheckedStreamReader {
 public:
  explicit CheckedStreamReader(CStream& stream) : stream_(stream) {}

  bool ok() const { return ok_; }
  // Marks the stream as malformed from the caller's own checks.
  void Fail() { ok_ = false; }
  int64_t Left() const { return static_cast<int64_t>(stream_.GetSize()) - stream_.GetPosition(); }

  int32_t Integer() { return Need(4) ? stream_.ReadInteger() : 0; }
  double Real() { return Need(8) ? stream_.ReadReal() : 0.0; }
  // A boolean as stored: any non-zero integer.
  uint8_t Flag() { return Integer() != 0 ? 1 : 0; }
  float Single() { return static_cast<float>(Real()); }

  // A length-prefixed text; a length below 0 or past the end fails.
  std::string Text() {
    const int32_t length = Integer();
    if (length < 0) ok_ = false;
    if (!ok_ || length == 0 || !Need(length)) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    stream_.ReadBuffer(text.data(), length);
    return text;
  }

  // The same text in a new memory-manager buffer; null for length 0.
  char* ManagedText() {
    const int32_t length = Integer();
    if (length < 0) ok_ = false;
    if (!ok_ || length == 0 || !Need(length)) return nullptr;
    auto* text = static_cast<char*>(KV_ALLOC(static_cast<size_t>(length) + 1, true));
    stream_.ReadBuffer(text, length);
    return text;
  }

  // True when `count` records of at least `bytes` each can still follow.
  bool Fits(int64_t count, int64_t bytes) {
    if (count < 0 || count * bytes > Left()) ok_ = false;
    return ok_;
  }

  // A count of records of at least `bytes` each, which must all fit in what
  // is left; -1 (and failure) otherwise.
  int32_t Count(int64_t bytes) {
    const int32_t count = Integer();
    if (!ok_ || count < 0 || static_cast<int64_t>(count) * bytes > Left()) {
      ok_ = false;
      return -1;
    }
    return count;
  }

 private:
  bool Need(int64_t bytes) {
    if (ok_ && Left() < bytes) ok_ = false;
    return ok_;
  }

  CStream& stream_;
  bool ok_ = true;
};

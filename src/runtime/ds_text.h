// The binary records behind the hexadecimal text forms of stacks, queues,
// lists, priority queues and grids. Every field is little-endian; a value
// record is i32 kind, f64 real, i32 byte count and the text bytes.
//
// The reader checks every count against the bytes that are left, so a
// hostile text can never make it read past the end or allocate more than
// the text itself could describe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/script_value.h"
#include "runtime/stream.h"

// Identifiers that open each form.
enum DSTextId : int32_t {
  kDSTextStack = 101,
  kDSTextQueue = 201,
  kDSTextList = 301,
  kDSTextPriority = 501,
  kDSTextGrid = 601,
};

// Smallest possible value record: kind, real and an empty text.
constexpr int64_t kDSMinRecordBytes = 16;

class DSTextOut {
 public:
  void Int(int32_t value);
  void Real(double value);
  void Value(const ScriptValue& value);
  // The bytes written so far as upper-case hexadecimal text, owned by the
  // caller (MemoryManager). Never null.
  char* Finish() const;

 private:
  CStream m_stream;
};

class DSTextIn {
 public:
  // Decodes the hexadecimal text; false for a null text.
  bool Open(const char* text);
  // Each read answers false, leaving its target alone, when the bytes run out.
  bool Int(int32_t* value);
  bool Real(double* value);
  // Reads one record into a slot that holds no text.
  bool Value(ScriptValue* slot);
  // Reads an identifier and answers whether it is the expected one.
  bool Expect(int32_t id);
  // Whether `count` records could still fit in what is left.
  bool CanHold(int64_t count) const;

 private:
  bool Bytes(void* target, size_t count);
  size_t Left() const;
  CStream m_stream;
  size_t m_position = 0;
};

// What stacks and lists share: a growable array of value slots with a
// count, clearing, copying, and the text form of count then values.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class DSValueSequence {
 public:
  DSValueSequence() = default;
  virtual ~DSValueSequence();
  DSValueSequence(const DSValueSequence&) = delete;
  DSValueSequence& operator=(const DSValueSequence&) = delete;

  int32_t Size() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  void Clear();

 protected:
  // A null source clears; copying from itself changes nothing.
  void CopySequence(const DSValueSequence* source);
  // The text form under a kind's identifier.
  char* WriteSequence(int32_t kind) const;
  // False, with the sequence unchanged, for a null text or a bad form.
  bool ReadSequence(const char* text, int32_t kind);

  int32_t m_count = 0;
  int32_t m_capacity = 0;
  ScriptValue* m_slots = nullptr;

 private:
  void Swap(DSValueSequence& other);
};

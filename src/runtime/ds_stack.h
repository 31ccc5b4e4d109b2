// Last-in first-out stack of script values; the top is slot count - 1.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CDS_Stack {
 public:
  CDS_Stack() = default;
  virtual ~CDS_Stack();
  CDS_Stack(const CDS_Stack&) = delete;
  CDS_Stack& operator=(const CDS_Stack&) = delete;

  void Push(const ScriptValue* value);
  // The popped slot stays valid until the next push; null when empty.
  ScriptValue* Pop();
  ScriptValue* Top();
  int32_t Size() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  void Clear();
  // A null source clears; copying from itself changes nothing.
  void Copy(const CDS_Stack* source);

  // Hexadecimal text form, owned by the caller.
  char* WriteText() const;
  // False, with the stack unchanged, for a null text or a bad form.
  bool ReadText(const char* text);

 private:
  void Swap(CDS_Stack& other);

  int32_t m_count = 0;
  int32_t m_capacity = 0;
  ScriptValue* m_slots = nullptr;
};

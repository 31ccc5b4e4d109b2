// Priority queue: parallel, unsorted arrays of values and priorities in the
// order of adding, searched on demand. Removing an entry moves the last one
// into its place.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CDS_Priority {
 public:
  CDS_Priority() = default;
  virtual ~CDS_Priority();
  CDS_Priority(const CDS_Priority&) = delete;
  CDS_Priority& operator=(const CDS_Priority&) = delete;

  void Add(const ScriptValue* value, const ScriptValue* priority);
  // The value of the entry with the lowest (highest) priority; the first in
  // storage order wins ties. Null when empty.
  ScriptValue* FindMin();
  ScriptValue* FindMax();
  // As FindMin/FindMax, and the entry is removed; its value (text included)
  // moves into `result`. An empty queue gives real 0.
  void DeleteMin(ScriptValue* result);
  void DeleteMax(ScriptValue* result);
  // These act on the first entry whose value compares equal.
  void ChangePriority(const ScriptValue* value, const ScriptValue* priority);
  ScriptValue* FindPriority(const ScriptValue* value);
  void DeleteValue(const ScriptValue* value);
  int32_t Size() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  void Clear();
  void Copy(const CDS_Priority* source);

  char* WriteText() const;
  bool ReadText(const char* text);

 private:
  int32_t Extreme(int sign) const;
  int32_t FindEqual(const ScriptValue* value) const;
  void Remove(int32_t index);
  void TakeOut(int32_t index, ScriptValue* result);
  void Swap(CDS_Priority& other);

  int32_t m_count = 0;
  int32_t m_valueCapacity = 0;
  ScriptValue* m_values = nullptr;
  int32_t m_priorityCapacity = 0;
  ScriptValue* m_priorities = nullptr;
};

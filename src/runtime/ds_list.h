// Ordered list of script values with positions 0 .. count - 1. Positions
// out of range are ignored without a message.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CDS_List {
 public:
  CDS_List() = default;
  virtual ~CDS_List();
  CDS_List(const CDS_List&) = delete;
  CDS_List& operator=(const CDS_List&) = delete;

  void Add(const ScriptValue* value);
  // 0 <= position <= count; count appends.
  void Insert(int32_t position, const ScriptValue* value);
  void Replace(int32_t position, const ScriptValue* value);
  void Delete(int32_t position);
  // First position that compares equal, or -1.
  int32_t FindIndex(const ScriptValue* value) const;
  ScriptValue* FindValue(int32_t position);
  // Stable insertion sort; descending also moves past equal neighbours.
  void Sort(bool ascending);
  // count * 8 exchanges drawn from the script random generator.
  void Shuffle();
  int32_t Size() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  void Clear();
  void Copy(const CDS_List* source);

  char* WriteText() const;
  bool ReadText(const char* text);

 private:
  bool InRange(int32_t position) const { return position >= 0 && position < m_count; }
  void Swap(CDS_List& other);

  int32_t m_count = 0;
  int32_t m_capacity = 0;
  ScriptValue* m_slots = nullptr;
};

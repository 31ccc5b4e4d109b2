// Ordered list of script values with positions 0 .. count - 1. Positions
// out of range are ignored without a message.
#pragma once

#include <cstdint>

#include "runtime/ds_sequence.h"
#include "runtime/ds_text.h"
#include "runtime/script_value.h"

class CDS_List : public DSValueSequence {
 public:
  void Add(const ScriptValue* value);
  // Room for `count` more values, made in one step.
  void Reserve(int32_t count);
  // Appends the value and takes over its text; the value is left real 0.
  void AddTaking(ScriptValue* value);
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
  void Copy(const CDS_List* source) { CopySequence(source); }

  char* WriteText() const { return WriteSequence(kDSTextList); }
  bool ReadText(const char* text) { return ReadSequence(text, kDSTextList); }

 private:
  bool InRange(int32_t position) const { return position >= 0 && position < m_count; }
};

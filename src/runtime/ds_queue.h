// First-in first-out queue of script values. Live values are the slots from
// head to tail - 1; spent slots stay in the array (and in the text form)
// until enough of the front is spent to move the rest down. The capacity,
// part of the text form, grows 16 slots at a time; the array beneath it
// grows geometrically.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CDS_Queue {
 public:
  CDS_Queue() = default;
  virtual ~CDS_Queue();
  CDS_Queue(const CDS_Queue&) = delete;
  CDS_Queue& operator=(const CDS_Queue&) = delete;

  void Enqueue(const ScriptValue* value);
  // The slot taken; it stays valid until the next enqueue. Null when empty.
  ScriptValue* Dequeue();
  ScriptValue* Head();
  ScriptValue* Tail();
  int32_t Size() const { return m_tail - m_head; }
  bool Empty() const { return m_tail == m_head; }
  void Clear();
  // A null source clears; copying from itself changes nothing.
  void Copy(const CDS_Queue* source);

  char* WriteText() const;
  bool ReadText(const char* text);

  int32_t TailIndex() const { return m_tail; }
  int32_t HeadIndex() const { return m_head; }
  int32_t Capacity() const { return m_capacity; }
  // Slot by array index (0 .. capacity - 1), live or not; null outside.
  const ScriptValue* SlotAt(int32_t index) const;

 private:
  void Compact();
  void Swap(CDS_Queue& other);

  int32_t m_tail = 0;
  int32_t m_head = 0;
  int32_t m_capacity = 0;
  int32_t m_room = 0;  // slots of the array, at least the capacity
  ScriptValue* m_slots = nullptr;
};

#include "runtime/ds_queue.h"

#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

// The front is moved down once this many slots are spent and they are more
// than half of the used ones.
constexpr int32_t kCompactAfter = 17;
// What the capacity grows by when the tail reaches it.
constexpr int32_t kCapacityStep = 16;

}  // namespace

CDS_Queue::~CDS_Queue() {
  Clear();
  MemoryManager::Free(m_slots);
}

void CDS_Queue::Enqueue(const ScriptValue* value) {
  DSValueGuard guard(value, m_slots, m_room);
  if (m_tail >= m_capacity) {
    m_capacity = m_tail + kCapacityStep;
    DS_ReserveSlots(&m_slots, &m_room, m_capacity);
  }
  DS_StoreValue(&m_slots[m_tail], guard.Get());
  ++m_tail;
}

ScriptValue* CDS_Queue::Dequeue() {
  if (m_head == m_tail) return nullptr;
  ScriptValue* taken = &m_slots[m_head];
  ++m_head;
  if (m_head >= kCompactAfter && m_head > m_tail / 2) Compact();
  return taken;
}

// Live slots go to the bottom. Since head > tail / 2 they end below
// head - 1, so the slot just handed out is never written.
void CDS_Queue::Compact() {
  int32_t live = m_tail - m_head;
  for (int32_t i = 0; i < live; ++i) DS_StoreValue(&m_slots[i], &m_slots[m_head + i]);
  m_tail = live;
  m_head = 0;
}

ScriptValue* CDS_Queue::Head() { return Empty() ? nullptr : &m_slots[m_head]; }

ScriptValue* CDS_Queue::Tail() { return Empty() ? nullptr : &m_slots[m_tail - 1]; }

const ScriptValue* CDS_Queue::SlotAt(int32_t index) const {
  return index >= 0 && index < m_capacity ? &m_slots[index] : nullptr;
}

void CDS_Queue::Clear() {
  DS_ResetSlots(m_slots, m_room);
  m_head = 0;
  m_tail = 0;
  m_capacity = 0;
}

void CDS_Queue::Copy(const CDS_Queue* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr) return;
  DS_ReserveSlots(&m_slots, &m_room, source->m_capacity);
  for (int32_t i = 0; i < source->m_capacity; ++i) DS_StoreValue(&m_slots[i], &source->m_slots[i]);
  m_capacity = source->m_capacity;
  m_tail = source->m_tail;
  m_head = source->m_head;
}

void CDS_Queue::Swap(CDS_Queue& other) {
  std::swap(m_tail, other.m_tail);
  std::swap(m_head, other.m_head);
  std::swap(m_capacity, other.m_capacity);
  std::swap(m_room, other.m_room);
  std::swap(m_slots, other.m_slots);
}

char* CDS_Queue::WriteText() const {
  DSTextOut out;
  out.Int(kDSTextQueue);
  out.Int(m_tail);
  out.Int(m_head);
  out.Int(m_capacity);
  for (int32_t i = 0; i < m_capacity; ++i) out.Value(m_slots[i]);
  return out.Finish();
}

bool CDS_Queue::ReadText(const char* text) {
  DSTextIn in;
  int32_t tail = 0;
  int32_t head = 0;
  int32_t capacity = 0;
  if (!in.Open(text) || !in.Expect(kDSTextQueue) || !in.Int(&tail) || !in.Int(&head) || !in.Int(&capacity)) {
    return false;
  }
  if (head < 0 || head > tail || tail > capacity || !in.CanHold(capacity)) return false;
  CDS_Queue read;
  read.m_capacity = read.m_room = capacity;
  DS_ResizeSlots(&read.m_slots, capacity);
  for (int32_t i = 0; i < capacity; ++i) {
    if (!in.Value(&read.m_slots[i])) return false;
  }
  read.m_tail = tail;
  read.m_head = head;
  Swap(read);
  return true;
}

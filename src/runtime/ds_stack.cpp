#include "runtime/ds_stack.h"

#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

CDS_Stack::~CDS_Stack() {
  Clear();
  MemoryManager::Free(m_slots);
}

void CDS_Stack::Push(const ScriptValue* value) {
  DSValueGuard guard(value, m_slots, m_capacity);
  DS_GrowSlots(&m_slots, &m_capacity, m_count);
  DS_StoreValue(&m_slots[m_count], guard.Get());
  ++m_count;
}

ScriptValue* CDS_Stack::Pop() {
  if (m_count == 0) return nullptr;
  --m_count;
  return &m_slots[m_count];
}

ScriptValue* CDS_Stack::Top() { return m_count == 0 ? nullptr : &m_slots[m_count - 1]; }

void CDS_Stack::Clear() {
  // Popped slots beyond the count may still hold text buffers.
  DS_ResetSlots(m_slots, m_capacity);
  m_count = 0;
  m_capacity = 0;
}

void CDS_Stack::Copy(const CDS_Stack* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr || source->m_count == 0) return;
  m_capacity = source->m_count;
  DS_ResizeSlots(&m_slots, m_capacity);
  for (int32_t i = 0; i < source->m_count; ++i) DS_StoreValue(&m_slots[i], &source->m_slots[i]);
  m_count = source->m_count;
}

void CDS_Stack::Swap(CDS_Stack& other) {
  std::swap(m_count, other.m_count);
  std::swap(m_capacity, other.m_capacity);
  std::swap(m_slots, other.m_slots);
}

char* CDS_Stack::WriteText() const {
  DSTextOut out;
  out.Int(kDSTextStack);
  out.Int(m_count);
  for (int32_t i = 0; i < m_count; ++i) out.Value(m_slots[i]);
  return out.Finish();
}

bool CDS_Stack::ReadText(const char* text) {
  DSTextIn in;
  int32_t count = 0;
  if (!in.Open(text) || !in.Expect(kDSTextStack) || !in.Int(&count) || !in.CanHold(count)) {
    return false;
  }
  CDS_Stack read;
  read.m_capacity = count;
  DS_ResizeSlots(&read.m_slots, count);
  for (; read.m_count < count; ++read.m_count) {
    if (!in.Value(&read.m_slots[read.m_count])) return false;
  }
  Swap(read);
  return true;
}

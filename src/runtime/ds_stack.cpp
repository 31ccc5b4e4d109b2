#include "runtime/ds_stack.h"

#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

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

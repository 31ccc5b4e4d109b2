#include "runtime/ds_list.h"

#include <cstring>
#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

void CDS_List::Add(const ScriptValue* value) { Insert(m_count, value); }

void CDS_List::Reserve(int32_t count) {
  if (count <= m_capacity - m_count) return;
  m_capacity = m_count + count;
  DS_ResizeSlots(&m_slots, m_capacity);
}

void CDS_List::AddTaking(ScriptValue* value) {
  DS_GrowSlots(&m_slots, &m_capacity, m_count);
  DS_ResetSlot(&m_slots[m_count]);
  m_slots[m_count++] = *value;
  *value = ScriptValue{};
}

void CDS_List::Insert(int32_t position, const ScriptValue* value) {
  if (position < 0 || position > m_count) return;
  DSValueGuard guard(value, m_slots, m_capacity);
  DS_GrowSlots(&m_slots, &m_capacity, m_count);
  DS_ResetSlot(&m_slots[m_count]);
  std::memmove(&m_slots[position + 1], &m_slots[position],
               static_cast<size_t>(m_count - position) * sizeof(ScriptValue));
  m_slots[position] = ScriptValue{};
  DS_StoreValue(&m_slots[position], guard.Get());
  ++m_count;
}

void CDS_List::Replace(int32_t position, const ScriptValue* value) {
  if (InRange(position)) DS_StoreValue(&m_slots[position], value);
}

void CDS_List::Delete(int32_t position) {
  if (!InRange(position)) return;
  DS_ResetSlot(&m_slots[position]);
  std::memmove(&m_slots[position], &m_slots[position + 1],
               static_cast<size_t>(m_count - position - 1) * sizeof(ScriptValue));
  m_slots[m_count - 1] = ScriptValue{};
  --m_count;
}

int32_t CDS_List::FindIndex(const ScriptValue* value) const {
  for (int32_t i = 0; i < m_count; ++i) {
    if (DS_CompareValues(&m_slots[i], value) == 0) return i;
  }
  return -1;
}

ScriptValue* CDS_List::FindValue(int32_t position) { return InRange(position) ? &m_slots[position] : nullptr; }

// The comparison is no strict ordering, so a library sort could misbehave;
// this one only ever swaps neighbours and always ends.
void CDS_List::Sort(bool ascending) {
  for (int32_t i = 1; i < m_count; ++i) {
    for (int32_t j = i; j > 0; --j) {
      int order = DS_CompareValues(&m_slots[j - 1], &m_slots[j]);
      if (ascending ? order <= 0 : order > 0) break;
      DS_SwapSlots(&m_slots[j - 1], &m_slots[j]);
    }
  }
}

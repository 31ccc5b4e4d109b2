#include "runtime/ds_priority.h"

#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

CDS_Priority::~CDS_Priority() { Clear(); }

void CDS_Priority::Add(const ScriptValue* value, const ScriptValue* priority) {
  DSValueGuard valueGuard(value, m_values, m_valueCapacity);
  DSValueGuard priorityGuard(priority, m_priorities, m_priorityCapacity);
  DS_GrowSlots(&m_values, &m_valueCapacity, m_count);
  DS_GrowSlots(&m_priorities, &m_priorityCapacity, m_count);
  DS_StoreValue(&m_values[m_count], valueGuard.Get());
  DS_StoreValue(&m_priorities[m_count], priorityGuard.Get());
  ++m_count;
}

// sign -1 finds the lowest priority, +1 the highest; -1 when empty.
int32_t CDS_Priority::Extreme(int sign) const {
  if (m_count == 0) return -1;
  int32_t best = 0;
  for (int32_t i = 1; i < m_count; ++i) {
    if (DS_CompareValues(&m_priorities[i], &m_priorities[best]) == sign) best = i;
  }
  return best;
}

int32_t CDS_Priority::FindEqual(const ScriptValue* value) const {
  for (int32_t i = 0; i < m_count; ++i) {
    if (DS_CompareValues(&m_values[i], value) == 0) return i;
  }
  return -1;
}

ScriptValue* CDS_Priority::FindMin() {
  int32_t i = Extreme(-1);
  return i < 0 ? nullptr : &m_values[i];
}

ScriptValue* CDS_Priority::FindMax() {
  int32_t i = Extreme(1);
  return i < 0 ? nullptr : &m_values[i];
}

// Frees the entry's texts and fills its place with the last entry.
void CDS_Priority::Remove(int32_t index) {
  int32_t last = m_count - 1;
  DS_ResetSlot(&m_values[index]);
  DS_ResetSlot(&m_priorities[index]);
  if (index != last) {
    m_values[index] = m_values[last];
    m_priorities[index] = m_priorities[last];
    m_values[last] = ScriptValue{};
    m_priorities[last] = ScriptValue{};
  }
  m_count = last;
}

void CDS_Priority::TakeOut(int32_t index, ScriptValue* result) {
  ScriptValue_Release(result);
  if (index < 0) {
    ScriptValue_SetReal(result, 0.0);
    return;
  }
  *result = m_values[index];
  m_values[index] = ScriptValue{};
  Remove(index);
}

void CDS_Priority::DeleteMin(ScriptValue* result) { TakeOut(Extreme(-1), result); }

void CDS_Priority::DeleteMax(ScriptValue* result) { TakeOut(Extreme(1), result); }

void CDS_Priority::ChangePriority(const ScriptValue* value, const ScriptValue* priority) {
  int32_t i = FindEqual(value);
  if (i >= 0) DS_StoreValue(&m_priorities[i], priority);
}

ScriptValue* CDS_Priority::FindPriority(const ScriptValue* value) {
  int32_t i = FindEqual(value);
  return i < 0 ? nullptr : &m_priorities[i];
}

void CDS_Priority::DeleteValue(const ScriptValue* value) {
  int32_t i = FindEqual(value);
  if (i >= 0) Remove(i);
}

void CDS_Priority::Clear() {
  DS_ResetSlots(m_values, m_valueCapacity);
  DS_ResetSlots(m_priorities, m_priorityCapacity);
  MemoryManager::Free(m_values);
  MemoryManager::Free(m_priorities);
  m_values = nullptr;
  m_priorities = nullptr;
  m_valueCapacity = 0;
  m_priorityCapacity = 0;
  m_count = 0;
}

void CDS_Priority::Copy(const CDS_Priority* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr || source->m_count == 0) return;
  m_valueCapacity = m_priorityCapacity = source->m_count;
  DS_ResizeSlots(&m_values, m_valueCapacity);
  DS_ResizeSlots(&m_priorities, m_priorityCapacity);
  for (int32_t i = 0; i < source->m_count; ++i) {
    DS_StoreValue(&m_values[i], &source->m_values[i]);
    DS_StoreValue(&m_priorities[i], &source->m_priorities[i]);
  }
  m_count = source->m_count;
}

void CDS_Priority::Swap(CDS_Priority& other) {
  std::swap(m_count, other.m_count);
  std::swap(m_valueCapacity, other.m_valueCapacity);
  std::swap(m_values, other.m_values);
  std::swap(m_priorityCapacity, other.m_priorityCapacity);
  std::swap(m_priorities, other.m_priorities);
}

char* CDS_Priority::WriteText() const {
  DSTextOut out;
  out.Int(kDSTextPriority);
  out.Int(m_count);
  for (int32_t i = 0; i < m_count; ++i) out.Value(m_priorities[i]);
  for (int32_t i = 0; i < m_count; ++i) out.Value(m_values[i]);
  return out.Finish();
}

bool CDS_Priority::ReadText(const char* text) {
  DSTextIn in;
  int32_t count = 0;
  if (!in.Open(text) || !in.Expect(kDSTextPriority) || !in.Int(&count) ||
      !in.CanHold(static_cast<int64_t>(count) * 2)) {
    return false;
  }
  CDS_Priority read;
  read.m_valueCapacity = read.m_priorityCapacity = count;
  DS_ResizeSlots(&read.m_values, count);
  DS_ResizeSlots(&read.m_priorities, count);
  for (int32_t i = 0; i < count; ++i) {
    if (!in.Value(&read.m_priorities[i])) return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    if (!in.Value(&read.m_values[i])) return false;
  }
  read.m_count = count;
  Swap(read);
  return true;
}

#include "runtime/ds_sequence.h"

#include <utility>

#include "runtime/ds_text.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

DSValueSequence::~DSValueSequence() {
  Clear();
  MemoryManager::Free(m_slots);
}

void DSValueSequence::Clear() {
  // Slots beyond the count (popped or deleted) may still hold text buffers.
  DS_ResetSlots(m_slots, m_capacity);
  m_count = 0;
  m_capacity = 0;
}

void DSValueSequence::CopySequence(const DSValueSequence* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr || source->m_count == 0) return;
  m_capacity = source->m_count;
  DS_ResizeSlots(&m_slots, m_capacity);
  for (int32_t i = 0; i < source->m_count; ++i) DS_StoreValue(&m_slots[i], &source->m_slots[i]);
  m_count = source->m_count;
}

void DSValueSequence::Swap(DSValueSequence& other) {
  std::swap(m_count, other.m_count);
  std::swap(m_capacity, other.m_capacity);
  std::swap(m_slots, other.m_slots);
}

char* DSValueSequence::WriteSequence(int32_t kind) const {
  DSTextOut out;
  out.Int(kind);
  out.Int(m_count);
  for (int32_t i = 0; i < m_count; ++i) out.Value(m_slots[i]);
  return out.Finish();
}

bool DSValueSequence::ReadSequence(const char* text, int32_t kind) {
  DSTextIn in;
  int32_t count = 0;
  if (!in.Open(text) || !in.Expect(kind) || !in.Int(&count) || !in.CanHold(count)) return false;
  DSValueSequence read;
  read.m_capacity = count;
  DS_ResizeSlots(&read.m_slots, count);
  for (; read.m_count < count; ++read.m_count) {
    if (!in.Value(&read.m_slots[read.m_count])) return false;
  }
  Swap(read);
  return true;
}

#include "runtime/ds_value.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "runtime/memory.h"

double g_dsPrecision = 1e-08;

namespace {

constexpr int32_t kGrowth = 16;
// The most slots one block can hold.
constexpr int64_t kMaxSlots = static_cast<int64_t>(MemoryManager::kMaxSize / sizeof(ScriptValue));

// Byte `index` of the text a followed by b.
unsigned char JoinedByte(const char* a, int64_t la, const char* b, int64_t index) {
  return static_cast<unsigned char>(index < la ? a[index] : b[index - la]);
}

// Length of a + b cut to the join limit without splitting a UTF-8 sequence.
int64_t JoinedLength(const char* a, int64_t la, const char* b, int64_t lb) {
  int64_t total = la + lb;
  if (total <= kDSMaxJoinedLength) return total;
  int64_t cut = kDSMaxJoinedLength;
  while (cut > 0 && (JoinedByte(a, la, b, cut) & 0xC0) == 0x80) --cut;
  return cut;
}

void JoinStrings(ScriptValue* slot, const ScriptValue* value) {
  const char* a = slot->text == nullptr ? "" : slot->text;
  const char* b = value->text == nullptr ? "" : value->text;
  int64_t la = static_cast<int64_t>(std::strlen(a));
  int64_t lb = static_cast<int64_t>(std::strlen(b));
  if (la + lb == 0) return;
  int64_t keep = JoinedLength(a, la, b, lb);
  // Built in a fresh block: the value may be the slot itself.
  auto* joined = static_cast<char*>(KV_ALLOC(static_cast<size_t>(keep) + 1, false));
  int64_t fromA = keep < la ? keep : la;
  std::memcpy(joined, a, static_cast<size_t>(fromA));
  std::memcpy(joined + fromA, b, static_cast<size_t>(keep - fromA));
  joined[keep] = '\0';
  MemoryManager::Free(slot->text);
  slot->text = joined;
}

}  // namespace

void DS_SetPrecision(double precision) { g_dsPrecision = std::fabs(precision); }

bool DS_IsString(const ScriptValue& value) { return value.kind == kValueString; }

int DS_CompareValues(const ScriptValue* a, const ScriptValue* b) {
  if (!DS_IsString(*a) && !DS_IsString(*b)) {
    float d = static_cast<float>(a->real) - static_cast<float>(b->real);
    if (std::fabs(d) < g_dsPrecision) return 0;
    return d < 0.0f ? -1 : 1;
  }
  if (a->text == nullptr || b->text == nullptr) return 1;
  int order = std::strcmp(a->text, b->text);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void DS_OperateValue(int32_t op, ScriptValue* slot, const ScriptValue* value) {
  bool bothReal = !DS_IsString(*slot) && !DS_IsString(*value);
  bool bothString = DS_IsString(*slot) && DS_IsString(*value);
  switch (op) {
    case kDSOpSet: DS_StoreValue(slot, value); return;
    case kDSOpAdd:
      if (bothReal) {
        slot->real += value->real;
      } else if (bothString) {
        JoinStrings(slot, value);
      } else {
        DS_StoreValue(slot, value);
      }
      return;
    case kDSOpMultiply:
      if (bothReal) slot->real *= value->real;
      return;
    default: return;
  }
}

void DS_StoreText(ScriptValue* slot, const char* text, int64_t length) {
  if (text == nullptr) {
    MemoryManager::Free(slot->text);
    slot->text = nullptr;
    return;
  }
  size_t needed = static_cast<size_t>(length) + 1;
  if (slot->text == nullptr || MemoryManager::GetSize(slot->text) < needed) {
    MemoryManager::Free(slot->text);
    slot->text = static_cast<char*>(KV_ALLOC(needed, false));
  }
  std::memmove(slot->text, text, static_cast<size_t>(length));
  slot->text[length] = '\0';
}

void DS_StoreValue(ScriptValue* slot, const ScriptValue* value) {
  if (slot == value) return;
  if (DS_IsString(*value)) {
    const char* text = value->text;
    DS_StoreText(slot, text, text == nullptr ? 0 : static_cast<int64_t>(std::strlen(text)));
  } else {
    MemoryManager::Free(slot->text);
    slot->text = nullptr;
  }
  slot->kind = value->kind;
  slot->real = value->real;
}

void DS_ResetSlot(ScriptValue* slot) {
  MemoryManager::Free(slot->text);
  slot->text = nullptr;
  slot->kind = kValueReal;
  slot->real = 0.0;
}

void DS_ResetSlots(ScriptValue* slots, int32_t count) {
  for (int32_t i = 0; i < count; ++i) DS_ResetSlot(&slots[i]);
}

void DS_SwapSlots(ScriptValue* a, ScriptValue* b) {
  std::swap(a->kind, b->kind);
  std::swap(a->text, b->text);
  std::swap(a->real, b->real);
}

void DS_ResizeSlots(ScriptValue** slots, int32_t count) {
  size_t bytes = static_cast<size_t>(count < 0 ? 0 : count) * sizeof(ScriptValue);
  MemoryManager::SetLength(slots, bytes, __FILE__, __LINE__);
}

void DS_ReserveSlots(ScriptValue** slots, int32_t* room, int32_t needed) {
  if (needed <= *room) return;
  const int64_t held = *room < 0 ? 0 : *room;
  const int64_t grown = std::min(held + std::max<int64_t>(kGrowth, held / 2), kMaxSlots);
  *room = static_cast<int32_t>(std::max<int64_t>(needed, grown));
  DS_ResizeSlots(slots, *room);
}

void DS_GrowSlots(ScriptValue** slots, int32_t* capacity, int32_t used) {
  if (used >= *capacity) DS_ReserveSlots(slots, capacity, used + 1);
}

bool DS_PointsInto(const ScriptValue* value, const ScriptValue* slots, int32_t capacity) {
  if (slots == nullptr || capacity <= 0) return false;
  auto at = reinterpret_cast<uintptr_t>(value);
  auto start = reinterpret_cast<uintptr_t>(slots);
  return at >= start && at < start + static_cast<uintptr_t>(capacity) * sizeof(ScriptValue);
}

DSValueGuard::DSValueGuard(const ScriptValue* value, const ScriptValue* slots, int32_t capacity) : m_value(value) {
  if (DS_PointsInto(value, slots, capacity)) {
    ScriptValue_Copy(&m_copy, value);
    m_value = &m_copy;
  }
}

DSValueGuard::~DSValueGuard() { ScriptValue_Release(&m_copy); }

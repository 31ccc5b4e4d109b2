#include "runtime/ds_map.h"

#include <cstring>

#include "runtime/crc32.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

constexpr uint32_t kBucketMask = CDS_Map::kBuckets - 1;

const char* KeyText(const ScriptValue& key) { return key.text == nullptr ? "" : key.text; }

}  // namespace

uint32_t DS_MapKeyHash(const ScriptValue& key) {
  if (DS_IsString(key)) return CRC32_String(KeyText(key));
  return CRC32_Buffer(&key.real, sizeof key.real);
}

bool DS_MapKeysEqual(const ScriptValue& a, const ScriptValue& b) {
  if (DS_IsString(a) != DS_IsString(b)) return false;
  if (DS_IsString(a)) return std::strcmp(KeyText(a), KeyText(b)) == 0;
  return std::memcmp(&a.real, &b.real, sizeof a.real) == 0;
}

namespace {
uint64_t g_mapSerial = 0;
}  // namespace

CDS_Map::CDS_Map() : m_serial(++g_mapSerial) {}

CDS_Map::~CDS_Map() { Clear(); }

uint32_t CDS_Map::Slot(uint32_t hash) const {
  // The CRC's low bits also pick the bucket; mixing spreads keys that share them.
  return static_cast<uint32_t>((uint64_t{hash} * 0x9E3779B97F4A7C15u) >> 32) & m_indexMask;
}

DSMapEntry* CDS_Map::Find(const ScriptValue* key) const {
  if (m_index == nullptr) return nullptr;
  uint32_t hash = DS_MapKeyHash(*key);
  for (uint32_t i = Slot(hash); m_index[i] != nullptr; i = (i + 1) & m_indexMask) {
    DSMapEntry* e = m_index[i];
    if (e->hash == hash && DS_MapKeysEqual(e->key, *key)) return e;
  }
  return nullptr;
}

void CDS_Map::IndexGrow() {
  DSMapEntry** old = m_index;
  uint32_t oldSize = old == nullptr ? 0 : m_indexMask + 1;
  uint32_t size = oldSize == 0 ? 8 : oldSize * 2;
  m_index = static_cast<DSMapEntry**>(KV_ALLOC(sizeof(DSMapEntry*) * size, true));
  m_indexMask = size - 1;
  for (uint32_t i = 0; i < oldSize; ++i) {
    if (old[i] != nullptr) IndexInsert(old[i]);
  }
  MemoryManager::Free(old);
}

void CDS_Map::IndexInsert(DSMapEntry* entry) {
  uint32_t i = Slot(entry->hash);
  while (m_index[i] != nullptr) i = (i + 1) & m_indexMask;
  m_index[i] = entry;
}

void CDS_Map::IndexRemove(const DSMapEntry* entry) {
  uint32_t hole = Slot(entry->hash);
  while (m_index[hole] != entry) hole = (hole + 1) & m_indexMask;
  // Moves back every later entry of the run that the hole would cut off
  // from its own slot, so probing never stops early.
  for (uint32_t i = (hole + 1) & m_indexMask; m_index[i] != nullptr; i = (i + 1) & m_indexMask) {
    uint32_t home = Slot(m_index[i]->hash);
    if (((i - home) & m_indexMask) < ((i - hole) & m_indexMask)) continue;
    m_index[hole] = m_index[i];
    hole = i;
  }
  m_index[hole] = nullptr;
}

CDS_Map::Bucket& CDS_Map::BucketOf(uint32_t hash) {
  uint32_t bucket = hash & kBucketMask;
  if (m_groups == nullptr) m_groups = static_cast<Group**>(KV_ALLOC(sizeof(Group*) * kGroups, true));
  Group*& group = m_groups[bucket >> kGroupBits];
  if (group == nullptr) group = static_cast<Group*>(KV_ALLOC(sizeof(Group), true));
  return group->buckets[bucket & (kGroupSize - 1)];
}

void CDS_Map::Append(const ScriptValue* key, const ScriptValue* value) {
  auto* entry = new DSMapEntry{};
  DS_StoreValue(&entry->key, key);
  DS_StoreValue(&entry->value, value);
  entry->hash = DS_MapKeyHash(*key);
  Bucket& bucket = BucketOf(entry->hash);
  entry->previous = bucket.last;
  if (bucket.last != nullptr)
    bucket.last->next = entry;
  else
    bucket.first = entry;
  bucket.last = entry;
  uint32_t b = entry->hash & kBucketMask;
  m_groups[b >> kGroupBits]->used |= uint64_t{1} << (b & (kGroupSize - 1));
  m_usedGroups |= uint64_t{1} << (b >> kGroupBits);
  if (static_cast<uint32_t>(m_count + 1) * 2 > (m_index == nullptr ? 0 : m_indexMask + 1)) IndexGrow();
  IndexInsert(entry);
  ++m_count;
}

void CDS_Map::Unlink(DSMapEntry* entry) {
  IndexRemove(entry);
  uint32_t b = entry->hash & kBucketMask;
  Group* group = m_groups[b >> kGroupBits];
  Bucket& bucket = group->buckets[b & (kGroupSize - 1)];
  if (entry->previous != nullptr)
    entry->previous->next = entry->next;
  else
    bucket.first = entry->next;
  if (entry->next != nullptr)
    entry->next->previous = entry->previous;
  else
    bucket.last = entry->previous;
  if (bucket.first == nullptr) group->used &= ~(uint64_t{1} << (b & (kGroupSize - 1)));
  if (group->used == 0) m_usedGroups &= ~(uint64_t{1} << (b >> kGroupBits));
  DS_ResetSlot(&entry->key);
  DS_ResetSlot(&entry->value);
  delete entry;
  --m_count;
}

bool CDS_Map::Add(const ScriptValue* key, const ScriptValue* value) {
  if (Find(key) != nullptr) return false;
  Append(key, value);
  return true;
}

bool CDS_Map::Replace(const ScriptValue* key, const ScriptValue* value) {
  DSMapEntry* entry = Find(key);
  if (entry == nullptr) {
    Append(key, value);
    return false;
  }
  DS_StoreValue(&entry->value, value);
  return true;
}

bool CDS_Map::Delete(const ScriptValue* key) {
  DSMapEntry* entry = Find(key);
  if (entry == nullptr) return false;
  Unlink(entry);
  return true;
}

bool CDS_Map::Exists(const ScriptValue* key) const { return Find(key) != nullptr; }

ScriptValue* CDS_Map::FindValue(const ScriptValue* key) {
  DSMapEntry* entry = Find(key);
  return entry == nullptr ? nullptr : &entry->value;
}

void CDS_Map::Clear() {
  for (DSMapEntry* e = LastBefore(kBuckets); e != nullptr; e = LastBefore(kBuckets)) Unlink(e);
  if (m_groups != nullptr) {
    for (int32_t g = 0; g < kGroups; ++g) MemoryManager::Free(m_groups[g]);
  }
  MemoryManager::Free(m_groups);
  MemoryManager::Free(m_index);
  m_groups = nullptr;
  m_index = nullptr;
  m_indexMask = 0;
}

void CDS_Map::Copy(const CDS_Map* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr) return;
  for (const DSMapEntry* e = source->FirstFrom(0); e != nullptr; e = source->After(e)) {
    Append(&e->key, &e->value);
  }
}

DSMapEntry* CDS_Map::FirstFrom(int32_t bucket) const {
  if (bucket >= kBuckets) return nullptr;
  int32_t g = bucket >> kGroupBits;
  if (m_groups != nullptr && m_groups[g] != nullptr) {
    uint64_t here = m_groups[g]->used & (~uint64_t{0} << (bucket & (kGroupSize - 1)));
    if (here != 0) return m_groups[g]->buckets[__builtin_ctzll(here)].first;
  }
  uint64_t later = g + 1 < kGroups ? m_usedGroups & (~uint64_t{0} << (g + 1)) : 0;
  if (later == 0) return nullptr;
  const Group* next = m_groups[__builtin_ctzll(later)];
  return next->buckets[__builtin_ctzll(next->used)].first;
}

DSMapEntry* CDS_Map::LastBefore(int32_t bucket) const {
  if (bucket <= 0 || m_groups == nullptr) return nullptr;
  int32_t last = bucket - 1, g = last >> kGroupBits, bit = last & (kGroupSize - 1);
  if (m_groups[g] != nullptr) {
    uint64_t here = m_groups[g]->used & (bit == kGroupSize - 1 ? ~uint64_t{0} : (uint64_t{1} << (bit + 1)) - 1);
    if (here != 0) return m_groups[g]->buckets[63 - __builtin_clzll(here)].last;
  }
  uint64_t earlier = m_usedGroups & ((uint64_t{1} << g) - 1);
  if (earlier == 0) return nullptr;
  const Group* previous = m_groups[63 - __builtin_clzll(earlier)];
  return previous->buckets[63 - __builtin_clzll(previous->used)].last;
}

const DSMapEntry* CDS_Map::After(const DSMapEntry* entry) const {
  if (entry->next != nullptr) return entry->next;
  return FirstFrom(static_cast<int32_t>(entry->hash & kBucketMask) + 1);
}

const DSMapEntry* CDS_Map::Before(const DSMapEntry* entry) const {
  if (entry->previous != nullptr) return entry->previous;
  return LastBefore(static_cast<int32_t>(entry->hash & kBucketMask));
}

const DSMapEntry* CDS_Map::FirstEntry() const { return FirstFrom(0); }

const ScriptValue* CDS_Map::FindFirst() const {
  const DSMapEntry* e = FirstFrom(0);
  return e == nullptr ? nullptr : &e->key;
}

const ScriptValue* CDS_Map::FindLast() const {
  const DSMapEntry* e = LastBefore(kBuckets);
  return e == nullptr ? nullptr : &e->key;
}

const ScriptValue* CDS_Map::FindNext(const ScriptValue* key) const {
  const DSMapEntry* e = Find(key);
  if (e != nullptr) e = After(e);
  return e == nullptr ? nullptr : &e->key;
}

const ScriptValue* CDS_Map::FindPrevious(const ScriptValue* key) const {
  const DSMapEntry* e = Find(key);
  if (e != nullptr) e = Before(e);
  return e == nullptr ? nullptr : &e->key;
}

#include "runtime/ds_map.h"

#include <algorithm>
#include <cstring>

#include "runtime/crc32.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

namespace {

constexpr uint32_t kBucketMask = CDS_Map::kBuckets - 1;

const char* KeyText(const ScriptValue& key) { return key.text == nullptr ? "" : key.text; }

int32_t Count(uint64_t bits) { return __builtin_popcountll(bits); }

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

void CDS_Map::IndexGrow() { IndexResize(m_index == nullptr ? 8 : (m_indexMask + 1) * 2); }

void CDS_Map::IndexResize(uint32_t size) {
  DSMapEntry** old = m_index;
  uint32_t oldSize = old == nullptr ? 0 : m_indexMask + 1;
  m_index = static_cast<DSMapEntry**>(KV_ALLOC(sizeof(DSMapEntry*) * size, true));
  m_indexMask = size - 1;
  for (uint32_t i = 0; i < oldSize; ++i) {
    if (old[i] != nullptr) IndexInsert(old[i]);
  }
  MemoryManager::Free(old);
}

void CDS_Map::Reserve(int32_t count) {
  if (count <= 0) return;
  GrowGroups(static_cast<uint32_t>(std::min<int64_t>(int64_t{m_count} + count, kGroups)));
  uint64_t wanted = (uint64_t{static_cast<uint32_t>(m_count)} + static_cast<uint32_t>(count)) * 2;
  uint32_t size = m_index == nullptr ? 8 : m_indexMask + 1;
  while (size < wanted) size *= 2;
  if (m_index == nullptr || size > m_indexMask + 1) IndexResize(size);
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

CDS_Map::Group*& CDS_Map::GroupFor(int32_t g) {
  const uint64_t bit = uint64_t{1} << g;
  const int32_t rank = Count(m_usedGroups & (bit - 1));
  if ((m_usedGroups & bit) != 0) return m_groups[rank];
  const int32_t held = Count(m_usedGroups);
  if (static_cast<uint32_t>(held) == m_groupCapacity) GrowGroups(m_groupCapacity == 0 ? 4 : m_groupCapacity * 2);
  std::memmove(&m_groups[rank + 1], &m_groups[rank], static_cast<size_t>(held - rank) * sizeof(Group*));
  m_groups[rank] = nullptr;
  m_usedGroups |= bit;
  return m_groups[rank];
}

void CDS_Map::GrowGroups(uint32_t capacity) {
  capacity = std::min<uint32_t>(capacity, kGroups);
  if (capacity <= m_groupCapacity) return;
  auto* grown = static_cast<Group**>(KV_ALLOC(sizeof(Group*) * capacity, false));
  if (m_groups != nullptr) std::memcpy(grown, m_groups, sizeof(Group*) * Count(m_usedGroups));
  MemoryManager::Free(m_groups);
  m_groups = grown;
  m_groupCapacity = capacity;
}

const CDS_Map::Group* CDS_Map::GroupAt(int32_t g) const {
  const uint64_t bit = uint64_t{1} << g;
  return (m_usedGroups & bit) == 0 ? nullptr : m_groups[Count(m_usedGroups & (bit - 1))];
}

CDS_Map::Bucket& CDS_Map::BucketFor(uint32_t hash) {
  const uint32_t b = hash & kBucketMask;
  const uint64_t bit = uint64_t{1} << (b & (kGroupSize - 1));
  Group*& group = GroupFor(static_cast<int32_t>(b >> kGroupBits));
  if (group == nullptr) {  // a group just made: its one bucket
    GrowGroup(&group, 0);
    group->Buckets()[0] = Bucket{nullptr, nullptr};
    group->used = bit;
    return group->Buckets()[0];
  }
  const uint64_t used = group->used;
  const int32_t rank = Count(used & (bit - 1));
  if ((used & bit) != 0) return group->Buckets()[rank];
  const int32_t held = Count(used);
  if (held == static_cast<int32_t>(group->capacity)) GrowGroup(&group, held);
  Bucket* buckets = group->Buckets();
  std::memmove(&buckets[rank + 1], &buckets[rank], static_cast<size_t>(held - rank) * sizeof(Bucket));
  buckets[rank] = Bucket{nullptr, nullptr};
  group->used |= bit;
  return buckets[rank];
}

void CDS_Map::GrowGroup(Group** group, int32_t held) {
  const int32_t capacity = held == 0 ? 2 : std::min(held * 2, kGroupSize);
  auto* grown = static_cast<Group*>(KV_ALLOC(sizeof(Group) + sizeof(Bucket) * capacity, false));
  grown->used = *group == nullptr ? 0 : (*group)->used;
  grown->capacity = static_cast<uint32_t>(capacity);
  if (held > 0) std::memcpy(grown->Buckets(), (*group)->Buckets(), sizeof(Bucket) * held);
  MemoryManager::Free(*group);
  *group = grown;
}

void CDS_Map::Append(const ScriptValue* key, const ScriptValue* value) {
  auto* entry = new DSMapEntry{};
  DS_StoreValue(&entry->key, key);
  DS_StoreValue(&entry->value, value);
  Link(entry);
}

void CDS_Map::AddNewTaking(ScriptValue* key, ScriptValue* value) {
  auto* entry = new DSMapEntry{*key, *value, 0, nullptr, nullptr};
  *key = ScriptValue{};
  *value = ScriptValue{};
  Link(entry);
}

void CDS_Map::Link(DSMapEntry* entry) {
  entry->hash = DS_MapKeyHash(entry->key);
  Bucket& bucket = BucketFor(entry->hash);
  entry->previous = bucket.last;
  if (bucket.last != nullptr)
    bucket.last->next = entry;
  else
    bucket.first = entry;
  bucket.last = entry;
  if (static_cast<uint32_t>(m_count + 1) * 2 > (m_index == nullptr ? 0 : m_indexMask + 1)) IndexGrow();
  IndexInsert(entry);
  ++m_count;
}

void CDS_Map::Unlink(DSMapEntry* entry) {
  IndexRemove(entry);
  const uint32_t b = entry->hash & kBucketMask;
  const uint64_t bit = uint64_t{1} << (b & (kGroupSize - 1));
  const int32_t g = static_cast<int32_t>(b >> kGroupBits);
  const uint64_t groupBit = uint64_t{1} << g;
  const int32_t groupRank = Count(m_usedGroups & (groupBit - 1));
  Group* group = m_groups[groupRank];
  const int32_t rank = Count(group->used & (bit - 1));
  Bucket& bucket = group->Buckets()[rank];
  if (entry->previous != nullptr)
    entry->previous->next = entry->next;
  else
    bucket.first = entry->next;
  if (entry->next != nullptr)
    entry->next->previous = entry->previous;
  else
    bucket.last = entry->previous;
  if (bucket.first == nullptr) {
    Bucket* buckets = group->Buckets();
    std::memmove(&buckets[rank], &buckets[rank + 1],
                 static_cast<size_t>(Count(group->used) - rank - 1) * sizeof(Bucket));
    group->used &= ~bit;
    if (group->used == 0) {
      MemoryManager::Free(group);
      std::memmove(&m_groups[groupRank], &m_groups[groupRank + 1],
                   static_cast<size_t>(Count(m_usedGroups) - groupRank - 1) * sizeof(Group*));
      m_usedGroups &= ~groupBit;
    }
  }
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
  for (int32_t g = 0, groups = Count(m_usedGroups); g < groups; ++g) {
    Group* group = m_groups[g];
    for (int32_t i = 0, buckets = Count(group->used); i < buckets; ++i) FreeEntries(group->Buckets()[i].first);
    MemoryManager::Free(group);
  }
  MemoryManager::Free(m_groups);
  MemoryManager::Free(m_index);
  m_groups = nullptr;
  m_index = nullptr;
  m_indexMask = 0;
  m_usedGroups = 0;
  m_groupCapacity = 0;
  m_count = 0;
}

void CDS_Map::FreeEntries(DSMapEntry* entry) {
  while (entry != nullptr) {
    DSMapEntry* next = entry->next;
    DS_ResetSlot(&entry->key);
    DS_ResetSlot(&entry->value);
    delete entry;
    entry = next;
  }
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
  if (const Group* group = GroupAt(g)) {
    uint64_t here = group->used & (~uint64_t{0} << (bucket & (kGroupSize - 1)));
    if (here != 0) return group->Buckets()[Count(group->used) - Count(here)].first;
  }
  uint64_t later = g + 1 < kGroups ? m_usedGroups & (~uint64_t{0} << (g + 1)) : 0;
  if (later == 0) return nullptr;
  return GroupAt(__builtin_ctzll(later))->Buckets()[0].first;
}

DSMapEntry* CDS_Map::LastBefore(int32_t bucket) const {
  if (bucket <= 0 || m_groups == nullptr) return nullptr;
  int32_t last = bucket - 1, g = last >> kGroupBits, bit = last & (kGroupSize - 1);
  if (const Group* group = GroupAt(g)) {
    uint64_t here = group->used & (bit == kGroupSize - 1 ? ~uint64_t{0} : (uint64_t{1} << (bit + 1)) - 1);
    if (here != 0) return group->Buckets()[Count(here) - 1].last;
  }
  uint64_t earlier = m_usedGroups & ((uint64_t{1} << g) - 1);
  if (earlier == 0) return nullptr;
  const Group* previous = m_groups[Count(earlier) - 1];
  return previous->Buckets()[Count(previous->used) - 1].last;
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

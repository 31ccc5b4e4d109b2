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

CDS_Map::CDS_Map()
    : m_buckets(static_cast<Bucket*>(KV_ALLOC(sizeof(Bucket) * kBuckets, true))) {}

CDS_Map::~CDS_Map() {
  Clear();
  MemoryManager::Free(m_buckets);
}

DSMapEntry* CDS_Map::Find(const ScriptValue* key) const {
  uint32_t hash = DS_MapKeyHash(*key);
  for (DSMapEntry* e = m_buckets[hash & kBucketMask].first; e != nullptr; e = e->next) {
    if (e->hash == hash && DS_MapKeysEqual(e->key, *key)) return e;
  }
  return nullptr;
}

void CDS_Map::Append(const ScriptValue* key, const ScriptValue* value) {
  auto* entry = new DSMapEntry{};
  DS_StoreValue(&entry->key, key);
  DS_StoreValue(&entry->value, value);
  entry->hash = DS_MapKeyHash(*key);
  Bucket& bucket = m_buckets[entry->hash & kBucketMask];
  entry->previous = bucket.last;
  if (bucket.last != nullptr) bucket.last->next = entry;
  else bucket.first = entry;
  bucket.last = entry;
  ++m_count;
}

void CDS_Map::Unlink(DSMapEntry* entry) {
  Bucket& bucket = m_buckets[entry->hash & kBucketMask];
  if (entry->previous != nullptr) entry->previous->next = entry->next;
  else bucket.first = entry->next;
  if (entry->next != nullptr) entry->next->previous = entry->previous;
  else bucket.last = entry->previous;
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
  for (int32_t b = kBuckets - 1; b >= 0; --b) {
    while (m_buckets[b].last != nullptr) Unlink(m_buckets[b].last);
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
  for (int32_t b = bucket; b < kBuckets; ++b) {
    if (m_buckets[b].first != nullptr) return m_buckets[b].first;
  }
  return nullptr;
}

DSMapEntry* CDS_Map::LastBefore(int32_t bucket) const {
  for (int32_t b = bucket - 1; b >= 0; --b) {
    if (m_buckets[b].last != nullptr) return m_buckets[b].last;
  }
  return nullptr;
}

const DSMapEntry* CDS_Map::After(const DSMapEntry* entry) const {
  if (entry->next != nullptr) return entry->next;
  return FirstFrom(static_cast<int32_t>(entry->hash & kBucketMask) + 1);
}

const DSMapEntry* CDS_Map::Before(const DSMapEntry* entry) const {
  if (entry->previous != nullptr) return entry->previous;
  return LastBefore(static_cast<int32_t>(entry->hash & kBucketMask));
}

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

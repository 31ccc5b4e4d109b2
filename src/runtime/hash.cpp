#include "runtime/hash.h"

#include "runtime/fatal.h"
#include "runtime/memory.h"

Hash::Hash(int32_t buckets, HashValueDeleter deleter) : m_deleter(deleter) { Init(buckets); }

Hash::~Hash() { Release(kHashKeepValue); }

void Hash::Init(int32_t buckets) {
  if (buckets <= 0 || (buckets & (buckets - 1)) != 0) {
    Fatal_InternalError("hash table of %d buckets: not a power of two", buckets);
  }
  if (m_buckets != nullptr) Fatal_InternalError("hash table given buckets twice");
  m_buckets = static_cast<HashBucket*>(KV_ALLOC(sizeof(HashBucket) * static_cast<size_t>(buckets), true));
  m_mask = buckets - 1;
  m_count = 0;
}

void Hash::Release(int mode) {
  if (m_buckets == nullptr) return;
  Clear(mode);
  MemoryManager::Free(m_buckets);
  m_buckets = nullptr;
  m_mask = -1;
}

HashBucket* Hash::BucketOf(uint32_t key) const {
  if (m_buckets == nullptr) Fatal_InternalError("hash table used before it has buckets");
  return &m_buckets[key & static_cast<uint32_t>(m_mask)];
}

HashNode* Hash::Insert(uint32_t key, void* value) {
  HashBucket* bucket = BucketOf(key);
  auto* node = static_cast<HashNode*>(KV_ALLOC(sizeof(HashNode), true));
  node->key = key;
  node->value = value;
  node->previous = bucket->last;
  if (bucket->last != nullptr) {
    bucket->last->next = node;
  } else {
    bucket->first = node;
  }
  bucket->last = node;
  ++m_count;
  return node;
}

HashNode* Hash::FindNode(uint32_t key) const {
  if (m_buckets == nullptr) return nullptr;
  for (HashNode* node = BucketOf(key)->first; node != nullptr; node = node->next) {
    if (node->key == key) return node;
  }
  return nullptr;
}

void* Hash::Find(uint32_t key) const {
  HashNode* node = FindNode(key);
  return node == nullptr ? nullptr : node->value;
}

void Hash::Unlink(HashBucket* bucket, HashNode* node) {
  if (node->previous != nullptr) {
    node->previous->next = node->next;
  } else {
    bucket->first = node->next;
  }
  if (node->next != nullptr) {
    node->next->previous = node->previous;
  } else {
    bucket->last = node->previous;
  }
}

void Hash::DropValue(void* value, int mode) const {
  switch (mode) {
    case kHashKeepValue: return;
    case kHashDeleteValue:
      if (value == nullptr) return;
      if (m_deleter == nullptr) Fatal_InternalError("hash value deleted without a deleter");
      m_deleter(value);
      return;
    case kHashFreeValue: MemoryManager::Free(value); return;
    default: Fatal_InternalError("hash value mode %d", mode);
  }
}

bool Hash::Delete(uint32_t key, int mode) {
  HashNode* node = FindNode(key);
  if (node == nullptr) return false;
  Unlink(BucketOf(key), node);
  --m_count;
  void* value = node->value;
  MemoryManager::Free(node);
  DropValue(value, mode);
  return true;
}

void Hash::Clear(int mode) {
  if (m_buckets == nullptr) return;
  for (int32_t i = m_mask; i >= 0; --i) {
    HashBucket* bucket = &m_buckets[i];
    HashNode* node = bucket->first;
    bucket->first = nullptr;
    bucket->last = nullptr;
    while (node != nullptr) {
      HashNode* next = node->next;
      void* value = node->value;
      MemoryManager::Free(node);
      --m_count;
      DropValue(value, mode);
      node = next;
    }
  }
}

void* HashIterator::Start(const Hash* hash, int32_t from) {
  table = hash;
  node = nullptr;
  for (bucket = from < 0 ? 0 : from; bucket < hash->BucketCount(); ++bucket) {
    node = hash->Bucket(bucket)->first;
    if (node != nullptr) return node->value;
  }
  bucket = -1;
  return nullptr;
}

void* HashIterator::Next() {
  if (node == nullptr) return nullptr;
  if (node->next != nullptr) {
    node = node->next;
    return node->value;
  }
  if (bucket + 1 >= table->BucketCount()) {
    bucket = -1;
    node = nullptr;
    return nullptr;
  }
  return Start(table, bucket + 1);
}

// A chained hash table keyed by 32-bit integers. The bucket count is a power
// of two and a key's bucket is key AND mask; within a bucket nodes keep
// insertion order. Equal keys are not merged: Insert always appends, Find and
// Delete take the first match. Nodes and buckets come from MemoryManager.
#pragma once

#include <cstdint>

struct HashNode {
  HashNode* previous;
  HashNode* next;
  uint32_t key;
  void* value;
};

struct HashBucket {
  HashNode* first;
  HashNode* last;
};

// What Delete and Clear do with a node's value.
enum HashValueMode : int {
  kHashKeepValue = 0,    // leave it alone
  kHashDeleteValue = 1,  // delete the object through the table's deleter
  kHashFreeValue = 2,    // MemoryManager::Free it
};

// Deletes a value object; the table's owner knows its type.
using HashValueDeleter = void (*)(void* value);

template <typename T>
void Hash_DeleteObject(void* value) {
  delete static_cast<T*>(value);
}

class Hash {
 public:
  // No buckets yet: Init gives them. Usable before any other start-up code.
  constexpr Hash() = default;
  explicit Hash(int32_t buckets, HashValueDeleter deleter = nullptr);
  Hash(const Hash&) = delete;
  Hash& operator=(const Hash&) = delete;
  // Frees the nodes (values left alone) and the buckets.
  ~Hash();

  // A zero-filled array of `buckets` buckets (a power of two, at least 1).
  void Init(int32_t buckets);
  // Clear(mode), then frees the buckets; a second call does nothing.
  void Release(int mode);
  void SetValueDeleter(HashValueDeleter deleter) { m_deleter = deleter; }

  HashNode* Insert(uint32_t key, void* value);
  void* Find(uint32_t key) const;
  HashNode* FindNode(uint32_t key) const;
  // Unlinks the first node with the key and treats its value by mode; false
  // when the key is absent.
  bool Delete(uint32_t key, int mode);
  bool Remove(uint32_t key) { return Delete(key, kHashKeepValue); }
  // Empties every bucket, last to first; the buckets stay.
  void Clear(int mode);

  int32_t Count() const { return m_count; }
  int32_t Mask() const { return m_mask; }
  int32_t BucketCount() const { return m_buckets == nullptr ? 0 : m_mask + 1; }
  const HashBucket* Bucket(int32_t index) const { return &m_buckets[index]; }

 private:
  HashBucket* BucketOf(uint32_t key) const;
  void Unlink(HashBucket* bucket, HashNode* node);
  void DropValue(void* value, int mode) const;

  HashBucket* m_buckets = nullptr;
  int32_t m_mask = -1;
  int32_t m_count = 0;
  HashValueDeleter m_deleter = nullptr;
};

// Walks a table bucket by bucket, and within a bucket in insertion order.
// Past the last bucket the index is -1 and the node null.
struct HashIterator {
  int32_t bucket = -1;
  HashNode* node = nullptr;
  const Hash* table = nullptr;

  // Starts at the first node at or after bucket `from`; gives its value.
  void* Start(const Hash* hash, int32_t from = 0);
  void* Next();
  void* Value() const { return node == nullptr ? nullptr : node->value; }
};

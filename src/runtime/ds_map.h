// Dictionary of script values keyed by reals or strings. The CRC-32 of a key
// picks one of 4096 buckets, which fixes the walk order (buckets in order,
// each in insertion order); two keys are the same key only when both are
// strings with equal bytes or both are reals with the same 8 bytes, so keys
// whose CRCs collide still keep their own values.
//
// The buckets come in groups of 64 made on first use, each group holding
// only its buckets that have entries, the map holding only its groups that
// have entries, and a table keyed by the whole CRC finds an entry without
// walking its bucket: an empty map is a few dozen bytes, a small one a few
// hundred, and a large one finds a key in constant time.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

struct DSMapEntry {
  ScriptValue key;
  ScriptValue value;
  uint32_t hash;
  DSMapEntry* previous;
  DSMapEntry* next;
};

class CDS_Map {
 public:
  static constexpr int32_t kBuckets = 4096;

  CDS_Map();
  ~CDS_Map();
  CDS_Map(const CDS_Map&) = delete;
  CDS_Map& operator=(const CDS_Map&) = delete;

  // False, storing nothing, when the key is present.
  bool Add(const ScriptValue* key, const ScriptValue* value);
  // True when the key was present; otherwise the pair is added and the
  // answer is false.
  bool Replace(const ScriptValue* key, const ScriptValue* value);
  bool Delete(const ScriptValue* key);
  bool Exists(const ScriptValue* key) const;
  ScriptValue* FindValue(const ScriptValue* key);
  int32_t Size() const { return m_count; }
  // Unique for the run: tells a map from a later one made at the same
  // address and pool slot.
  uint64_t Serial() const { return m_serial; }
  bool Empty() const { return m_count == 0; }
  // Frees every entry and the buckets.
  void Clear();
  // For filling a map with `count` more keys known to be new: the index is
  // grown once rather than doubling on the way.
  void Reserve(int32_t count);
  // Adds a key the caller knows is absent, without a lookup, and takes over
  // both texts (MemoryManager blocks); key and value are left real 0.
  void AddNewTaking(ScriptValue* key, ScriptValue* value);
  void Copy(const CDS_Map* source);

  // Keys in walk order; null for an empty map, an absent key or no
  // neighbour on that side.
  const ScriptValue* FindFirst() const;
  const ScriptValue* FindLast() const;
  const ScriptValue* FindNext(const ScriptValue* key) const;
  const ScriptValue* FindPrevious(const ScriptValue* key) const;
  // The entries in walk order without a lookup per step; null at the end.
  const DSMapEntry* FirstEntry() const;
  const DSMapEntry* NextEntry(const DSMapEntry* entry) const { return After(entry); }

  // Plain text "kind:key:value" entries joined by ",", in walk order; owned
  // by the caller, "" for an empty map.
  char* WriteText() const;
  // A null text answers false and changes nothing. Otherwise the map is
  // cleared and refilled; a malformed entry ends the read (answer false)
  // and the complete entries before it stay.
  bool ReadText(const char* text);

 private:
  static constexpr int32_t kGroupBits = 6;
  static constexpr int32_t kGroupSize = 1 << kGroupBits;
  static constexpr int32_t kGroups = kBuckets / kGroupSize;

  struct Bucket {
    DSMapEntry* first;
    DSMapEntry* last;
  };
  // Bucket b of the group, when bit b of `used` is set, is the one at the
  // number of set bits below b; the buckets follow the header in memory.
  struct Group {
    uint64_t used;
    uint32_t capacity;
    Bucket* Buckets() { return reinterpret_cast<Bucket*>(this + 1); }
    const Bucket* Buckets() const { return reinterpret_cast<const Bucket*>(this + 1); }
  };

  DSMapEntry* Find(const ScriptValue* key) const;
  // Stores copies without looking for the key first.
  void Append(const ScriptValue* key, const ScriptValue* value);
  // Puts a filled entry into its bucket and the index.
  void Link(DSMapEntry* entry);
  void Unlink(DSMapEntry* entry);
  // Frees a bucket's chain, leaving the bucket and the index as they are.
  static void FreeEntries(DSMapEntry* entry);
  // The hash's bucket, made (empty) when it holds nothing yet.
  Bucket& BucketFor(uint32_t hash);
  static void GrowGroup(Group** group, int32_t held);
  // The place of group g among those made, made (empty) when absent.
  Group*& GroupFor(int32_t g);
  void GrowGroups(uint32_t capacity);
  // Group g, or null when it holds nothing.
  const Group* GroupAt(int32_t g) const;
  DSMapEntry* FirstFrom(int32_t bucket) const;
  DSMapEntry* LastBefore(int32_t bucket) const;
  const DSMapEntry* After(const DSMapEntry* entry) const;
  const DSMapEntry* Before(const DSMapEntry* entry) const;
  void IndexInsert(DSMapEntry* entry);
  void IndexRemove(const DSMapEntry* entry);
  void IndexGrow();
  void IndexResize(uint32_t size);
  uint32_t Slot(uint32_t hash) const;

  // The groups that hold entries in group order: group g, when bit g of
  // m_usedGroups is set, is the one at the number of set bits below g.
  Group** m_groups = nullptr;
  uint64_t m_usedGroups = 0;
  uint32_t m_groupCapacity = 0;
  // Open addressing with linear probing, at most half full.
  DSMapEntry** m_index = nullptr;
  uint32_t m_indexMask = 0;
  int32_t m_count = 0;
  uint64_t m_serial;
};

// The CRC-32 of a key (strings by their bytes, reals by the 8 bytes of the
// double), with no final inversion.
uint32_t DS_MapKeyHash(const ScriptValue& key);
bool DS_MapKeysEqual(const ScriptValue& a, const ScriptValue& b);

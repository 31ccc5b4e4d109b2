// A first-match index from names to store indices, built on demand beside
// a store that keeps its own order. The store says when its names change;
// the next lookup then refills the index by walking the store in the order
// a linear search would, so the answer is the one that search gives.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

class NameIndex {
 public:
  void Invalidate() {
    m_ready = false;
    m_slots.clear();
    m_text.clear();
  }

  // walk(add) calls add(name, index) for every named entry in search order.
  template <typename Walk>
  int32_t Find(const char* name, Walk walk) {
    if (name == nullptr) return -1;
    if (!m_ready) {
      std::vector<Entry> entries;
      walk([&entries](const char* entry, int32_t index) {
        if (entry != nullptr) entries.push_back({std::string_view(entry), index});
      });
      Fill(entries);
      m_ready = true;
    }
    if (m_slots.empty()) return -1;
    std::string_view key(name);
    return Probe(key, Hash(key))->index;
  }

 private:
  struct Entry {
    std::string_view name;
    int32_t index;
  };
  // Open addressing over a power-of-two table at most half full: a lookup
  // reads one slot (more only on a collision) and no bucket list, and the
  // names sit side by side in one block.
  struct Slot {
    size_t hash = 0;
    uint32_t offset = 0;  // of the name in m_text
    uint32_t length = 0;
    int32_t index = -1;  // -1: free
  };

  static size_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }

  // The slot holding the name, or the free slot where it would go; the
  // table is not empty.
  Slot* Probe(std::string_view key, size_t hash) {
    size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
      Slot& slot = m_slots[at];
      if (slot.index < 0) return &slot;
      if (slot.hash == hash && slot.length == key.size() &&
          std::memcmp(m_text.data() + slot.offset, key.data(), key.size()) == 0) {
        return &slot;
      }
    }
  }

  void Fill(const std::vector<Entry>& entries) {
    m_slots.clear();
    m_text.clear();
    if (entries.empty()) return;
    size_t size = 16;
    while (size < 2 * entries.size()) size *= 2;
    m_slots.assign(size, Slot());
    size_t bytes = 0;
    for (const Entry& entry : entries) bytes += entry.name.size();
    m_text.reserve(bytes);
    for (const Entry& entry : entries) {
      size_t hash = Hash(entry.name);
      Slot* slot = Probe(entry.name, hash);
      if (slot->index >= 0) continue;  // an earlier entry of the name answers
      *slot = Slot{hash, static_cast<uint32_t>(m_text.size()), static_cast<uint32_t>(entry.name.size()), entry.index};
      m_text.insert(m_text.end(), entry.name.begin(), entry.name.end());
    }
  }

  std::vector<Slot> m_slots;
  std::vector<char> m_text;
  bool m_ready = false;
};

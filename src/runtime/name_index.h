// A first-match index from names to store indices, built on demand beside
// a store that keeps its own order. The store says when its names change;
// the next lookup then refills the index by walking the store in the order
// a linear search would, so the answer is the one that search gives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class NameIndex {
 public:
  void Invalidate() {
    m_ready = false;
    m_byName.clear();
  }

  // walk(add) calls add(name, index) for every named entry in search order.
  template <typename Walk>
  int32_t Find(const char* name, Walk walk) {
    if (name == nullptr) return -1;
    if (!m_ready) {
      walk([this](const char* entry, int32_t index) {
        if (entry != nullptr) m_byName.emplace(entry, index);
      });
      m_ready = true;
    }
    auto found = m_byName.find(std::string_view(name));
    return found == m_byName.end() ? -1 : found->second;
  }

 private:
  // Looked up by view, so a lookup makes no string of its own.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, int32_t, Hash, std::equal_to<>> m_byName;
  bool m_ready = false;
};

#include "script/vm/bytecode_strings.h"

#include <cstring>

#include "runtime/memory.h"

VMStringPool::~VMStringPool() {
  for (char* text : texts_) MemoryManager::Free(text);
}

int32_t VMStringPool::Add(const char* text) {
  if (text == nullptr) text = "";
  size_t length = std::strlen(text);
  auto known = indices_.find(std::string_view(text, length));
  if (known != indices_.end()) return known->second;
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  auto index = static_cast<int32_t>(texts_.size());
  texts_.push_back(copy);
  indices_.emplace(std::string_view(copy, length), index);
  return index;
}

const char* VMStringPool::Text(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return texts_[static_cast<size_t>(index)];
}

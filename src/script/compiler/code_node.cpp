#include "script/compiler/code_node.h"

#include <cstring>
#include <utility>
#include <vector>

#include "runtime/memory.h"

// Blocks from the memory manager, used front to back; an array is its
// capacity (one size_t) followed by its nodes.
struct CodeNodeScratch::Area {
  static constexpr size_t kBlockBytes = 16 * 1024;

  ~Area() {
    for (Block& block : blocks) MemoryManager::Free(block.bytes);
  }

  CodeNode* TakeArray(size_t count) {
    size_t bytes = sizeof(size_t) + count * sizeof(CodeNode);
    while (current < blocks.size() && blocks[current].size - used < bytes) {
      ++current;
      used = 0;
    }
    if (current == blocks.size()) {
      size_t size = bytes > kBlockBytes ? bytes : kBlockBytes;
      blocks.push_back(Block{static_cast<char*>(KV_ALLOC(size, false)), size});
      used = 0;
    }
    char* at = blocks[current].bytes + used;
    used += bytes;
    std::memcpy(at, &count, sizeof count);
    return reinterpret_cast<CodeNode*>(at + sizeof(size_t));
  }

  // Keeps the first block for the next compile; a compile that needed more
  // gives the rest back.
  void Empty() {
    for (size_t i = 1; i < blocks.size(); ++i) MemoryManager::Free(blocks[i].bytes);
    if (blocks.size() > 1) blocks.resize(1);
    current = 0;
    used = 0;
  }

  struct Block {
    char* bytes;
    size_t size;
  };
  std::vector<Block> blocks;
  size_t current = 0;
  size_t used = 0;
};

namespace {

thread_local CodeNodeScratch::Area* g_scratch = nullptr;  // the active area, if any
thread_local CodeNodeScratch::Area g_spareArea;           // the outermost scope's

// Copied from memory rather than built on the stack: a fresh node made in
// place costs a stalled store-to-load forward on every node of every tree.
const CodeNode kFresh{};

size_t Capacity(const CodeNode* node) {
  if (node->children == nullptr) return 0;
  if (g_scratch == nullptr) return MemoryManager::GetSize(node->children) / sizeof(CodeNode);
  size_t capacity;
  std::memcpy(&capacity, reinterpret_cast<const char*>(node->children) - sizeof(size_t), sizeof capacity);
  return capacity;
}

void Resize(CodeNode* node, size_t count) {
  if (g_scratch == nullptr) {
    node->children = static_cast<CodeNode*>(KV_REALLOC(node->children, count * sizeof(CodeNode)));
    return;
  }
  CodeNode* larger = g_scratch->TakeArray(count);
  if (node->childCount > 0) {
    std::memcpy(static_cast<void*>(larger), node->children, static_cast<size_t>(node->childCount) * sizeof(CodeNode));
  }
  node->children = larger;
}

}  // namespace

CodeNodeScratch::CodeNodeScratch() : area_(g_scratch == nullptr ? &g_spareArea : new Area()), outer_(g_scratch) {
  g_scratch = area_;
}

CodeNodeScratch::~CodeNodeScratch() {
  g_scratch = outer_;
  if (area_ == &g_spareArea) {
    area_->Empty();
  } else {
    delete area_;
  }
}

void CodeNode_Init(CodeNode* node, int32_t position) {
  *node = kFresh;
  node->position = position;
}

void CodeNode_Reserve(CodeNode* parent, int32_t count) {
  if (count > 0 && static_cast<size_t>(count) > Capacity(parent)) Resize(parent, static_cast<size_t>(count));
}

CodeNode* CodeNode_AddFresh(CodeNode* parent, int32_t position) {
  size_t count = static_cast<size_t>(parent->childCount);
  if (count + 1 > Capacity(parent)) Resize(parent, count == 0 ? 1 : count * 2);
  CodeNode* slot = &parent->children[parent->childCount++];
  *slot = kFresh;
  slot->position = position;
  return slot;
}

CodeNode* CodeNode_AddChild(CodeNode* parent, CodeNode* child) {
  CodeNode* slot = CodeNode_AddFresh(parent, 0);
  *slot = *child;
  *child = kFresh;
  return slot;
}

void CodeNode_Free(CodeNode* node) {
  // Walk with an explicit stack of children arrays: a tree refused for its
  // depth must still be freed without running out of native stack. The
  // stack is kept between calls, since folding frees a subtree per folded
  // operator.
  thread_local std::vector<std::pair<CodeNode*, int32_t>> pending;
  size_t base = pending.size();  // nonzero only if a release re-entered
  ScriptValue_Release(&node->value);
  if (node->children != nullptr) pending.emplace_back(node->children, node->childCount);
  while (pending.size() > base) {
    auto [array, count] = pending.back();
    pending.pop_back();
    for (int32_t i = 0; i < count; ++i) {
      CodeNode& child = array[i];
      ScriptValue_Release(&child.value);
      if (child.children != nullptr) pending.emplace_back(child.children, child.childCount);
    }
    if (g_scratch == nullptr) MemoryManager::Free(array);  // scratch arrays go with their area
  }
  int32_t position = node->position;
  CodeNode_Init(node, position);
}

void CodeNode_Copy(CodeNode* destination, const CodeNode* source) {
  *destination = CodeNode();
  destination->kind = source->kind;
  destination->id = source->id;
  destination->instance = source->instance;
  destination->position = source->position;
  ScriptValue_Copy(&destination->value, &source->value);
  if (source->childCount <= 0) return;
  size_t bytes = static_cast<size_t>(source->childCount) * sizeof(CodeNode);
  destination->children = static_cast<CodeNode*>(KV_ALLOC(bytes, true));
  for (int32_t i = 0; i < source->childCount; ++i) {
    CodeNode_Copy(&destination->children[i], &source->children[i]);
  }
  destination->childCount = source->childCount;
}

const CodeNode* CodeNode_FindTooDeep(const CodeNode* root, int maxDepth) {
  // Kept between calls: every parse ends with this walk.
  thread_local std::vector<std::pair<const CodeNode*, int>> pending;
  pending.clear();
  pending.emplace_back(root, 1);
  while (!pending.empty()) {
    auto [current, depth] = pending.back();
    pending.pop_back();
    if (depth > maxDepth) {
      pending.clear();
      return current;
    }
    for (int32_t i = 0; i < current->childCount; ++i) {
      pending.emplace_back(&current->children[i], depth + 1);
    }
  }
  return nullptr;
}

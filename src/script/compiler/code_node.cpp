#include "script/compiler/code_node.h"

#include <utility>
#include <vector>

#include "runtime/memory.h"

namespace {

// Copied from memory rather than built on the stack: a fresh node made in
// place costs a stalled store-to-load forward on every node of every tree.
const CodeNode kFresh{};

size_t Capacity(const CodeNode* node) {
  return node->children == nullptr ? 0 : MemoryManager::GetSize(node->children) / sizeof(CodeNode);
}

void Resize(CodeNode* node, size_t count) {
  node->children = static_cast<CodeNode*>(KV_REALLOC(node->children, count * sizeof(CodeNode)));
}

}  // namespace

void CodeNode_Init(CodeNode* node, int32_t position) {
  *node = kFresh;
  node->position = position;
}

void CodeNode_Reserve(CodeNode* parent, int32_t count) {
  if (count > 0 && static_cast<size_t>(count) > Capacity(parent)) Resize(parent, static_cast<size_t>(count));
}

CodeNode* CodeNode_AddChild(CodeNode* parent, CodeNode* child) {
  size_t count = static_cast<size_t>(parent->childCount);
  if (count + 1 > Capacity(parent)) Resize(parent, count == 0 ? 1 : count * 2);
  CodeNode* slot = &parent->children[parent->childCount++];
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
    MemoryManager::Free(array);
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

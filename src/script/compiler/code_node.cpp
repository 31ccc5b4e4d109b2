#include "script/compiler/code_node.h"

#include <utility>
#include <vector>

#include "runtime/memory.h"

void CodeNode_Init(CodeNode* node, int32_t position) {
  *node = CodeNode();
  node->position = position;
}

CodeNode* CodeNode_AddChild(CodeNode* parent, CodeNode* child) {
  size_t needed = (static_cast<size_t>(parent->childCount) + 1) * sizeof(CodeNode);
  size_t capacity = parent->children == nullptr ? 0 : MemoryManager::GetSize(parent->children);
  if (needed > capacity) {
    size_t grown = needed < 4 * sizeof(CodeNode) ? 4 * sizeof(CodeNode) : needed * 2;
    parent->children = static_cast<CodeNode*>(KV_REALLOC(parent->children, grown));
  }
  CodeNode* slot = &parent->children[parent->childCount++];
  *slot = *child;
  *child = CodeNode();
  return slot;
}

void CodeNode_Free(CodeNode* node) {
  // Walk with an explicit stack: a tree refused for its depth must still be
  // freed without running out of native stack.
  std::vector<CodeNode*> pending{node};
  std::vector<CodeNode*> arrays;
  while (!pending.empty()) {
    CodeNode* current = pending.back();
    pending.pop_back();
    ScriptValue_Release(&current->value);
    for (int32_t i = 0; i < current->childCount; ++i) pending.push_back(&current->children[i]);
    if (current->children != nullptr) arrays.push_back(current->children);
  }
  for (CodeNode* array : arrays) MemoryManager::Free(array);
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
  std::vector<std::pair<const CodeNode*, int>> pending{{root, 1}};
  while (!pending.empty()) {
    auto [current, depth] = pending.back();
    pending.pop_back();
    if (depth > maxDepth) return current;
    for (int32_t i = 0; i < current->childCount; ++i) {
      pending.emplace_back(&current->children[i], depth + 1);
    }
  }
  return nullptr;
}

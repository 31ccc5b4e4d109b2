#include "script/variables/variable_list.h"

#include <cstring>
#include <unordered_set>
#include <vector>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"

uint8_t g_variableIndexOutOfRange = 0;

namespace {

// Nodes come back here when a list is cleared and are never given back to the
// heap, so creating and destroying instances does not allocate per variable.
VariableNode* g_nodePool = nullptr;

void FreeRows(VariableNode* node) {
  for (int32_t r = 0; r < node->rowCount; ++r) {
    ArrayRow& row = node->rows[r];
    for (int32_t i = 0; i < row.length; ++i) ScriptValue_Release(&row.items[i]);
    MemoryManager::Free(row.items);
  }
  MemoryManager::Free(node->rows);
  node->rows = nullptr;
  node->rowCount = 0;
  node->rowCapacity = 0;
}

// Grows to at least `needed` entries, doubling so that in-order filling is linear.
template <typename T>
void Reserve(T** block, int32_t* capacity, int32_t needed) {
  if (needed <= *capacity) return;
  int64_t grown = static_cast<int64_t>(*capacity) * 2;
  if (grown < needed) grown = needed;
  if (grown < 4) grown = 4;
  *block = static_cast<T*>(KV_REALLOC(*block, static_cast<size_t>(grown) * sizeof(T)));
  *capacity = static_cast<int32_t>(grown);
}

}  // namespace

void VariableNode_GrowRows(VariableNode* node, int32_t rows) {
  if (rows <= node->rowCount) return;
  Reserve(&node->rows, &node->rowCapacity, rows);
  for (int32_t r = node->rowCount; r < rows; ++r) node->rows[r] = ArrayRow{0, 0, nullptr};
  node->rowCount = rows;
}

void ArrayRow_Grow(ArrayRow* row, int32_t length) {
  if (length <= row->length) return;
  Reserve(&row->items, &row->capacity, length);
  for (int32_t i = row->length; i < length; ++i) row->items[i] = ScriptValue{};
  row->length = length;
}

ScriptValue* VariableNode_Reach(VariableNode* node, int32_t row, int32_t column) {
  if (row >= node->rowCount) VariableNode_GrowRows(node, row + 1);
  ArrayRow& target = node->rows[row];
  if (column >= target.length) ArrayRow_Grow(&target, column + 1);
  return &target.items[column];
}

namespace {

void CopyRows(VariableNode* to, const VariableNode& from) {
  if (from.rowCount == 0) return;
  VariableNode_GrowRows(to, from.rowCount);
  for (int32_t r = 0; r < from.rowCount; ++r) {
    const ArrayRow& source = from.rows[r];
    if (source.length == 0) continue;
    ArrayRow_Grow(&to->rows[r], source.length);
    for (int32_t i = 0; i < source.length; ++i) ScriptValue_Copy(&to->rows[r].items[i], &source.items[i]);
  }
}

}  // namespace

VariableNode* VariableNode_Take(int32_t id) {
  VariableNode* node = g_nodePool;
  if (node != nullptr) {
    g_nodePool = node->listNext;
  } else {
    node = static_cast<VariableNode*>(KV_ALLOC(sizeof(VariableNode), true));
  }
  *node = VariableNode{nullptr, nullptr, id, ScriptValue{}, 0, 0, nullptr};
  return node;
}

void VariableNode_Return(VariableNode* node) {
  ++g_variableNodeReturns;
  ScriptValue_Release(&node->value);
  FreeRows(node);
  node->bucketNext = nullptr;
  node->listNext = g_nodePool;
  g_nodePool = node;
}

CVariableList::CVariableList() : buckets_{}, newest_(nullptr), count_(0) {}

CVariableList::~CVariableList() { Clear(); }

VariableNode* CVariableList::FillSlot(uint8_t slot, int32_t id) {
  VariableNode* node = FindNode(id);
  if (node == nullptr || slots_ == nullptr || slot == kSlots - 1) return node;
  slots_[slot] = node;
  if (slot >= slotsUsed_) slotsUsed_ = slot + 1;
  return node;
}

void CVariableList::ForgetSlots() {
  if (slotsUsed_ == 0) return;
  std::memset(slots_, 0, sizeof(VariableNode*) * static_cast<size_t>(slotsUsed_));
  slotsUsed_ = 0;
}

VariableNode* CVariableList::FindNode(int32_t id) const {
  for (VariableNode* node = buckets_[BucketOf(id)]; node != nullptr; node = node->bucketNext)
    if (node->id == id) return node;
  return nullptr;
}

void CVariableList::Link(VariableNode* node) {
  VariableNode*& head = buckets_[BucketOf(node->id)];
  node->bucketNext = head;
  head = node;
  node->listNext = newest_;
  newest_ = node;
  ++count_;
}

VariableNode* CVariableList::Insert(int32_t id) {
  VariableNode* node = VariableNode_Take(id);
  Link(node);
  return node;
}

bool CVariableList::GetValue(int32_t id, int32_t k, ScriptValue* out) const {
  g_variableIndexOutOfRange = 0;
  const VariableNode* node = FindNode(id);
  if (node == nullptr) {
    if (g_runFlags.unsetVariableIsError) return false;
    *out = ScriptValue{};
    return true;
  }
  if (k == 0) {
    ScriptValue_Copy(out, &node->value);
    return true;
  }
  int32_t row, column;
  Variable_SplitIndex(k, &row, &column);
  if (row >= 0 && row < node->rowCount && column >= 0 && column < node->rows[row].length) {
    ScriptValue_Copy(out, &node->rows[row].items[column]);
    return true;
  }
  g_variableIndexOutOfRange = 1;
  *out = ScriptValue{};
  return false;
}

void CVariableList::SetValue(int32_t id, int32_t k, const ScriptValue& value) {
  g_variableIndexOutOfRange = 0;
  VariableNode* node = FindNode(id);
  if (node == nullptr) node = Insert(id);
  if (k == 0 && value.kind != kValueString && node->value.kind != kValueString) {
    // Neither side owns a text: the copy and release below would do just this.
    node->value = ScriptValue{value.kind, nullptr, value.real};
    return;
  }
  int32_t row = 0, column = 0;
  if (k != 0) {
    Variable_SplitIndex(k, &row, &column);
    if (row >= node->rowCount) VariableNode_GrowRows(node, row + 1);
    if (row < 0 || column < 0) {
      g_variableIndexOutOfRange = 1;
      return;
    }
  }
  // Copy before any row grows: the value may be one of this variable's items.
  ScriptValue copy;
  ScriptValue_Copy(&copy, &value);
  ScriptValue* slot = k != 0 ? VariableNode_Reach(node, row, column) : &node->value;
  ScriptValue_Release(slot);
  *slot = copy;
}

void CVariableList::Ensure(int32_t id) {
  if (FindNode(id) == nullptr) Insert(id);
}

void CVariableList::Clear() {
  VariableNode* node = newest_;
  while (node != nullptr) {
    VariableNode* older = node->listNext;
    VariableNode_Return(node);
    node = older;
  }
  std::memset(buckets_, 0, sizeof(buckets_));
  newest_ = nullptr;
  count_ = 0;
  ForgetSlots();
}

void CVariableList::Copy(const CVariableList& from) {
  // Copying a list onto itself would clear the source first.
  if (&from == this) return;
  Clear();
  from.ForEach([this](const VariableNode& source) {
    VariableNode* node = Insert(source.id);
    ScriptValue_Copy(&node->value, &source.value);
    CopyRows(node, source);
  });
}

void CVariableList::Unlink(VariableNode* node) {
  VariableNode** link = &buckets_[BucketOf(node->id)];
  while (*link != node) link = &(*link)->bucketNext;
  *link = node->bucketNext;
}

void CVariableList::Merge(CVariableList& fresh) {
  std::vector<VariableNode*> incoming;
  incoming.reserve(static_cast<size_t>(fresh.count_));
  for (VariableNode* node = fresh.newest_; node != nullptr; node = node->listNext) incoming.push_back(node);
  std::memset(fresh.buckets_, 0, sizeof(fresh.buckets_));
  fresh.newest_ = nullptr;
  fresh.count_ = 0;

  // A loaded variable replaces the one it was saved from; leaving the old one
  // behind would save it again and let it win over the loaded value later.
  ForgetSlots();
  std::unordered_set<VariableNode*> replaced;
  for (VariableNode* node : incoming) {
    VariableNode* old = FindNode(node->id);
    if (old == nullptr) continue;
    Unlink(old);
    replaced.insert(old);
  }
  if (!replaced.empty()) {
    VariableNode** link = &newest_;
    while (*link != nullptr) {
      VariableNode* node = *link;
      if (replaced.count(node) != 0) {
        *link = node->listNext;
        VariableNode_Return(node);
        --count_;
      } else {
        link = &node->listNext;
      }
    }
  }
  for (auto it = incoming.rbegin(); it != incoming.rend(); ++it) {
    Link(*it);
    DumpVariable(g_debugConsole, **it);
  }
}

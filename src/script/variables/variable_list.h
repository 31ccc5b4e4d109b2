// The user variables of one scope (an instance, the global scope, a call's
// locals), known by numeric id. A variable's value may be extended into rows
// of items: the flat element index k splits into row k / 32000 and column
// k - row * 32000, and k = 0 is the variable's own value.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CStream;
struct tagIConsole;

struct ArrayRow {
  int32_t length;    // items a script can see
  int32_t capacity;  // room already allocated, so filling a row in order stays linear
  ScriptValue* items;
};

struct VariableNode {
  VariableNode* bucketNext;
  VariableNode* listNext;  // the node inserted before this one; also the pool's link
  int32_t id;
  ScriptValue value;  // the own value, element 0
  int32_t rowCount;
  int32_t rowCapacity;
  ArrayRow* rows;
};

// Set by every element read or write whose index lies outside the array, and
// cleared at the start of each; callers use it to tell a bad index from a
// missing variable.
extern uint8_t g_variableIndexOutOfRange;

class CVariableList {
 public:
  static constexpr int32_t kBuckets = 64;
  static constexpr int32_t kRowStride = 32000;

  CVariableList();
  virtual ~CVariableList();
  CVariableList(const CVariableList&) = delete;
  CVariableList& operator=(const CVariableList&) = delete;

  // A copy of element k into *out (whose old text the caller has released).
  bool GetValue(int32_t id, int32_t k, ScriptValue* out) const;
  void SetValue(int32_t id, int32_t k, const ScriptValue& value);
  // Creates the variable as a real 0 unless it exists.
  void Ensure(int32_t id);
  void Copy(const CVariableList& from);
  void Clear();

  // Saved-game form. Load replaces variables with the ids it reads and leaves
  // the list untouched unless the whole stream form reads cleanly.
  void Save(CStream& stream) const;
  bool Load(CStream& stream);
  // The reading half of Load: announces the load on the debug console and
  // reads the stream form into `fresh`, an empty list. Inside one stream the
  // first record of an id wins. False when the form is malformed or of an
  // unknown version (then `fresh` is to be discarded).
  static bool LoadFresh(CStream& stream, CVariableList& fresh);
  // The applying half: moves every variable of `fresh` into this list in the
  // order they were read, each replacing one of the same id, and echoes each
  // on the debug console.
  void Merge(CVariableList& fresh);

  void Dump(tagIConsole* console) const;
  // One variable in the dump form.
  static void DumpVariable(tagIConsole* console, const VariableNode& node);

  int32_t Count() const { return count_; }
  const VariableNode* Find(int32_t id) const { return FindNode(id); }
  // The node itself, for callers that store into it in place (null: none).
  VariableNode* FindWritable(int32_t id) {
    for (VariableNode* node = buckets_[BucketOf(id)]; node != nullptr; node = node->bucketNext)
      if (node->id == id) return node;
    return nullptr;
  }
  // An index beside the hash for the code that runs over this list: the code
  // numbers its names 0 to kSlots - 2 and finds each node by its number in
  // a table of kSlots entries that the list's owner gives (all null, living
  // as long as the list); a list without a table has no index. Number
  // kSlots - 1 is never kept, for names past the rest. A number stands for
  // one name while the same code runs over the list: the list forgets every
  // number when it is cleared or loaded into, the only ways a node leaves it.
  static constexpr int32_t kSlots = 256;
  void SetSlotTable(VariableNode** table) { slots_ = table; }
  // The node of `id` found through the hash, kept in the table as number
  // `slot` when found; null when the list has no such variable.
  VariableNode* FillSlot(uint8_t slot, int32_t id);
  // Forgets every number, for code that numbers its names differently.
  void ForgetSlots();
  // Calls visit for every variable in bucket order (0 to 63, each from its head).
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const VariableNode* head : buckets_)
      for (const VariableNode* node = head; node != nullptr; node = node->bucketNext) visit(*node);
  }

 private:
  static int32_t BucketOf(int32_t id) { return static_cast<int32_t>(static_cast<uint32_t>(id) & 63u); }
  VariableNode* FindNode(int32_t id) const;
  VariableNode* Insert(int32_t id);
  void Link(VariableNode* node);
  void Unlink(VariableNode* node);
  bool ReadForm(CStream& stream);

  VariableNode* buckets_[kBuckets];
  VariableNode* newest_;
  int32_t count_;
  VariableNode** slots_ = nullptr;  // the index's table, when the owner gave one
  int32_t slotsUsed_ = 0;           // entries past this one are all null
};

// Split of a flat element index into row and column (truncating division).
inline void Variable_SplitIndex(int32_t k, int32_t* row, int32_t* column) {
  *row = k / CVariableList::kRowStride;
  *column = k - *row * CVariableList::kRowStride;
}

// Counts nodes given back to the pool. A node pointer kept from an earlier
// lookup still belongs to the same variable of the same list while this
// has not moved (nodes are reused, never handed back to the heap).
inline uint64_t g_variableNodeReturns = 0;

// Node pool shared by all lists: a fresh node (real 0, no rows) and the
// return of a node whose contents are freed here.
VariableNode* VariableNode_Take(int32_t id);
void VariableNode_Return(VariableNode* node);
// Sizing of a node's rows: new rows are empty, new items real 0.
void VariableNode_GrowRows(VariableNode* node, int32_t rows);
void ArrayRow_Grow(ArrayRow* row, int32_t length);
// The item at (row, column) of a node (neither negative), the rows and the
// row grown as far as needed to hold it.
ScriptValue* VariableNode_Reach(VariableNode* node, int32_t row, int32_t column);

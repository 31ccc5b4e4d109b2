#include "script/compiler/fold.h"

#include <algorithm>
#include <unordered_set>

#include "runtime/numeric.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/operators.h"

namespace {

// The ids declared with var so far, any number of them: the first few in
// place, since most texts declare a handful and a hash set would cost a
// heap block for each.
class DeclaredIds {
 public:
  void Add(int32_t id) {
    if (many_.empty() && count_ < kFew) {
      few_[count_++] = id;
      return;
    }
    if (many_.empty()) many_.insert(few_, few_ + count_);
    many_.insert(id);
  }
  bool Contains(int32_t id) const {
    if (many_.empty()) return std::find(few_, few_ + count_, id) != few_ + count_;
    return many_.count(id) != 0;
  }

 private:
  static constexpr int kFew = 16;
  int32_t few_[kFew] = {};
  int count_ = 0;
  std::unordered_set<int32_t> many_;
};

class Folder {
 public:
  explicit Folder(CCode* code) : code_(code) {}

  // Children first, in order; the walk stops at the first error. The parser
  // bounds tree depth, so the recursion is bounded too.
  bool Walk(CodeNode* node) {
    for (int32_t i = 0; i < node->childCount; ++i)
      if (!Walk(&node->children[i])) return false;
    return Visit(node);
  }

 private:
  bool Visit(CodeNode* node) {
    switch (node->kind) {
      case kNodeVar:
        for (int32_t i = 0; i < node->childCount; ++i) declared_.Add(node->children[i].id);
        return true;
      case kNodeVariable: return CheckVariable(node);
      case kNodeUnary: return FoldUnary(node);
      case kNodeBinary: return FoldBinary(node);
      case kNodeCase:
        if (node->childCount > 0 && IsConstant(node->children[0])) node->kind = kNodeCaseConstant;
        return true;
      default: return true;
    }
  }

  static bool IsConstant(const CodeNode& node) { return node.kind == kNodeConstant; }

  bool CheckVariable(CodeNode* node) {
    if (node->childCount == 0 || !IsConstant(node->children[0])) return true;
    CodeNode& selector = node->children[0];
    if (selector.value.kind == kValueReal && selector.value.real == static_cast<double>(kInstanceNotSpecified) &&
        declared_.Contains(node->id)) {
      selector.value.real = kInstanceLocal;
    }
    if (node->childCount > 1) return true;
    if (selector.value.kind != kValueReal) {
      Code_Error_Set(code_, selector.position, "Left hand side must be a real value.");
      return false;
    }
    node->kind = kNodeVariableOnInstance;
    node->instance = Num_RoundInt32(selector.value.real);
    return true;
  }

  // The node becomes a constant holding `value` (taken over).
  static void BecomeConstant(CodeNode* node, ScriptValue* value) {
    int32_t position = node->position;
    CodeNode_Free(node);
    node->kind = kNodeConstant;
    node->position = position;
    node->value = *value;
    *value = ScriptValue();
  }

  bool FoldUnary(CodeNode* node) {
    if (node->childCount < 1 || !IsConstant(node->children[0])) return true;
    ScriptValue value;
    ScriptValue_Copy(&value, &node->children[0].value);
    if (!Code_UnaryOperator(code_, node->position, node->id, &value)) {
      ScriptValue_Release(&value);
      return false;
    }
    BecomeConstant(node, &value);
    return true;
  }

  bool FoldBinary(CodeNode* node) {
    if (node->childCount < 2 || !IsConstant(node->children[0]) || !IsConstant(node->children[1])) return true;
    ScriptValue value;
    ScriptValue_Copy(&value, &node->children[0].value);
    if (!Code_BinaryOperator(code_, node->position, node->id, &value, &node->children[1].value)) {
      ScriptValue_Release(&value);
      return false;
    }
    BecomeConstant(node, &value);
    return true;
  }

  CCode* code_;
  DeclaredIds declared_;
};

}  // namespace

bool CheckAndFold(CCode* code, CodeNode* root) {
  Code_Error_Clear();
  Folder folder(code);
  return folder.Walk(root) && !Code_Error_Recorded();
}

#include "script/tree/prepare.h"

#include <cmath>
#include <unordered_map>

#include "script/compiler/lexer.h"
#include "script/variables/variable_registry.h"

namespace {

// Numbers for the local names of one code, in the order they are met.
class LocalNumbers {
 public:
  uint64_t NumberOf(int32_t id) {
    auto [at, added] = numbers_.try_emplace(id, static_cast<int32_t>(numbers_.size()));
    (void)added;
    return static_cast<uint64_t>(at->second < kPreparedLocalNumbers ? at->second : kPreparedLocalNumbers);
  }

 private:
  std::unordered_map<int32_t, int32_t> numbers_;
};

int32_t OperatorForm(int32_t token) {
  switch (token) {
    case kTokenPlus: return kFormAdd;
    case kTokenMinus: return kFormSubtract;
    case kTokenTimes: return kFormMultiply;
    case kTokenDivide: return kFormDivide;
    case kTokenDiv: return kFormDiv;
    case kTokenMod: return kFormMod;
    case kTokenLess: return kFormLess;
    case kTokenLessEqual: return kFormLessEqual;
    case kTokenGreater: return kFormGreater;
    case kTokenGreaterEqual: return kFormGreaterEqual;
    case kTokenAssign:  // `=` between operands compares
    case kTokenEqual: return kFormEqual;
    case kTokenNotEqual: return kFormNotEqual;
    default: return kFormWalked;
  }
}

// The form of a compound assignment's operator; 0 for = and :=.
int32_t AssignmentForm(int32_t token) {
  switch (token) {
    case kTokenAssign: return 0;
    case kTokenAddAssign: return kFormAdd;
    case kTokenSubtractAssign: return kFormSubtract;
    case kTokenMultiplyAssign: return kFormMultiply;
    case kTokenDivideAssign: return kFormDivide;
    default: return kFormWalked;  // the bit operators are left to the operator module
  }
}

bool MayBeReal(int32_t form) {
  return form == kFormReal || form == kFormLocal || form == kFormStored || form == kFormBuiltin ||
         form == kFormElement || form == kFormLocalElement || form >= kFormAdd;
}

bool IsPlainRealConstant(const CodeNode& node) {
  return node.kind == kNodeConstant && node.value.kind == kValueReal && node.value.text == nullptr;
}

// A whole constant divisor of 2 ... 2^31 in size, as div and mod take it.
bool WholeDivisor(const CodeNode& node, int32_t* divisor) {
  if (!IsPlainRealConstant(node)) return false;
  double real = node.value.real;
  if (!(real >= -2147483648.0 && real <= 2147483647.0) || std::trunc(real) != real) return false;
  *divisor = static_cast<int32_t>(real);
  return *divisor <= -2 || *divisor >= 2;
}

void PrepareBinary(CodeNode* node) {
  int32_t form = OperatorForm(node->id);
  if (node->childCount != 2 || !MayBeReal(node->children[0].prepared) || !MayBeReal(node->children[1].prepared)) {
    form = kFormWalked;
  }
  int32_t divisor = 0;
  if ((form == kFormDiv || form == kFormMod) && WholeDivisor(node->children[1], &divisor)) {
    form = form == kFormDiv ? kFormDivByConstant : kFormModByConstant;
    uint32_t size = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
    node->preparedData = Prepared_Multiplier(size);
  }
  node->prepared = form;
}

bool SelectsLocal(const CodeNode& selector) {
  return IsPlainRealConstant(selector) && selector.value.real == static_cast<double>(kInstanceLocal);
}

void PrepareNode(CodeNode* node, LocalNumbers* locals) {
  for (int32_t i = 0; i < node->childCount; ++i) PrepareNode(&node->children[i], locals);
  int32_t form = kFormWalked;
  switch (node->kind) {
    case kNodeConstant: form = IsPlainRealConstant(*node) ? kFormReal : kFormWalked; break;
    case kNodeVariableOnInstance:
      if (node->instance == kInstanceLocal) {
        form = kFormLocal;
        node->preparedData = locals->NumberOf(node->id);
      } else if (node->id < kFirstInstanceVariableId &&
                 (node->instance == kInstanceNotSpecified || node->instance == kInstanceSelf ||
                  node->instance == kInstanceOther)) {
        form = kFormBuiltin;
      } else {
        form = kFormStored;
      }
      break;
    case kNodeVariable:
      if (node->childCount >= 2 && node->childCount <= 3 && IsPlainRealConstant(node->children[0])) {
        // An element of a local is found through the local's number; other
        // lists are searched by id (number kPreparedLocalNumbers is never kept).
        bool local = SelectsLocal(node->children[0]);
        form = local && node->childCount == 2 ? kFormLocalElement : kFormElement;
        node->preparedData = local ? locals->NumberOf(node->id) : kPreparedLocalNumbers;
      }
      break;
    case kNodeBinary: PrepareBinary(node); return;
    case kNodeAssign: {
      int32_t operation = AssignmentForm(node->id);
      if (node->childCount == 2 && operation != kFormWalked && MayBeReal(node->children[1].prepared) &&
          (node->children[0].kind == kNodeVariableOnInstance || node->children[0].kind == kNodeVariable)) {
        form = kFormAssign;
        node->preparedData = static_cast<uint64_t>(operation);
      }
      break;
    }
    default: break;
  }
  node->prepared = form;
}

}  // namespace

void Tree_Prepare(CCode* code) {
  if (code->root.prepared != kFormUnprepared) return;
  LocalNumbers locals;
  PrepareNode(&code->root, &locals);
}

// The tree walk of expressions, variable reads, assignments and calls.
#include <cmath>
#include <new>
#include <string>
#include <utility>

#include "runtime/numeric.h"
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/lexer.h"
#include "script/compiler/operators.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"
#include "script/tree/interpreter_fast.h"
#include "script/tree/prepare.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"

namespace {

ExtensionCaller g_extensionCaller = nullptr;

constexpr int32_t kMaxIndex = CVariableList::kRowStride;

struct VariableAddress {
  int32_t selector = kInstanceNotSpecified;
  int32_t id = 0;
  int32_t k = 0;
};

// A whole number of 32 bits held by a real.
bool WholeInt32(double value, int32_t* whole) {
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return false;
  *whole = static_cast<int32_t>(value);
  return static_cast<double>(*whole) == value;
}

// l - r * trunc(l / r) for a non-zero r. For whole numbers of 32 bits that is
// the remainder of integer division, a zero remainder included (both give
// +0), and the integer divider is the quicker one.
double Modulo(double l, double r) {
  int32_t a = 0;
  int32_t b = 0;
  if (WholeInt32(l, &a) && WholeInt32(r, &b)) return b == -1 ? 0.0 : static_cast<double>(a % b);
  return l - r * std::trunc(l / r);
}

// Plain reals under the commonest operators, giving exactly what
// Code_BinaryOperator gives for them (comparisons through the difference, so
// NaN and infinities order as there); false leaves the operation, and any
// error it raises, to the operator module.
inline bool RealBinary(int32_t op, double l, double r, double* out) {
  switch (op) {
    case kTokenPlus: *out = l + r; return true;
    case kTokenMinus: *out = l - r; return true;
    case kTokenTimes: *out = l * r; return true;
    case kTokenDivide:
      if (r == 0) return false;
      *out = l / r;
      return true;
    case kTokenDiv: {
      int32_t dividend = 0;
      int32_t divisor = 0;
      if (!WholeInt32(r, &divisor)) divisor = Num_TruncInt32(r);
      if (divisor == 0) return false;
      if (!WholeInt32(l, &dividend)) dividend = Num_TruncInt32(l);
      *out = static_cast<double>(static_cast<int64_t>(dividend) / divisor);
      return true;
    }
    case kTokenMod:
      if (r == 0) return false;
      *out = Modulo(l, r);
      return true;
    case kTokenLess: *out = l - r < 0 ? 1.0 : 0.0; return true;
    case kTokenLessEqual: *out = l - r <= 0 ? 1.0 : 0.0; return true;
    case kTokenGreater: *out = l - r > 0 ? 1.0 : 0.0; return true;
    case kTokenGreaterEqual: *out = l - r >= 0 ? 1.0 : 0.0; return true;
    case kTokenAssign:
    case kTokenEqual: *out = l - r == 0 ? 1.0 : 0.0; return true;
    case kTokenNotEqual: *out = l - r == 0 ? 0.0 : 1.0; return true;
    default: return false;
  }
}

inline bool IsPlainReal(const ScriptValue& value) { return Tree_IsPlainReal(value); }

// Code_BinaryOperator with the plain-real cases done here.
bool BinaryOperator(ExecContext* context, int32_t position, int32_t op, ScriptValue* left, const ScriptValue* right) {
  if (IsPlainReal(*left) && IsPlainReal(*right) && RealBinary(op, left->real, right->real, &left->real)) return true;
  return Code_BinaryOperator(context->code, position, op, left, right);
}

void Clear(ScriptValue* value) {
  ScriptValue_Release(value);
  *value = ScriptValue();
}

void SetPlainReal(ScriptValue* value, double real) {
  ScriptValue_Release(value);
  *value = ScriptValue{kValueReal, nullptr, real};
}

// Num_RoundInt32 without the library call for the usual whole numbers.
int32_t RoundIndex(double value) {
  int32_t whole = 0;
  return WholeInt32(value, &whole) ? whole : Num_RoundInt32(value);
}

// The list a selector's variable lives in when the interpreter may read and
// write it in place: the locals, self's or other's user variables, or the
// globals. Null for built-in variables, targets by object or instance id,
// and lists not made yet.
inline CVariableList* ListOf(ExecContext* context, int32_t selector, int32_t id) {
  switch (selector) {
    case kInstanceLocal: return context->locals;
    case kInstanceNotSpecified:
      if (id < kFirstInstanceVariableId) return nullptr;
      return GlobalScope_Flag(id) != 0 ? g_globalScope.list : WorldSeam_Get().instanceVariables(context->self);
    case kInstanceSelf:
      if (id < kFirstInstanceVariableId) return nullptr;
      return WorldSeam_Get().instanceVariables(context->self);
    case kInstanceOther:
      if (id < kFirstInstanceVariableId) return nullptr;
      return WorldSeam_Get().instanceVariables(context->other);
    case kInstanceGlobal: return g_globalScope.list;
    default: return nullptr;
  }
}

// The stored own value of a variable node (kind 8) in a list of ListOf;
// null when there is none yet, or no such list. The caller then goes the
// ordinary way, which gives the same answer or reports the miss.
[[gnu::noinline]] ScriptValue* OwnValue(ExecContext* context, const CodeNode* node) {
  CVariableList* list = ListOf(context, node->instance, node->id);
  if (list == nullptr) return nullptr;
  VariableNode* variable = list->FindWritable(node->id);
  if (variable == nullptr) return nullptr;
  g_variableIndexOutOfRange = 0;  // as the list's own access leaves it
  return &variable->value;
}

// An index child worked out by PureReal and lying in 0..31999.
__attribute__((always_inline)) inline bool PureIndex(ExecContext* context, const CodeNode* child, int32_t* index) {
  double real = 0;
  if (!Tree_PureReal(context, child, &real)) return false;
  *index = Tree_ElementIndex(real);
  return *index >= 0;
}

}  // namespace

ScriptValue* Tree_LocalElementFound(ExecContext* context, const CodeNode* node, bool grow) {
  const CodeNode* at = &node->children[1];
  double real;
  if (at->prepared == kFormLocal) {
    const ScriptValue* value = Tree_LocalValue(context, at);
    if (value == nullptr || !Tree_IsPlainReal(*value)) return nullptr;
    real = value->real;
  } else if (!Interpreter_PureReal(context, at, &real)) {
    return nullptr;
  }
  int32_t index = Tree_ElementIndex(real);
  if (index < 0) return nullptr;
  VariableNode* variable = Tree_LocalNode(context, node);
  if (variable == nullptr) return nullptr;
  ScriptValue* slot = &variable->value;
  if (index != 0) {
    if (variable->rowCount > 0 && index < variable->rows[0].length)
      slot = &variable->rows[0].items[index];
    else if (grow)
      slot = VariableNode_Reach(variable, 0, index);
    else
      return nullptr;
  }
  g_variableIndexOutOfRange = 0;
  return slot;
}

namespace {

[[gnu::noinline]] bool LocalElementRealFound(ExecContext* context, const CodeNode* node, double* out) {
  const ScriptValue* value = Tree_LocalElementFound(context, node, false);
  if (value == nullptr || !Tree_IsPlainReal(*value)) return false;
  *out = value->real;
  return true;
}

}  // namespace

// The quick case leaves the rest to a call it ends in, so that it keeps
// nothing of its own.
bool Tree_LocalElementReal(ExecContext* context, const CodeNode* node, double* out) {
  const ScriptValue* value = Tree_LocalElementQuick(context, node);
  if (value == nullptr) return LocalElementRealFound(context, node, out);
  if (!Tree_IsPlainReal(*value)) return false;
  *out = value->real;
  return true;
}

namespace {

// The stored element of an indexed variable node (kind 7 with a constant
// selector and indices PureReal works out) in a list of ListOf; null when
// any of that does not hold or the element does not exist yet.
ScriptValue* StoredElement(ExecContext* context, const CodeNode* node) {
  if (node->prepared == kFormLocalElement) return Tree_LocalElement(context, node, false);
  if (node->childCount < 2 || node->childCount > 3) return nullptr;
  const CodeNode& selector = node->children[0];
  if (selector.kind != kNodeConstant || selector.value.kind != kValueReal) return nullptr;
  int32_t row = 0;
  int32_t column = 0;
  if (!PureIndex(context, &node->children[1], &row)) return nullptr;
  if (node->childCount == 3 && !PureIndex(context, &node->children[2], &column)) return nullptr;
  if (node->childCount == 2) std::swap(row, column);  // one index: row 0
  int32_t which = RoundIndex(selector.value.real);
  VariableNode* variable = nullptr;
  if (which == kInstanceLocal && node->prepared == kFormElement) {
    variable = Tree_LocalNode(context, node);
  } else {
    CVariableList* list = ListOf(context, which, node->id);
    if (list == nullptr) return nullptr;
    variable = list->FindWritable(node->id);
  }
  if (variable == nullptr) return nullptr;
  ScriptValue* slot = nullptr;
  if (row == 0 && column == 0) {
    slot = &variable->value;
  } else if (row < variable->rowCount && column < variable->rows[row].length) {
    slot = &variable->rows[row].items[column];
  } else {
    return nullptr;
  }
  g_variableIndexOutOfRange = 0;
  return slot;
}

// The slot argument0 ... argument15 of self, other or no instance read, where
// it lies: their getters read it whatever the instance. Null for any other
// node.
inline const ScriptValue* ArgumentSlot(const CodeNode* node) {
  if (node->kind != kNodeVariableOnInstance || node->id >= kFirstInstanceVariableId) return nullptr;
  if (node->instance != kInstanceNotSpecified && node->instance != kInstanceSelf && node->instance != kInstanceOther)
    return nullptr;
  int32_t slot = Variable_BuiltIn_ArgumentSlot(node->id);
  return slot >= 0 ? &g_arguments[slot] : nullptr;
}

// A built-in variable of self or other read through its getter, when that
// gives a plain real. Getters only read, so a later fallback to the ordinary
// walk, which reads it again, changes nothing.
bool BuiltinReal(ExecContext* context, const CodeNode* node, double* out) {
  if (node->id >= kFirstInstanceVariableId) return false;
  CInstance* instance = nullptr;
  switch (node->instance) {
    case kInstanceNotSpecified:  // built-ins are never globalvar names
    case kInstanceSelf: instance = context->self; break;
    case kInstanceOther: instance = context->other; break;
    default: return false;
  }
  int32_t slot = Variable_BuiltIn_ArgumentSlot(node->id);
  if (slot >= 0) {  // read where it lies, as its getter would copy it
    *out = g_arguments[slot].real;
    return IsPlainReal(g_arguments[slot]);
  }
  ScriptValue value;
  bool plain = Variable_GetValue(instance, node->id, 0, &value) && IsPlainReal(value);
  ScriptValue_Release(&value);
  *out = value.real;
  return plain;
}

// The stored own value of a variable node (kind 8), or its argument slot;
// null when it has to be read the ordinary way.
inline const ScriptValue* VariableInPlace(ExecContext* context, const CodeNode* node) {
  if (node->prepared == kFormLocal) return Tree_LocalValue(context, node);
  const ScriptValue* own = OwnValue(context, node);
  return own != nullptr ? own : ArgumentSlot(node);
}

inline bool PlainRealOf(const ScriptValue* value, double* out) {
  if (value == nullptr || !IsPlainReal(*value)) return false;
  *out = value->real;
  return true;
}

// div by a whole constant of at least 2 in size, as RealBinary gives it.
inline double DivByConstant(const CodeNode* node, double l) {
  int32_t dividend = 0;
  if (!WholeInt32(l, &dividend)) dividend = Num_TruncInt32(l);
  bool negative = (dividend < 0) != (node->children[1].value.real < 0);
  uint32_t magnitude = dividend < 0 ? 0u - static_cast<uint32_t>(dividend) : static_cast<uint32_t>(dividend);
  auto quotient = static_cast<int64_t>(Prepared_DivideWhole(magnitude, node->preparedData));
  return static_cast<double>(negative ? -quotient : quotient);
}

// mod by a whole constant of at least 2 in size, as Modulo gives it.
inline double ModByConstant(const CodeNode* node, double l) {
  double r = node->children[1].value.real;
  int32_t dividend = 0;
  if (!WholeInt32(l, &dividend)) return l - r * std::trunc(l / r);
  auto divisor = static_cast<int32_t>(r);
  uint32_t size = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
  uint32_t magnitude = dividend < 0 ? 0u - static_cast<uint32_t>(dividend) : static_cast<uint32_t>(dividend);
  uint32_t remainder = magnitude - Prepared_DivideWhole(magnitude, node->preparedData) * size;
  // The remainder takes the dividend's sign; a zero one converts to +0.
  auto signedRemainder = static_cast<int64_t>(remainder);
  return static_cast<double>(dividend < 0 ? -signedRemainder : signedRemainder);
}

inline bool Operands(ExecContext* context, const CodeNode* children, double* l, double* r) {
  return Tree_PureReal(context, &children[0], l) && Tree_PureReal(context, &children[1], r);
}

}  // namespace

// Worked out by the forms the code was prepared in; the operands' constants
// and locals are read in place (Tree_PureReal).
bool Interpreter_PureReal(ExecContext* context, const CodeNode* node, double* out) {
  double l;
  double r;
  const CodeNode* children = node->children;
  switch (node->prepared) {
    case kFormReal: *out = node->value.real; return true;
    case kFormLocal: return PlainRealOf(Tree_LocalValue(context, node), out);
    case kFormStored: {
      const ScriptValue* value = OwnValue(context, node);
      if (value == nullptr) return BuiltinReal(context, node, out);
      return PlainRealOf(value, out);
    }
    case kFormBuiltin: return BuiltinReal(context, node, out);
    case kFormElement: return PlainRealOf(StoredElement(context, node), out);
    case kFormLocalElement: return Tree_LocalElementReal(context, node, out);
    case kFormDivByConstant:
      if (!Tree_PureReal(context, &children[0], &l)) return false;
      *out = DivByConstant(node, l);
      return true;
    case kFormModByConstant:
      if (!Tree_PureReal(context, &children[0], &l)) return false;
      *out = ModByConstant(node, l);
      return true;
    case kFormAdd:
      if (!Operands(context, children, &l, &r)) return false;
      *out = l + r;
      return true;
    case kFormSubtract:
      if (!Operands(context, children, &l, &r)) return false;
      *out = l - r;
      return true;
    case kFormMultiply:
      if (!Operands(context, children, &l, &r)) return false;
      *out = l * r;
      return true;
    case kFormLess:
    case kFormLessEqual:
    case kFormGreater:
    case kFormGreaterEqual:
    case kFormEqual:
    case kFormNotEqual:
      if (!Operands(context, children, &l, &r)) return false;
      *out = Tree_Compare(node->prepared, l, r) ? 1.0 : 0.0;
      return true;
    case kFormDivide:
    case kFormDiv:
    case kFormMod: return Operands(context, children, &l, &r) && RealBinary(node->id, l, r, out);
    default: return false;
  }
}

namespace {

// The value an operand node stands for where it already lies (a constant's
// own value, a stored variable), or null when it has to be evaluated.
const ScriptValue* InPlace(ExecContext* context, const CodeNode* node) {
  switch (node->kind) {
    case kNodeConstant: return &node->value;
    case kNodeVariableOnInstance: return VariableInPlace(context, node);
    case kNodeVariable: return StoredElement(context, node);
    default: return nullptr;
  }
}

// Evaluates an index child and checks it lies in 0..31999.
int32_t Index(ExecContext* context, const CodeNode* child, int32_t* index) {
  ScriptValue value;
  int32_t status = Interpreter_Evaluate(context, child, &value);
  bool isReal = value.kind == kValueReal;
  ScriptValue_Release(&value);
  if (status != kExecDone) return status;
  if (!isReal) return Interpreter_Fail(context, child->position, "Wrong type of array index");
  *index = RoundIndex(value.real);
  if (*index < 0) return Interpreter_Fail(context, child->position, "Negative array index");
  if (*index >= kMaxIndex) return Interpreter_Fail(context, child->position, "Array index >= 32000");
  return kExecDone;
}

int32_t Address(ExecContext* context, const CodeNode* node, VariableAddress* address) {
  address->id = node->id;
  if (node->kind == kNodeVariableOnInstance) {
    address->selector = node->instance;
    return kExecDone;
  }
  if (node->childCount > 0) {
    ScriptValue value;
    int32_t status = Interpreter_Evaluate(context, &node->children[0], &value);
    bool isReal = value.kind == kValueReal;
    ScriptValue_Release(&value);
    if (status != kExecDone) return status;
    if (!isReal) return Interpreter_Fail(context, node->children[0].position, "Wrong type of variable index");
    address->selector = RoundIndex(value.real);
  }
  int32_t row = 0;
  int32_t column = 0;
  if (node->childCount > 1) {
    int32_t status = Index(context, &node->children[1], &row);
    if (status != kExecDone) return status;
  }
  if (node->childCount > 2) {
    int32_t status = Index(context, &node->children[2], &column);
    if (status != kExecDone) return status;
    address->k = row * kMaxIndex + column;
  } else {
    address->k = row;
  }
  return kExecDone;
}

bool Fetch(ExecContext* context, const VariableAddress& a, ScriptValue* out) {
  switch (a.selector) {
    case kInstanceLocal: return context->locals != nullptr && context->locals->GetValue(a.id, a.k, out);
    case kInstanceNotSpecified:
      if (Variable_IsGlobalVar(a.id) != 0) return Variable_Global_Get(a.id, a.k, out);
      return Variable_GetValue(context->self, a.id, a.k, out);
    case kInstanceGlobal: return Variable_Global_Get(a.id, a.k, out);
    case kInstanceNoone: return false;
    case kInstanceOther: return Variable_GetValue(context->other, a.id, a.k, out);
    case kInstanceSelf: return Variable_GetValue(context->self, a.id, a.k, out);
    default: return Variable_GetValueByTarget(a.selector, a.id, a.k, out);
  }
}

// A read, with the miss rule: 0 unless unset variables are errors.
int32_t Read(ExecContext* context, const CodeNode* node, const VariableAddress& a, ScriptValue* out) {
  Clear(out);
  if (Fetch(context, a, out)) return kExecDone;
  Clear(out);
  if (!g_runFlags.unsetVariableIsError) return kExecDone;
  std::string message = std::string("Unknown variable ") + Code_Variable_GetName(a.id);
  if (a.k != 0) message += " or array index out of bounds";
  return Interpreter_Fail(context, node->position, message.c_str());
}

bool Store(ExecContext* context, const VariableAddress& a, const ScriptValue& value) {
  switch (a.selector) {
    case kInstanceLocal:
      if (context->locals == nullptr) Interpreter_TakeLocals(context);
      context->locals->SetValue(a.id, a.k, value);
      return true;
    case kInstanceNotSpecified:
      if (Variable_IsGlobalVar(a.id) == 0) return Variable_SetValue(context->self, a.id, a.k, value);
      Variable_Global_Set(a.id, a.k, value);
      return true;
    case kInstanceGlobal: Variable_Global_Set(a.id, a.k, value); return true;
    case kInstanceNoone: return false;
    case kInstanceOther: return Variable_SetValue(context->other, a.id, a.k, value);
    case kInstanceSelf: return Variable_SetValue(context->self, a.id, a.k, value);
    default: return Variable_SetValueByTarget(a.selector, a.id, a.k, value);
  }
}

// The operator a compound assignment applies; 0 for = and :=.
int32_t CompoundOperator(int32_t assignment) {
  switch (assignment) {
    case kTokenAddAssign: return kTokenPlus;
    case kTokenSubtractAssign: return kTokenMinus;
    case kTokenMultiplyAssign: return kTokenTimes;
    case kTokenDivideAssign: return kTokenDivide;
    case kTokenOrAssign: return kTokenBitOr;
    case kTokenAndAssign: return kTokenBitAnd;
    case kTokenXorAssign: return kTokenBitXor;
    default: return 0;
  }
}

int32_t CallTarget(ExecContext* context, const CodeNode* node, int32_t count, ScriptValue* arguments,
                   ScriptValue* result) {
  int32_t id = node->id;
  if (id >= kFirstExtensionFunctionId) {
    if (g_extensionCaller == nullptr) {
      Clear(result);
      return kExecDone;
    }
    bool ok =
        g_extensionCaller(id - kFirstExtensionFunctionId, context->self, context->other, count, arguments, result);
    return ok ? kExecDone : kExecError;
  }
  Clear(result);
  BuiltinFunction handler = Function_GetHandler(id);
  if (handler != nullptr) handler(result, context->self, context->other, count, arguments);
  return kExecDone;
}

}  // namespace

void Code_SetExtensionCaller(ExtensionCaller caller) { g_extensionCaller = caller; }

int32_t Interpreter_Evaluate(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  switch (node->kind) {
    case kNodeConstant: ScriptValue_Assign(result, &node->value); return kExecDone;
    case kNodeCall: return Interpreter_Call(context, node, result);
    case kNodeVariableOnInstance: {
      const ScriptValue* stored = VariableInPlace(context, node);
      if (stored == nullptr) return Interpreter_ReadVariable(context, node, result);
      ScriptValue_Assign(result, stored);
      return kExecDone;
    }
    case kNodeVariable: {
      const ScriptValue* stored = StoredElement(context, node);
      if (stored == nullptr) return Interpreter_ReadVariable(context, node, result);
      ScriptValue_Assign(result, stored);
      return kExecDone;
    }
    case kNodeUnary: {
      int32_t status = Interpreter_Evaluate(context, &node->children[0], result);
      if (status != kExecDone) return status;
      return Code_UnaryOperator(context->code, node->position, node->id, result) ? kExecDone : kExecError;
    }
    case kNodeBinary: {
      double real = 0;
      if (node->prepared >= kFormAdd && Tree_PureReal(context, node, &real)) {
        SetPlainReal(result, real);
        return kExecDone;
      }
      int32_t status = Tree_Evaluate(context, &node->children[0], result);
      if (status != kExecDone) return status;
      // A constant or a stored variable on the right is read where it lies:
      // the operator only reads it, and a text needs no copy.
      if (const ScriptValue* lying = InPlace(context, &node->children[1])) {
        return BinaryOperator(context, node->position, node->id, result, lying) ? kExecDone : kExecError;
      }
      ScriptValue right;
      status = Tree_Evaluate(context, &node->children[1], &right);
      if (status == kExecDone && !BinaryOperator(context, node->position, node->id, result, &right)) {
        status = kExecError;
      }
      ScriptValue_Release(&right);
      return status;
    }
    default: return Interpreter_Fail(context, node->position, "(Sub-)expression expected.");
  }
}

int32_t Interpreter_ReadVariable(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  VariableAddress address;
  int32_t status = Address(context, node, &address);
  if (status != kExecDone) return status;
  return Read(context, node, address, result);
}

namespace {

// The assignment of any value to any target: address, value, the compound
// operator's read, the store.
[[gnu::noinline]] int32_t AssignOrdinary(ExecContext* context, const CodeNode* node, int32_t op, ScriptValue* result) {
  const CodeNode* target = &node->children[0];
  VariableAddress address;
  int32_t status = Address(context, target, &address);
  if (status != kExecDone) return status;
  ScriptValue value;
  status = Tree_Evaluate(context, &node->children[1], &value);
  if (status == kExecDone && op == 0) {
    ScriptValue_Release(result);
    *result = value;  // taken over: nothing is left to release
    value = ScriptValue();
  } else if (status == kExecDone) {
    status = Read(context, target, address, result);
    if (status == kExecDone && !BinaryOperator(context, node->position, op, result, &value)) {
      status = kExecError;
    }
  }
  ScriptValue_Release(&value);
  if (status != kExecDone) return status;
  if (target->prepared == kFormLocal) {
    // A local that has a node, with no text on either side: what the list's
    // store does then, without finding the node by its name again.
    ScriptValue* stored = Tree_LocalValue(context, target);
    if (stored != nullptr && stored->kind != kValueString && result->kind != kValueString) {
      *stored = ScriptValue{result->kind, nullptr, result->real};
      return kExecDone;
    }
  }
  if (!Store(context, address, *result)) {
    return Interpreter_Fail(context, node->position, "Cannot assign to the variable");
  }
  return kExecDone;
}

}  // namespace

int32_t Interpreter_Assign(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  if (node->childCount < 2) return Interpreter_Fail(context, node->position, "Statement expected.");
  double real = 0;
  // A plain real into a variable stored in place: what Store would do, with
  // the same value in the result slot.
  if (node->prepared == kFormAssign && Tree_PureReal(context, &node->children[1], &real)) {
    const CodeNode* target = &node->children[0];
    ScriptValue* stored = nullptr;
    if (target->prepared == kFormLocalElement) {
      // A plain store reaches past the array's end as the list's store
      // would; an operator on a missing element takes the ordinary way.
      stored = Tree_LocalElement(context, target, node->preparedData == 0);
    } else if (target->kind == kNodeVariable) {
      stored = StoredElement(context, target);
    } else if (target->prepared == kFormLocal) {
      stored = Tree_LocalValue(context, target);
    } else {
      stored = OwnValue(context, target);
    }
    if (stored != nullptr && IsPlainReal(*stored)) {
      double old = stored->real;
      bool done = true;
      switch (static_cast<int32_t>(node->preparedData)) {
        case 0: break;
        case kFormAdd: real = old + real; break;
        case kFormSubtract: real = old - real; break;
        case kFormMultiply: real = old * real; break;
        default: done = RealBinary(kTokenDivide, old, real, &real); break;
      }
      if (done) {
        stored->real = real;
        SetPlainReal(result, real);
        return kExecDone;
      }
    }
  }
  return AssignOrdinary(context, node, CompoundOperator(node->id), result);
}

int32_t Interpreter_Call(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  // Only the slots the call fills are made: clearing all sixteen on every
  // call cost more than most calls.
  union Slots {
    Slots() {}
    ScriptValue values[kArgumentSlots];
  } slots;
  ScriptValue* arguments = slots.values;
  int32_t count = node->childCount < kArgumentSlots ? node->childCount : kArgumentSlots;
  int32_t status = kExecDone;
  int32_t made = 0;  // slots holding a value to release
  while (made < count) {
    const CodeNode* argument = &node->children[made];
    ScriptValue* slot = &arguments[made++];
    double real;
    if (argument->prepared != kFormWalked && Tree_PureReal(context, argument, &real)) {
      *slot = ScriptValue{kValueReal, nullptr, real};
      continue;
    }
    new (slot) ScriptValue();
    status = Interpreter_Evaluate(context, argument, slot);
    if (status != kExecDone) break;
  }
  if (status == kExecDone && node->id >= kFirstScriptFunctionId && node->id < kFirstExtensionFunctionId) {
    // The script takes the arguments over, whatever the outcome.
    bool ok = Script_ExecuteTaking(node->id - kFirstScriptFunctionId, context->self, context->other, count, result,
                                   arguments);
    return ok ? kExecDone : kExecError;
  }
  if (status == kExecDone) status = CallTarget(context, node, count, arguments, result);
  for (int32_t i = 0; i < made; ++i) ScriptValue_Release(&arguments[i]);
  return status;
}

// The tree walk's quick paths shared by its expressions and its statements:
// locals by number and reals worked out where they lie, inline so that the
// leaves of an expression cost no call.
#pragma once

#include <cstdint>

#include <emmintrin.h>

#include "runtime/numeric.h"
#include "runtime/script_value.h"
#include "script/tree/interpreter.h"
#include "script/tree/prepare.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"

inline bool Tree_IsPlainReal(const ScriptValue& value) { return value.kind == kValueReal && value.text == nullptr; }

// The node of a local by the number its code gave it: one load once found;
// null while the local has no value.
inline VariableNode* Tree_LocalNode(ExecContext* context, const CodeNode* node) {
  auto number = static_cast<uint8_t>(node->preparedData);
  VariableNode* found = context->localNodes[number];
  if (found != nullptr || context->locals == nullptr) return found;
  return context->locals->FillSlot(number, node->id);
}

// A local's own value where it lies, leaving the index flag as the list's
// own access does; null when the local has none yet.
inline ScriptValue* Tree_LocalValue(ExecContext* context, const CodeNode* node) {
  VariableNode* variable = Tree_LocalNode(context, node);
  if (variable == nullptr) return nullptr;
  g_variableIndexOutOfRange = 0;
  return &variable->value;
}

// The array index a real names as the walk rounds it (halves to even, the
// usual whole numbers without the library call); -1 outside 0..31999.
inline int32_t Tree_ElementIndex(double real) {
  int32_t whole = _mm_cvttsd_si32(_mm_set_sd(real));
  int32_t index = static_cast<double>(whole) == real ? whole : Num_RoundInt32(real);
  return static_cast<uint32_t>(index) < static_cast<uint32_t>(CVariableList::kRowStride) ? index : -1;
}

// The element of a local by one index (kFormLocalElement) where it lies;
// `grow` reaches past the array's end as the list's own store would. Null
// when the index is not a plain real naming 0..31999 or the local has no
// value yet: the ordinary walk then reads the index again and decides.
ScriptValue* Tree_LocalElementFound(ExecContext* context, const CodeNode* node, bool grow);

// The commonest case of Tree_LocalElementFound, here: a local index holding
// a whole number inside the first row of a local found before. Null leaves
// the element to Tree_LocalElementFound.
__attribute__((always_inline)) inline ScriptValue* Tree_LocalElementQuick(ExecContext* context, const CodeNode* node) {
  const CodeNode* at = &node->children[1];
  const VariableNode* index = nullptr;
  const VariableNode* variable = nullptr;
  if (at->prepared == kFormLocal && (index = context->localNodes[static_cast<uint8_t>(at->preparedData)]) != nullptr &&
      (variable = context->localNodes[static_cast<uint8_t>(node->preparedData)]) != nullptr &&
      Tree_IsPlainReal(index->value)) {
    int32_t whole = _mm_cvttsd_si32(_mm_set_sd(index->value.real));
    if (static_cast<double>(whole) == index->value.real && whole > 0 && variable->rowCount > 0 &&
        whole < variable->rows[0].length) {
      g_variableIndexOutOfRange = 0;
      return &variable->rows[0].items[whole];
    }
  }
  return nullptr;
}

__attribute__((always_inline)) inline ScriptValue* Tree_LocalElement(ExecContext* context, const CodeNode* node,
                                                                     bool grow) {
  ScriptValue* element = Tree_LocalElementQuick(context, node);
  return element != nullptr ? element : Tree_LocalElementFound(context, node, grow);
}

// A local's element read as Interpreter_PureReal reads it.
bool Tree_LocalElementReal(ExecContext* context, const CodeNode* node, double* out);

// A comparison form on two reals: through the difference, so that NaN and
// the infinities order as the operator module orders them.
inline bool Tree_Compare(int32_t form, double l, double r) {
  switch (form) {
    case kFormLess: return l - r < 0;
    case kFormLessEqual: return l - r <= 0;
    case kFormGreater: return l - r > 0;
    case kFormGreaterEqual: return l - r >= 0;
    case kFormEqual: return l - r == 0;
    default: return l - r != 0;  // kFormNotEqual
  }
}

// Interpreter_PureReal with constants and locals read here.
inline bool Tree_PureReal(ExecContext* context, const CodeNode* node, double* out) {
  if (node->prepared == kFormReal) {
    *out = node->value.real;
    return true;
  }
  if (node->prepared == kFormLocal) {
    const ScriptValue* value = Tree_LocalValue(context, node);
    if (value == nullptr || !Tree_IsPlainReal(*value)) return false;
    *out = value->real;
    return true;
  }
  if (node->prepared == kFormBuiltin) {
    // argument0 ... argument15 lie in their slots whatever the instance.
    int32_t slot = Variable_BuiltIn_ArgumentSlot(node->id);
    if (slot >= 0) {
      *out = g_arguments[slot].real;
      return Tree_IsPlainReal(g_arguments[slot]);
    }
  }
  if (node->prepared == kFormLocalElement) return Tree_LocalElementReal(context, node, out);
  return Interpreter_PureReal(context, node, out);
}

// Interpreter_Assign with a plain real stored into a local that holds one
// done here, in place, as the full assignment does it.
inline int32_t Tree_Assign(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  double real;
  ScriptValue* stored = nullptr;
  if (node->prepared == kFormAssign && node->children[0].prepared == kFormLocal &&
      Tree_PureReal(context, &node->children[1], &real) &&
      (stored = Tree_LocalValue(context, &node->children[0])) != nullptr && Tree_IsPlainReal(*stored)) {
    switch (static_cast<int32_t>(node->preparedData)) {
      case 0: break;
      case kFormAdd: real = stored->real + real; break;
      case kFormSubtract: real = stored->real - real; break;
      case kFormMultiply: real = stored->real * real; break;
      default: return Interpreter_Assign(context, node, result);  // a division, which may fail
    }
    stored->real = real;
    ScriptValue_Release(result);
    *result = ScriptValue{kValueReal, nullptr, real};
    return kExecDone;
  }
  return Interpreter_Assign(context, node, result);
}

// A condition worked out as Tree_PureReal would, with a comparison's own
// node taken here: it gives 1 or 0.
inline __attribute__((always_inline)) bool Tree_PureTest(ExecContext* context, const CodeNode* node, double* out) {
  if (node->prepared < kFormLess || node->prepared > kFormNotEqual) return Tree_PureReal(context, node, out);
  double l;
  double r;
  if (!Tree_PureReal(context, &node->children[0], &l) || !Tree_PureReal(context, &node->children[1], &r)) return false;
  *out = Tree_Compare(node->prepared, l, r) ? 1.0 : 0.0;
  return true;
}

// Interpreter_Evaluate with a call taken straight to the call.
inline int32_t Tree_Evaluate(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  return node->kind == kNodeCall ? Interpreter_Call(context, node, result)
                                 : Interpreter_Evaluate(context, node, result);
}

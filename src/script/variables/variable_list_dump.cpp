// The text form of variables used by error reports and the debug console.
#include "runtime/console.h"
#include "runtime/numeric.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"

namespace {

constexpr int32_t kShownRows = 30;
constexpr int32_t kShownItems = 30;

void DumpValue(tagIConsole* console, const ScriptValue& value) {
  if (value.kind == kValueReal) {
    int32_t whole = Num_RoundInt32(value.real);
    if (static_cast<double>(whole) == value.real) {
      console->Output("%d", whole);
    } else {
      console->Output("%f", value.real);
    }
  } else if (value.kind == kValueString) {
    console->Output("\"%s\"", ScriptValue_Text(value));
  }
}

void DumpRow(tagIConsole* console, const VariableNode& node, int32_t r) {
  const ArrayRow& row = node.rows[r];
  console->Output("{ ");
  int32_t shown = row.length < kShownItems ? row.length : kShownItems;
  for (int32_t i = 0; i < shown; ++i) {
    if (i > 0) console->Output(" ,");
    // Element 0 is the variable's own value, whatever item 0 of row 0 holds.
    DumpValue(console, r == 0 && i == 0 ? node.value : row.items[i]);
  }
  if (row.length > kShownItems) console->Output(" ... ");
  console->Output("},  ");
}

}  // namespace

void CVariableList::DumpVariable(tagIConsole* console, const VariableNode& node) {
  const char* name = Code_Variable_GetName(node.id);
  if (node.rowCount == 0) {
    console->Output("%s = ", name);
    DumpValue(console, node.value);
    console->Output("\n");
    return;
  }
  console->Output("%s = { ", name);
  int32_t shown = node.rowCount < kShownRows ? node.rowCount : kShownRows;
  for (int32_t r = 0; r < shown; ++r) DumpRow(console, node, r);
  if (node.rowCount > kShownRows) console->Output(" ... ");
  console->Output(" }");
  console->Output("\n");
}

void CVariableList::Dump(tagIConsole* console) const {
  if (console == nullptr) return;
  ForEach([console](const VariableNode& node) { DumpVariable(console, node); });
}

// Events run their code here: the tree or the machine, a failure reported.
#include "script/tree/event_code.h"

#include "script/tree/interpreter.h"

bool EventCode_RunWithTree(CCode* code, CInstance* self, CInstance* other) {
  ScriptValue result;
  bool ok = Code_Execute_ShowError(self, other, code, &result);
  ScriptValue_Release(&result);
  return ok;
}

#include "builtins/ds/queues.h"

#include "builtins/ds/handlers.h"
#include "runtime/numeric.h"
#include "runtime/script_value.h"

namespace {

// Calls a handler as the interpreter would, with no self and no other.
double Call(BuiltinFunction handler, int32_t count, ScriptValue* arguments) {
  ScriptValue result;
  handler(&result, nullptr, nullptr, count, arguments);
  double answer = result.real;
  ScriptValue_Release(&result);
  return answer;
}

}  // namespace

int32_t DSQueue_Create() { return Num_RoundInt32(Call(F_DsQueueCreate, 0, nullptr)); }

void DSQueue_Enqueue(int32_t queue, int32_t count, const DSQueueItem* items) {
  if (queue < 0 || count < 1 || items == nullptr) return;
  ScriptValue arguments[2];
  ScriptValue_SetReal(&arguments[0], queue);
  for (int32_t i = 0; i < count; ++i) {
    if (items[i].text != nullptr)
      ScriptValue_SetString(&arguments[1], items[i].text);
    else
      ScriptValue_SetReal(&arguments[1], items[i].real);
    Call(F_DsQueueEnqueue, 2, arguments);
  }
  ScriptValue_Release(&arguments[1]);
}

void DSQueue_Clear(int32_t queue) {
  if (queue < 0) return;
  ScriptValue argument;
  ScriptValue_SetReal(&argument, queue);
  Call(F_DsQueueClear, 1, &argument);
}

// JSON text to and from nested maps and lists.
#include "builtins/files/handlers.h"
#include "runtime/ds_json.h"

void F_JsonDecode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, a.IsReal(0) ? DS_JsonDecodeReal(a.Real(0)) : DS_JsonDecode(a.Text(0)));
}

// A map that does not exist gives the empty text.
void F_JsonEncode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char* text = DS_JsonEncode(a.TruncInt(0));
  if (text == nullptr) {
    Result_SetEmptyText(result);
    return;
  }
  Result_TakeText(result, text);
}

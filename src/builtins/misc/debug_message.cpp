#include "builtins/misc/debug_message.h"

#include "builtins/maths/strings.h"
#include "runtime/console.h"
#include "runtime/memory.h"

// A real prints as string() would show it.
void F_ShowDebugMessage(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (in.IsString(0)) {
    g_releaseConsole->Output("%s\n", ScriptValue_Text(args[0]));
    return;
  }
  char* text = Strings_FromReal(in.Real(0));
  g_releaseConsole->Output("%s\n", text);
  MemoryManager::Free(text);
}

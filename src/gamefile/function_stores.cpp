#include "gamefile/function_stores.h"

#include "gamefile/extension.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"
#include "script/vm/vm.h"

void GameFile_InstallFunctionStores() {
  FunctionStores stores;
  stores.findScript = Script_Find;
  stores.findExtensionFunction = Extension_FindFunction;
  stores.extensionArgumentCount = Extension_GetArgCount;
  Function_InstallStores(stores);
  Code_SetExtensionCaller(Extension_Call);
  VM_SetExtensionCaller(Extension_CallDLL);
}

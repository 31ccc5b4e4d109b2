#include "gamefile/function_stores.h"

#include "gamefile/extension.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"
#include "script/vm/vm.h"

namespace {

class GameFunctionStores final : public IFunctionStores {
 public:
  int32_t FindScript(const char* name) override { return Script_Find(name); }
  int32_t FindExtensionFunction(const char* name) override { return Extension_FindFunction(name); }
  int32_t ExtensionArgumentCount(int32_t index) override { return Extension_GetArgCount(index); }
};

GameFunctionStores g_stores;

}  // namespace

void GameFile_InstallFunctionStores() {
  Function_InstallStores(&g_stores);
  Code_SetExtensionCaller(Extension_Call);
  VM_SetExtensionCaller(Extension_CallDLL);
}

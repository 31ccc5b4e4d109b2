#include "gamefile/function_stores.h"

#include "script/compiler/function_registry.h"
#include "script/events/script.h"

namespace {

class GameFunctionStores final : public IFunctionStores {
 public:
  int32_t FindScript(const char* name) override { return Script_Find(name); }
  int32_t FindExtensionFunction(const char*) override { return -1; }
  int32_t ExtensionArgumentCount(int32_t) override { return kNoArgumentCount; }
};

GameFunctionStores g_stores;

}  // namespace

void GameFile_InstallFunctionStores() { Function_InstallStores(&g_stores); }

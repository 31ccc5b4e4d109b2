#include "gamefile/function_stores.h"

#include "extensions/extension.h"
#include "gamefile/runner_load.h"
#include "script/events/script.h"
#include "script/host/script_host.h"

void GameFile_AddFunctionStores(ScriptHost* host) {
  host->functions.findScript = Script_Find;
  host->functions.findExtensionFunction = Extension_FindFunction;
  host->functions.extensionArgumentCount = Extension_GetArgCount;
  host->callExtension = Extension_Call;
  host->callExtensionFromMachine = Extension_CallDLL;
  host->precompiled = DebugInfo_Lookup;
}

#include "script/host/script_host.h"

#include "script/events/event_code_seam.h"
#include "script/tree/event_code.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"

namespace {

ScriptHost g_host;

}  // namespace

void ScriptHost_Install(const ScriptHost& host) {
  g_host = host;
  for (int32_t kind = 0; kind < kResourceKindCount; ++kind) {
    ResourceLookup_Install(static_cast<ResourceKind>(kind), host.resources[kind]);
  }
  Function_InstallStores(host.functions);
  Code_SetExtensionCaller(host.callExtension);
  VM_SetExtensionCaller(host.callExtensionFromMachine);
  VM_SetStringSource(host.strings);
  Code_SetPrecompiledLookup(host.precompiled);
  Code_Constant_SetPlatformHook(host.platformConstants);
  Code_Constant_SetTemporaryInstance(host.temporaryInstance);
  Code_Error_SetResetHook(host.beforeCompileError);
  Error_SetHooks(host.errors);
  EventWorld_Install(host.eventWorld);
  WorldSeam_Install(host.variableWorld);
  Event_SetStoreHooks(host.eventStores);
  Variable_BuiltIn_SetFamilies(host.builtinVariables);
}

const ScriptHost& ScriptHost_Get() { return g_host; }

void ScriptEngine_Join(EngineParts parts) {
  Statements_Install();
  EventCode_SetRunner(EventCode_RunWithTree);
  if (parts == EngineParts::kAll) {
    VM_InstallGenerator();
    VM_Install();
  } else {
    Code_SetBytecodeGenerator(nullptr);
  }
}

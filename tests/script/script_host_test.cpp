#include "script/host/script_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/compiler/code.h"
#include "script/events/event_code_seam.h"
#include "script/snippet_runner.h"

namespace {

// Each part of the host, filled with a marker, must reach the engine's part
// that asks for it; the empty host must take every marker back out.
int32_t FindSeven(const char*) { return 7; }
bool g_called = false;
void Called() { g_called = true; }
CInstance* g_marker = reinterpret_cast<CInstance*>(0x10);
CInstance* Marker() { return g_marker; }
void Drop(CInstance*) {}
bool Pending() { return true; }
CInstance* FindMarker(int32_t) { return g_marker; }
std::string NamedObject(int32_t) { return "obj_marker"; }
const uint8_t kBytes[] = {1, 2, 3, 4};
bool OneEntry(int32_t index, PrecompiledEntry* entry) {
  if (index != 5) return false;
  entry->bytes = kBytes;
  entry->length = sizeof kBytes;
  return true;
}

bool ScriptFound() {
  int32_t id = -1;
  return Function_Find("scr_marker", &id) && id == kFirstScriptFunctionId + 7;
}
bool PlatformConstantsAdded() {
  g_called = false;
  Code_Constant_Init();
  Code_Constant_Free();
  return g_called;
}
bool CompileErrorResetRuns() {
  g_called = false;
  Code_Error_ApplyPendingReset();
  return g_called;
}
bool FamiliesRegister() {
  g_called = false;
  Variable_BuiltIn_Init();
  Variable_BuiltIn_Clear();
  return g_called;
}
bool PrecompiledFound() {
  CCode code(5, false);
  return code.code != nullptr && code.code->size == 4;
}

struct Part {
  const char* name;
  void (*fill)(ScriptHost& host);
  bool (*reached)();
};

const Part kParts[] = {
    {"resources", [](ScriptHost& h) { h.resources[kResourceSound] = FindSeven; },
     [] { return ResourceLookup_Find(kResourceSound, "snd_marker") == 7; }},
    {"functions", [](ScriptHost& h) { h.functions.findScript = FindSeven; }, ScriptFound},
    {"precompiled", [](ScriptHost& h) { h.precompiled = OneEntry; }, PrecompiledFound},
    {"platformConstants", [](ScriptHost& h) { h.platformConstants = Called; }, PlatformConstantsAdded},
    {"temporaryInstance",
     [](ScriptHost& h) {
       h.temporaryInstance = {Marker, Drop};
     },
     [] { return Code_Constant_TemporaryInstance().create == Marker; }},
    {"beforeCompileError", [](ScriptHost& h) { h.beforeCompileError = Called; }, CompileErrorResetRuns},
    {"eventWorld", [](ScriptHost& h) { h.eventWorld.roomChangePending = Pending; },
     [] { return EventWorld_Get().roomChangePending(); }},
    {"variableWorld", [](ScriptHost& h) { h.variableWorld.findInstance = FindMarker; },
     [] { return g_installedWorldSeam.findInstance(3) == g_marker; }},
    {"eventStores", [](ScriptHost& h) { h.eventStores.objectName = NamedObject; },
     [] { return Event_ObjectName(3) == "obj_marker"; }},
    {"builtinVariables", [](ScriptHost& h) { h.builtinVariables = Called; }, FamiliesRegister},
};

TEST(ScriptHost, EachPartReachesTheEngineAndTheEmptyHostTakesItBack) {
  const ScriptHost saved = ScriptHost_Get();
  for (const Part& part : kParts) {
    SCOPED_TRACE(part.name);
    ScriptHost host;
    part.fill(host);
    ScriptHost_Install(host);
    EXPECT_TRUE(part.reached());
    ScriptHost_Install(ScriptHost{});
    EXPECT_FALSE(part.reached());
  }
  ScriptHost_Install(saved);
}

TEST(ScriptHost, TheTableInstalledIsTheOneReported) {
  const ScriptHost saved = ScriptHost_Get();
  ScriptHost host;
  host.strings = [](const VMBuffer*, int32_t) -> const char* { return "text"; };
  ScriptHost_Install(host);
  EXPECT_EQ(ScriptHost_Get().strings, host.strings);
  ScriptHost_Install(saved);
}

// The joined engine runs the code objects events make, whichever parts it
// joins; the statements, generator and machine are taken back out after.
TEST(ScriptEngineJoin, EventsCodeRunsThroughTheJoinedTree) {
  for (EngineParts parts : {EngineParts::kAll, EngineParts::kTreesOnly}) {
    SCOPED_TRACE(parts == EngineParts::kAll ? "all" : "trees only");
    snippet::Runner runner;
    snippet::PrintedLines().clear();
    ScriptEngine_Join(parts);
    const EventCodeHooks& codes = EventCode_Get();
    CCode* code = codes.fromText("test_print(6 + 1)");
    ASSERT_TRUE(codes.compile(code, "Object.test"));
    EXPECT_TRUE(codes.execute(code, AsInstance(&runner.self), AsInstance(&runner.other)));
    EXPECT_EQ(snippet::PrintedLines(), std::vector<std::string>{"7"});
    codes.free(code);
    EventCode_SetRunner(nullptr);
    Interpreter_SetStatementHandler(nullptr);
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
  }
}

}  // namespace

// Everything the script engine asks of the program around it, in one table:
// the names of the game's resources and functions, the world its code runs
// in, the stores events are found in, how errors reach the player. The
// world's wiring fills it once (world/start/wiring.cpp); tests install a
// fake of it. A null member answers as an empty world: nothing found,
// nothing done. This header is the engine's one door for its host.
#pragma once

#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/resource_lookup.h"
#include "script/events/error_report.h"
#include "script/events/event_perform.h"
#include "script/events/event_world_seam.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "script/vm/vm.h"

struct ScriptHost {
  // Resource names in code, one lookup per kind.
  ResourceFindFunction resources[kResourceKindCount] = {};
  // The game's scripts and extension functions by name, and their calls
  // from the tree and from the machine.
  FunctionStores functions;
  ExtensionCaller callExtension = nullptr;
  VMExtensionCaller callExtensionFromMachine = nullptr;
  // Texts of precompiled code by string-table index.
  VMStringSource strings = nullptr;
  // Precompiled code by code index (null: the code table's, without the
  // debug file's source texts and positions).
  PrecompiledLookup precompiled = nullptr;
  // The platform's constants, added after the built-in ones.
  ConstantInitHook platformConstants = nullptr;
  // The instance constants are evaluated with.
  TemporaryInstanceHooks temporaryInstance;
  // Run before a compile error is reported (leaving full screen).
  ErrorResetHook beforeCompileError = nullptr;
  ErrorHooks errors;
  // The room's instances as events and variables see them.
  EventWorldHooks eventWorld;
  WorldSeam variableWorld;
  // Objects' events and time lines' moments.
  EventStoreHooks eventStores;
  // Registers the built-in variables, whose values the world owns.
  BuiltinVariableFamilies builtinVariables = nullptr;
};

// Replaces the whole table; a default-constructed one is the empty host.
void ScriptHost_Install(const ScriptHost& host);
// The table last installed.
const ScriptHost& ScriptHost_Get();

// Joins the engine's own parts: the tree's full statements and the tree as
// the runner of events' code, then for kAll the bytecode generator every
// compile runs and the machine. kTreesOnly
// leaves both out, for a compiler that generates bytecode itself once every
// tree is known (a machine would let the trees go).
enum class EngineParts { kAll, kTreesOnly };
void ScriptEngine_Join(EngineParts parts = EngineParts::kAll);

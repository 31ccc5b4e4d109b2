#include "extensions/extension.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "extensions/dll_definitions.h"
#include "files/file_layer.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/events/error_report.h"
#include "script/events/script.h"

namespace {

// Packages of this folder name are left out when the game is prepared.
constexpr const char* kDroppedFolder = "VexaGames";

// What preparation made of one function id. Ids come from the file, so the
// table holds only those in use.
struct Prepared {
  int32_t definition = -1;
  bool script = false;
  std::unique_ptr<CCode> code;
};

std::vector<std::unique_ptr<CExtensionPackage>> g_packages;
std::unordered_map<int32_t, Prepared> g_prepared;
int32_t g_maxId = 0;

// The lookups' answers: for each name and id, the first function over
// packages, files and functions in order. Scripts look names up while they
// compile and script-kind calls name their function on every call, so the
// store is not walked each time. Built at the first lookup after the store
// was handed out, cleared or prepared.
struct Index {
  bool built = false;
  std::unordered_map<std::string, int32_t> idByName;  // ids 0 and up only
  std::unordered_map<int32_t, const CExtensionFunction*> byId;
  std::unordered_map<int32_t, const CExtensionFunction*> namedById;  // non-empty names only
};
Index g_index;

// Every function, over packages, files and functions in order.
template <typename Visit>
void ForEachFunction(Visit visit) {
  for (const auto& package : g_packages) {
    if (package == nullptr) continue;
    for (const CExtensionFile& file : package->files) {
      for (const CExtensionFunction& f : file.functions) visit(f);
    }
  }
}

const Index& Lookups() {
  if (g_index.built) return g_index;
  ForEachFunction([](const CExtensionFunction& f) {
    if (f.id >= 0) g_index.idByName.try_emplace(f.name, f.id);
    g_index.byId.try_emplace(f.id, &f);
    if (!f.name.empty()) g_index.namedById.try_emplace(f.id, &f);
  });
  g_index.built = true;
  return g_index;
}

const CExtensionFunction* FirstWithId(const std::unordered_map<int32_t, const CExtensionFunction*>& map, int32_t id) {
  auto it = map.find(id);
  return it == map.end() ? nullptr : it->second;
}

const Prepared* PreparedFor(int32_t id) {
  auto it = g_prepared.find(id);
  return it == g_prepared.end() ? nullptr : &it->second;
}

void DefineLibraryFunction(const std::string& folder, const CExtensionFile& file, const CExtensionFunction& f) {
  int32_t kinds[kDllMaxArguments + 1];
  for (int32_t i = 0; i <= kDllMaxArguments; ++i) {
    int32_t kind = i < kExtensionKeptKinds ? f.kinds[i] : kExtensionKindReal;
    kinds[i] = kind == kExtensionKindString ? kDllKindString : kDllKindReal;
  }
  int32_t convention = f.convention == kExtensionConventionCdecl ? kDllConventionCdecl : kDllConventionStdcall;
  std::string path = folder + file.fileName;
  Prepared& entry = g_prepared[f.id];
  entry.definition = DLL_Define(path.c_str(), f.externalName.c_str(), convention, f.argumentCount, kinds,
                                f.resultKind == kExtensionKindString);
  entry.script = false;
  entry.code.reset();
}

bool CompileScriptFunction(const CExtensionPackage& package, CExtensionFunction& f) {
  Prepared& entry = g_prepared[f.id];
  entry.definition = -1;
  entry.code.reset();
  if (!f.code.empty()) {
    entry.code = std::make_unique<CCode>(f.code.c_str(), false);
    f.code.clear();
    std::string name = "Extension." + package.name + "." + f.name;
    if (!entry.code->Compile(name.c_str())) {
      std::string message =
          "COMPILATION ERROR in extension package " + package.name + "\n" + (g_errorText != nullptr ? g_errorText : "");
      Error_Show(message.c_str(), true);
      return false;
    }
  }
  entry.script = true;
  return true;
}

bool RunScript(int32_t script) {
  const TemporaryInstanceHooks& instances = Code_Constant_TemporaryInstance();
  CInstance* instance = instances.create();
  ScriptValue result;
  bool ok = Script_Execute(script, instance, instance, 0, &result, nullptr);
  ScriptValue_Release(&result);
  instances.destroy(instance);
  if (!ok) Error_Show(g_errorText != nullptr ? g_errorText : "", true);
  return ok;
}

// Runs each file's initialisation or finalisation function.
bool RunEach(std::string CExtensionFile::*which, const std::string& missing) {
  for (const auto& package : g_packages) {
    if (package == nullptr) continue;
    for (const CExtensionFile& file : package->files) {
      const std::string& name = file.*which;
      if (name.empty()) continue;
      int32_t script = Script_Find(name.c_str());
      if (script >= 0) {
        if (!RunScript(script)) return false;
        continue;
      }
      const CExtensionFunction* found = nullptr;
      for (const CExtensionFile& other : package->files) {
        for (const CExtensionFunction& f : other.functions) {
          if (found == nullptr && f.name == name) found = &f;
        }
      }
      if (found == nullptr) {
        Error_Show((missing + name).c_str(), true);
        return false;
      }
      const Prepared* entry = PreparedFor(found->id);
      if (entry != nullptr && entry->script) continue;
      ScriptValue result;
      DLL_Call(entry != nullptr ? entry->definition : -1, 0, nullptr, &result);
      ScriptValue_Release(&result);
    }
  }
  return true;
}

}  // namespace

// Whoever holds the store may change it: the lookups index it again.
std::vector<std::unique_ptr<CExtensionPackage>>& Extension_Packages() {
  g_index = Index();
  return g_packages;
}

void Extension_Clear() {
  g_packages.clear();
  g_prepared.clear();
  g_index = Index();
  g_maxId = 0;
}

bool Extension_Prepare() {
  g_prepared.clear();
  g_index = Index();
  g_maxId = 0;
  for (auto& package : g_packages) {
    if (package != nullptr && package->folder == kDroppedFolder) package.reset();
  }
  ForEachFunction([](const CExtensionFunction& f) { g_maxId = std::max(g_maxId, f.id); });
  const std::string folder = LoadSave_GetProgramDirectory();
  for (auto& package : g_packages) {
    if (package == nullptr) continue;
    for (CExtensionFile& file : package->files) {
      for (CExtensionFunction& f : file.functions) {
        if (file.kind == kExtensionFileLibrary) {
          DefineLibraryFunction(folder, file, f);
        } else if (file.kind == kExtensionFileScript) {
          if (!CompileScriptFunction(*package, f)) return false;
        }
      }
    }
  }
  return true;
}

int32_t Extension_FindFunction(const char* name) {
  if (name == nullptr) return -1;
  const auto& ids = Lookups().idByName;
  auto it = ids.find(name);
  return it != ids.end() ? it->second : -1;
}

int32_t Extension_GetArgCount(int32_t id) {
  const CExtensionFunction* f = FirstWithId(Lookups().byId, id);
  return f != nullptr ? f->argumentCount : -100;
}

const char* Extension_GetName(int32_t id) {
  const CExtensionFunction* f = FirstWithId(Lookups().namedById, id);
  return f != nullptr ? f->name.c_str() : nullptr;
}

bool Extension_IsScript(int32_t id) {
  const Prepared* entry = PreparedFor(id);
  return entry != nullptr && entry->script;
}

CCode* Extension_GetCode(int32_t id) {
  const Prepared* entry = PreparedFor(id);
  return entry != nullptr ? entry->code.get() : nullptr;
}

bool Extension_Call(int32_t id, CInstance* self, CInstance* other, int32_t argc, ScriptValue* args,
                    ScriptValue* result) {
  if (id < 0 || id > g_maxId) return false;
  const Prepared* entry = PreparedFor(id);
  if (entry != nullptr && entry->script) {
    const char* name = Extension_GetName(id);
    if (name == nullptr) name = "";
    if (entry->code == nullptr) {
      // The game file carries no code for script-kind functions.
      Code_Error_Prefix((std::string("In extension function ") + name + ": \n").c_str(),
                        "the function has no code to run.");
      return false;
    }
    return Code_ExecuteWithArguments(entry->code.get(), self, other, argc, args, result,
                                     {"In extension function ", name, ": \n"});
  }
  DLL_Call(entry != nullptr ? entry->definition : -1, argc, args, result);
  return true;
}

bool Extension_CallDLL(int32_t id, int32_t argc, ScriptValue* args, ScriptValue* result) {
  if (id < 0 || id > g_maxId) return false;
  const Prepared* entry = PreparedFor(id);
  if (entry != nullptr && entry->script) return false;
  DLL_Call(entry != nullptr ? entry->definition : -1, argc, args, result);
  return true;
}

bool Extension_RunInit() { return RunEach(&CExtensionFile::initName, "Could not locate initialization function "); }

bool Extension_RunFinal() { return RunEach(&CExtensionFile::finalName, "Could not locate finalization function "); }

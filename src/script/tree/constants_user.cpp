// The game's and the extensions' own constants: each value text is evaluated
// when its constant is defined, so it may use what was defined before it.
#include <string>

#include "platform/message_box.h"
#include "runtime/memory.h"
#include "runtime/text.h"
#include "script/compiler/code.h"
#include "script/compiler/constants.h"
#include "script/tree/interpreter.h"

namespace {

int32_t g_evaluated = 0;

// Until the world provides real ones, the temporary instance is an opaque
// stand-in that nothing looks into.
alignas(16) unsigned char g_standIn[64];
CInstance* StandInCreate() { return reinterpret_cast<CInstance*>(g_standIn); }
void StandInDestroy(CInstance*) {}

TemporaryInstanceHooks g_temporary = {StandInCreate, StandInDestroy};

bool Refuse(const char* what, const char* name) {
  std::string message = std::string(what) + name + "  is not valid.";
  ShowMessage(message.c_str());
  return false;
}

bool AddTrimmed(const char* name, const char* text) {
  if (!Code_Constant_IsIdentifier(name)) return Refuse("Constant name ", name);
  ScriptValue value;
  bool ok = Code_Constant_Evaluate(text, &value);
  if (ok) Code_Constant_Add(name, value);
  ScriptValue_Release(&value);
  return ok ? true : Refuse("Value for constant ", name);
}

}  // namespace

void Code_Constant_SetTemporaryInstance(const TemporaryInstanceHooks& hooks) {
  bool complete = hooks.create != nullptr && hooks.destroy != nullptr;
  g_temporary = complete ? hooks : TemporaryInstanceHooks{StandInCreate, StandInDestroy};
}

const TemporaryInstanceHooks& Code_Constant_TemporaryInstance() { return g_temporary; }

bool Code_Constant_Evaluate(const char* text, ScriptValue* out) {
  CCode code(text == nullptr ? "" : text, true);
  std::string name = "Constant." + std::to_string(g_evaluated++);
  if (!code.Compile(name.c_str())) return false;
  CInstance* instance = g_temporary.create();
  bool ok = Code_Execute_ErrorString(instance, instance, &code, out);
  g_temporary.destroy(instance);
  return ok;
}

bool Code_Constant_AddUser(const char* name, const char* text) {
  char* trimmed = nullptr;
  VCL_Trim(&trimmed, name == nullptr ? "" : name);
  bool ok = AddTrimmed(trimmed, text == nullptr ? "" : text);
  MemoryManager::Free(trimmed);
  return ok;
}

bool Code_Constant_Prepare(const std::vector<std::string>& names, const std::vector<std::string>& values) {
  for (size_t i = 0; i < names.size(); ++i) {
    const char* text = i < values.size() ? values[i].c_str() : "";
    if (!Code_Constant_AddUser(names[i].c_str(), text)) return false;
  }
  return true;
}

// The game's scripts: named pieces of code called like functions with up
// to 16 arguments. The store is filled from the script chunk, compiled
// during preparation and freed at game end.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/game_image.h"
#include "runtime/script_value.h"

class CCode;
class CInstance;
class CStream;

class CScript {
 public:
  CScript() = default;
  virtual ~CScript();
  CScript(const CScript&) = delete;
  CScript& operator=(const CScript&) = delete;

  // Reads a script record; false when it names texts outside the image.
  bool Load(ImageReader record);
  // A new text the caller frees: the source, or "" when there is none.
  char* GetText() const;
  // Builds the code: from the compiled entry when the game file has them,
  // else from the text under the name "Script.<name>".
  bool Compile();

  CStream* data = nullptr;
  CCode* code = nullptr;   // set with Code_Changed() once code may have run (see code.h)
  char* text = nullptr;    // owned source text (null with compiled code)
  int32_t codeIndex = -1;  // the compiled entry, with compiled code
  const char* name = nullptr;
};

bool Script_Load(const GameImage& image, uint64_t data, uint32_t size);
// Compiles every script in slot order; the first failure is reported as a
// fatal error and ends the pass with false.
bool Script_Prepare();
const char* Script_GetName(int32_t index);
int32_t Script_Find(const char* name);
int32_t Script_Count();

// The store's slots, read through Script_Get (script calls look them up on
// every call); slots of the script chunk that hold no script are null.
extern std::vector<CScript*> g_scripts;

inline CScript* Script_Get(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < g_scripts.size() ? g_scripts[static_cast<size_t>(index)] : nullptr;
}
inline bool Script_Exists(int32_t index) { return Script_Get(index) != nullptr; }
void Script_Clear();
// Runs script `index` with argc (0 to 16) arguments in the argument slots,
// which are saved first and restored after. A failed run leaves "ERROR" in
// result and "In script <name>:" in front of the error text.
bool Script_Execute(int32_t index, CInstance* self, CInstance* other, int32_t argc, ScriptValue* result,
                    const ScriptValue* arguments);
// As Script_Execute, handing the arguments over to the slots instead of
// copying them. `arguments` has room for all sixteen slots: it keeps the
// caller's slots while the script runs, and afterwards holds nothing to
// release (whatever the outcome).
bool Script_ExecuteTaking(int32_t index, CInstance* self, CInstance* other, int32_t argc, ScriptValue* result,
                          ScriptValue* arguments);
void Script_Finish();
// Runs code as Script_Execute runs a script's; a failed run puts
// before + name + after in front of the error text.
struct ErrorLead {
  const char* before;
  const char* name;
  const char* after;
};
bool Code_ExecuteWithArguments(CCode* code, CInstance* self, CInstance* other, int32_t argc,
                               const ScriptValue* arguments, ScriptValue* result, const ErrorLead& lead);

#include "script/events/script.h"

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/load_error.h"
#include "runtime/memory.h"
#include "runtime/name_index.h"
#include "runtime/stream.h"
#include "runtime/text.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"

std::vector<CScript*> g_scripts;

namespace {

std::vector<char*> g_names;
// Every identifier the compiler resolves looks for a script of its name.
NameIndex g_byName;

}  // namespace

CScript::~CScript() {
  delete code;
  delete data;
  MemoryManager::Free(text);
}

bool CScript::Load(ImageReader record) {
  name = record.Text();
  delete data;
  data = nullptr;
  MemoryManager::Free(text);
  text = nullptr;
  if (g_hasBytecode) {
    codeIndex = record.I32();
    return !record.Failed();
  }
  const char* source = record.Text();
  if (record.Failed()) return false;
  text = String_Duplicate(source == nullptr ? "" : source);
  return true;
}

char* CScript::GetText() const { return String_Duplicate(text == nullptr ? "" : text); }

bool CScript::Compile() {
  delete code;
  if (g_hasBytecode) {
    code = new CCode(codeIndex, false);
    return true;
  }
  code = new CCode(text == nullptr ? "" : text, false);  // the code keeps its own copy
  char codeName[256];
  std::snprintf(codeName, sizeof codeName, "Script.%s", name == nullptr ? "" : name);
  return code->Compile(codeName);
}

bool Script_Prepare() {
  for (size_t i = 0; i < g_scripts.size(); ++i) {
    if (g_scripts[i] == nullptr || g_scripts[i]->Compile()) continue;
    std::string message =
        std::string("COMPILATION ERROR in Script: ") + g_names[i] + "\n" + (g_errorText != nullptr ? g_errorText : "");
    Error_Show(message.c_str(), true);
    return false;
  }
  return true;
}

bool Script_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Script_Clear();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("SCPT", "the script count runs past the chunk");
  Code_Changed();
  g_scripts.assign(offsets.size(), nullptr);
  g_names.assign(offsets.size(), nullptr);
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    auto* script = new CScript();
    g_scripts[i] = script;
    if (!script->Load(ImageReader::AtOffset(image, offsets[i]))) {
      return LoadError_Report("SCPT", "script %zu lies outside the file", i);
    }
    g_names[i] = String_Duplicate(script->name == nullptr ? "" : script->name);
  }
  return true;
}

const char* Script_GetName(int32_t index) { return Script_Exists(index) ? g_names[index] : "<undefined>"; }

int32_t Script_Find(const char* name) {
  return g_byName.Find(name, [](auto add) {
    for (size_t i = 0; i < g_scripts.size(); ++i) {
      if (g_scripts[i] != nullptr) add(g_names[i], static_cast<int32_t>(i));
    }
  });
}

int32_t Script_Count() { return static_cast<int32_t>(g_scripts.size()); }

void Script_Clear() {
  Code_Changed();
  for (CScript* script : g_scripts) delete script;
  for (char* name : g_names) MemoryManager::Free(name);
  g_scripts.clear();
  g_names.clear();
  g_byName.Invalidate();
}

void Script_Finish() { Script_Clear(); }

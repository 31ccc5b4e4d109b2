#include "mkgame/bytecode_compile.h"

#include <cstring>
#include <memory>
#include <set>
#include <stdexcept>

#include "builtins/platform/handlers.h"
#include "builtins/registration.h"
#include "mkgame/constant_check.h"
#include "mkgame/json_input.h"
#include "mkgame/player_stores.h"
#include "runtime/globals.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/events/event.h"
#include "script/events/event_names.h"
#include "script/host/script_host.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/vm/bytecode.h"
#include "script/vm/codegen.h"
#include "world/object/object.h"
#include "world/start/name_lookups.h"
#include "world/variables/builtin_variables.h"

namespace mkgame {

namespace {

// Scripts and extension functions of the description, found by name the
// way the player's stores find them once the game file is read. One at a
// time: the installed table reaches the one alive.
class DescriptionStores final {
 public:
  explicit DescriptionStores(const Game& game) : game_(game) {
    current_ = this;
    ScriptHost host = ScriptHost_Get();
    host.functions.findScript = [](const char* name) { return current_->FindScript(name); };
    host.functions.findExtensionFunction = [](const char* name) { return current_->FindExtensionFunction(name); };
    host.functions.extensionArgumentCount = [](int32_t index) { return current_->ExtensionArgumentCount(index); };
    ScriptHost_Install(host);
  }
  ~DescriptionStores() {
    ScriptHost host = ScriptHost_Get();
    host.functions = FunctionStores{};
    ScriptHost_Install(host);
    current_ = nullptr;
  }
  DescriptionStores(const DescriptionStores&) = delete;
  DescriptionStores& operator=(const DescriptionStores&) = delete;

  int32_t FindScript(const char* name) const {
    for (size_t i = 0; i < game_.scripts.size(); ++i) {
      if (game_.scripts[i].first == name) return static_cast<int32_t>(i);
    }
    return -1;
  }
  int32_t FindExtensionFunction(const char* name) const {
    const ExtensionFunction* f = Find([&](const ExtensionFunction& g) { return g.id >= 0 && g.name == name; });
    return f != nullptr ? f->id : -1;
  }
  int32_t ExtensionArgumentCount(int32_t index) const {
    const ExtensionFunction* f = Extension(index);
    return f != nullptr ? static_cast<int32_t>(f->argKinds.size()) : kNoArgumentCount;
  }
  const ExtensionFunction* Extension(int32_t id) const {
    return Find([&](const ExtensionFunction& g) { return g.id == id; });
  }

 private:
  template <typename Match>
  const ExtensionFunction* Find(Match match) const {
    for (const ExtensionPackage& package : game_.extensions) {
      // The player leaves this folder's packages out.
      if (package.folder == "VexaGames") continue;
      for (const ExtensionFile& file : package.files) {
        for (const ExtensionFunction& f : file.functions) {
          if (match(f)) return &f;
        }
      }
    }
    return nullptr;
  }

  static inline DescriptionStores* current_ = nullptr;
  const Game& game_;
};

// Resource names resolve through the player's own stores and lookups;
// constants are defined in order as in the player, once. Unless `all` is
// asked (compiling needs every value), the first value that calls a
// function ends the evaluation: the player runs that code when it starts,
// and writing source text runs none (it could write files); the later
// constants' names are still judged.
void InstallNames(const Game& game, bool all) {
  static bool installed = false;
  if (installed) return;
  installed = true;
  PlayerStores_Load(game);
  ScriptHost host = ScriptHost_Get();
  NameLookups_AddTo(&host);
  // A collision event's code is named after the other object, which the
  // event names find in the object store as the player's do.
  Object_AddEventStores(&host);
  ScriptHost_Install(host);
  bool evaluate = true;
  for (const auto& [name, text] : game.constants) {
    evaluate = evaluate && (all || !Constant_CallsAFunction(text));
    Constant_Define(name, text, evaluate);
  }
}

// The player's start-up, as far as compiling needs it: program-wide state,
// the global scope (which keeps the globalvar declarations) and every
// built-in function in registration order, so that ids match the player's.
void StartPlayerCompiler() {
  static bool started = false;
  if (started) return;
  started = true;
  Globals_Init();
  Variable_Global_Init();
  Builtins_RegisterAll();
  // The generator runs separately, after every tree is known.
  ScriptEngine_Join(EngineParts::kTreesOnly);
  ScriptHost host = ScriptHost_Get();
  host.platformConstants = PlatformBuiltins_AddConstants;
  BuiltinVariables_AddTo(&host);
  ScriptHost_Install(host);
  Code_Constant_Init();
  Variable_BuiltIn_Init();
}

// A piece of code waiting for generation.
struct Piece {
  std::unique_ptr<CCode> code;
  std::string place;  // where the description holds it, for messages
  int32_t* index;     // receives the code index
};

std::string OneLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

[[noreturn]] void FailCompile(const std::string& place) {
  std::string message = g_errorText != nullptr ? OneLine(g_errorText) : "the code does not compile";
  Code_Error_Clear();
  throw DescriptionError(place, message);
}

bool IsNotSpecified(const CodeNode& selector) {
  return selector.kind == kNodeConstant && selector.value.kind == kValueReal &&
         selector.value.real == static_cast<double>(kInstanceNotSpecified);
}

void CollectGlobalVars(const CodeNode& node, std::set<int32_t>* ids) {
  if (node.kind == kNodeGlobalVar) {
    for (int32_t i = 0; i < node.childCount; ++i) ids->insert(node.children[i].id);
  }
  for (int32_t i = 0; i < node.childCount; ++i) CollectGlobalVars(node.children[i], ids);
}

// Precompiled code carries no declarations, so a bare name declared
// `globalvar` anywhere in the game is written as an access to global.
void SelectGlobals(CodeNode* node, const std::set<int32_t>& ids) {
  bool variable = node->kind == kNodeVariable || node->kind == kNodeVariableOnInstance;
  if (variable && ids.count(node->id) != 0) {
    if (node->kind == kNodeVariableOnInstance && node->instance == kInstanceNotSpecified) {
      node->instance = kInstanceGlobal;
    }
    if (node->childCount > 0 && IsNotSpecified(node->children[0])) {
      node->children[0].value.real = kInstanceGlobal;
    }
  }
  for (int32_t i = 0; i < node->childCount; ++i) SelectGlobals(&node->children[i], ids);
}

class Compiler {
 public:
  explicit Compiler(const Game& game) : game_(game), stores_(game) {}

  CompiledGame Run() {
    CompiledGame out;
    Scripts(&out);
    TimeLines(&out);
    Objects(&out);
    Rooms(&out);
    std::set<int32_t> globals;
    for (const Piece& piece : pieces_) CollectGlobalVars(piece.code->root, &globals);
    for (Piece& piece : pieces_) {
      SelectGlobals(&piece.code->root, globals);
      *piece.index = static_cast<int32_t>(out.entries.size());
      out.entries.push_back(Generate(piece));
    }
    return out;
  }

 private:
  // Parses, checks and folds now; generation waits for Run.
  void Add(const std::string& text, const std::string& codeName, const std::string& place, int32_t* index) {
    auto code = std::make_unique<CCode>(text.c_str(), false);
    Code_Error_Clear();
    if (!code->Compile(codeName.c_str())) FailCompile(place);
    pieces_.push_back({std::move(code), place, index});
  }

  void Scripts(CompiledGame* out) {
    out->scripts.assign(game_.scripts.size(), -1);
    for (size_t i = 0; i < game_.scripts.size(); ++i) {
      const auto& [name, text] = game_.scripts[i];
      Add(text, "Script." + name, "scripts." + name, &out->scripts[i]);
    }
  }

  std::string ObjectName(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= game_.objects.size()) return "<undefined>";
    return game_.objects[static_cast<size_t>(index)].name;
  }

  std::string EventCodeName(int32_t object, int32_t type, int32_t number) const {
    return "Object." + ObjectName(object) + "." + Event_ShortName(type, number) + ".0";
  }

  // Moments compile as events of their time line's index, as the player does.
  void TimeLines(CompiledGame* out) {
    out->moments.resize(game_.timelines.size());
    for (size_t t = 0; t < game_.timelines.size(); ++t) {
      const TimeLine& line = game_.timelines[t];
      out->moments[t].assign(line.moments.size(), -1);
      for (size_t m = 0; m < line.moments.size(); ++m) {
        const Moment& moment = line.moments[m];
        Add(moment.code, EventCodeName(static_cast<int32_t>(t), kEventTimeLine, moment.step), moment.place,
            &out->moments[t][m]);
      }
    }
  }

  void Objects(CompiledGame* out) {
    out->events.resize(game_.objects.size());
    for (size_t o = 0; o < game_.objects.size(); ++o) {
      const Object& object = game_.objects[o];
      out->events[o].assign(object.events.size(), -1);
      for (int32_t type = 0; type < kEventTypeSlots; ++type) {
        for (size_t e = 0; e < object.events.size(); ++e) {
          const Event& event = object.events[e];
          if (event.type != type) continue;
          Add(event.code, EventCodeName(static_cast<int32_t>(o), event.type, event.number), event.place,
              &out->events[o][e]);
        }
      }
    }
  }

  void Rooms(CompiledGame* out) {
    out->rooms.assign(game_.rooms.size(), -1);
    out->instances.resize(game_.rooms.size());
    for (size_t r = 0; r < game_.rooms.size(); ++r) {
      const Room& room = game_.rooms[r];
      std::string place = "rooms[" + std::to_string(r) + "]";
      if (!room.code.empty()) Add(room.code, "Room." + room.name, place + ".code", &out->rooms[r]);
      out->instances[r].assign(room.instances.size(), -1);
      for (size_t i = 0; i < room.instances.size(); ++i) {
        const std::string& text = room.instances[i].code;
        if (text.empty()) continue;
        Add(text, "Instance." + room.name + "." + std::to_string(i),
            place + ".instances[" + std::to_string(i) + "].code", &out->instances[r][i]);
      }
    }
  }

  std::string FunctionName(int32_t id) const {
    if (id >= 0 && id < kFirstScriptFunctionId) {
      const BuiltinFunctionRecord* record = Function_GetRecord(id);
      if (record != nullptr) return record->name;
    } else if (id >= kFirstScriptFunctionId && id < kFirstExtensionFunctionId) {
      size_t index = static_cast<size_t>(id - kFirstScriptFunctionId);
      if (index < game_.scripts.size()) return game_.scripts[index].first;
    } else if (id >= kFirstExtensionFunctionId) {
      const ExtensionFunction* f = stores_.Extension(id - kFirstExtensionFunctionId);
      if (f != nullptr) return f->name;
    }
    throw std::logic_error("the compiler called function id " + std::to_string(id) + ", which has no name");
  }

  static std::string VariableName(uint32_t operand) {
    int32_t id = static_cast<int32_t>(operand & kVMRefIdMask);
    const char* name = Code_Variable_GetName(id);
    if (name == nullptr || std::strcmp(name, "<unknown variable>") == 0) {
      throw std::logic_error("the compiler wrote variable id " + std::to_string(id) + ", which has no name");
    }
    return name;
  }

  static std::string StringText(const IVMStrings* strings, uint32_t index) {
    const char* text = strings != nullptr ? strings->Text(static_cast<int32_t>(index)) : nullptr;
    if (text == nullptr) throw std::logic_error("a string constant is missing from the generated pool");
    return text;
  }

  CompiledCode Generate(Piece& piece) {
    CompiledCode out;
    out.name = piece.code->name != nullptr ? piece.code->name : "";
    out.source = piece.code->source != nullptr ? piece.code->source : "";
    VMGenerated generated;
    Code_Error_Clear();
    if (!VM_Generate(piece.code.get(), piece.code->root, false, &generated, true)) FailCompile(piece.place);
    const VMBuffer* buffer = generated.code;
    if (buffer != nullptr) {
      out.bytes.assign(buffer->bytes, buffer->bytes + buffer->size);
      References(buffer, VM_CodeStrings(buffer), &out);
    }
    const VMBuffer* pairs = generated.debug;
    if (pairs != nullptr && pairs->bytes != nullptr) out.pairs.assign(pairs->bytes, pairs->bytes + pairs->size);
    VMGenerated_Free(&generated);
    return out;
  }

  void References(const VMBuffer* buffer, const IVMStrings* strings, CompiledCode* out) const {
    for (int32_t at = 0; at + 4 <= buffer->size;) {
      uint32_t word = VM_ReadWord(buffer->bytes + at);
      int32_t length = VM_InstructionLength(word);
      if (length > buffer->size - at) throw std::logic_error("generated code ends inside an instruction");
      uint32_t operand = length >= 8 ? VM_ReadWord(buffer->bytes + at + 4) : 0;
      auto offset = static_cast<uint32_t>(at);
      if (VM_IsStringPush(word)) {
        out->references.push_back({CodeReference::kString, offset, StringText(strings, operand)});
      } else if (VM_IsVariableAccess(word)) {
        out->references.push_back({CodeReference::kVariable, offset, VariableName(operand)});
      } else if (VM_IsCall(word)) {
        out->references.push_back({CodeReference::kFunction, offset, FunctionName(static_cast<int32_t>(operand))});
      }
      at += length;
    }
  }

  const Game& game_;
  DescriptionStores stores_;
  std::vector<Piece> pieces_;
};

}  // namespace

void Constants_Check(const Game& game, bool compiling) {
  if (game.constants.empty()) return;
  StartPlayerCompiler();
  {
    DescriptionStores stores(game);
    for (const auto& [name, text] : game.constants) {
      if (!Constant_IsOneExpression(text)) throw Constant_NotAValue(name, text);
    }
  }
  InstallNames(game, compiling);
}

CompiledGame Bytecode_Compile(const Game& game) {
  StartPlayerCompiler();
  InstallNames(game, true);
  return Compiler(game).Run();
}

}  // namespace mkgame

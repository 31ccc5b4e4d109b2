// Compiled games: the player's own loader reads what mkgame writes, and after
// it has written its ids into the code, every entry equals the same text
// compiled here by the player's compiler.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "builtins/registration.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/code_chunks.h"
#include "runtime/game_image.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/tree/interpreter_statements.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/vm/bytecode.h"
#include "script/vm/codegen.h"
#include "support/script_host_fake.h"
#include "tools/mkgame_harness.h"
#include "world/instance/instance_seams.h"
#include "world/start/world_hooks.h"

namespace mkgame_test {
namespace {

// Quoted for JSON; the texts below hold no backslashes.
std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\\\"") : std::string(1, c);
  return out + "\"";
}

const char* const kTwice = "return argument0 * 2 + scr_say(\"twice\");";
const char* const kSay = "show_debug_message(\"say \" + argument0); total += 1; return floor(total / 2);";
const char* const kCreate =
    "total = 0; name = \"obj\"; list[3, 4] = scr_twice(5); with (other) { total += list[3, 4]; } var k; k = 2;";
const char* const kStep = "if (total > 10) game_end(); else show_debug_message(\"say \" + name);";
const char* const kMoment3 = "total = total + 1;";
const char* const kMoment7 = "repeat (2) { scr_say(\"moment\"); } switch (total) { case 1: break; default: exit; }";
const char* const kRoom = "show_debug_message(\"room\");";
const char* const kInstance = "name = \"first\";";

std::string Description(bool bytecodeKey) {
  std::string d = "{\"name\": \"compiled\",";
  if (bytecodeKey) d += "\"bytecode\": true,";
  d += "\"scripts\": {\"scr_twice\": " + Quote(kTwice) + ", \"scr_say\": " + Quote(kSay) + "},";
  d += "\"objects\": {\"obj_a\": {\"events\": {\"step\": " + Quote(kStep) + ", \"create\": " + Quote(kCreate) +
       ", \"draw\": \"\"}}},";
  d += "\"timelines\": {\"tl\": {\"moments\": {\"7\": " + Quote(kMoment7) + ", \"3\": " + Quote(kMoment3) + "}}},";
  d += "\"rooms\": [{\"name\": \"rm\", \"code\": " + Quote(kRoom) +
       ", \"instances\": [{\"object\": \"obj_a\", \"code\": " + Quote(kInstance) + "}, {\"object\": \"obj_a\"}]}]}";
  return d;
}

std::string WriteDescription(const std::string& name, const std::string& text) {
  std::string path = TempPath(name);
  std::ofstream(path) << text;
  return path;
}

std::vector<uint8_t> Compile(const std::string& description, const std::string& options = "--bytecode") {
  std::string output = description + ".win";
  std::filesystem::remove(output);
  RunResult run = RunMkgame(description, output, options);
  if (run.status != 0) throw std::runtime_error("mkgame failed: " + run.output);
  return ReadAll(output);
}

// Loads a written file as the player does at start-up: the pre-pass (which
// registers the built-ins and resolves VARI) and the chunk walk (FUNC). An
// unknown name ends the test's process as it ends the player's.
class LoadedGame {
 public:
  explicit LoadedGame(std::vector<uint8_t> bytes) {
    Globals_Init();
    Function_Free();
    GameFile_SetBuiltinRegistration(Builtins_RegisterAll);
    // The player's script store, as the loader's function lookup needs it.
    FakeScriptHost([](ScriptHost& host) {
      host.functions = FunctionStores{};
      host.functions.findScript = Script_Find;
    });
    g_gameData.Assign(std::move(bytes));
    testing::internal::CaptureStdout();
    loaded_ = LoadGameHeader(g_gameData) && LoadGameChunks(g_gameData);
    log_ = testing::internal::GetCapturedStdout();
    // The in-process compile resolves names as the player does.
    WorldHooks_Install();
    // The world's names, error hooks and instances, as the player has them.
    FakeScriptHost([](ScriptHost& host) {
      const ScriptHost world = WorldHooks_ScriptHost();
      std::copy(std::begin(world.resources), std::end(world.resources), host.resources);
      host.errors = world.errors;
      InstanceSeams_AddTo(&host);
    });
    Statements_Install();
    Code_Constant_Init();
  }
  ~LoadedGame() {
    GameFile_SetBuiltinRegistration(nullptr);
    FakeScriptHost([](ScriptHost& host) { host.functions = FunctionStores{}; });
    Code_SetBytecodeGenerator(nullptr);
  }
  LoadedGame(const LoadedGame&) = delete;
  LoadedGame& operator=(const LoadedGame&) = delete;

  bool Loaded() const { return loaded_; }
  const std::string& Log() const { return log_; }

 private:
  bool loaded_ = false;
  std::string log_;
};

struct Instruction {
  uint32_t at;
  uint32_t word;
  uint32_t operand;
};

std::vector<Instruction> Decode(const uint8_t* bytes, uint32_t length) {
  std::vector<Instruction> out;
  for (uint32_t at = 0; at + 4 <= length;) {
    uint32_t word = VM_ReadWord(bytes + at);
    auto size = static_cast<uint32_t>(VM_InstructionLength(word));
    if (size > length - at) throw std::runtime_error("an instruction runs past its entry");
    out.push_back({at, word, size >= 8 ? VM_ReadWord(bytes + at + 4) : 0});
    at += size;
  }
  return out;
}

std::vector<Instruction> EntryCode(int32_t index) {
  const CodeEntry& entry = g_codeTable.at(static_cast<size_t>(index));
  return Decode(g_gameData.Data() + entry.instructions, entry.length);
}

// The text compiled here, in this process, with the loaded scripts.
struct LocalCode {
  explicit LocalCode(const std::string& text) : code(text.c_str(), false) {
    g_runFlags.useBytecode = true;
    VM_InstallGenerator();
    Code_Error_Clear();
    compiled = code.Compile("here");
  }
  std::vector<Instruction> Instructions() const {
    return code.code == nullptr ? std::vector<Instruction>() : Decode(code.code->bytes, code.code->size);
  }
  CCode code;
  bool compiled = false;
};

// Word for word; a string constant's operand names the same text (a table
// index in the file, a pool index here), every other operand is equal.
void ExpectSameCode(int32_t index, const std::string& text) {
  SCOPED_TRACE(text);
  ASSERT_GE(index, 0);
  LocalCode local(text);
  ASSERT_TRUE(local.compiled) << (g_errorText != nullptr ? g_errorText : "");
  std::vector<Instruction> file = EntryCode(index), here = local.Instructions();
  ASSERT_EQ(file.size(), here.size());
  for (size_t i = 0; i < file.size(); ++i) {
    SCOPED_TRACE("instruction " + std::to_string(i));
    ASSERT_EQ(file[i].word, here[i].word);
    if (VM_IsStringPush(file[i].word)) {
      const char* stored = StringTable_Get(file[i].operand);
      ASSERT_NE(stored, nullptr);
      EXPECT_STREQ(stored, VM_CodeStrings(local.code.code)->Text(static_cast<int32_t>(here[i].operand)));
    } else {
      EXPECT_EQ(file[i].operand, here[i].operand);
    }
  }
}

// Code indices as the records hold them, read with the harness's reader.
struct RecordIndices {
  std::vector<int32_t> scripts;
  std::map<uint32_t, int32_t> events;   // create 0, step 3, draw 8 of obj_a
  std::map<uint32_t, int32_t> moments;  // by step
  int32_t room = -2;
  std::vector<int32_t> instances;
  std::vector<uint32_t> actionTexts;  // word 60 of every action record
};

int32_t ActionCode(const GameFile& file, size_t eventRecord, RecordIndices* out) {
  size_t action = file.Offset(eventRecord + 4);
  out->actionTexts.push_back(file.U32(action + 60));
  return file.I32(action + 32);
}

RecordIndices ReadRecords(const GameFile& file) {
  RecordIndices out;
  for (size_t record : file.ChunkTable("SCPT")) out.scripts.push_back(file.I32(record + 4));
  size_t object = file.ChunkTable("OBJT").at(0);
  size_t eventLists = object + 8 * 4 + 9 * 4;  // fields, then the physics block of format 8
  for (uint32_t type = 0; type < file.U32(eventLists); ++type) {
    for (size_t entry : file.Table(file.Offset(eventLists + 4 + 4 * type))) {
      out.events[type] = ActionCode(file, entry + 4, &out);
    }
  }
  size_t line = file.ChunkTable("TMLN").at(0);
  for (uint32_t m = 0; m < file.U32(line + 4); ++m) {
    out.moments[file.U32(line + 8 + 8 * m)] = ActionCode(file, file.Offset(line + 12 + 8 * m), &out);
  }
  size_t room = file.ChunkTable("ROOM").at(0);
  out.room = file.I32(room + 32);
  for (size_t instance : file.Table(file.Offset(room + 48))) out.instances.push_back(file.I32(instance + 16));
  return out;
}

TEST(MkgameBytecode, ThePlayerLoadsEveryEntryAsTheSameTextCompiledInProcess) {
  std::vector<uint8_t> bytes = Compile(WriteDescription("compiled.json", Description(false)));
  GameFile file(bytes);
  EXPECT_EQ(file.ChunkIds(),
            (std::vector<std::string>{"GEN8", "OPTN", "EXTN", "SOND", "AUDO", "STRG", "TPAG", "TXTR", "SPRT", "BGND",
                                      "PATH", "SCPT", "FONT", "TMLN", "OBJT", "CODE", "VARI", "FUNC", "ROOM", "DAFL"}));
  RecordIndices records = ReadRecords(file);
  LoadedGame game(std::move(bytes));
  ASSERT_TRUE(game.Loaded()) << game.Log();
  EXPECT_TRUE(g_hasBytecode);
  ASSERT_EQ(records.scripts.size(), 2u);
  EXPECT_EQ(Script_Get(0)->codeIndex, records.scripts[0]);
  ExpectSameCode(records.scripts[0], kTwice);
  ExpectSameCode(records.scripts[1], kSay);
  ExpectSameCode(records.events.at(0), kCreate);
  ExpectSameCode(records.events.at(3), kStep);
  ExpectSameCode(records.events.at(8), "");
  ExpectSameCode(records.moments.at(3), kMoment3);
  ExpectSameCode(records.moments.at(7), kMoment7);
  ExpectSameCode(records.room, kRoom);
  EXPECT_EQ(records.instances, (std::vector<int32_t>{records.instances[0], -1}));
  ExpectSameCode(records.instances[0], kInstance);
  // Every code place has an entry of its own, and compiled actions carry no text.
  EXPECT_EQ(g_codeTable.size(), 9u);
  for (uint32_t text : records.actionTexts) EXPECT_EQ(text, 0u);
  EXPECT_STREQ(g_codeTable.at(static_cast<size_t>(records.scripts[1])).name, "Script.scr_say");
}

TEST(MkgameBytecode, OutputIsReproducibleAndTheDescriptionKeyActsAsTheSwitch) {
  std::string plain = WriteDescription("again.json", Description(false));
  std::vector<uint8_t> first = Compile(plain);
  EXPECT_EQ(first, Compile(plain));
  EXPECT_EQ(first, Compile(WriteDescription("keyed.json", Description(true)), ""));
  EXPECT_NE(first, Compile(plain, ""));
}

// Instruction i's selector: the data field when it is in the word, else the
// constant pushed just before the index.
int32_t Selector(const std::vector<Instruction>& code, size_t i) {
  if ((code[i].operand & kVMRefSelectorInWord) != 0) return VM_Data(code[i].word);
  return VM_Data(code.at(i - 2).word);
}

TEST(MkgameBytecode, NamesDeclaredGlobalAnywhereAreWrittenAsGlobalAccesses) {
  // The script using g comes before the event that declares it.
  std::string d =
      "{\"scripts\": {\"scr_use\": \"g = 1; g[2] = 3; h = 4; var g2; g2 = g;\"},"
      "\"objects\": {\"obj\": {\"events\": {\"create\": \"globalvar g;\"}}}}";
  std::vector<uint8_t> bytes = Compile(WriteDescription("globals.json", d));
  size_t script = GameFile(bytes).ChunkTable("SCPT").at(0);
  int32_t index = GameFile(bytes).I32(script + 4);
  LoadedGame game(std::move(bytes));
  ASSERT_TRUE(game.Loaded()) << game.Log();
  std::map<std::string, std::vector<int32_t>> selectors;
  std::vector<Instruction> code = EntryCode(index);
  for (size_t i = 0; i < code.size(); ++i) {
    if (!VM_IsVariableAccess(code[i].word)) continue;
    selectors[Code_Variable_GetName(static_cast<int32_t>(code[i].operand & kVMRefIdMask))].push_back(Selector(code, i));
  }
  EXPECT_EQ(selectors["g"], (std::vector<int32_t>{-5, -5, -5}));
  EXPECT_EQ(selectors["h"], (std::vector<int32_t>{-6}));
  EXPECT_EQ(selectors["g2"], (std::vector<int32_t>{-7}));
}

TEST(MkgameBytecode, CodeThatDoesNotCompileNamesItsPlaceAndWritesNothing) {
  struct Case {
    const char* description;
    const char* place;
  };
  const Case cases[] = {
      {"{\"scripts\": {\"scr_bad\": \"x = ;\"}}", "scripts.scr_bad: "},
      {"{\"scripts\": {\"scr_bad\": \"no_such_function(1);\"}}", "scripts.scr_bad: "},
      {"{\"objects\": {\"obj\": {\"events\": {\"step\": \"if\"}}}}", "objects.obj.events.step: "},
      {"{\"rooms\": [{\"instances\": [{\"object\": \"obj\", \"code\": \"}\"}]}], \"objects\": {\"obj\": {}}}",
       "rooms[0].instances[0].code: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    std::string description = WriteDescription("bad_code.json", c.description);
    std::string output = description + ".win";
    std::filesystem::remove(output);
    RunResult run = RunMkgame(description, output, "--bytecode");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output.rfind(c.place, 0), 0u) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_FALSE(std::filesystem::exists(output));
    // The same description is fine as source text: the player reports it.
    EXPECT_EQ(RunMkgame(description, output).status, 0);
  }
}

}  // namespace
}  // namespace mkgame_test

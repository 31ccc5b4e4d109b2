// Extension packages: the EXTN chunk read into the store, its damage
// refused, preparation (dropped packages, library functions defined from
// the native fixture, script-kind functions), the lookups and calls the
// script engine makes, and the start and end functions.
#include "extensions/extension.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "extensions/dll_definitions.h"
#include "files/file_layer.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"

namespace {

using testsupport::ConsoleCapture;

struct FunctionSpec {
  std::string name;
  int32_t id = 0;
  std::vector<uint32_t> kinds;
  int32_t result = kExtensionKindReal;
  std::string external;  // the name when empty
  int32_t convention = kExtensionConventionCdecl;
};
struct FileSpec {
  std::string file;
  int32_t kind = kExtensionFileLibrary;
  std::vector<FunctionSpec> functions;
  std::string init, final;
};
struct PackageSpec {
  std::string name;
  std::vector<FileSpec> files;
  std::string folder;  // the name when empty
};

FunctionSpec Fn(std::string name, int32_t id, std::vector<uint32_t> kinds, std::string external = "") {
  FunctionSpec f;
  f.name = std::move(name);
  f.id = id;
  f.kinds = std::move(kinds);
  f.external = std::move(external);
  return f;
}
FileSpec File(std::string file, int32_t kind, std::vector<FunctionSpec> functions, std::string init = "",
              std::string final = "") {
  FileSpec f;
  f.file = std::move(file);
  f.kind = kind;
  f.functions = std::move(functions);
  f.init = std::move(init);
  f.final = std::move(final);
  return f;
}
PackageSpec Package(std::string name, std::vector<FileSpec> files, std::string folder = "") {
  PackageSpec p;
  p.name = std::move(name);
  p.files = std::move(files);
  p.folder = std::move(folder);
  return p;
}

// A FORM image: the texts, then the EXTN chunk with every record inside
// it. An empty text is written as offset 0.
class ExtnImage {
 public:
  explicit ExtnImage(const std::vector<PackageSpec>& packages) {
    Raw("FORM");
    U32(0);
    Raw("TEXT");
    size_t textSize = Here();
    U32(0);
    for (const PackageSpec& p : packages) {
      Text(p.name);
      Text(p.folder.empty() ? p.name : p.folder);
      for (const FileSpec& f : p.files) {
        Text(f.file);
        Text(f.init);
        Text(f.final);
        for (const FunctionSpec& fn : f.functions) {
          Text(fn.name);
          Text(fn.external.empty() ? fn.name : fn.external);
        }
      }
    }
    Patch(textSize, static_cast<uint32_t>(Here() - textSize - 4));
    Raw("EXTN");
    size_t sizeAt = Here();
    U32(0);
    data = Here();
    std::vector<size_t> slots = Table(packages.size());
    for (size_t i = 0; i < packages.size(); ++i) {
      Patch(slots[i], static_cast<uint32_t>(Here()));
      const PackageSpec& p = packages[i];
      U32(texts_[p.folder.empty() ? p.name : p.folder]);
      U32(texts_[p.name]);
      std::vector<size_t> fileSlots = Table(p.files.size());
      for (size_t j = 0; j < p.files.size(); ++j) {
        Patch(fileSlots[j], static_cast<uint32_t>(Here()));
        const FileSpec& f = p.files[j];
        U32(texts_[f.file]);
        U32(texts_[f.final]);
        U32(texts_[f.init]);
        U32(static_cast<uint32_t>(f.kind));
        std::vector<size_t> functionSlots = Table(f.functions.size());
        for (size_t k = 0; k < f.functions.size(); ++k) {
          Patch(functionSlots[k], static_cast<uint32_t>(Here()));
          const FunctionSpec& fn = f.functions[k];
          U32(texts_[fn.name]);
          U32(static_cast<uint32_t>(fn.id));
          U32(static_cast<uint32_t>(fn.convention));
          U32(static_cast<uint32_t>(fn.result));
          U32(texts_[fn.external.empty() ? fn.name : fn.external]);
          U32(static_cast<uint32_t>(fn.kinds.size()));
          for (uint32_t kind : fn.kinds) U32(kind);
        }
      }
    }
    size = static_cast<uint32_t>(Here() - data);
    Patch(sizeAt, size);
    Patch(4, static_cast<uint32_t>(bytes.size() - 8));
  }
  GameImage Image() const {
    GameImage image;
    image.Assign(bytes);
    return image;
  }
  bool Load() {
    image_ = Image();
    return Extension_Load(image_, data, size);
  }
  void Patch(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
  }
  uint32_t Word(size_t at) const {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
  }

  std::vector<uint8_t> bytes;
  size_t data = 0;
  uint32_t size = 0;

 private:
  size_t Here() const { return bytes.size(); }
  void Raw(const char* four) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(four[i]));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Text(const std::string& t) {
    if (t.empty() || texts_.count(t) != 0) {
      texts_[t] += 0;
      return;
    }
    texts_[t] = static_cast<uint32_t>(Here());
    for (char c : t) bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(0);
  }
  std::vector<size_t> Table(size_t count) {
    U32(static_cast<uint32_t>(count));
    std::vector<size_t> slots;
    for (size_t i = 0; i < count; ++i) {
      slots.push_back(Here());
      U32(0);
    }
    return slots;
  }

  std::map<std::string, uint32_t> texts_;
  GameImage image_;
};

class Extensions : public ::testing::Test {
 protected:
  void SetUp() override {
    Extension_Clear();
    DLL_Clear();
    program_ = folder_.Path() + "/";
    LoadSave_SetProgramDirectory(program_.c_str());
  }
  void TearDown() override {
    Extension_Clear();
    DLL_FreeAll();
    DLL_Clear();
    LoadSave_SetProgramDirectory(nullptr);
    Error_ResetState();
  }
  void LayFixture(const std::string& name) {
    std::filesystem::copy_file(KV_EXT_FIXTURE, program_ + name, std::filesystem::copy_options::overwrite_existing);
  }

  testsupport::ScratchFolder folder_{"kv_extensions"};
  std::string program_;
};

double CallReal(int32_t id, std::vector<double> reals, bool* ok = nullptr) {
  std::vector<ScriptValue> args(reals.size());
  for (size_t i = 0; i < reals.size(); ++i) ScriptValue_SetReal(&args[i], reals[i]);
  ScriptValue result;
  ScriptValue_SetReal(&result, -7);
  bool called = Extension_Call(id, nullptr, nullptr, static_cast<int32_t>(args.size()), args.data(), &result);
  if (ok != nullptr) *ok = called;
  double value = result.real;
  ScriptValue_Release(&result);
  return value;
}

const std::vector<PackageSpec> kGame = {
    Package("pkg", {File("ext.dll", kExtensionFileLibrary,
                         {Fn("add", 0, {2, 2}), Fn("wide", 3, std::vector<uint32_t>(20, 2), "r16r"),
                          Fn("ext_init", 1, {}), Fn("ext_final", 2, {})},
                         "ext_init", "ext_final"),
                    File("", 0, {}), File("helpers.txt", kExtensionFileScript, {Fn("helper", 5, {2, 2, 2})})}),
    Package("dropped", {File("drop.dll", kExtensionFileLibrary, {Fn("dropped_fn", 7, {})})}, "VexaGames"),
};

TEST_F(Extensions, TheChunkIsReadIntoTheStore) {
  ExtnImage image(kGame);
  ASSERT_TRUE(image.Load());
  auto& packages = Extension_Packages();
  ASSERT_EQ(packages.size(), 2u);
  EXPECT_EQ(packages[0]->name, "pkg");
  EXPECT_EQ(packages[1]->folder, "VexaGames");
  ASSERT_EQ(packages[0]->files.size(), 3u);
  const CExtensionFile& lib = packages[0]->files[0];
  EXPECT_EQ(lib.fileName, "ext.dll");
  EXPECT_EQ(lib.initName, "ext_init");
  EXPECT_EQ(lib.finalName, "ext_final");
  EXPECT_EQ(packages[0]->files[1].fileName, "");  // a name offset of 0
  EXPECT_EQ(lib.functions[1].externalName, "r16r");
  // Twenty kinds: sixteen kept, the count stays.
  EXPECT_EQ(lib.functions[1].argumentCount, 20);
  EXPECT_EQ(Extension_FindFunction("add"), 0);
  EXPECT_EQ(Extension_FindFunction("helper"), 5);
  EXPECT_EQ(Extension_FindFunction("nothing"), -1);
  EXPECT_EQ(Extension_GetArgCount(5), 3);
  EXPECT_EQ(Extension_GetArgCount(4), -100);
  EXPECT_STREQ(Extension_GetName(3), "wide");
  EXPECT_EQ(Extension_GetName(4), nullptr);
}

TEST_F(Extensions, IdsThatCannotBeFunctionIdsAreLeftOut) {
  ExtnImage image({Package("pkg", {File("x.so", kExtensionFileLibrary,
                                        {Fn("negative", -1, {}), Fn("huge", kExtensionMaxFunctionId + 1, {}),
                                         Fn("largest", kExtensionMaxFunctionId, {})})})});
  ConsoleCapture console;
  ASSERT_TRUE(image.Load());
  EXPECT_EQ(Extension_FindFunction("negative"), -1);
  EXPECT_EQ(Extension_FindFunction("huge"), -1);
  EXPECT_EQ(Extension_FindFunction("largest"), kExtensionMaxFunctionId);
  ASSERT_EQ(console.Lines().size(), 2u);
  EXPECT_EQ(console.Lines()[0], "Extension function negative has the id -1, outside 0 to 2146983647: it is left out\n");
  // Preparing builds no table in proportion to the ids.
  EXPECT_TRUE(Extension_Prepare());
  EXPECT_EQ(CallReal(kExtensionMaxFunctionId, {}), 0.0);
}

TEST_F(Extensions, ADamagedChunkFailsTheLoadNamingIt) {
  const std::vector<PackageSpec> one = {Package("pkg", {File("x.so", kExtensionFileLibrary, {Fn("f", 0, {2, 2})})})};
  struct Damage {
    const char* what;
    void (*apply)(ExtnImage&);
  };
  const Damage damages[] = {
      {"package count", [](ExtnImage& i) { i.Patch(i.data, 1000); }},
      {"package offset", [](ExtnImage& i) { i.Patch(i.data + 4, 12); }},
      {"file count", [](ExtnImage& i) { i.Patch(i.Word(i.data + 4) + 8, 0x40000000); }},
      {"kind count",
       [](ExtnImage& i) {
         size_t file = i.Word(i.Word(i.data + 4) + 12);
         size_t function = i.Word(file + 20);
         i.Patch(function + 20, 3);
       }},
      {"name offset", [](ExtnImage& i) { i.Patch(i.Word(i.data + 4) + 4, 0xFFFFFF); }},
  };
  for (const Damage& damage : damages) {
    ExtnImage image(one);
    damage.apply(image);
    ConsoleCapture console;
    EXPECT_FALSE(image.Load()) << damage.what;
    EXPECT_EQ(console.Text().rfind("Game file damaged: EXTN: ", 0), 0u) << damage.what << ": " << console.Text();
    EXPECT_TRUE(Extension_Packages().empty());
  }
}

// A chunk whose package table holds `packages` slots of one package, whose
// file table holds `files` slots of one file, whose function table holds
// `functions` slots of one function, each record once and only when a
// table points at it (names all empty).
std::vector<uint8_t> RepeatedRecords(uint32_t packages, uint32_t files, uint32_t functions) {
  std::vector<uint8_t> bytes(8, 0);  // what lies before the chunk
  auto word = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const uint32_t package = 8 + 4 + 4 * packages;
  const uint32_t file = package + 12 + 4 * files;
  const uint32_t function = file + 20 + 4 * functions;
  word(packages);
  for (uint32_t i = 0; i < packages; ++i) word(package);
  word(0), word(0), word(files);
  for (uint32_t i = 0; i < files; ++i) word(file);
  if (files > 0) word(0), word(0), word(0), word(kExtensionFileLibrary), word(functions);
  for (uint32_t i = 0; i < functions; ++i) word(function);
  if (functions > 0) word(0), word(1), word(0), word(kExtensionKindReal), word(0), word(0);
  return bytes;
}

// Tables may point at one record again, as long as every record read could
// have had its own bytes in the chunk; past that the chunk is damaged, so
// that a few bytes of tables cannot make millions of records.
TEST_F(Extensions, RecordsReadMoreOftenThanTheChunkHoldsFailTheLoad) {
  struct Case {
    uint32_t packages, files, functions;
    int32_t refused;  // the package the load stops at, -1 when it loads
  };
  const Case cases[] = {
      {1, 1, 1, -1}, {2, 0, 0, -1}, {3, 0, 0, 2}, {1, 2, 0, 0}, {1, 1, 2, 0}, {1, 2, 1, 0}, {40, 40, 40, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.packages << " x " << c.files << " x " << c.functions);
    GameImage image;
    image.Assign(RepeatedRecords(c.packages, c.files, c.functions));
    ConsoleCapture console;
    ASSERT_EQ(Extension_Load(image, 8, static_cast<uint32_t>(image.Size() - 8)), c.refused < 0) << console.Text();
    if (c.refused < 0) {
      EXPECT_EQ(Extension_Packages().size(), c.packages);
      EXPECT_EQ(Extension_GetArgCount(1), c.functions > 0 ? 0 : -100);
    } else {
      EXPECT_EQ(console.Text(), "Game file damaged: EXTN: package " + std::to_string(c.refused) +
                                    ": records are read more often than the chunk could hold them\n");
    }
  }
}

// Every lookup answers the first function in store order that fits: a name
// only with an id of 0 or more, a name by id only when it is not empty. A
// change made through the store is seen, as is the package preparation
// drops.
TEST_F(Extensions, LookupsAnswerTheFirstFunctionThatFits) {
  auto function = [](const char* name, int32_t id, int32_t count) {
    CExtensionFunction f;
    f.name = name;
    f.id = id;
    f.argumentCount = count;
    return f;
  };
  auto package = [](const char* folder, std::vector<std::vector<CExtensionFunction>> files) {
    auto p = std::make_unique<CExtensionPackage>();
    p->folder = folder;
    for (auto& functions : files) p->files.push_back(CExtensionFile{"", 0, "", "", std::move(functions)});
    return p;
  };
  auto& store = Extension_Packages();
  store.push_back(nullptr);
  store.push_back(package("", {{function("", 4, 1), function("dup", 2, 3), function("neg", -1, 8)},
                               {function("dup", 6, 5), function("late", 4, 9), function("neg", 3, 0)}}));
  store.push_back(package("VexaGames", {{function("dup", 2, 7), function("gone", 8, 2), function("x", 7, 4)}}));

  struct Lookup {
    const char* name;
    int32_t id;
    int32_t found;        // the id Extension_FindFunction answers for the name
    int32_t count;        // the argument count for the id
    const char* idsName;  // the name for the id
  };
  const Lookup lookups[] = {
      {"dup", 2, 2, 3, "dup"},  {"neg", 3, 3, 0, "neg"},   {"", 4, 4, 1, "late"},
      {"late", 6, 4, 5, "dup"}, {"gone", 8, 8, 2, "gone"}, {"none", 5, -1, -100, nullptr},
  };
  for (const Lookup& l : lookups) {
    SCOPED_TRACE(l.name);
    EXPECT_EQ(Extension_FindFunction(l.name), l.found);
    EXPECT_EQ(Extension_GetArgCount(l.id), l.count);
    EXPECT_STREQ(Extension_GetName(l.id), l.idsName);
  }
  EXPECT_EQ(Extension_GetArgCount(-1), 8);

  Extension_Packages()[1]->files[0].functions[1].name = "renamed";
  EXPECT_EQ(Extension_FindFunction("dup"), 6);
  EXPECT_STREQ(Extension_GetName(2), "renamed");
  ASSERT_TRUE(Extension_Prepare());
  EXPECT_EQ(Extension_FindFunction("gone"), -1);
  EXPECT_EQ(Extension_GetArgCount(8), -100);
  EXPECT_EQ(Extension_GetName(7), nullptr);
}

TEST_F(Extensions, PreparationDefinesLibraryFunctionsAndDropsTheVexaGamesPackage) {
  LayFixture("ext.so");
  ExtnImage image(kGame);
  ASSERT_TRUE(image.Load());
  EXPECT_EQ(Extension_FindFunction("dropped_fn"), 7);
  ASSERT_TRUE(Extension_Prepare());
  EXPECT_EQ(Extension_FindFunction("dropped_fn"), -1);
  EXPECT_EQ(Extension_Packages()[1], nullptr);
  // Source code can no longer call the dropped package's function.
  FakeScriptHost([](ScriptHost& host) {
    host.functions.findExtensionFunction = Extension_FindFunction;
    host.functions.extensionArgumentCount = Extension_GetArgCount;
  });
  CCode dropped("dropped_fn()", false);
  EXPECT_FALSE(dropped.Compile("Dropped"));
  Code_Error_Clear();
  CCode kept("add(1, 2)", false);
  EXPECT_TRUE(kept.Compile("Kept"));
  FakeScriptHost([](ScriptHost& host) { host.functions = FunctionStores{}; });
  EXPECT_EQ(CallReal(0, {2, 3}), 5.0);
  // More than 16 arguments: the definition is refused and calls answer 0.
  bool ok = false;
  EXPECT_EQ(CallReal(3, std::vector<double>(20, 1.0), &ok), 0.0);
  EXPECT_TRUE(ok);
  // Ids out of range are a failed call.
  CallReal(9, {}, &ok);
  EXPECT_FALSE(ok);
  // The machine's call takes library functions only.
  ScriptValue args[2];
  ScriptValue_SetReal(&args[0], 4);
  ScriptValue_SetReal(&args[1], 6);
  ScriptValue result;
  EXPECT_TRUE(Extension_CallDLL(0, 2, args, &result));
  EXPECT_EQ(result.real, 10.0);
  EXPECT_FALSE(Extension_CallDLL(5, 2, args, &result));
  EXPECT_TRUE(Extension_IsScript(5));
  EXPECT_FALSE(Extension_IsScript(0));
}

// What the script-kind function saw of the argument slots.
std::vector<std::string> g_seenSlots;
int32_t g_seenCount = -1;
void Probe(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue*) {
  g_seenSlots.clear();
  for (const ScriptValue& slot : g_arguments) {
    g_seenSlots.push_back(slot.kind == kValueString ? ScriptValue_Text(slot) : std::to_string(slot.real));
  }
  g_seenCount = g_argumentCount;
  ScriptValue_SetReal(result, 42);
}

TEST_F(Extensions, AScriptKindFunctionRunsWithItsArgumentsInTheSlots) {
  int32_t probe = -1;
  if (!Function_Find("extension_probe", &probe)) Function_Add("extension_probe", Probe, 0);
  ExtnImage image(kGame);
  ASSERT_TRUE(image.Load());
  Extension_Packages()[0]->files[2].functions[0].code = "extension_probe()";
  ASSERT_TRUE(Extension_Prepare());
  ASSERT_NE(Extension_GetCode(5), nullptr);

  for (int32_t i = 0; i < kArgumentSlots; ++i) {
    ScriptValue caller;
    ScriptValue_SetString(&caller, ("caller" + std::to_string(i)).c_str());
    Code_SetArgument(i, caller);
    ScriptValue_Release(&caller);
  }
  g_argumentCount = 16;
  std::vector<ScriptValue> args(3);
  ScriptValue_SetReal(&args[0], 1);
  ScriptValue_SetString(&args[1], "two");
  ScriptValue_SetReal(&args[2], 3);
  ScriptValue result;
  CInstance* self = Code_Constant_TemporaryInstance().create();
  EXPECT_TRUE(Extension_Call(5, self, self, 3, args.data(), &result)) << (g_errorText ? g_errorText : "");
  Code_Constant_TemporaryInstance().destroy(self);
  std::vector<std::string> expected = {std::to_string(1.0), "two", std::to_string(3.0)};
  expected.resize(kArgumentSlots, std::to_string(0.0));
  EXPECT_EQ(g_seenSlots, expected);
  EXPECT_EQ(g_seenCount, 3);
  EXPECT_EQ(ScriptValue_Text(g_arguments[15]), std::string("caller15"));
  EXPECT_EQ(ScriptValue_Text(g_arguments[0]), std::string("caller0"));
  EXPECT_EQ(g_argumentCount, 16);
  for (ScriptValue& a : args) ScriptValue_Release(&a);
  ScriptValue_Release(&result);
  Code_FreeArguments();
}

TEST_F(Extensions, AScriptKindFunctionWithoutCodeFailsWithItsName) {
  ExtnImage image(kGame);
  ASSERT_TRUE(image.Load());
  ASSERT_TRUE(Extension_Prepare());
  EXPECT_EQ(Extension_GetCode(5), nullptr);
  bool ok = true;
  CallReal(5, {1, 2, 3}, &ok);
  EXPECT_FALSE(ok);
  ASSERT_NE(g_errorText, nullptr);
  EXPECT_EQ(std::string(g_errorText).rfind("In extension function helper: \n", 0), 0u) << g_errorText;
}

TEST_F(Extensions, StartAndEndRunTheLibrarysFunctions) {
  LayFixture("ext.so");
  ExtnImage image(kGame);
  ASSERT_TRUE(image.Load());
  ASSERT_TRUE(Extension_Prepare());
  testing::internal::CaptureStdout();
  EXPECT_TRUE(Extension_RunInit());
  EXPECT_TRUE(Extension_RunFinal());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "extension library started\nextension library finished\n");
}

TEST_F(Extensions, AStartFunctionThatIsNowhereIsAFatalError) {
  std::vector<PackageSpec> game = kGame;
  game[0].files[0].init = "nowhere";
  ExtnImage image(game);
  ASSERT_TRUE(image.Load());
  ASSERT_TRUE(Extension_Prepare());
  ConsoleCapture console;
  EXPECT_FALSE(Extension_RunInit());
  EXPECT_NE(console.Text().find("Could not locate initialization function nowhere"), std::string::npos);
  EXPECT_TRUE(Error_Stopping());
}

}  // namespace

// Library definitions and calls against a native library built from the
// test's own C source (fixture/ext_fixture.c): every argument shape under
// both conventions, the refusals, shared handles, the names a library is
// looked for under and where it is found.
#include "extensions/dll_definitions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_layer.h"
#include "platform/backends.h"
#include "platform/dynamic_library.h"
#include "platform/fake/fake_dynamic_library.h"
#include "runtime/run_flags.h"
#include "support/test_support.h"

namespace {

using testsupport::ConsoleCapture;
using testsupport::ScratchFolder;

// The system's loader, counting what is opened and closed through it.
int g_opens = 0;
int g_closes = 0;
void* CountingOpen(const char* path) {
  ++g_opens;
  return DynamicLibrary_System().open(path);
}
void CountingClose(void* handle) {
  ++g_closes;
  DynamicLibrary_System().close(handle);
}
const char* SystemError() { return DynamicLibrary_System().lastError(); }
void* SystemSymbol(void* handle, const char* name) { return DynamicLibrary_System().symbol(handle, name); }
bool SystemLoaded(const char* path) { return DynamicLibrary_System().loaded(path); }
const DynamicLibraryServices kCounting{CountingOpen, SystemSymbol, CountingClose, SystemError, SystemLoaded};

class DllDefinitions : public ::testing::Test {
 protected:
  void SetUp() override {
    DLL_Clear();
    g_opens = g_closes = 0;
    PlatformBackends_Put(&PlatformBackends::libraries, &kCounting);
    program_ = program_folder_.Path() + "/";
    save_ = save_folder_.Path() + "/";
    LoadSave_SetProgramDirectory(program_.c_str());
    LoadSave_SetSaveDirectory(save_.c_str());
  }
  void TearDown() override {
    DLL_FreeAll();
    DLL_Clear();
    PlatformBackends_Put(&PlatformBackends::libraries, nullptr);
    LoadSave_SetProgramDirectory(nullptr);
    LoadSave_SetSaveDirectory(nullptr);
    g_runFlags.extensionDebug = false;
  }
  // The fixture copied into a folder under a name.
  static std::string Lay(const std::string& folder, const std::string& name) {
    std::filesystem::copy_file(KV_EXT_FIXTURE, folder + name, std::filesystem::copy_options::overwrite_existing);
    return folder + name;
  }

  ScratchFolder program_folder_{"kv_dll_program"};
  ScratchFolder save_folder_{"kv_dll_save"};
  std::string program_, save_;
};

ScriptValue Real(double v) {
  ScriptValue value;
  ScriptValue_SetReal(&value, v);
  return value;
}
ScriptValue Text(const char* text) {
  ScriptValue value;
  ScriptValue_SetString(&value, text);
  return value;
}

// Calls a definition and gives back its result as text ("r<value>" or the
// string itself).
std::string CallText(int32_t id, std::vector<ScriptValue> values) {
  ScriptValue result;
  DLL_Call(id, static_cast<int32_t>(values.size()), values.data(), &result);
  std::string text = result.kind == kValueString ? ScriptValue_Text(result) : "r" + std::to_string(result.real);
  ScriptValue_Release(&result);
  for (ScriptValue& v : values) ScriptValue_Release(&v);
  return text;
}

// Argument i of a shape is the digit i + 1 (as a real or as a string).
struct Shape {
  std::string symbol;
  std::vector<int32_t> kinds;
  bool resultIsString;
};

std::vector<Shape> AllShapes() {
  std::vector<Shape> shapes;
  for (int32_t count = 0; count <= kDllMaxMixedArguments; ++count) {
    for (int32_t pattern = 0; pattern < (1 << count); ++pattern) {
      for (int32_t result = 1; result <= 2; ++result) {
        Shape shape{"", {}, result == 2};
        int32_t code = result;
        for (int32_t i = 0, power = 10; i < count; ++i, power *= 10) {
          int32_t kind = (pattern >> i) & 1;
          shape.kinds.push_back(kind);
          code += power * (kind == kDllKindString ? 2 : 1);
        }
        shape.symbol = "m" + std::to_string(code);
        shapes.push_back(shape);
      }
    }
  }
  for (int32_t count = 5; count <= kDllMaxArguments; ++count) {
    shapes.push_back({"r" + std::to_string(count) + "r", std::vector<int32_t>(count, kDllKindReal), false});
    shapes.push_back({"r" + std::to_string(count) + "s", std::vector<int32_t>(count, kDllKindReal), true});
  }
  return shapes;
}

std::string Expected(const Shape& shape) {
  if (!shape.resultIsString) {
    double sum = 0;
    for (size_t i = 0; i < shape.kinds.size(); ++i) sum += static_cast<double>(i % 7 + 1) * std::pow(8.0, double(i));
    return "r" + std::to_string(sum);
  }
  std::string text;
  for (size_t i = 0; i < shape.kinds.size(); ++i) {
    text += (i == 0 ? "" : ",") + std::string(shape.kinds[i] == kDllKindString ? "s" : "r") + std::to_string(i % 7 + 1);
  }
  return text.empty() ? "none" : text;
}

std::vector<ScriptValue> Arguments(const Shape& shape) {
  std::vector<ScriptValue> values;
  for (size_t i = 0; i < shape.kinds.size(); ++i) {
    std::string digit = std::to_string(i % 7 + 1);
    values.push_back(shape.kinds[i] == kDllKindString ? Text(digit.c_str()) : Real(double(i % 7 + 1)));
  }
  return values;
}

TEST_F(DllDefinitions, EveryShapeIsCalledWithItsArgumentsInPlaceUnderBothConventions) {
  std::string library = Lay(program_, "shapes.so");
  std::vector<Shape> shapes = AllShapes();
  ASSERT_EQ(shapes.size(), 62u + 24u);
  for (int32_t convention : {kDllConventionCdecl, kDllConventionStdcall}) {
    for (const Shape& shape : shapes) {
      int32_t id = DLL_Define(library.c_str(), shape.symbol.c_str(), convention,
                              static_cast<int32_t>(shape.kinds.size()), shape.kinds.data(), shape.resultIsString);
      ASSERT_GE(id, 0) << shape.symbol;
      EXPECT_EQ(CallText(id, Arguments(shape)), Expected(shape)) << shape.symbol << " convention " << convention;
    }
  }
  EXPECT_EQ(g_opens, 1);  // every definition shares the one handle
}

TEST_F(DllDefinitions, ResultsAndArgumentsThatAreNotWhatTheDefinitionSays) {
  std::string library = Lay(program_, "calls.so");
  const int32_t text[] = {kDllKindString};
  int32_t echo = DLL_Define(library.c_str(), "ext_text", kDllConventionCdecl, 1, text, true);
  int32_t none = DLL_Define(library.c_str(), "ext_null", kDllConventionCdecl, 0, nullptr, true);
  const int32_t reals[] = {kDllKindReal, kDllKindReal};
  int32_t add = DLL_Define(library.c_str(), "add", kDllConventionCdecl, 2, reals, false);
  ASSERT_GE(echo, 0);
  ASSERT_GE(none, 0);
  ASSERT_GE(add, 0);
  EXPECT_EQ(CallText(echo, {Text("word")}), "text of word");
  // A real where a string is expected passes the empty text, never null.
  EXPECT_EQ(CallText(echo, {Real(3)}), "text of ");
  // A null text answers real 0.
  EXPECT_EQ(CallText(none, {}), "r" + std::to_string(0.0));
  // A string where a real is expected passes its real part.
  EXPECT_EQ(CallText(add, {Text("9"), Real(2)}), "r" + std::to_string(2.0));
  // Wrong counts and unknown ids answer real 0.
  EXPECT_EQ(CallText(add, {Real(1)}), "r" + std::to_string(0.0));
  EXPECT_EQ(CallText(99, {}), "r" + std::to_string(0.0));
  EXPECT_EQ(CallText(-1, {}), "r" + std::to_string(0.0));
  // The extension-debug switch makes every call answer real 0.
  g_runFlags.extensionDebug = true;
  EXPECT_EQ(CallText(add, {Real(1), Real(2)}), "r" + std::to_string(0.0));
  g_runFlags.extensionDebug = false;
  EXPECT_EQ(CallText(add, {Real(1), Real(2)}), "r" + std::to_string(3.0));
}

TEST_F(DllDefinitions, RefusedDefinitionsOpenNoLibrary) {
  std::string library = Lay(program_, "refuse.so");
  std::vector<int32_t> reals(17, kDllKindReal);
  EXPECT_EQ(DLL_Define(library.c_str(), "r16r", kDllConventionCdecl, 17, reals.data(), false), -1);
  std::vector<int32_t> oneString = {kDllKindReal, kDllKindReal, kDllKindString, kDllKindReal, kDllKindReal};
  EXPECT_EQ(DLL_Define(library.c_str(), "r5r", kDllConventionCdecl, 5, oneString.data(), false), -1);
  EXPECT_EQ(g_opens, 0);
  // A symbol the library does not have is refused, and the next definition
  // takes the id it did not get.
  EXPECT_EQ(DLL_Define(library.c_str(), "no_such_function", kDllConventionCdecl, 0, nullptr, false), -1);
  EXPECT_EQ(DLL_Define(library.c_str(), "m1", kDllConventionCdecl, 0, nullptr, false), 0);
}

TEST_F(DllDefinitions, DefinitionsShareAHandleThatIsFreedOnceByPathOrByTheNameGiven) {
  Lay(program_, "shared.so");
  const int32_t reals[] = {kDllKindReal, kDllKindReal};
  int32_t first = DLL_Define("shared.so", "add", kDllConventionCdecl, 2, reals, false);
  int32_t second = DLL_Define("shared.so", "m111", kDllConventionStdcall, 2, reals, false);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(g_opens, 1);
  EXPECT_EQ(DLL_PathOf(first), program_ + "shared.so");
  // The script's own name finds the library it was found as.
  DLL_Free("shared.so");
  EXPECT_EQ(g_closes, 1);
  EXPECT_EQ(CallText(first, {Real(1), Real(2)}), "r" + std::to_string(0.0));
  EXPECT_EQ(CallText(second, {Real(1), Real(2)}), "r" + std::to_string(0.0));
  DLL_Free("shared.so");
  EXPECT_EQ(g_closes, 1);
  // Defining again loads it again; the freed definitions stay unusable.
  int32_t third = DLL_Define("shared.so", "add", kDllConventionCdecl, 2, reals, false);
  EXPECT_EQ(g_opens, 2);
  EXPECT_EQ(CallText(third, {Real(1), Real(2)}), "r" + std::to_string(3.0));
  EXPECT_EQ(CallText(first, {Real(1), Real(2)}), "r" + std::to_string(0.0));
  DLL_Free((program_ + "shared.so").c_str());
  EXPECT_EQ(g_closes, 2);
  EXPECT_EQ(CallText(third, {Real(1), Real(2)}), "r" + std::to_string(0.0));
}

TEST_F(DllDefinitions, AWindowsNameIsLookedForAsASharedObject) {
  EXPECT_EQ(DLL_Candidates("ext.dll"), (std::vector<std::string>{"ext.dll", "ext.so", "libext.so"}));
  EXPECT_EQ(DLL_Candidates("dir\\Two.DLL"),
            (std::vector<std::string>{"dir\\Two.DLL", "dir\\Two.so", "dir\\libTwo.so"}));
  EXPECT_EQ(DLL_Candidates("a/b.so"), (std::vector<std::string>{"a/b.so"}));

  // A file that is not a library lies under the name given; the shared
  // object beside it loads.
  testsupport::WriteRaw(program_ + "ext.dll", "MZ this is not a library");
  Lay(program_, "ext.so");
  Lay(program_, "libtwo.so");
  const int32_t reals[] = {kDllKindReal, kDllKindReal};
  int32_t ext = DLL_Define("ext.dll", "add", kDllConventionCdecl, 2, reals, false);
  EXPECT_EQ(DLL_PathOf(ext), program_ + "ext.so");
  int32_t two = DLL_Define("two.dll", "add", kDllConventionCdecl, 2, reals, false);
  EXPECT_EQ(DLL_PathOf(two), program_ + "libtwo.so");
  // The save folder's copy wins over the program folder's.
  Lay(save_, "ext.so");
  DLL_Free("ext.dll");
  ext = DLL_Define("ext.dll", "add", kDllConventionCdecl, 2, reals, false);
  EXPECT_EQ(DLL_PathOf(ext), save_ + "ext.so");
  EXPECT_EQ(CallText(ext, {Real(4), Real(5)}), "r" + std::to_string(9.0));
}

TEST_F(DllDefinitions, ALibraryThatDoesNotLoadIsRefusedWithTheLoadersReason) {
  const int32_t reals[] = {kDllKindReal, kDllKindReal};
  {
    ConsoleCapture console;
    EXPECT_EQ(DLL_Define("missing.dll", "add", kDllConventionCdecl, 2, reals, false), -1);
    ASSERT_EQ(console.Lines().size(), 1u);
    EXPECT_NE(console.Text().find("Cannot load the external library missing.dll: "), std::string::npos);
  }
  testsupport::WriteRaw(program_ + "windows.dll", std::string("MZ\x90\0\3\0\0\0", 8) + std::string(200, '\0'));
  {
    ConsoleCapture console;
    EXPECT_EQ(DLL_Define("windows.dll", "add", kDllConventionCdecl, 2, reals, false), -1);
    ASSERT_EQ(console.Lines().size(), 1u);
    // The reason is the one for the file that is there.
    EXPECT_NE(console.Text().find(program_ + "windows.dll"), std::string::npos) << console.Text();
  }
  // Names that never reach the loader say what is wrong with the name.
  const struct {
    std::string name;
    std::string line;
  } refused[] = {
      {std::string(1100, 'x') + ".so",
       "Cannot load the external library " + std::string(1100, 'x') + ".so: the path is longer than 1024 characters\n"},
      {"", "Cannot load the external library : no library was named\n"},
  };
  for (const auto& r : refused) {
    ConsoleCapture console;
    EXPECT_EQ(DLL_Define(r.name.c_str(), "add", kDllConventionCdecl, 2, reals, false), -1);
    EXPECT_EQ(console.Text(), r.line);
  }
  EXPECT_EQ(DLL_Count(), 0);
}

TEST(DllDecorated, AStdcallNameIsTriedWithItsDecoration) {
  FakeLibraries& fake = FakeLibraries_Install();
  static int twoReals = 0, stringAndReal = 0;
  fake.libraries["deco.so"] = {{"_f@16", &twoReals}, {"_g@12", &stringAndReal}};
  const int32_t reals[] = {kDllKindReal, kDllKindReal};
  const int32_t mixed[] = {kDllKindString, kDllKindReal};
  EXPECT_EQ(DLL_Define("deco.so", "f", kDllConventionStdcall, 2, reals, false), 0);
  EXPECT_EQ(DLL_Define("deco.so", "g", kDllConventionStdcall, 2, mixed, false), 1);
  // The decoration counts the wrong sizes: refused, the library stays open.
  EXPECT_EQ(DLL_Define("deco.so", "g", kDllConventionStdcall, 2, reals, false), -1);
  EXPECT_EQ(fake.opens, 1);
  EXPECT_EQ(fake.closes, 0);
  DLL_Clear();
  PlatformBackends_Put(&PlatformBackends::libraries, nullptr);
}

}  // namespace

#include "gamefile/code_chunks.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "gamefile/image_builder.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_names.h"
#include "support/test_support.h"

namespace {

uint32_t WordAt(const GameImage& image, size_t at) {
  uint32_t w;
  std::memcpy(&w, image.Data() + at, 4);
  return w;
}

class CodeChunks : public testing::Test {
 protected:
  testsupport::ConsoleCapture console_;
};

TEST_F(CodeChunks, VariableChainsKeepTheirHighBitsAndStepBothWays) {
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("chain_var");
  // Three references: at r0 (distance +16), r0 + 16 (distance -8), r0 + 8.
  size_t r0 = b.Here();
  // push.v self.x: the operand names the variable.
  const uint32_t push = 0xC005FFFF;
  b.U32(push).U32(0xE0000010);
  b.U32(push).U32(0x1FFFFFFF);  // last one: distance unused
  b.U32(push).U32(0x1FFFFFF8);  // -8 in 29 bits
  size_t chunk = b.Chunk("VARI");
  b.U32(static_cast<uint32_t>(name)).U32(3).U32(static_cast<uint32_t>(r0));
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  ASSERT_TRUE(VARI_Load(image, chunk + 4, 12));
  uint32_t id = static_cast<uint32_t>(Code_Variable_Find("chain_var"));
  EXPECT_EQ(WordAt(image, r0 + 4), 0xE0000000u | id);
  EXPECT_EQ(WordAt(image, r0 + 20), id);
  EXPECT_EQ(WordAt(image, r0 + 12), id);
}

TEST_F(CodeChunks, FunctionReferencesTakeTheWholeWord) {
  Function_Add("code_chunk_test_fn", nullptr, 0);
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("code_chunk_test_fn");
  size_t r0 = b.Here();
  const uint32_t call = 0xDA020000;  // call.i with no arguments
  b.U32(call).U32(8).U32(call).U32(0);
  size_t chunk = b.Chunk("FUNC");
  b.U32(static_cast<uint32_t>(name)).U32(2).U32(static_cast<uint32_t>(r0));
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  ASSERT_TRUE(FUNC_Load(image, chunk + 4, 12));
  int32_t id = -1;
  ASSERT_TRUE(Function_Find("code_chunk_test_fn", &id));
  EXPECT_EQ(WordAt(image, r0 + 4), static_cast<uint32_t>(id));
  EXPECT_EQ(WordAt(image, r0 + 12), static_cast<uint32_t>(id));
}

TEST_F(CodeChunks, UnknownFunctionIsReportedEvenWithoutReferences) {
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("no_such_function_here");
  size_t chunk = b.Chunk("FUNC");
  b.U32(static_cast<uint32_t>(name)).U32(0).U32(0);
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  // The message goes to the standard console, here onto standard error.
  EXPECT_EXIT(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        g_debugConsole = &g_defaultConsole;
        g_runFlags.showErrorDialog = false;
        FUNC_Load(image, chunk + 4, 12);
      },
      testing::ExitedWithCode(1), "Error on load\nUnable to find function no_such_function_here\n");
}

TEST_F(CodeChunks, ReferencesMustNameTheirInstructionKind) {
  Function_Add("code_chunk_kind_fn", nullptr, 0);
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("code_chunk_kind_fn");
  size_t r0 = b.Here();
  b.U32(0xC005FFFF).U32(0);  // a variable push, not a call
  size_t chunk = b.Chunk("FUNC");
  b.U32(static_cast<uint32_t>(name)).U32(1).U32(static_cast<uint32_t>(r0));
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  EXPECT_FALSE(FUNC_Load(image, chunk + 4, 12));
  EXPECT_NE(console_.Text().find("is not an instruction that names it"), std::string::npos);
}

TEST_F(CodeChunks, DamagedReferenceTablesFail) {
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("chain_var");
  size_t chunk = b.Chunk("VARI");
  b.U32(static_cast<uint32_t>(name)).U32(1).U32(0xFFFFFF00u);  // reference outside the file
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  EXPECT_FALSE(VARI_Load(image, chunk + 4, 12));
  EXPECT_FALSE(VARI_Load(image, chunk + 4, 11));
  EXPECT_NE(console_.Text().find("Game file damaged: VARI"), std::string::npos);
}

TEST_F(CodeChunks, CodeEntriesMustLieInsideTheFile) {
  ImageBuilder b;
  size_t name = b.Here();
  b.Text("Script.a");
  size_t entry = b.Here();
  b.U32(static_cast<uint32_t>(name)).U32(8).U32(1).U32(2);
  size_t chunk = b.Chunk("CODE");
  b.U32(1).U32(static_cast<uint32_t>(entry));
  b.EndChunk(chunk);
  GameImage image = b.Finish();
  EXPECT_TRUE(Code_Load(image, chunk + 4, 8));
  b.Patch(entry + 4, 4096);
  GameImage longer = b.Finish();
  EXPECT_FALSE(Code_Load(longer, chunk + 4, 8));
}

TEST_F(CodeChunks, CodeIsVerifiedBeforeItCanRun) {
  struct Case {
    const char* what;
    std::vector<uint32_t> words;
    bool ok;
  };
  const Case cases[] = {
      {"push.i with its operand", {0xC0020000, 7}, true},
      {"branch to the end", {0xB7000001}, true},
      {"branch backwards onto a start", {0xC00F0001, 0xB7FFFFFF}, true},
      {"operand cut off", {0xC0020000}, false},
      {"branch into an operand", {0xC0020000, 7, 0xB7FFFFFF}, false},
      {"branch past the end", {0xB7000002}, false},
      {"single-precision type", {0xC0010000, 0}, false},
      {"string beyond the table", {0xC0060000, 99}, false},
  };
  for (const Case& c : cases) {
    ImageBuilder b;
    size_t name = b.Here();
    b.Text("entry");
    size_t entry = b.Here();
    b.U32(static_cast<uint32_t>(name)).U32(static_cast<uint32_t>(4 * c.words.size()));
    for (uint32_t w : c.words) b.U32(w);
    size_t chunk = b.Chunk("CODE");
    b.U32(1).U32(static_cast<uint32_t>(entry));
    b.EndChunk(chunk);
    GameImage image = b.Finish();
    EXPECT_EQ(Code_Load(image, chunk + 4, 8), c.ok) << c.what;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/front_end_support.h"
#include "script/script_test_support.h"
#include "script/snippet_runner.h"
#include "script/variables/variable_names.h"

namespace {

using front_test::Message;

struct Compiled {
  explicit Compiled(const std::string& text, bool expression = false) : code(text.c_str(), expression) {
    front_test::RegisterNames();
    Resolve_SetConstantResolver(snippet::TestConstants);
    ok = code.Compile("test");
    Resolve_SetConstantResolver(nullptr);
  }
  CCode code;
  bool ok;
};

// The first node of a kind in a depth-first walk, or null.
const CodeNode* Find(const CodeNode& node, int32_t kind) {
  if (node.kind == kind) return &node;
  for (int32_t i = 0; i < node.childCount; ++i)
    if (const CodeNode* found = Find(node.children[i], kind)) return found;
  return nullptr;
}

TEST(CodeCompile, NameKindAndOneCompileOnly) {
  CCode code("x = 1", false);
  ASSERT_TRUE(code.Compile("a b\tc\nd"));
  EXPECT_STREQ(code.name, "a_b_c_d");
  EXPECT_TRUE(code.compiled);
  EXPECT_FALSE(code.Compile("again"));
  EXPECT_EQ(Message(), "Internal Error: Recompiling compiled code.");
  EXPECT_STREQ(code.name, "again");
  EXPECT_TRUE(code.compiled);

  Compiled sum("2 + 3", true);
  ASSERT_TRUE(sum.ok);
  EXPECT_EQ(sum.code.kind, kCodeConstant);
  EXPECT_EQ(sum.code.constant.real, 5);
  EXPECT_EQ(sum.code.code, nullptr);

  Compiled text("'a' + 'b'", true);
  ASSERT_TRUE(text.ok);
  EXPECT_STREQ(ScriptValue_Text(text.code.constant), "ab");

  Compiled variable("x + 1", true);
  EXPECT_EQ(variable.code.kind, kCodeExpression);
}

TEST(CodeCompile, FailuresKeepTheCodeUncompiled) {
  Compiled division("x = 1 / 0");
  EXPECT_FALSE(division.ok);
  EXPECT_FALSE(division.code.compiled);
  EXPECT_EQ(Message(), "Division by 0.");

  Compiled wrongType("x = 1 + 'a'");
  EXPECT_FALSE(wrongType.ok);
  EXPECT_EQ(Message(), "Wrong type of arguments to +.");

  Compiled parse("x = ");
  EXPECT_FALSE(parse.ok);
  EXPECT_FALSE(parse.code.compiled);
}

TEST(CodeCompile, TheCodeKeepsItsOwnCopyOfTheText) {
  std::string text = "x = 1";
  CCode code(text.c_str(), false);
  text.assign("garbage");
  EXPECT_STREQ(code.source, "x = 1");
  CCode none(static_cast<const char*>(nullptr), true);
  EXPECT_STREQ(none.source, "");
}

int g_generated = 0;
bool Generator(CCode* code) {
  ++g_generated;
  code->code = new VMBuffer();
  if (std::strstr(code->source, "y") != nullptr) {
    code->code->Adopt(static_cast<uint8_t*>(KV_ALLOC(8, true)), 8);
  }
  return std::strstr(code->source, "fail") == nullptr;
}

TEST(CodeCompile, BytecodeIsGeneratedOnlyWithTheSwitchOnAndNotForConstants) {
  front_test::RegisterNames();
  bool saved = g_runFlags.useBytecode;
  Code_SetBytecodeGenerator(Generator);
  g_generated = 0;
  g_runFlags.useBytecode = false;
  Compiled off("x = 1");
  EXPECT_EQ(g_generated, 0);
  g_runFlags.useBytecode = true;
  Compiled folded("1 + 1", true);
  EXPECT_EQ(g_generated, 0);
  Compiled empty("x = 1");
  EXPECT_EQ(g_generated, 1);
  EXPECT_EQ(empty.code.code, nullptr) << "an empty buffer is dropped";
  Compiled full("y = 1");
  ASSERT_NE(full.code.code, nullptr);
  EXPECT_EQ(full.code.code->size, 8);
  EXPECT_STREQ(full.code.vmSource, "y = 1");
  Compiled failed("fail = 1");
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.code.compiled);
  Code_SetBytecodeGenerator(nullptr);
  g_runFlags.useBytecode = saved;
}

const uint8_t kBytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
const uint8_t kPairs[16] = {};

bool Lookup(int32_t index, PrecompiledEntry* entry) {
  if (index != 3) return false;
  entry->name = "Object.obj.Step.0";
  entry->bytes = kBytes;
  entry->length = sizeof kBytes;
  entry->source = "x = 1";
  entry->debugPairs = kPairs;
  entry->debugPairCount = 2;
  return true;
}

TEST(CodePrecompiled, AnEntryGivesCompiledCodeAndAMissingOneNothing) {
  Code_SetPrecompiledLookup(Lookup);
  CCode code(3, false);
  EXPECT_TRUE(code.compiled);
  EXPECT_STREQ(code.name, "Object.obj.Step.0");
  ASSERT_NE(code.code, nullptr);
  EXPECT_EQ(code.code->size, 8);
  EXPECT_EQ(code.code->bytes, kBytes);
  ASSERT_NE(code.debug, nullptr);
  EXPECT_EQ(code.debug->size, 16);
  EXPECT_STREQ(code.source, "x = 1");
  EXPECT_EQ(code.vmSource, code.source);

  CCode missing(-1, true);
  EXPECT_EQ(missing.name, nullptr);
  EXPECT_STREQ(missing.source, "");
  EXPECT_EQ(missing.code, nullptr);
  EXPECT_EQ(missing.kind, kCodeExpression);
  Code_SetPrecompiledLookup(nullptr);
  CCode noTable(0, false);  // the default reads an empty code table
  EXPECT_EQ(noTable.code, nullptr);
}

// A decoded form that counts its own end.
struct CountedForm final : VMDecodedForm {
  explicit CountedForm(int* ended) : ended_(ended) {}
  ~CountedForm() override { ++*ended_; }
  int* ended_;
};

TEST(CodeBuffer, NewBytesAndTheBuffersEndFreeEveryDecodedForm) {
  struct Case {
    int forms;
    bool adopt;  // new bytes, rather than the buffer's end
  };
  for (Case c : {Case{0, true}, Case{1, true}, Case{3, true}, Case{1, false}, Case{3, false}}) {
    SCOPED_TRACE(testing::Message() << c.forms << " forms, " << (c.adopt ? "adopt" : "end"));
    int ended = 0;
    auto* buffer = new VMBuffer();
    for (int i = 0; i < c.forms; ++i) {
      auto* form = new CountedForm(&ended);
      form->older = buffer->decoded;
      buffer->decoded = form;
    }
    if (c.adopt) {
      buffer->Adopt(static_cast<uint8_t*>(KV_ALLOC(4, true)), 4);
      EXPECT_EQ(buffer->decoded, nullptr);
      EXPECT_EQ(ended, c.forms);
    }
    delete buffer;
    EXPECT_EQ(ended, c.forms);
  }
}

TEST(CodeArguments, SlotsCopyTextsAndIgnoreBadIndices) {
  OwnedValue longText("a fairly long argument text");
  Code_SetArgument(2, longText.v);
  char* buffer = g_arguments[2].text;
  OwnedValue shortText("short");
  Code_SetArgument(2, shortText.v);
  EXPECT_EQ(g_arguments[2].text, buffer) << "a large enough buffer is reused";
  EXPECT_STREQ(g_arguments[2].text, "short");
  EXPECT_NE(g_arguments[2].text, shortText.v.text);
  Code_SetArgument(2, Real(4));
  EXPECT_EQ(g_arguments[2].text, nullptr);
  EXPECT_EQ(g_arguments[2].real, 4);
  Code_SetArgument(16, Real(1));
  Code_SetArgument(-1, Real(1));
  Code_FreeArguments();
  EXPECT_EQ(g_arguments[2].real, 0);
}

TEST(CodeNodeScratch, AnInnerScopeSetsTheOuterOneAsideAndACopyOutlivesBoth) {
  CodeNode outer;
  CodeNode_Init(&outer, 0);
  {
    CodeNodeScratch scratch;
    for (int32_t i = 0; i < 300; ++i) {  // its last array is larger than a scratch block
      CodeNode child;
      CodeNode_Init(&child, i);
      ScriptValue_SetString(&child.value, "text");
      CodeNode_AddChild(&outer, &child);
      if (i != 150) continue;
      CodeNodeScratch inner;
      CodeNode other;
      CodeNode_Init(&other, 0);
      CodeNode leaf;
      CodeNode_Init(&leaf, 7);
      CodeNode_AddChild(&other, &leaf);
      EXPECT_EQ(other.children[0].position, 7);
      CodeNode_Free(&other);
    }
    ASSERT_EQ(outer.childCount, 300);
    EXPECT_EQ(outer.children[299].position, 299);
    CodeNode copy;
    CodeNode_Copy(&copy, &outer);
    CodeNode_Free(&outer);
    outer = copy;
  }
  ASSERT_EQ(outer.childCount, 300);
  EXPECT_EQ(outer.children[150].position, 150);
  EXPECT_STREQ(ScriptValue_Text(outer.children[0].value), "text");
  CodeNode_Free(&outer);
}

TEST(CodeFold, VarBindsOnlyLaterUses) {
  Compiled declaredFirst("var i; i = 0");
  ASSERT_TRUE(declaredFirst.ok);
  const CodeNode* assign = Find(declaredFirst.code.root, kNodeAssign);
  ASSERT_NE(assign, nullptr);
  EXPECT_EQ(assign->children[0].kind, kNodeVariableOnInstance);
  EXPECT_EQ(assign->children[0].instance, kInstanceLocal);

  Compiled usedFirst("i = 0; var i");
  assign = Find(usedFirst.code.root, kNodeAssign);
  ASSERT_NE(assign, nullptr);
  EXPECT_EQ(assign->children[0].instance, kInstanceNotSpecified);

  Compiled indexed("var a; a[1] = 0");
  assign = Find(indexed.code.root, kNodeAssign);
  EXPECT_EQ(assign->children[0].kind, kNodeVariable);
  EXPECT_EQ(assign->children[0].children[0].value.real, kInstanceLocal);
}

TEST(CodeFold, ConstantSelectorsBecomeInstanceNodes) {
  const std::pair<const char*, int32_t> cases[] = {
      {"other.x", kInstanceOther}, {"(5).x", 5}, {"1.5.x", 2}, {"2.5.x", 2}, {"global.x", kInstanceGlobal}};
  for (const auto& [text, instance] : cases) {
    Compiled code(text, true);
    ASSERT_TRUE(code.ok) << text;
    EXPECT_EQ(code.code.root.kind, kNodeVariableOnInstance) << text;
    EXPECT_EQ(code.code.root.instance, instance) << text;
  }
  Compiled text("'s'.x", true);
  EXPECT_FALSE(text.ok);
  EXPECT_EQ(Message(), "Left hand side must be a real value.");
  Compiled indexed("a[2].x", true);
  ASSERT_TRUE(indexed.ok);
  EXPECT_EQ(indexed.code.root.kind, kNodeVariable);
  EXPECT_EQ(indexed.code.root.children[0].kind, kNodeVariable);
}

TEST(CodeFold, OperatorsAndCaseLabelsFoldBottomUp) {
  Compiled nested("x = 2 * (3 + 4) - -1");
  const CodeNode* assign = Find(nested.code.root, kNodeAssign);
  ASSERT_NE(assign, nullptr);
  EXPECT_EQ(assign->children[1].kind, kNodeConstant);
  EXPECT_EQ(assign->children[1].value.real, 15);
  EXPECT_EQ(assign->children[1].childCount, 0);

  Compiled partial("x = y + (1 + 2)");
  assign = Find(partial.code.root, kNodeAssign);
  EXPECT_EQ(assign->children[1].kind, kNodeBinary);
  EXPECT_EQ(assign->children[1].children[1].value.real, 3);

  Compiled label("switch (x) { case 1 + 1: y = 1 case y: y = 2 }");
  ASSERT_TRUE(label.ok);
  const CodeNode* constant = Find(label.code.root, kNodeCaseConstant);
  ASSERT_NE(constant, nullptr);
  EXPECT_EQ(constant->children[0].value.real, 2);
  EXPECT_NE(Find(label.code.root, kNodeCase), nullptr) << "a label naming a variable stays";

  Compiled notFolded("x = -'a'");
  EXPECT_FALSE(notFolded.ok);
  EXPECT_EQ(Message(), "Wrong type of arguments to unary operator.");
}

TEST(CodeFold, NamesDeclaredBeforeAndAfterTheSixteenthStayLocal) {
  std::string text = "var";
  for (int i = 0; i < 17; ++i) text += " d" + std::to_string(i) + (i < 16 ? "," : ";");
  text += " d0 = 1; d16 = 2; d17 = 3";
  Compiled code(text);
  ASSERT_TRUE(code.ok) << Message();
  const CodeNode& block = code.code.root;
  ASSERT_EQ(block.childCount, 4);
  EXPECT_EQ(block.children[1].children[0].instance, kInstanceLocal);
  EXPECT_EQ(block.children[2].children[0].instance, kInstanceLocal);
  EXPECT_EQ(block.children[3].children[0].instance, kInstanceNotSpecified);
}

TEST(CodeFold, TwentyThousandDeclaredNamesCompile) {
  std::string text = "var";
  for (int i = 0; i < 20000; ++i) text += " n" + std::to_string(i) + ",";
  text += " last; n19999 = 1; last = 2";
  Compiled code(text);
  ASSERT_TRUE(code.ok) << Message();
  const CodeNode& block = code.code.root;
  const CodeNode& last = block.children[block.childCount - 1];
  EXPECT_EQ(last.children[0].instance, kInstanceLocal);
  EXPECT_EQ(block.children[block.childCount - 2].children[0].instance, kInstanceLocal);
}

}  // namespace

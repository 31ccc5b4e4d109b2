// The generator, checked through the words it writes and their listing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "codegen_support.h"
#include "script/variables/variable_registry.h"

namespace {

using codegen_test::Compile;
using codegen_test::Compiled;
using Strings = std::vector<std::string>;

Strings Hex(const char* text) {
  Compiled compiled;
  Compile(text, &compiled);
  EXPECT_TRUE(compiled.ok) << text << ": " << compiled.error;
  return compiled.Hex();
}

Strings Ops(const char* text, bool expression = false) {
  Compiled compiled;
  Compile(text, &compiled, expression);
  EXPECT_TRUE(compiled.ok) << text << ": " << compiled.error;
  return compiled.Ops();
}

// The words of an expression code whose tree is one constant.
Strings ConstantWords(double real) {
  CCode code("", true);
  CodeNode node;
  CodeNode_Init(&node, 0);
  node.kind = kNodeConstant;
  node.value.real = real;
  Compiled compiled;
  compiled.ok = VM_Generate(&code, node, true, &compiled.out);
  EXPECT_TRUE(compiled.ok);
  return compiled.Hex();
}

std::string Hex8(int32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<uint32_t>(value));
  return text;
}

int32_t FunctionId(const char* name) {
  front_test::RegisterNames();
  int32_t id = -1;
  Function_Find(name, &id);
  return id;
}

TEST(CodegenConstants, SmallestIntegerFormThenDouble) {
  EXPECT_EQ(ConstantWords(-32768), (Strings{"C00F8000", "03520000"}));
  EXPECT_EQ(ConstantWords(32767), (Strings{"C00F7FFF", "03520000"}));
  EXPECT_EQ(ConstantWords(-1), (Strings{"C00FFFFF", "03520000"}));
  // A -0 stays a double: an integer would lose its sign.
  EXPECT_EQ(ConstantWords(-0.0), (Strings{"C0000000", "00000000", "80000000", "03500000"}));
  EXPECT_EQ(ConstantWords(32768), (Strings{"C0020000", "00008000", "03520000"}));
  EXPECT_EQ(ConstantWords(-32769), (Strings{"C0020000", "FFFF7FFF", "03520000"}));
  EXPECT_EQ(ConstantWords(-2147483648.0), (Strings{"C0020000", "80000000", "03520000"}));
  EXPECT_EQ(ConstantWords(2147483648.0), (Strings{"C0030000", "80000000", "00000000", "03530000"}));
  EXPECT_EQ(ConstantWords(-9223372036854775808.0), (Strings{"C0030000", "00000000", "80000000", "03530000"}));
  EXPECT_EQ(ConstantWords(0.5), (Strings{"C0000000", "00000000", "3FE00000", "03500000"}));
  // Whole numbers beyond int64, infinities and NaN stay doubles.
  for (double real :
       {9.3e18, 1e300, -1e300, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    Strings words = ConstantWords(real);
    ASSERT_EQ(words.size(), 4u) << real;
    EXPECT_EQ(words[0], "C0000000") << real;
  }
}

TEST(CodegenConstants, StringsAreIndicesIntoTheCodesOwnPool) {
  Compiled compiled;
  Compile("a + \"x\" + b + \"y\" + \"x\"", &compiled, true);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  EXPECT_EQ(compiled.Ops(), (Strings{"push.v $a$", "push.s \"x\"", "add.s.v", "push.v $b$", "add.v.v", "push.s \"y\"",
                                     "add.s.v", "push.s \"x\"", "add.s.v"}));
  EXPECT_EQ(compiled.Hex()[3], "00000000");
  EXPECT_EQ(compiled.Hex()[9], "00000001");
  EXPECT_EQ(compiled.Hex()[12], "00000000");
  const IVMStrings* strings = VM_CodeStrings(compiled.out.code);
  ASSERT_NE(strings, nullptr);
  EXPECT_STREQ(strings->Text(1), "y");
  EXPECT_EQ(strings->Text(2), nullptr);

  Compiled numbers;
  Compile("a + 1", &numbers, true);
  EXPECT_EQ(VM_CodeStrings(numbers.out.code), nullptr);
  VMBuffer view(compiled.out.code->bytes, compiled.out.code->size);
  EXPECT_EQ(VM_CodeStrings(&view), nullptr);
}

TEST(CodegenVariables, SimpleFormCarriesTheSelectorInTheWord) {
  EXPECT_EQ(Hex("a = 1;"), (Strings{"C00F0001", "4125FFFA", "A00186A0"}));
  EXPECT_EQ(Hex("b = a;"), (Strings{"C005FFFA", "A00186A0", "4155FFFA", "A00186A1"}));
  // Instance ids go in as their distance from 100000, with bit 30.
  EXPECT_EQ(Hex("(100005).a = 1"), (Strings{"C00F0001", "41250005", "E00186A0"}));
  EXPECT_EQ(Hex("(132767).a = 1"), (Strings{"C00F0001", "41257FFF", "E00186A0"}));
  EXPECT_EQ(Hex("(32767).a = 1"), (Strings{"C00F0001", "41257FFF", "A00186A0"}));
  EXPECT_EQ(Hex("(-32768).a = 1"), (Strings{"C00F0001", "41258000", "A00186A0"}));
  EXPECT_EQ(Hex("(-2).a = 1"), (Strings{"C00F0001", "4125FFFE", "A00186A0"}));
  // A local name carries its selector like any other.
  EXPECT_EQ(Hex("var a; a = 1"), (Strings{"C00F0001", "4125FFF9", "A00186A0"}));
}

TEST(CodegenVariables, SelectorsTheWordCannotHoldUseTheStack) {
  EXPECT_EQ(Hex("(132768).a = 1"), (Strings{"C00F0001", "C0020000", "000206A0", "41250000", "800186A0"}));
  EXPECT_EQ(Hex("(32768).a = 1"), (Strings{"C00F0001", "C0020000", "00008000", "41250000", "800186A0"}));
  EXPECT_EQ(Hex("(-32769).a = 1"), (Strings{"C00F0001", "C0020000", "FFFF7FFF", "41250000", "800186A0"}));
  EXPECT_EQ(Hex("b = (99999).a"), (Strings{"C0020000", "0001869F", "C0050000", "800186A0", "4155FFFA", "A00186A1"}));
  // A selector computed at run time is converted to int first.
  EXPECT_EQ(Ops("b = a.b"), (Strings{"push.v $a$", "conv.v.i", "push.v $b$", "pop.v.v $b$"}));
  EXPECT_EQ(Hex("b = a.b")[4], "800186A1");
}

TEST(CodegenVariables, ArrayIndicesGoOnTheStack) {
  EXPECT_EQ(Hex("b = a[2];"), (Strings{"C00FFFFA", "C00F0002", "C0050000", "000186A0", "4155FFFA", "A00186A1"}));
  EXPECT_EQ(Hex("a[2] = 1;"), (Strings{"C00F0001", "C00FFFFA", "C00F0002", "41250000", "000186A0"}));
  EXPECT_EQ(Hex("b = a[1, 2];"), (Strings{"C00FFFFA", "C00F0001", "C0020000", "00007D00", "04220000", "C00F0002",
                                          "08220000", "C0050000", "000186A0", "4155FFFA", "A00186A1"}));
  EXPECT_EQ(Ops("b = a[b]"), (Strings{"push.e -6", "push.v $b$", "conv.v.i", "push.v $a$", "pop.v.v $b$"}));
}

TEST(CodegenVariables, CompoundAssignmentsReadOperateAndStoreAVariant) {
  EXPECT_EQ(Hex("a += 1;"), (Strings{"C005FFFA", "A00186A0", "C00F0001", "08520000", "4155FFFA", "A00186A0"}));
  EXPECT_EQ(Ops("a |= 1.5"), (Strings{"push.v $a$", "push.d 1.500000", "conv.d.i", "or.i.v", "pop.v.v $a$"}));
  EXPECT_EQ(Ops("a &= b"), (Strings{"push.v $a$", "push.v $b$", "conv.v.i", "and.i.v", "pop.v.v $a$"}));
  EXPECT_EQ(Ops("a ^= 2"), (Strings{"push.v $a$", "push.e 2", "xor.i.v", "pop.v.v $a$"}));
  EXPECT_EQ(Ops("a *= (b < 1)"),
            (Strings{"push.v $a$", "push.v $b$", "push.e 1", "slt.i.v", "conv.b.i", "mul.i.v", "pop.v.v $a$"}));
  EXPECT_EQ(Ops("a /= 0.5"), (Strings{"push.v $a$", "push.d 0.500000", "div.d.v", "pop.v.v $a$"}));
  // Selector and index are evaluated once for the read, once for the store.
  EXPECT_EQ(Ops("a[b] -= 1"), (Strings{"push.e -6", "push.v $b$", "conv.v.i", "push.v $a$", "push.e 1", "sub.i.v",
                                       "push.e -6", "push.v $b$", "conv.v.i", "pop.v.v $a$"}));
}

TEST(CodegenCalls, ArgumentsLastFirstAsVariants) {
  int32_t two = FunctionId("two_args");
  int32_t any = FunctionId("any_args");
  EXPECT_EQ(Hex("two_args(1, 2);"),
            (Strings{"C00F0002", "03520000", "C00F0001", "03520000", "DA020002", Hex8(two), "9F050000"}));
  EXPECT_EQ(Hex("b = any_args()"), (Strings{"DA020000", Hex8(any), "4155FFFA", "A00186A1"}));
  // Both sides of a logical operator always run.
  EXPECT_EQ(Ops("b = 0 && any_args(a)"),
            (Strings{"push.e 0", "conv.i.b", "push.v $a$", "call.i any_args", "conv.v.b", "and.b.b", "pop.v.b $b$"}));
}

TEST(CodegenOperators, UnaryConversions) {
  EXPECT_EQ(Ops("b = !a"), (Strings{"push.v $a$", "conv.v.b", "not.b.d", "pop.v.b $b$"}));
  EXPECT_EQ(Ops("b = !(a < 1)"), (Strings{"push.v $a$", "push.e 1", "slt.i.v", "not.b.d", "pop.v.b $b$"}));
  EXPECT_EQ(Ops("b = ~a"), (Strings{"push.v $a$", "conv.v.i", "not.i.d", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("b = ~(a < 1)"), (Strings{"push.v $a$", "push.e 1", "slt.i.v", "not.b.d", "pop.v.b $b$"}));
  EXPECT_EQ(Ops("b = -a"), (Strings{"push.v $a$", "neg.v.d", "pop.v.v $b$"}));
  EXPECT_EQ(Ops("b = +a"), (Strings{"push.v $a$", "pop.v.v $b$"}));
}

TEST(CodegenOperators, OperandConversionsAndResultTypes) {
  EXPECT_EQ(Ops("b = a && 1"), (Strings{"push.v $a$", "conv.v.b", "push.e 1", "conv.i.b", "and.b.b", "pop.v.b $b$"}));
  EXPECT_EQ(Ops("b = a & 1.5"),
            (Strings{"push.v $a$", "conv.v.i", "push.d 1.500000", "conv.d.i", "and.i.i", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("b = a << 2"), (Strings{"push.v $a$", "conv.v.i", "push.e 2", "shl.i.i", "pop.v.i $b$"}));
  // The larger operand by stack size wins; the left one on a tie.
  EXPECT_EQ(Ops("b = (a < 1) + 0.5"),
            (Strings{"push.v $a$", "push.e 1", "slt.i.v", "conv.b.i", "push.d 0.500000", "add.d.i", "pop.v.d $b$"}));
  EXPECT_EQ(Ops("b = 0.5 * (a < 1)"),
            (Strings{"push.d 0.500000", "push.v $a$", "push.e 1", "slt.i.v", "conv.b.i", "mul.i.d", "pop.v.d $b$"}));
  EXPECT_EQ(Ops("b = (a < 1) - \"s\""),
            (Strings{"push.v $a$", "push.e 1", "slt.i.v", "conv.b.i", "push.s \"s\"", "sub.s.i", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("b = 1 + (a < 2)"),
            (Strings{"push.e 1", "push.v $a$", "push.e 2", "slt.i.v", "conv.b.i", "add.i.i", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("b = a div 2 mod 3"),
            (Strings{"push.v $a$", "push.e 2", "rem.i.v", "push.e 3", "mod.i.v", "pop.v.v $b$"}));
  // `=` inside an expression compares.
  EXPECT_EQ(Ops("b = a = 1"), (Strings{"push.v $a$", "push.e 1", "seq.i.v", "pop.v.b $b$"}));
  EXPECT_EQ(Ops("a <> 1", true), (Strings{"push.v $a$", "push.e 1", "sne.i.v", "conv.b.v"}));
}

TEST(CodegenStatements, IfWhileAndTheirLabels) {
  EXPECT_EQ(Ops("if a b = 1 else b = 2"), (Strings{"push.v $a$", "conv.v.b", "bf 0x00000020", "push.e 1", "pop.v.i $b$",
                                                   "b 0x0000002c", "push.e 2", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("if a b = 1"), (Strings{"push.v $a$", "conv.v.b", "bf 0x0000001c", "push.e 1", "pop.v.i $b$"}));
  EXPECT_EQ(Ops("while a { b = 1 }"),
            (Strings{"push.v $a$", "conv.v.b", "bf 0x00000020", "push.e 1", "pop.v.i $b$", "b 0x00000000"}));
  EXPECT_EQ(Ops("while a { if b break; continue }"),
            (Strings{"push.v $a$", "conv.v.b", "bf 0x0000002c", "push.v $b$", "conv.v.b", "bf 0x00000024",
                     "b 0x0000002c", "b 0x00000000", "b 0x00000000"}));
}

TEST(CodegenStatements, ContinueReachesEachLoopsOwnPoint) {
  // do ... until: the condition.
  EXPECT_EQ(Ops("do { continue; b = 1 } until a"),
            (Strings{"b 0x00000010", "push.e 1", "pop.v.i $b$", "push.v $a$", "conv.v.b", "bf 0x00000000"}));
  // for: the step; break: past the loop.
  EXPECT_EQ(Ops("for (b = 0; b < 3; b += 1) { if a continue; break }"),
            (Strings{"push.e 0", "pop.v.i $b$", "push.v $b$", "push.e 3", "slt.i.v", "bf 0x00000054", "push.v $a$",
                     "conv.v.b", "bf 0x00000034", "b 0x00000038", "b 0x00000054", "push.v $b$", "push.e 1", "add.i.v",
                     "pop.v.v $b$", "b 0x0000000c"}));
  // repeat: the decrement; the count stays on the stack and is dropped at the end.
  EXPECT_EQ(Ops("repeat 3 { if a continue; b = 1 }"),
            (Strings{"push.e 3", "dup.i", "push.i 0", "sle.i.i", "bt 0x00000050", "push.v $a$", "conv.v.b",
                     "bf 0x0000002c", "b 0x00000038", "push.e 1", "pop.v.i $b$", "push.i 1", "sub.i.i", "dup.i",
                     "conv.i.b", "bt 0x00000018", "popz.i"}));
  EXPECT_EQ(Ops("repeat a {}")[1], "conv.v.i");
}

TEST(CodegenStatements, WithClosesEarlyOnlyWhenBrokenOutOf) {
  Compiled broken;
  Compile("with a { if b break; b = 1 }", &broken);
  EXPECT_EQ(broken.Ops(), (Strings{"push.v $a$", "conv.v.i", "pushenv 0x00000030", "push.v $b$", "conv.v.b",
                                   "bf 0x00000024", "b 0x00000038", "push.e 1", "pop.v.i $b$", "popenv 0x00000010",
                                   "b 0x0000003c", "popenv 0xffc00038"}));
  EXPECT_EQ(broken.Words().back(), kVMWithClose);
  EXPECT_EQ(Ops("with a continue"),
            (Strings{"push.v $a$", "conv.v.i", "pushenv 0x00000014", "b 0x00000014", "popenv 0x00000010"}));
}

TEST(CodegenStatements, SwitchTestsThenBodies) {
  // The default ends the tests that run; cases without statements after
  // them end up at the end of the switch.
  EXPECT_EQ(Ops("switch a { case 1: b = 1; break; default: b = 2; case 3: case 4: }"),
            (Strings{"push.v $a$", "dup.v",         "push.e 1",     "seq.i.v",       "bt 0x00000040", "b 0x00000050",
                     "dup.v",      "push.e 3",      "seq.i.v",      "bt 0x0000005c", "dup.v",         "push.e 4",
                     "seq.i.v",    "bt 0x0000005c", "b 0x0000005c", "push.e 1",      "pop.v.i $b$",   "b 0x0000005c",
                     "push.e 2",   "pop.v.i $b$",   "popz.v"}));
  // Consecutive labels share the next statement.
  EXPECT_EQ(Ops("switch 2 { case 1: case 2: b = 1 }"),
            (Strings{"push.e 2", "dup.i", "push.e 1", "seq.i.i", "bt 0x00000028", "dup.i", "push.e 2", "seq.i.i",
                     "bt 0x00000028", "b 0x00000034", "push.e 1", "pop.v.i $b$", "popz.i"}));
}

TEST(CodegenStatements, ContinueLeavesTheSwitchValuesBehind) {
  EXPECT_EQ(Ops("while a { switch b { case 1: continue } }"),
            (Strings{"push.v $a$", "conv.v.b", "bf 0x0000003c", "push.v $b$", "dup.v", "push.e 1", "seq.i.v",
                     "bt 0x0000002c", "b 0x00000034", "popz.v", "b 0x00000000", "popz.v", "b 0x00000000"}));
  // A loop inside the switch starts afresh; break leaves only the switch.
  Strings inner = Ops("while a { switch 1 { case 1: while b continue; break } }");
  EXPECT_EQ(std::count(inner.begin(), inner.end(), "popz.i"), 1);
  EXPECT_EQ(std::count(inner.begin(), inner.end(), "popz.v"), 0);
}

TEST(CodegenStatements, ExitReturnAndStatementsWithoutCode) {
  EXPECT_EQ(Hex("exit"), (Strings{"9E020000"}));
  EXPECT_EQ(Hex("return a"), (Strings{"C005FFFA", "A00186A0", "9D050000"}));
  EXPECT_EQ(Hex("return 1"), (Strings{"C00F0001", "03520000", "9D050000"}));
  for (const char* empty : {"", ";", "{}", "break; continue", "var a, b;"}) {
    Compiled compiled;
    Compile(empty, &compiled);
    EXPECT_TRUE(compiled.ok) << empty;
    EXPECT_EQ(compiled.out.code, nullptr) << empty;
  }
}

TEST(CodegenDriver, ConstantsAndEmptyProgramsGetNoBytecode) {
  Compiled folded;
  Compile("2 + 3", &folded, true);
  EXPECT_TRUE(folded.ok);
  EXPECT_EQ(folded.kind, kCodeConstant);
  EXPECT_EQ(folded.out.code, nullptr);
  Compiled empty;
  Compile("", &empty);
  EXPECT_TRUE(empty.ok);
  EXPECT_EQ(empty.out.code, nullptr);
  Compiled program;
  Compile("b = 2 + 3", &program);
  EXPECT_EQ(program.Hex(), (Strings{"C00F0005", "4125FFFA", "A00186A1"}));
  EXPECT_NE(program.out.debug, nullptr);
  EXPECT_EQ(program.out.debug->size, 0);  // no debug pairs for compiled source
}

TEST(CodegenStatements, GlobalvarActsWhileCompiling) {
  Compiled compiled;
  Compile("if 0 { globalvar zz_gen; }", &compiled);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  EXPECT_EQ(Variable_IsGlobalVar(Code_Variable_Find("zz_gen")), 1);
}

std::string Nested(int levels) {
  std::string text = "b = ";
  for (int i = 0; i < levels; ++i) text += "1+(";
  text += "a";
  text += std::string(static_cast<size_t>(levels), ')');
  return text;
}

TEST(CodegenLimits, TypeStackDepthIsACompileError) {
  Compiled fits;
  Compile(Nested(1023).c_str(), &fits);
  EXPECT_TRUE(fits.ok) << fits.error;
  Compiled deep;
  Compile(Nested(1025).c_str(), &deep);
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.error, "Expression too complex.");
  EXPECT_EQ(deep.out.code, nullptr);
  // Deep statements nest without growing the type stack.
  std::string blocks = std::string(1500, '{') + "b = 1" + std::string(1500, '}');
  Compiled nestedBlocks;
  Compile(blocks.c_str(), &nestedBlocks);
  EXPECT_TRUE(nestedBlocks.ok) << nestedBlocks.error;
}

TEST(CodegenLimits, BranchDistancesMustFitTwentyFourBits) {
  uint32_t word = 0;
  EXPECT_TRUE(VM_BranchWord(kOpB, 0, 4 * kVMBranchMax, &word));
  EXPECT_EQ(word, 0xB77FFFFFu);
  EXPECT_FALSE(VM_BranchWord(kOpB, 0, 4 * kVMBranchMax + 4, &word));
  EXPECT_TRUE(VM_BranchWord(kOpBt, 4 * 0x800000, 0, &word));
  EXPECT_EQ(word, 0xB8800000u);
  EXPECT_FALSE(VM_BranchWord(kOpBt, 4 * 0x800000 + 4, 0, &word));
  EXPECT_TRUE(VM_BranchWord(kOpBf, 8, 8, &word));
  EXPECT_EQ(word, 0xB9000000u);
  EXPECT_FALSE(VM_BranchWord(kOpB, 0, 6, &word));
}

}  // namespace

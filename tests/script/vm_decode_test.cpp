// The machine's decoded form: odd branch targets, buffers whose bytes
// change, the fused forms against the plain instructions, the argument slots
// a call saves, and the machine's own number shortcuts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "runtime/numeric.h"
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "script/vm/vm_fast.h"
#include "script_test_support.h"
#include "snippet_runner.h"
#include "support/test_support.h"
#include "vm_test_support.h"

namespace {

class VMDecode : public ::testing::Test {
 protected:
  double Run(VMBuffer* code) {
    OwnedValue result;
    EXPECT_TRUE(VM_Exec("decode", AsInstance(&self_), AsInstance(&self_), code, result.Slot(), nullptr, nullptr));
    return result.v.real;
  }

  StubWorld world_;
  StubInstance self_;
};

TEST_F(VMDecode, ABranchIntoAnOperandRunsTheBytesThereAsInstructions) {
  // 0: b to 8, the operand of the push at 4, which holds "push.e 7".
  Asm into;
  into.Branch(kOpB, 2).W(Asm::Op(kOpPush, kI)).W(Asm::Op(kOpPush, kE, 0, 7));
  EXPECT_EQ(Run(into.Buffer()), 7);

  // The hidden chain runs on into the instructions that follow the operand:
  // 0: b to 8; 4: push.i whose operand is "push.e 30"; 12: push.e 12;
  // 16: add; the hidden push and the one after it add up.
  Asm onward;
  onward.Branch(kOpB, 2).W(Asm::Op(kOpPush, kI)).W(Asm::Op(kOpPush, kE, 0, 30)).Short(12).Bin(kOpAdd, kI, kI);
  onward.W(Asm::Op(kOpConv, kI, kV));
  EXPECT_EQ(Run(onward.Buffer()), 42);
}

const char* DecodeStrings(const VMBuffer*, int32_t index) {
  static const char* const texts[] = {"ab", "cd", "ef"};
  return index >= 0 && index < 3 ? texts[index] : nullptr;
}

TEST_F(VMDecode, AJoinIntoALocalEnteredPartWayRunsItsInstructionsAlone) {
  // a = "ab"; b = "cd"; push b; then a branch over the push of a lands on
  // the text constant of the run "a = a + text": the add joins b's text.
  constexpr int32_t kA = 100000, kB = 100001;
  VM_SetStringSource(DecodeStrings);
  Asm code;
  code.Str(0).PopVar(kInstanceLocal, kA, kS).Str(1).PopVar(kInstanceLocal, kB, kS).PushVar(kInstanceLocal, kB);
  code.Branch(kOpB, 3).PushVar(kInstanceLocal, kA).Str(2).Bin(kOpAdd, kS, kV).PopVar(kInstanceLocal, kA, kV);
  // Then the run from its start, with a text the source does not have.
  code.PushVar(kInstanceLocal, kA).Str(7).Bin(kOpAdd, kS, kV).PopVar(kInstanceLocal, kA, kV);
  code.PushVar(kInstanceLocal, kA);
  OwnedValue result;
  EXPECT_TRUE(VM_Exec("join", AsInstance(&self_), AsInstance(&self_), code.Buffer(), result.Slot(), nullptr, nullptr));
  EXPECT_EQ(result.Text(), "cdef");
  VM_SetStringSource(nullptr);
}

TEST_F(VMDecode, ABufferWhoseBytesChangeRunsTheNewCode) {
  Asm first, second;
  first.Short(3).W(Asm::Op(kOpConv, kI, kV));
  second.Short(4).Short(5).Bin(kOpAdd, kI, kI).W(Asm::Op(kOpConv, kI, kV));
  VMBuffer buffer(first.Buffer()->bytes, first.Buffer()->size);
  EXPECT_EQ(Run(&buffer), 3);
  EXPECT_EQ(Run(&buffer), 3);
  buffer.bytes = second.Buffer()->bytes;
  buffer.size = second.Buffer()->size;
  EXPECT_EQ(Run(&buffer), 9);
  // An adopted block replaces the bytes and the forms made of the old ones.
  auto* block = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(first.Buffer()->size), false));
  std::memcpy(block, first.Buffer()->bytes, static_cast<size_t>(first.Buffer()->size));
  buffer.Adopt(block, first.Buffer()->size);
  EXPECT_EQ(Run(&buffer), 3);
  // Trailing bytes short of a word are not code at the outermost level.
  Asm ragged;
  ragged.Short(6).W(Asm::Op(kOpConv, kI, kV)).W(0);
  VMBuffer cut(ragged.Buffer()->bytes, ragged.Buffer()->size - 2);
  EXPECT_EQ(Run(&cut), 6);
}

// ---- Through the compiler ---------------------------------------------------

void SetSlot(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue* arguments) {
  int32_t index = Num_TruncInt32(arguments[0].real);
  Code_SetArgument(index, arguments[1]);
  ScriptValue_SetReal(result, 0);
}

void ReadSlot(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue* arguments) {
  int32_t index = Num_TruncInt32(arguments[0].real);
  ScriptValue_Copy(result, &g_arguments[index]);
}

class VMDecodeScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    int32_t id;
    if (!Function_Find("set_slot", &id)) Function_Add("set_slot", SetSlot, 2);
    if (!Function_Find("slot", &id)) Function_Add("slot", ReadSlot, 1);
    VM_InstallGenerator();
    VM_Install();
  }
  void TearDown() override {
    Code_FreeArguments();
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
  }

  snippet::Runner runner_{false};
};

TEST_F(VMDecodeScripts, SlotsSetOutsideTheMachineAreHiddenFromACallAndComeBack) {
  ASSERT_TRUE(runner_.SetScripts({
      {"inner", "set_slot(12, 5); return slot(12) * 100 + slot(10) * 10 + argument0"},
      {"middle", "var r; r = inner(argument1); return r + slot(3) * 1000"},
      {"texts", "set_slot(14, \"t\"); return slot(14) + argument0"},
  }));
  ScriptValue seven;
  ScriptValue_SetReal(&seven, 7);
  Code_SetArgument(10, seven);
  // inner sees neither slot 10 nor what middle had; slot 12 is its own.
  EXPECT_EQ(runner_.RunJoined("test_print(inner(1), slot(10), slot(12))"), "501 7 0");
  EXPECT_EQ(runner_.RunJoined("set_slot(3, 2); test_print(middle(8, 4), slot(3), slot(10), slot(12))"), "504 2 7 0");
  EXPECT_EQ(runner_.RunJoined("test_print(texts(\"u\"), slot(14), slot(10)); set_slot(10, 0)"), "tu 0 7");
  // With every slot empty the calls still see only their own.
  EXPECT_EQ(runner_.RunJoined("test_print(inner(2), middle(0, 3), slot(12))"), "502 503 0");
}

TEST_F(VMDecodeScripts, FusedFormsGiveWhatThePlainInstructionsGive) {
  // A local, a constant and an operator run as one record only for plain
  // numbers; texts, near-zero divisors and a branch into the middle of the
  // run take the plain instructions.
  EXPECT_EQ(runner_.RunJoined("var a; a = -7; test_print(a mod 3, a div 2, a * 1.5, a - 1, a < 0, a == -7.000001)"),
            "-1 -3 -10.5 -8 1 1");
  EXPECT_EQ(runner_.RunJoined("var a; a = -0.5; test_print(a mod 1, a div 1, a / 4, a > -1)"), "-0.5 -0 -0.125 1");
  EXPECT_EQ(runner_.RunJoined("var a; a = \"ab\"; test_print(a + \"c\", a == \"ab\")"), "abc 1");
  EXPECT_EQ(runner_.RunJoined("var a, n; n = 0; a = 0; while (a < 5) { a += 1; n += a mod 2 } test_print(n, a)"),
            "3 5");
  EXPECT_EQ(runner_.RunJoined("b = 6; test_print(b * 2 + 1, b div 4, (b + 0.5) mod 4)"), "13 1 2.5");
  // A fused result popped into a local is stored without the stack, over a
  // text the local held; into anything else it takes the plain pop.
  EXPECT_EQ(runner_.RunJoined("var a, b, t, u, w; a = 5; b = 3; t = \"s\"; u = \"v\"; w = \"z\"; t = a + 1; u = a * b;"
                              " w = (a + 1) * (b - 1); a += 2; a = a - 0.5; q = a + 1; test_print(t, u, w, a, q)"),
            "6 15 12 6.5 7.5");
}

TEST_F(VMDecodeScripts, TwoReadsAndAnOperatorGiveWhatThePlainInstructionsGive) {
  // Locals and argument slots in every pairing, as one record for plain
  // numbers; texts, near-zero divisors and a missing local take the plain
  // instructions with their own results and messages.
  ASSERT_TRUE(runner_.SetScripts({
      {"mixed",
       "var k; k = 4; test_print(argument0 - argument1, k * argument0, argument1 mod k, argument0 div argument1,"
       " argument1 < k, k == argument0)"},
  }));
  EXPECT_EQ(runner_.RunJoined("mixed(9, 2)"), "7 36 2 4 1 0");
  EXPECT_EQ(runner_.RunJoined("mixed(4.5, -2)"), "6.5 18 -2 -2 1 0");
  EXPECT_EQ(runner_.RunJoined("mixed(4.000001, 3)"), "1.000001 16.000004 3 1 1 1");
  EXPECT_EQ(runner_.RunJoined("var a, b; a = 0.1 + 0.2; b = 0.3; test_print(a == b, a != b, a < b, a - b == 0)"),
            "1 0 0 1");
  EXPECT_EQ(runner_.RunJoined("var a, b; a = 1; b = 1.00002; test_print(a == b, a < b, b >= a)"), "0 1 1");
  EXPECT_EQ(runner_.RunJoined("var a, b; a = \"ab\"; b = \"c\"; test_print(a + b, a == b, a < b)"), "abc 0 1");
  EXPECT_EQ(runner_.RunJoined("var a, b; a = 1; b = 0.000000001; test_print(a / b > 999999999, a / b < 1000000001)"),
            "1 1");
  EXPECT_EQ(runner_.RunJoined("var a, n, m; a = 0; n = 0; m = 5; while (a < m) { a += 1; n += a } test_print(n)"),
            "15");
}

TEST_F(VMDecodeScripts, AReadAndATripleGiveWhatThePlainInstructionsGive) {
  // A read, then a read or constant with an operator, then an operator on
  // the two: stored into the local read first, into another local, into a
  // local holding text, left on the stack, or tested by a branch.
  ASSERT_TRUE(runner_.SetScripts({
      {"args", "return argument0 - argument1 * 2 + (argument1 < argument0 div 2)"},
  }));
  EXPECT_EQ(runner_.RunJoined("var s, i, t, u; s = 1; i = 10; t = \"x\"; s = s + i mod 7; u = s - i div 4;"
                              " t = i * i * 2; test_print(s, u, t, s + i / 8, s < i - 5, s == i mod 6 + 0.000001)"),
            "4 2 200 5.25 1 1");
  EXPECT_EQ(runner_.RunJoined("test_print(args(9, 2), args(4.5, 3), args(-7, -2))"), "6 -1.5 -3");
  EXPECT_EQ(runner_.RunJoined("var a, b, c, n; a = -7; b = 3; c = 2; n = 0; while (n < a * -1 - b) n += 1;"
                              " test_print(n, a mod b - c, a + b * c, a - b / c, a + c mod b)"),
            "4 -3 -1 -8.5 -5");
  // Constants and operators between the triple and the last operator.
  EXPECT_EQ(
      runner_.RunJoined("var s, i, u; s = 2; i = 9; s = s + (i * 3 + 7) mod 11 - i div 5; u = s - (i - 1) / 4 * 3;"
                        " test_print(s, u, s * (i mod 4 + 0.5) div 1, argument0 + (i + 1) * 2 - 1)"),
      "2 -4 3 19");
  // Texts and odd kinds anywhere in the five take the plain instructions.
  EXPECT_EQ(runner_.RunJoined("var a, b, c; a = \"p\"; b = \"q\"; c = \"r\"; test_print(a + b + c, a + (b + c))"),
            "pqr pqr");
  EXPECT_EQ(runner_.RunJoined("var a, b; a = 1; b = 0.000000001; test_print(a + b * 3, a + 1 / b > 999999999)"),
            "1.000000003 1");
}

TEST_F(VMDecodeScripts, TextJoinedToALocalInPlaceGivesWhatThePlainInstructionsGive) {
  // Into the local read only; the empty text on either side; a text the
  // local got from a join or from another local.
  EXPECT_EQ(runner_.RunJoined("var t, u, n; t = \"\"; u = \"q\"; n = 0; while (n < 3) { t = t + \"ab\"; n += 1 }"
                              " u = t + \"z\"; t = t + \"\"; test_print(t, u, t == \"ababab\")"),
            "ababab abababz 1");
  EXPECT_EQ(runner_.RunJoined("var t, u; u = \"k\"; t = u + u; t = t + \"m\"; u = \"1\" + \"2\"; u = u + \"!\";"
                              " test_print(t, u, t == \"kkm\")"),
            "kkm 12! 1");
}

TEST_F(VMDecodeScripts, ElementsOfSelfByAComputedIndexGiveWhatThePlainInstructionsGive) {
  // The index a local, an argument slot or an arithmetic triple; texts
  // stored or read, and a fraction truncated, take or match the plain path.
  ASSERT_TRUE(runner_.SetScripts({{"pick", "return q[argument0] + q[argument0 + 1]"}}));
  EXPECT_EQ(runner_.RunJoined("var i, s; for (i = 0; i < 6; i += 1) { q[i mod 3] = i * 2 } s = 0;"
                              " for (i = 0; i < 6; i += 1) { s += q[i mod 3] } test_print(pick(0.5)); q[1] = \"t\";"
                              " test_print(s, q[0], q[2], q[i - 5], q[i / 4])"),
            "14 | 48 6 10 t t");
  EXPECT_EQ(runner_.RunJoined("var k; k = 2; q[k] = 7; q[k] += 1; q[k * 2] = q[k] - 1; test_print(q[k], q[4], q[3])"),
            "8 7 0");
}

TEST_F(VMDecodeScripts, LocalsFoundByTheirNumberAreTheRunsOwn) {
  // A local first written inside the loop that reads it, and one that
  // shares its name with an instance variable.
  EXPECT_EQ(runner_.RunJoined("var i, t; for (i = 0; i < 4; i += 1) { if (i >= 2) t += i; else t = 10 } test_print(t)"),
            "15");
  EXPECT_EQ(runner_.RunJoined("v = 3; test_print(v); var v; v = 4; v += 1; test_print(v, self.v)"), "3 | 5 3");
  // A run after another with other names in the same numbers: the first
  // run's nodes are gone.
  EXPECT_EQ(runner_.RunJoined("var a, b; a = 1; b = 2; test_print(a + b)"), "3");
  EXPECT_EQ(runner_.RunJoined("var b, c; c = 7; b = c + 1; c += b; test_print(b, c)"), "8 15");
  EXPECT_EQ(runner_.RunJoined("var c; c = 0; c += 1; test_print(c, c * 2)"), "1 2");
  // Recursion with the same names, a nested run of the same code, and with
  // changing self: each keeps its own locals.
  ASSERT_TRUE(runner_.SetScripts({
      {"down", "var v, w; v = argument0 * 10; w = 1; if (argument0 > 0) w = down(argument0 - 1); v += w; return v"},
  }));
  EXPECT_EQ(runner_.RunJoined("var v, w; v = 5; w = down(3); test_print(v, w)"), "5 61");
  EXPECT_EQ(runner_.RunJoined("var s; s = 0; with (other) { s += 1; tag = s } with (all) s += tag; test_print(s)"),
            "2");
  // Names past the index's size share the number it never keeps.
  std::string many = "var";
  for (int32_t i = 0; i < 300; ++i) many += (i ? ", v" : " v") + std::to_string(i);
  many += "; v0 = 1;";
  for (int32_t i = 1; i < 300; ++i) many += " v" + std::to_string(i) + " = v" + std::to_string(i - 1) + " + 1;";
  many += " v299 += v254 + v255; test_print(v0, v1, v253, v254, v255, v299)";
  EXPECT_EQ(runner_.RunJoined(many), "1 2 254 255 256 811");
}

TEST_F(VMDecodeScripts, ALocalStoredIntoOrOperatedWithAnElementOfSelfGivesWhatThePlainInstructionsGive) {
  // Stored into elements that exist and into ones past the end; read under
  // each arithmetic operator, into the local read, another local or the
  // stack; texts on either side take the plain path.
  EXPECT_EQ(
      runner_.RunJoined("var i, s, t; for (i = 0; i < 8; i += 1) { q[i mod 4] = i } s = 1; t = 0;"
                        " for (i = 0; i < 8; i += 1) { s += q[i mod 4]; t = s - q[i mod 4] }"
                        " test_print(s, t, q[0], q[3], s * q[2 - 1], s / q[i - 5], s mod q[i div 3], s div q[3])"),
      "45 38 4 7 225 6.42857142857143 3 6");
  EXPECT_EQ(runner_.RunJoined("var i, s, u; i = 1; u = \"w\"; q[0] = 0; q[i] = u; s = \"v\"; s += q[i];"
                              " q[i + 1] = i; u = i + q[i + 1]; q[0] = 0.5; test_print(s, q[1], u, i / q[i - 1])"),
            "vw w 2 2");
}

TEST_F(VMDecodeScripts, ALoopsStepGoesStraightToItsTestAsThePlainInstructionsWould) {
  // Steps up and down under every comparison, by fractions near the
  // comparison's tolerance, a step into another local than the one tested,
  // and a test that is not followed by a branch.
  EXPECT_EQ(runner_.RunJoined("var i, n; n = 0; for (i = 0; i < 5; i += 1) n += 1; test_print(n, i);"
                              " for (i = 10; i >= 4; i -= 2) n += i; test_print(n, i);"
                              " for (i = 0; i != 3; i += 1) n += 100; test_print(n, i);"
                              " for (i = 1; i <= 2; i += 0.25) n += 1; test_print(n, i)"),
            "5 5 | 33 2 | 333 3 | 338 2.25");
  EXPECT_EQ(runner_.RunJoined("var i, n; n = 0; for (i = 0; i < 1; i += 0.1) n += 1; test_print(n);"
                              " for (i = 0; i > -0.00004; i -= 0.00001) n += 1; test_print(n, i * 100000)"),
            "10 | 13 -3");
  EXPECT_EQ(runner_.RunJoined("var i, j, t; i = 0; j = 10; while (i < 3) { i += 1; j += 1 } test_print(i, j);"
                              " i = 0; do { i += 1; t = i < 3; } until (!t) test_print(i, t)"),
            "3 13 | 3 0");
  // A stepped local the body gives a text and then a number again, and a
  // step down in a while loop whose test reads the local again after it.
  EXPECT_EQ(runner_.RunJoined("var i, n; n = 0; for (i = 0; i < 9; i += 1) { n += 1; i = \"t\"; i = n * 3 }"
                              " test_print(n, i); i = 7; while (i > 0.5) { i -= 2; n += i } test_print(n, i)"),
            "3 10 | 11 -1");
  // A bound within the comparison's tolerance of a value the local takes,
  // and just past it.
  EXPECT_EQ(runner_.RunJoined("var i, n, m; n = 0; m = 0; for (i = 0; i < 2.000005; i += 1) n += 1;"
                              " for (i = 0; i < 2.00002; i += 1) m += 1; test_print(n, m, i)"),
            "2 3 3");
}

TEST_F(VMDecodeScripts, AModByAWholeConstantGivesWhatThePlainInstructionsGive) {
  // Dividends of either sign, zero remainders keeping the dividend's sign,
  // fractions and values past int32's range; divisors 1, -1, the ends of
  // int32's range and just past it, a fraction and zero.
  EXPECT_EQ(runner_.RunJoined("var a, b, c; a = -7; b = -6; c = 7.5; test_print(a mod 3, b mod 3, a mod 1, -a mod -1,"
                              " c mod 2, -c mod 7, b mod 2.5, a mod 0 == a mod 0)"),
            "-1 -0 -0 0 1.5 -0.5 -1 0");
  EXPECT_EQ(runner_.RunJoined("var a, b, c; a = 3000000005; b = -2147483648; c = 2147483647;"
                              " test_print(a mod 7, b mod 7, b mod -1, c mod 2147483647, b mod -2147483648,"
                              " c mod -2147483648, a mod 2147483648, -a mod 4294967296)"),
            "2 -2 -0 0 -0 2147483647 852516357 -3000000005");
  // An argument slot, a mod inside a longer run, and one left on the stack
  // for a comparison.
  ASSERT_TRUE(runner_.SetScripts({{"rest", "return argument0 mod 4 + argument1 * (argument0 mod -3)"}}));
  EXPECT_EQ(runner_.RunJoined("var i, n; n = 0; for (i = -5; i < 6; i += 1) if (i mod 5 == 0) n += 1;"
                              " test_print(rest(10, 1), rest(-10, 2), n)"),
            "3 -4 3");
}

TEST_F(VMDecodeScripts, AResultStoredBackIntoTheLocalReadGivesWhatThePlainInstructionsGive) {
  // Each arithmetic operator stored back into the local read first; into
  // another local; before a loop's branch to a test of that local or of
  // another; and read with an element of self under each operator.
  EXPECT_EQ(runner_.RunJoined("var i, s, a, b, c, d, e, t; s = 0; a = 100; b = 1; c = 1000; d = 50; e = 7; t = 0;"
                              " for (i = 1; i < 5; i += 1) { s = s + i mod 3; a = a - i * 2; b = b * (i + 1);"
                              " c = c / (i * 2); d = d div (i + 1); e = e mod (i + 2); t = s + i mod 2 }"
                              " test_print(s, a, b, c, d, e, t, i)"),
            "4 80 120 2.60416666666667 0 1 4 5");
  // Locals never set read as the plain instructions read them.
  EXPECT_EQ(runner_.RunJoined("var i, s, u, w; i = 3; s = s * (i + 1); u = u + i mod 2; test_print(s, u, w mod 5)"),
            "0 1 0");
  EXPECT_EQ(runner_.RunJoined("var s, n; s = 1; while (s < 20) s = s + s mod 7; n = 0;"
                              " while (n < 3) { n += 1; s = s - n mod 2 } test_print(s, n)"),
            "20 3");
  EXPECT_EQ(runner_.RunJoined("var i, s, p, r; for (i = 0; i < 4; i += 1) q[i] = i + 1; s = 10; p = 1; r = 100;"
                              " for (i = 0; i < 4; i += 1) { s -= q[i mod 4]; p *= q[3 - i]; r /= q[i] } "
                              " test_print(s, p, r, q[0])"),
            "0 24 4.16666666666667 1");
}

TEST_F(VMDecodeScripts, ArgumentSlotsReadDirectlyGiveWhatTheirGettersGive) {
  // Every slot by name, plainly and fused with a constant and an operator;
  // a slot set outside the machine is hidden from a call that was not
  // given it.
  std::string all = "test_print(argument15";
  for (int32_t i = 14; i >= 0; --i) all += ", argument" + std::to_string(i);
  all += ")";
  ASSERT_TRUE(runner_.SetScripts({
      {"all", all},
      {"fused",
       "test_print(argument13 * 2, argument15 - 1 < 15, argument10 mod 4, argument1 == 2.000001, argument0 div 2)"},
      {"hidden", "return argument11 + 10 * argument0"},
  }));
  EXPECT_EQ(runner_.RunJoined("all(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15)"),
            "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0");
  EXPECT_EQ(runner_.RunJoined("fused(-5, 2, 0, 0, 0, 0, 0, 0, 0, 0, 22, 0, 0, 6.5, 0, 15)"), "13 1 2 1 -2");
  EXPECT_EQ(runner_.RunJoined("set_slot(11, 4); test_print(hidden(3), slot(11)); set_slot(11, 0)"), "30 4");
  // Texts and odd kinds take the getter; plain numbers after them still
  // read directly.
  EXPECT_EQ(runner_.RunJoined("all(\"a\", 1, \"bc\")"), "0 0 0 0 0 0 0 0 0 0 0 0 0 bc 1 a");
  EXPECT_EQ(runner_.RunJoined("fused(7, \"x\" == \"x\")"), "0 1 0 0 3");
}

using VMDecodeScriptsDeathTest = VMDecodeScripts;

TEST_F(VMDecodeScriptsDeathTest, FusedFormsThatCannotFinishFailAsThePlainInstructionsDo) {
  // A fused argument or a pair of reads holding text, and a near-zero
  // divisor between two locals, report what the plain instructions report.
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(runner_.SetScripts({{"times", "return argument0 * 3"}, {"twice", "var k; k = 2; return argument0 * k"}}));
  const std::pair<const char*, const char*> cases[] = {
      {"times(\"ab\")", "VMError!! Occurred - DoMul :: Execution Error\n at Script.times"},
      {"twice(\"ab\")", "VMError!! Occurred - DoMul :: Execution Error\n at Script.twice"},
      {"var a, b; a = 1; b = 0.00000000001; test_print(a / b)", "VMError!! Occurred - DoDiv :: Divide by zero"},
      // A read, then a triple that cannot finish.
      {"var a, b; a = 1; b = 0.00000000001; test_print(a + a / b)", "VMError!! Occurred - DoDiv :: Divide by zero"},
      {"var a, b; a = 1; b = \"ab\"; a = a + b * 2", "VMError!! Occurred - DoMul :: Execution Error"},
      {"var a, b; a = \"ab\"; b = 2; a = a - b * 2", "VMError!! Occurred - DoSub :: Execution Engine - Cannot operate"},
      {"var a, b; a = 1; b = \"s\"; if (a < b + 1) a = 2", "VMError!! Occurred - DoAdd :: Execution Error"},
      // An element of self by a computed index that does not exist.
      {"var i; i = 1; q[0] = 1; q[i - 2] = 0",
       "VMError!! Occurred - Pop :: Execution Error - Variable index out of range q"},
      {"var i; i = 1; q[0] = 1; test_print(q[i + 1])",
       "VMError!! Occurred - Push :: Execution Error - Variable Index out of range q"},
      // ... read with a local under an operator, or added to a text.
      {"var i, s; i = 1; s = 2; q[0] = 1; s += q[i + 1]",
       "VMError!! Occurred - Push :: Execution Error - Variable Index out of range q"},
      {"var i, s; i = 0; s = \"t\"; q[0] = 1; s = s - q[i]",
       "VMError!! Occurred - DoSub :: Execution Engine - Cannot operate"},
      // ... with constant-operator pairs, one of which cannot finish.
      {"var a, b; a = 1; b = 2; a = a + (b * 2 + 1) / 0.00000000001", "VMError!! Occurred - DoDiv :: Divide by zero"},
      {"var a, b; a = 1; b = \"x\"; a = a - (b + 1) * 2", "VMError!! Occurred - DoAdd :: Execution Error"},
      // A loop's step on a local the body left holding text.
      {"var i; for (i = 0; i < 3; i += 1) { if (i == 1) i = \"x\" }", "VMError!! Occurred - DoAdd :: Execution Error"},
      {"var i; for (i = 5; i > 0; i -= 1) { if (i == 4) i = \"x\" }",
       "VMError!! Occurred - DoSub :: Execution Engine - Cannot operate"},
      // A mod by a whole constant of a local holding text.
      {"var a; a = \"x\"; test_print(a mod 3)", "VMError!! Occurred - DoMod :: Execution Engine - Cannot operate"},
      // A result stored back into a local holding text, or from a triple
      // whose local holds text.
      {"var i, s; s = \"t\"; for (i = 0; i < 3; i += 1) s = s + i mod 2",
       "VMError!! Occurred - DoAdd :: Execution Error"},
      {"var i, s; i = \"t\"; s = 0; s = s - i mod 2",
       "VMError!! Occurred - DoMod :: Execution Engine - Cannot operate"},
      {"var i, s; i = 0; s = \"t\"; q[0] = 1; s *= q[i]", "VMError!! Occurred - DoMul :: Execution Error"},
      // A text joined to a local holding a number.
      {"var t; t = 1; t = t + \"x\"", "VMError!! Occurred - DoAdd :: Execution Error"},
  };
  for (const auto& [text, message] : cases) {
    EXPECT_EXIT(
        {
          PrepareToDie();
          std::atexit(Script_Clear);
          runner_.Run(text);
          std::exit(0);
        },
        ::testing::ExitedWithCode(255), message)
        << text;
  }
}

TEST(VMFast, ShortcutsAgreeWithTheLibraryAndTheConversionModule) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> values = {0.0,
                                      -0.0,
                                      1,
                                      -1,
                                      3,
                                      -3,
                                      7,
                                      -7,
                                      0.5,
                                      -0.5,
                                      2.5,
                                      -2.5,
                                      1e15,
                                      -1e15,
                                      9007199254740991.0,
                                      9007199254740992.0,
                                      1e300,
                                      -1e300,
                                      inf,
                                      -inf,
                                      nan,
                                      2147483647.0,
                                      2147483647.9,
                                      2147483648.0,
                                      -2147483648.0,
                                      -2147483648.9,
                                      -2147483649.0,
                                      4503599627370495.5,
                                      -4503599627370495.5};
  auto same = [](double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
  };
  for (double l : values) {
    EXPECT_TRUE(same(VMFast_Trunc(l), std::trunc(l))) << l;
    EXPECT_EQ(VMFast_TruncInt32(l), Num_TruncInt32(l)) << l;
    for (double r : values) {
      EXPECT_TRUE(same(VMFast_Mod(l, r), std::fmod(l, r))) << l << " mod " << r;
      if (r != 0 && r >= INT32_MIN && r <= INT32_MAX && r == std::trunc(r)) {
        EXPECT_TRUE(same(VMFast_ModBy(l, static_cast<int32_t>(r), r), std::fmod(l, r))) << l << " mod " << r;
      }
    }
  }
}

}  // namespace

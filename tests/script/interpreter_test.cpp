#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>

#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/lexer.h"
#include "script/compiler/operators.h"
#include "script/events/script.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter.h"
#include "script/tree/interpreter_statements.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"

namespace {

class Runner : public snippet::Runner {
 public:
  Runner() { Interpreter_SetStatementHandler(snippet::IfAndReturn); }
  ~Runner() { Interpreter_SetStatementHandler(nullptr); }
};

OwnedValue* ReadSelf(Runner& runner, const char* name, int32_t k, OwnedValue* out) {
  EXPECT_TRUE(runner.self.variables.GetValue(Code_Variable_Find(name), k, out->Slot())) << name << "[" << k << "]";
  return out;
}

TEST(TreeVariables, ArraysAddressRowsAndCheckTheirIndices) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("a[1, 2] = 5; b[3] = 'x'; test_print(a[1, 2], b[3])"), "5 x");
  OwnedValue value;
  EXPECT_EQ(ReadSelf(runner, "a", 32002, &value)->v.real, 5);
  EXPECT_EQ(runner.RunJoined("a[-1] = 0"), "error: Negative array index");
  EXPECT_EQ(runner.RunJoined("a[32000] = 0"), "error: Array index >= 32000");
  EXPECT_EQ(runner.RunJoined("a[0, 32000] = 0"), "error: Array index >= 32000");
  EXPECT_EQ(runner.RunJoined("a['x'] = 0"), "error: Wrong type of array index");
  EXPECT_EQ(runner.RunJoined("test_print(a[-0.5])"), "0") << "-0.5 rounds to 0";
  EXPECT_EQ(runner.RunJoined("c[2.5] = 7; test_print(c[2])"), "7");
  EXPECT_EQ(runner.RunJoined("v = 'x'; v.y = 1"), "error: Wrong type of variable index");
}

TEST(TreeVariables, MissesReadZeroUnlessUnsetVariablesAreErrors) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("a[0] = 1; test_print(a[3], nothing, noone.x)"), "0 0 0");
  EXPECT_EQ(runner.RunJoined("u += 5; test_print(u)"), "5");
  g_runFlags.unsetVariableIsError = true;
  EXPECT_EQ(runner.RunJoined("a[0] = 1; test_print(a[3])"), "error: Unknown variable a or array index out of bounds");
  EXPECT_EQ(runner.RunJoined("test_print(never[0])"), "error: Unknown variable never");
  EXPECT_EQ(runner.RunJoined("never2 += 1"), "error: Unknown variable never2");
  EXPECT_EQ(runner.RunJoined("test_print(noone.x)"), "error: Unknown variable x");
}

TEST(TreeVariables, ScopesReachTheirLists) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("other.t = 2; self.t = 1; global.t = 3; test_print(t, other.t, global.t)"), "1 2 3");
  EXPECT_EQ(runner.RunJoined("(100001).w = 4; test_print(other.w, (100001).w)"), "4 4");
  EXPECT_EQ(runner.RunJoined("var l; l = 9; test_print(l, self.l)"), "9 0") << "a local hides nothing of self";
  EXPECT_EQ(runner.RunJoined("var l; test_print(l)"), "0") << "locals end with their execution";
  EXPECT_EQ(runner.RunJoined("globalvar g; g = 6; test_print(global.g, self.g)"), "6 0");
  EXPECT_EQ(runner.RunJoined("noone.x = 1"), "error: Cannot assign to the variable");
  EXPECT_EQ(runner.RunJoined("(123456).z = 1; test_print((123456).z)"), "0") << "writes to a missing instance pass";
}

TEST(TreeAssignment, CompoundFormsApplyTheirOperatorOrKeepTheTarget) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("n = 6; n += 2; n -= 1; n *= 2; n /= 7; n |= 4; n &= 5; n ^= 1; test_print(n)"), "5");
  EXPECT_EQ(runner.RunJoined("s = 'a'; s += 'b'; test_print(s)"), "ab");
  EXPECT_EQ(runner.RunJoined("s = 'a'; s += 1"), "error: Wrong type of arguments to +.");
  OwnedValue value;
  EXPECT_EQ(ReadSelf(runner, "s", 0, &value)->Text(), "a");
  EXPECT_EQ(runner.RunJoined("n = 1; n /= 0"), "error: Division by 0.");
  EXPECT_EQ(ReadSelf(runner, "n", 0, &value)->v.real, 1);
}

TEST(TreeExpressions, OperandsAndArgumentsRunLeftToRightWithoutShortCircuit) {
  Runner runner;
  runner.SetScripts({{"say", "test_print(argument0); return argument0"}});
  EXPECT_EQ(runner.RunJoined("test_print(say(1), say(2), say(3))"), "1 | 2 | 3 | 1 2 3");
  EXPECT_EQ(runner.RunJoined("x = say(0) && say(1)"), "0 | 1");
  EXPECT_EQ(runner.RunJoined("x = say(1) || say(0)"), "1 | 0");
  EXPECT_EQ(runner.RunJoined("x = say('a') + say(1)"), "a | 1 | error: Wrong type of arguments to +.");
  EXPECT_EQ(runner.RunJoined("s = 'a'; test_print(say(1), s * 2, say(2))"), "1 | error: Wrong type of arguments to *.");
}

using OperatorRow = std::pair<const char*, int32_t>;

// r = a OP b for every pair of values, against Code_BinaryOperator: the same
// bits, or an error where it fails.
void ExpectOperatorModulesAnswers(Runner& runner, std::initializer_list<double> values,
                                  std::initializer_list<OperatorRow> operators) {
  const int32_t a = Code_Variable_Find("a"), b = Code_Variable_Find("b");
  CCode none("", false);
  for (const auto& [text, op] : operators) {
    for (double left : values) {
      for (double right : values) {
        ScriptValue l, rv;
        l.real = left;
        rv.real = right;
        runner.self.variables.SetValue(a, 0, l);
        runner.self.variables.SetValue(b, 0, rv);
        std::string got = runner.RunJoined(std::string("r = a ") + text + " b");
        bool ok = Code_BinaryOperator(&none, 0, op, &l, &rv);
        std::string where = std::to_string(left) + " " + text + " " + std::to_string(right);
        if (!ok) {
          EXPECT_EQ(got.rfind("error: ", 0), 0u) << where;
          continue;
        }
        OwnedValue value;
        ReadSelf(runner, "r", 0, &value);
        EXPECT_EQ(std::memcmp(&value.v.real, &l.real, sizeof l.real), 0) << where << " gave " << value.v.real;
      }
    }
  }
}

// The tree's own handling of plain reals must give the operator module's
// answers bit for bit, infinities, NaN, zero divisors and huge values
// included.
TEST(TreeExpressions, RealOperatorsGiveTheOperatorModulesAnswers) {
  Runner runner;
  const double inf = std::numeric_limits<double>::infinity();
  ExpectOperatorModulesAnswers(runner, {0.0, -0.0, 1.0, -2.5, 7.0, 3e9, -1e300, inf, -inf, std::nan("")},
                               {{"+", kTokenPlus},
                                {"-", kTokenMinus},
                                {"*", kTokenTimes},
                                {"/", kTokenDivide},
                                {"div", kTokenDiv},
                                {"mod", kTokenMod},
                                {"<", kTokenLess},
                                {"<=", kTokenLessEqual},
                                {">", kTokenGreater},
                                {">=", kTokenGreaterEqual},
                                {"==", kTokenEqual},
                                {"!=", kTokenNotEqual}});
}

// div and mod of whole numbers take an integer path of their own; it must
// agree with the operator module to the bit, signs of zero and the ends of
// the 32-bit range included.
TEST(TreeExpressions, WholeNumberDivAndModGiveTheOperatorModulesAnswers) {
  Runner runner;
  ExpectOperatorModulesAnswers(
      runner, {-7.0, 7.0, 3.0, -3.0, -6.0, -1.0, -0.0, 0.5, -2.5, 2147483647.0, -2147483648.0, 4294967296.0},
      {{"div", kTokenDiv}, {"mod", kTokenMod}});
}

// Reals stored in the locals, self, other, the globals and array elements
// are read and updated where they lie; every scope and element form must
// end as the ordinary stores leave it.
TEST(TreeVariables, StoredRealsUpdateInPlaceInEveryScope) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("var l; l = 1; l += 2; a[2] = l; a[2] += 1; a[1, 3] = a[2] * 2; globalvar g; "
                             "g = a[1, 3]; g -= 1; other.t = g; other.t *= 2; global.h = 1; global.h += other.t; "
                             "test_print(l, a[2], a[1, 3], g, other.t, global.h, self.h)"),
            "3 4 8 7 14 15 0");
  OwnedValue value;
  EXPECT_EQ(ReadSelf(runner, "a", 32003, &value)->v.real, 8);
  EXPECT_EQ(runner.RunJoined("s = 'x'; s = 5; n = 1; n = 'y'; e[1] = 'z'; e[1] = 3; test_print(s + 1, n, e[1] + 1)"),
            "6 y 4");
  EXPECT_EQ(runner.RunJoined("b[0] = 1; b[5] = 2; b[5] += b[0]; test_print(b[5], b[4], b[0])"), "3 0 1")
      << "an element past the end grows the row";
  EXPECT_EQ(runner.RunJoined("m[1, 0] = 5; m[1] = 2; m[1] += 1; test_print(m[1], m[1, 0], m[0, 1])"), "3 5 3")
      << "one index is a column of row 0";
  EXPECT_EQ(runner.RunJoined("c = 2; c /= 0"), "error: Division by 0.");
  EXPECT_EQ(ReadSelf(runner, "c", 0, &value)->v.real, 2) << "a failed operator stores nothing";
  EXPECT_EQ(runner.RunJoined("d[3] = 1; x = d[3] + d[-1]"), "error: Negative array index");
  g_runFlags.unsetVariableIsError = true;
  EXPECT_EQ(runner.RunJoined("f[0] = 1; x = 1 + f[4]"), "error: Unknown variable f or array index out of bounds");
  EXPECT_EQ(runner.RunJoined("x = 1 + never3"), "error: Unknown variable never3");
}

// A right operand that already lies somewhere (a constant, a stored
// variable) is read there, after the left operand has run, and an
// assignment's value is what a script without return gives back.
TEST(TreeExpressions, RightOperandsAreReadAfterTheLeftAndAssignmentsLeaveTheirValue) {
  Runner runner;
  ASSERT_TRUE(runner.SetScripts({{"bump", "global.g = 'late'; return 'early '"}, {"last", "x = 'ab' + 'c'"}}));
  EXPECT_EQ(runner.RunJoined("global.g = 'soon'; test_print(bump() + global.g)"), "early late");
  EXPECT_EQ(runner.RunJoined("t = 'a'; u = 'b'; t = t + u; t = t + 'c'; test_print(t, u, last())"), "abc b abc");
  EXPECT_EQ(runner.RunJoined("n = 1; s = 'x'; y = n + s"), "error: Wrong type of arguments to +.");
  EXPECT_EQ(runner.RunJoined("n = 1; y = n + 'x'"), "error: Wrong type of arguments to +.");
}

TEST(TreeExecution, EntryChecksAndResults) {
  Runner runner;
  EXPECT_EQ(runner.RunJoined("'text'", true), "text");
  EXPECT_EQ(runner.RunJoined("1 + 2 * 3", true), "7");
  EXPECT_EQ(runner.RunJoined("", false), "");

  OwnedValue result;
  CCode uncompiled("x = 1", false);
  EXPECT_FALSE(Code_Execute(AsInstance(&runner.self), AsInstance(&runner.other), &uncompiled, result.Slot()));
  EXPECT_EQ(snippet::ErrorMessage(), "Internal Error: Executing non-compiled code->");
  EXPECT_FALSE(
      Code_Execute_ErrorString(AsInstance(&runner.self), AsInstance(&runner.other), &uncompiled, result.Slot()));
  EXPECT_EQ(result.Text(), "ERROR");

  CCode program("x = 1", false);
  ASSERT_TRUE(program.Compile("p"));
  EXPECT_FALSE(Code_Execute(AsInstance(&runner.self), nullptr, &program, result.Slot()));
  EXPECT_EQ(snippet::ErrorMessage(), "Internal Error: Executing code for nil instance.");

  CCode folded("2 + 2", true);
  ASSERT_TRUE(folded.Compile("f"));
  EXPECT_TRUE(Code_Execute(nullptr, nullptr, &folded, result.Slot())) << "a constant needs no instance";
  EXPECT_EQ(result.v.real, 4);
}

TEST(TreeExecution, ShowErrorReportsOnceAndClearsTheFlag) {
  Runner runner;
  testsupport::ConsoleCapture console;
  CCode program("a = 1; b = a + 'x'; c = 1", false);
  ASSERT_TRUE(program.Compile("p"));
  OwnedValue result;
  EXPECT_FALSE(Code_Execute_ShowError(AsInstance(&runner.self), AsInstance(&runner.other), &program, result.Slot()));
  EXPECT_FALSE(Code_Error_Recorded());
  ASSERT_EQ(console.Lines().size(), 1u);
  EXPECT_NE(console.Text().find("Wrong type of arguments to +."), std::string::npos);
  OwnedValue value;
  EXPECT_EQ(runner.self.variables.Find(Code_Variable_Find("c")), nullptr) << "execution stops at the error";
}

TEST(TreeCalls, ScriptsSeeTheirArgumentsAndFailuresCarryTheScriptName) {
  Runner runner;
  ASSERT_TRUE(runner.SetScripts({{"add", "return argument0 + argument1"},
                                 {"outer", "test_print(add(argument0, 1), argument0); return add('a', 1)"}}));
  EXPECT_EQ(runner.RunJoined("test_print(add(2, 3))"), "5");
  EXPECT_EQ(runner.RunJoined("x = outer(4)"), "5 4 | error: Wrong type of arguments to +.");
  CCode program("x = outer(4)", false);
  ASSERT_TRUE(program.Compile("p"));
  OwnedValue result;
  ASSERT_FALSE(Code_Execute(AsInstance(&runner.self), AsInstance(&runner.other), &program, result.Slot()));
  std::string text = g_errorText;
  EXPECT_EQ(text.rfind("In script outer:\nIn script add:\n", 0), 0u) << text;
  Code_Error_Clear();
}

// A built-in that runs the script `show` with its own arguments, then
// prints them as it still holds them.
void CallShow(ScriptValue* result, CInstance* self, CInstance* other, int32_t count, ScriptValue* arguments) {
  Script_Execute(Script_Find("show"), self, other, count, result, arguments);
  snippet::TestPrint(nullptr, nullptr, nullptr, count, arguments);
}

TEST(TreeCalls, EachCallSeesOnlyItsOwnArgumentsAndTheCallersComeBackWithTheirTexts) {
  Runner runner;
  int32_t id = -1;
  if (!Function_Find("call_show", &id)) Function_Add("call_show", CallShow, -1);
  ASSERT_TRUE(runner.SetScripts(
      {{"show", "test_print(argument0, argument1, argument2, argument3); return argument0 + argument1"},
       {"outer", "var r; r = show(argument1, 'x'); test_print(argument0, argument1, argument2); return r"}}));
  // Fewer arguments than the caller had: the rest read 0 in the callee.
  EXPECT_EQ(runner.RunJoined("test_print(outer('a', 'b', 'c'))"), "b x 0 0 | a b c | bx");
  // A built-in's own arguments are copied into the slots, not taken.
  EXPECT_EQ(runner.RunJoined("test_print(call_show('p', 'q'))"), "p q 0 0 | p q | pq");
  // A slot set outside any call is put aside for the call and comes back.
  OwnedValue kept("kept");
  Code_SetArgument(3, kept.v);
  EXPECT_EQ(runner.RunJoined("test_print(show(1, 2), argument3)"), "1 2 0 0 | 3 kept");
  Code_FreeArguments();
}

bool ReadArgumentCount(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_SetReal(out, g_argumentCount);
  return true;
}

TEST(TreeCalls, CountsAndAllSixteenSlotsComeBackAfterEachCall) {
  Runner runner;
  if (Variable_BuiltIn_Find("argument_count") < 0) Variable_BuiltIn_Add("argument_count", ReadArgumentCount, nullptr);
  ASSERT_TRUE(runner.SetScripts({
      {"count", "return argument_count * 10 + argument1"},
      {"wide",
       "var r; r = count(argument0) * 100 + count(); test_print(argument_count, argument0, argument15); return r"},
      {"narrow",
       "var w; w = wide('a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'); "
       "test_print(argument_count, argument0, argument1, argument2, argument15); return w"},
  }));
  // A callee with fewer arguments than its caller reads 0 past them, and
  // every caller finds its own count and texts again.
  EXPECT_EQ(runner.RunJoined("test_print(narrow('x', 'y'), argument_count)"), "16 a p | 2 x y 0 0 | 1000 0");
}

TEST(TreeExecution, TopBlocksRunAsTheInstalledStatementsDo) {
  snippet::Runner runner;
  const char* loop = "var i; for (i = 0; i < 2; i += 1) test_print(i)";
  Statements_Install();
  EXPECT_EQ(runner.RunJoined(loop), "0 | 1");
  Interpreter_SetStatementHandler(nullptr);
  EXPECT_EQ(runner.RunJoined(loop), "error: Statement expected.");
  Interpreter_SetStatementHandler(snippet::IfAndReturn);
  EXPECT_EQ(runner.RunJoined("if (1) test_print(1); while (0) {}"), "1 | error: Statement expected.");
  Interpreter_SetStatementHandler(nullptr);
}

TEST(TreeCalls, DeepRecursionRunsAndRunawayRecursionStopsCleanly) {
  Runner runner;
  ASSERT_TRUE(runner.SetScripts({{"down", "if (argument0 <= 0) return 0; return down(argument0 - 1) + 1"},
                                 {"forever", "return forever(argument0 + 1)"}}));
  EXPECT_EQ(runner.RunJoined("test_print(down(1000))"), "1000");
  EXPECT_EQ(runner.RunJoined("x = forever(0)"), "error: Stack overflow...") << "the message survives the callers";
  EXPECT_EQ(std::string(g_errorText).rfind("In script forever:\nIn script forever:\n", 0), 0u);
  EXPECT_LT(std::string(g_errorText).size(), 1024u);
  EXPECT_EQ(Interpreter_Nesting(), 0);
  EXPECT_EQ(runner.RunJoined("test_print(down(3))"), "3") << "the interpreter runs on afterwards";
}

}  // namespace

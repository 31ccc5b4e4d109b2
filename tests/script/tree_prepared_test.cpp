// The tree walk's prepared form: locals found by number, reals and counting
// loops worked out in place, div and mod by constants. Each shortcut must
// answer exactly as the general walk does, so most cases run a program
// twice, once in the shape a shortcut takes and once in a shape it does not.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/lexer.h"
#include "script/compiler/operators.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter_statements.h"

namespace {

const double kDividends[] = {0.0,
                             -0.0,
                             1,
                             6,
                             7,
                             8,
                             -1,
                             -6,
                             -7,
                             -8,
                             13,
                             -13,
                             1e9,
                             -1e9,
                             2147483647.0,
                             -2147483647.0,
                             -2147483648.0,
                             2147483648.0,
                             -2147483649.0,
                             1e15,
                             7.5,
                             -7.5,
                             0.25,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::nan("")};
constexpr int32_t kDividendCount = static_cast<int32_t>(sizeof kDividends / sizeof kDividends[0]);

std::vector<double>& Recorded() {
  static std::vector<double> values;
  return values;
}

void Dividend(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue* arguments) {
  ScriptValue_SetReal(result, kDividends[static_cast<int32_t>(arguments[0].real)]);
}
void Record(ScriptValue*, CInstance*, CInstance*, int32_t count, ScriptValue* arguments) {
  for (int32_t i = 0; i < count; ++i) Recorded().push_back(arguments[i].real);
}

class TreePrepared : public ::testing::Test {
 protected:
  void SetUp() override {
    int32_t id = -1;
    if (!Function_Find("test_dividend", &id)) {
      Function_Add("test_dividend", Dividend, 1);
      Function_Add("test_record", Record, -1);
    }
    Statements_Install();
  }
  void TearDown() override { Interpreter_SetStatementHandler(nullptr); }

  // The program as written and with `fast` replaced by `general` print the
  // same lines (errors included).
  void ExpectSame(const std::string& program, const std::string& fast, const std::string& general) {
    std::string other = program;
    for (size_t at = other.find(fast); at != std::string::npos; at = other.find(fast, at + general.size())) {
      other.replace(at, fast.size(), general);
    }
    ASSERT_NE(other, program) << "nothing replaced";
    EXPECT_EQ(runner.RunJoined(program), runner.RunJoined(other)) << program;
  }

  snippet::Runner runner{true};
};

TEST_F(TreePrepared, LocalsByNumberActAsLocals) {
  // First written inside a loop, after reads that found it missing.
  EXPECT_EQ(runner.RunJoined("var i, t; for (i = 0; i < 3; i += 1) { if (i > 0) t += i; else t = 100 } test_print(t)"),
            "103");
  // A local shadows the instance variable of the same name, in both directions.
  EXPECT_EQ(runner.RunJoined("self.x = 7; var x; x = 3; x += 1; self.x += x; test_print(x, self.x)"), "4 11");
  // A with-block reads and writes the locals of the code around it, and
  // they hold after it.
  EXPECT_EQ(runner.RunJoined("var n; n = 2; with (other) { n += 1; test_print(n) } test_print(n)"), "3 | 3");
  // An element of a local array and its own value are the same variable.
  EXPECT_EQ(runner.RunJoined("var a; a = 5; a[0] += 1; a[3] = a * 2; test_print(a, a[0], a[3])"), "6 6 12");
  // A local holding a text is read whole, and a real written over it.
  EXPECT_EQ(runner.RunJoined("var s; s = 'ab'; s += 'c'; test_print(s); s = 2; s *= 3; test_print(s)"), "abc | 6");
}

TEST_F(TreePrepared, ThreeHundredLocalsKeepTheirOwnValues) {
  std::string declare = "var v0";
  std::string fill;
  for (int i = 1; i < 300; ++i) declare += ", v" + std::to_string(i);
  for (int i = 0; i < 300; ++i) fill += "v" + std::to_string(i) + " = " + std::to_string(i * 3) + "; ";
  std::string program = declare + "; " + fill +
                        "for (v299 = 0; v299 < 4; v299 += 1) { v254 += 1; v255 += 10; v256 += 100 } "
                        "test_print(v0, v1, v253, v254, v255, v256, v298, v299)";
  EXPECT_EQ(runner.RunJoined(program), "0 3 759 766 805 1168 894 4");
}

TEST_F(TreePrepared, EachRunAndEachLevelHasItsOwnLocals) {
  ASSERT_TRUE(runner.SetScripts({
      {"probe", "var v; if (argument0) v = 5; return v"},
      {"deep", "var n; n = argument0 * 10; if (argument0 > 0) deep(argument0 - 1); return n + argument0"},
      {"fib",
       "var a, b; if (argument0 < 2) return argument0; a = fib(argument0 - 1); b = fib(argument0 - 2); "
       "return a + b"},
  }));
  // A run that does not write its local finds it unset, whatever ran before.
  EXPECT_EQ(runner.RunJoined("test_print(probe(1), probe(0), probe(1))"), "5 0 5");
  // The levels of a recursion keep their locals apart.
  EXPECT_EQ(runner.RunJoined("test_print(deep(5), deep(0))"), "55 0");
  EXPECT_EQ(runner.RunJoined("var r; r = fib(15); test_print(r)"), "610");
  g_runFlags.unsetVariableIsError = true;
  EXPECT_EQ(runner.RunJoined("test_print(probe(1)); test_print(probe(0))"), "5 | error: Unknown variable v");
}

TEST_F(TreePrepared, LocalsTakeCallResultsOfEitherKind) {
  ASSERT_TRUE(runner.SetScripts({{"same", "return argument0"}}));
  // Reals and texts over each other, stored in place or through the list.
  EXPECT_EQ(runner.RunJoined("var a, n; a = same(1); test_print(a); a = same('t'); test_print(a); a = same(2); "
                             "n = a; a += same(3); test_print(a, n); a = 'u'; a = same(a + 'v'); a += same('w'); "
                             "test_print(a); a = same(4); test_print(a + 1)"),
            "1 | t | 5 2 | uvw | 5");
}

TEST_F(TreePrepared, ReplacedScriptsArePreparedAfresh) {
  ASSERT_TRUE(runner.SetScripts({{"f", "var a; a = argument0 + 1; return a"}}));
  EXPECT_EQ(runner.RunJoined("test_print(f(1), f(2))"), "2 3");
  // New texts under the same name number their locals differently.
  ASSERT_TRUE(runner.SetScripts({{"f", "var b, c, a; a = argument0; b = 2; c = a * b; return c + a"}}));
  EXPECT_EQ(runner.RunJoined("test_print(f(1), f(2))"), "3 6");
  ASSERT_TRUE(runner.SetScripts({{"f", "return argument0 - 1"}}));
  EXPECT_EQ(runner.RunJoined("var a; a = 10; test_print(f(a), a)"), "9 10");
}

TEST_F(TreePrepared, CountingLoopsAnswerAsTheGeneralWalk) {
  // The local `lim` and `one` hold what the constants say, but keep the loop
  // off its shortcut.
  const char* loops[] = {
      "var i, n; n = 0; for (i = 0; i < 5; i += 1) n += i; test_print(i, n)",
      "var i, n; n = 0; for (i = 5; i > 0; i -= 1) n += i; test_print(i, n)",
      "var i, n; n = 0; for (i = 0; i <= 5; i += 1) { if (i == 3) i = 'x'; n += 1 } test_print(i, n)",
      "var i, n; n = 0; for (i = 0; i != 5; i += 1) { if (i == 2) i += 0.5; n += 1; if (n > 9) break } test_print(i)",
      "var i, n; n = 0; for (i = 0.1; i >= -5; i -= 1) n += 1; test_print(i, n)",
      "var i, n; n = 0; for (i = 0; i == 5; i += 1) n += 1; test_print(i, n)",
  };
  for (const char* loop : loops) {
    std::string program = std::string("var lim, one; lim = 5; one = 1; ") + loop;
    for (auto [fast, general] :
         {std::pair{"< 5", "< lim"}, std::pair{"<= 5", "<= lim"}, std::pair{"!= 5", "!= lim"},
          std::pair{"== 5", "== lim"}, std::pair{"> 0", "> lim - 5"}, std::pair{">= -5", ">= -lim"},
          std::pair{"+= 1", "+= one"}, std::pair{"-= 1", "-= one"}}) {
      if (program.find(fast) != std::string::npos) ExpectSame(program, fast, general);
    }
  }
  // The counter becomes a text: the test and the step are the operators'.
  ExpectSame("var i, lim; lim = 3; for (i = 0; i < 3; i += 1) { test_print(i); i = 'a' }", "< 3", "< lim");
  ExpectSame("var i, one; one = 1; for (i = 0; i < 3; i += 1) { test_print(i); i = 'a' }", "+= 1", "+= one");
  // An unset counter.
  ExpectSame("var i, lim; lim = 2; for (; i < 2; i += 1) test_print(i)", "< 2", "< lim");
}

TEST_F(TreePrepared, LoopsOfOneAssignmentAnswerAsTheGeneralWalk) {
  struct Case {
    const char* program;
    const char* fast;
    const char* general;
    const char* printed;
  };
  const Case cases[] = {
      // The lone assignment moves the counter that the test reads next.
      {"var i, lim; lim = 9; for (i = 0; i < 9; i += 1) { i += 2 } test_print(i)", "< 9", "< lim", "9"},
      {"var i, one; one = 1; for (i = 1; i < 40; i += 1) { i = i * 2 } test_print(i)", "+= 1", "+= one", "63"},
      // The test and the step count different locals.
      {"var i, j, lim; lim = 4; i = 0; for (j = 0; i < 4; j += 1) { i += 3 } test_print(i, j)", "< 4", "< lim", "6 2"},
      {"var i, j, one; one = 1; i = 0; for (j = 0; i < 4; j += 1) { i += 3 } test_print(i, j)", "+= 1", "+= one",
       "6 2"},
      // The counter becomes a text, then the step fails on it.
      {"var i, one; one = 1; for (i = 0; i < 3; i += 1) { i = 'a' } test_print(i)", "+= 1", "+= one",
       "error: Wrong type of arguments to +."},
      // The lone assignment fails.
      {"var i, s, lim; lim = 3; s = 'x'; for (i = 0; i < 3; i += 1) { s -= 1 } test_print(s)", "< 3", "< lim",
       "error: Wrong type of arguments to -."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(runner.RunJoined(c.program), c.printed) << c.program;
    ExpectSame(c.program, c.fast, c.general);
  }
}

TEST_F(TreePrepared, DivAndModByConstantsAreTheOperators) {
  const char* divisors[] = {"2", "3", "7", "-7", "11", "1000003", "2147483647", "-2147483648", "1", "-1", "2.5"};
  for (const char* divisor : divisors) {
    Recorded().clear();
    std::string program = std::string("var k, x; for (k = 0; k < ") + std::to_string(kDividendCount) +
                          "; k += 1) { x = test_dividend(k); test_record(x mod " + divisor + ", x div " + divisor +
                          ") }";
    ASSERT_EQ(runner.RunJoined(program), "") << divisor;
    ASSERT_EQ(Recorded().size(), static_cast<size_t>(kDividendCount * 2)) << divisor;
    for (int32_t i = 0; i < kDividendCount; ++i) {
      for (int32_t op : {kTokenMod, kTokenDiv}) {
        ScriptValue left{kValueReal, nullptr, kDividends[i]};
        ScriptValue right{kValueReal, nullptr, std::strtod(divisor, nullptr)};
        ASSERT_TRUE(Code_BinaryOperator(nullptr, 0, op, &left, &right));
        double got = Recorded()[static_cast<size_t>(i * 2 + (op == kTokenDiv ? 1 : 0))];
        uint64_t want = 0;
        uint64_t have = 0;
        std::memcpy(&want, &left.real, sizeof want);
        std::memcpy(&have, &got, sizeof have);
        EXPECT_EQ(have, want) << kDividends[i] << (op == kTokenMod ? " mod " : " div ") << divisor;
      }
    }
  }
  // A zero divisor fails where the general walk fails.
  ExpectSame("var x, z; x = 7; z = 0; test_print(x mod 0)", "mod 0", "mod z");
  ExpectSame("var x, z; x = 7; z = 0; test_print(x div 0)", "div 0", "div z");
  ExpectSame("var x, z; x = 7; z = 0; x /= 0; test_print(x)", "/= 0", "/= z");
}

}  // namespace

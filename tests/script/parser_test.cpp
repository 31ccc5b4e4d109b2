#include "script/compiler/parser.h"

#include <gtest/gtest.h>

#include <string>

#include "front_end_support.h"

namespace {

using front_test::Message;
using front_test::Tree;

std::string Fails(const char* text, bool expression = false) {
  std::string tree = Tree(text, expression);
  return tree.rfind("ERROR: ", 0) == 0 ? Message() : "parsed as " + tree;
}

TEST(Parser, StatementsNeedNoSeparators) {
  EXPECT_EQ(Tree("x = 1 y = 2"), "1000(101:101(v(-6) 1) 101:101(v(-6) 2))");
  EXPECT_EQ(Tree("a += 1;;; b := 2;"), "1000(101:102(v(-6) 1) 101:101(v(-6) 2))");
  EXPECT_EQ(Tree(""), "-2()");
  EXPECT_EQ(Tree(" // only a comment"), "-2()");
  EXPECT_EQ(Tree(";"), "1000(-1())");
  // a = b = c assigns the comparison b = c.
  EXPECT_EQ(Tree("a = b = c"), "1000(101:101(v(-6) 1011:101(v(-6) v(-6))))");
}

TEST(Parser, KeywordStatementsBuildTheirChildren) {
  EXPECT_EQ(Tree("if a then b = 1 else b = 2;"), "1000(13(v(-6) 101:101(v(-6) 1) 101:101(v(-6) 2)))");
  EXPECT_EQ(Tree("if (a) {b = 1}"), "1000(13(v(-6) 1000(101:101(v(-6) 1))))");
  EXPECT_EQ(Tree("while a do exit"), "1000(16(v(-6) 21()))");
  EXPECT_EQ(Tree("do a = 1 until a"), "1000(17(101:101(v(-6) 1) v(-6)))");
  EXPECT_EQ(Tree("for (i = 0; i < 3; i += 1) break"),
            "1000(18(101:101(v(-6) 0) 1011:204(v(-6) 3) 101:102(v(-6) 1) 22()))");
  EXPECT_EQ(Tree("repeat 3 continue with (2) a = 1"), "1000(20(3 23()) 24(2 101:101(v(-6) 1)))");
  EXPECT_EQ(Tree("switch a { case 1: b = 1 break default: }"), "1000(26(v(-6) 27(1) 101:101(v(-6) 1) 22() 28()))");
  EXPECT_EQ(Tree("return 1 + 2"), "1000(25(1011:210(1 2)))");
  EXPECT_EQ(Tree("{ a = 1 }"), "1000(101:101(v(-6) 1))");
}

TEST(Parser, KeywordStatementsTakeThePositionAfterTheKeyword) {
  CCode code("  while a do b = 1", false);
  ASSERT_TRUE(front_test::Front(&code));
  EXPECT_EQ(code.root.children[0].position, 8);
  EXPECT_EQ(code.root.children[0].children[1].position, 13);
}

TEST(Parser, OperatorLevelsAndAssociativity) {
  EXPECT_EQ(Tree("1 + 2 < 4 && 1", true), "1011:201(1011:204(1011:210(1 2) 4) 1)");
  EXPECT_EQ(Tree("2 | 1 == 3", true), "1011:206(1011:217(2 1) 3)");
  EXPECT_EQ(Tree("1 || 0 && 0", true), "1011:201(1011:202(1 0) 0)");
  EXPECT_EQ(Tree("a < b < c", true), "1011:204(1011:204(v(-6) v(-6)) v(-6))");
  EXPECT_EQ(Tree("1 - 2 - 3", true), "1011:211(1011:211(1 2) 3)");
  EXPECT_EQ(Tree("1 << 2 + 3 * 4 mod 5", true), "1011:221(1 1011:210(2 1011:215(1011:212(3 4) 5)))");
  EXPECT_EQ(Tree("-2 * 3", true), "1011:212(1010:211(2) 3)");
  EXPECT_EQ(Tree("-a.b", true), "1010:211(v(v(-6)))");
  EXPECT_EQ(Tree("not !~+1", true), "1010:203(1010:203(1010:220(1010:210(1))))");
  EXPECT_EQ(Tree("(1 + 2) * 3", true), "1011:212(1011:210(1 2) 3)");
}

TEST(Parser, VariablesCallsAndIndices) {
  EXPECT_EQ(Tree("a[1, 2] = other.b[3]"), "1000(101:101(v(-6 1 2) v(v(-6) 3)))");
  EXPECT_EQ(Tree("a[] = a[1,]"), "1000(101:101(v(-6) v(-6 1)))");
  EXPECT_EQ(Tree("a.b.c = 1"), "1000(101:101(v(v(v(-6))) 1))");
  EXPECT_EQ(Tree("(1).b = 1"), "1000(101:101(v(1) 1))");
  // Calls carry the function's id, whatever else this program registered.
  Tree("0", true);
  int32_t two = -1, any = -1;
  ASSERT_TRUE(Function_Find("two_args", &two));
  ASSERT_TRUE(Function_Find("any_args", &any));
  const std::string a = "6:" + std::to_string(any), t = "6:" + std::to_string(two);
  EXPECT_EQ(Tree("any_args(1,)"), "1000(" + a + "(1))");
  EXPECT_EQ(Tree("any_args()", true), a + "()");
  EXPECT_EQ(Tree("two_args(1, any_args(2, 3))", true), t + "(1 " + a + "(2 3))");
  EXPECT_EQ(Tree("var a b, c globalvar d"), "1000(29(0 0 0) 30(0))");
}

TEST(Parser, DeclarationsRefuseBuiltinsAndCarryIds) {
  CCode code("var first_local, second_local", false);
  ASSERT_TRUE(front_test::Front(&code));
  const CodeNode& var = code.root.children[0];
  ASSERT_EQ(var.childCount, 2);
  EXPECT_GE(var.children[0].id, 100000);
  EXPECT_EQ(var.children[1].id, var.children[0].id + 1);
  EXPECT_EQ(Fails("var a, front_builtin"), "Cannot redeclare a builtin variable.");
}

TEST(Parser, ExpressionCodeStopsAfterOneExpression) {
  EXPECT_EQ(Tree("1 2", true), "1");
  EXPECT_EQ(Tree("", true), "0");
  EXPECT_EQ(Tree("'a' + \"b\"", true), "1011:210('a' 'b')");
}

TEST(Parser, EachRuleReportsItsOwnMessage) {
  EXPECT_EQ(Fails("a[1, 2, 3] = 0"), "Only 1- and 2-dimensional arrays are supported.");
  EXPECT_EQ(Fails("{ a = 1 } b = 2"), "Program ends before end of the code.");
  EXPECT_EQ(Fails("two_args(1, 2, 3)"), "Wrong number of arguments to function or script.");
  EXPECT_EQ(Fails("two_args(1)"), "Wrong number of arguments to function or script.");
  EXPECT_EQ(Fails("any_args(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17)"),
            "Wrong number of arguments to function or script.");
  EXPECT_EQ(Fails("{ a = 1"), "Symbol  } expected.");
  EXPECT_EQ(Fails("switch a b = 1"), "Symbol {  expected.");
  EXPECT_EQ(Fails("switch a { case 1 b = 1 }"), "Symbol : expected.");
  EXPECT_EQ(Fails("do a = 1 while a"), "Keyword until expected.");
  EXPECT_EQ(Fails("for i = 0"), "Symbol ( expected.");
  EXPECT_EQ(Fails("for (i = 0; i < 1; i += 1 a = 1"), "Symbol ) expected.");
  EXPECT_EQ(Fails("a = (1"), "Symbol ) expected.");
  EXPECT_EQ(Fails("a = any_args(1 2)"), "Symbol , or ) expected.");
  EXPECT_EQ(Fails("a = any_args(1,"), "Symbol ) expected.");
  EXPECT_EQ(Fails("a = b[1 2]"), "Symbol , or ] expected.");
  EXPECT_EQ(Fails("a = b[1"), "Symbol ] expected.");
  EXPECT_EQ(Fails("1 = 2"), "Variable name expected.");
  EXPECT_EQ(Fails("a.'s' = 2"), "Variable name expected.");
  EXPECT_EQ(Fails("a + 2"), "Assignment operator expected.");
  EXPECT_EQ(Fails("a = *"), "Unexpected symbol in expression.");
  EXPECT_EQ(Fails("else a = 1"), "Unexpected symbol in expression.");
  EXPECT_EQ(Fails("if a"), "Unexpected end of code reached.");
  EXPECT_EQ(Fails("return"), "Unexpected symbol in expression.");
}

TEST(Parser, NestingBeyondTheLimitIsRefused) {
  const std::string nested = "Code nested too deeply.";
  EXPECT_EQ(Fails((std::string(100000, '(') + "1").c_str(), true), nested);
  std::string sum = "a = 1";
  for (int i = 0; i < 100000; ++i) sum += "+1";
  EXPECT_EQ(Fails(sum.c_str()), nested);
  EXPECT_EQ(Fails((std::string(100000, '-') + "1").c_str(), true), nested);
  EXPECT_EQ(Fails((std::string(100000, '{')).c_str()), nested);
  std::string ifs;
  for (int i = 0; i < 100000; ++i) ifs += "if 1 ";
  EXPECT_EQ(Fails(ifs.c_str()), nested);
  std::string dots = "a";
  for (int i = 0; i < 100000; ++i) dots += ".a";
  EXPECT_EQ(Fails(dots.c_str(), true), nested);

  // Just inside the limit still parses.
  int inside = kCodeMaxDepth - 1;
  std::string deep =
      std::string(static_cast<size_t>(inside), '(') + "1" + std::string(static_cast<size_t>(inside), ')');
  EXPECT_EQ(Tree(deep.c_str(), true), "1");
  std::string blocks = std::string(static_cast<size_t>(inside), '{') + std::string(static_cast<size_t>(inside), '}');
  EXPECT_EQ(Tree(blocks.c_str()).rfind("1000(1000(", 0), 0u);
  // The most native frames per accepted level: a call whose argument is in
  // parentheses, repeated up to the limit.
  std::string heavy;
  int levels = (kCodeMaxDepth - 1) / 2;
  for (int i = 0; i < levels; ++i) heavy += "any_args((";
  heavy += "1";
  for (int i = 0; i < levels; ++i) heavy += "))";
  CCode code(heavy.c_str(), true);
  EXPECT_TRUE(front_test::Front(&code)) << Message();
}

}  // namespace

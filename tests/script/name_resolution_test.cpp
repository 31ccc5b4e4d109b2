#include "script/compiler/name_resolution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "front_end_support.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_names.h"

namespace {

using front_test::Message;
using front_test::Tree;

bool SpriteNamedS(const char* name, ScriptValue* out) {
  if (std::strcmp(name, "s") != 0) return false;
  ScriptValue_SetReal(out, 4);
  return true;
}

TEST(NameResolution, NumbersAreReadDigitByDigit) {
  EXPECT_EQ(Resolve_NumberValue("0.5"), 0.5);
  EXPECT_EQ(Resolve_NumberValue(".5"), 0.5);
  EXPECT_EQ(Resolve_NumberValue("00.50"), 0.5);
  EXPECT_EQ(Resolve_NumberValue("0.3"), 3 * 0.1);  // not the nearest double to 0.3
  EXPECT_NE(Resolve_NumberValue("0.3"), 0.3);
  EXPECT_EQ(Resolve_NumberValue("$ff"), 255);
  EXPECT_EQ(Resolve_NumberValue("$FF"), 255);
  EXPECT_EQ(Resolve_NumberValue("$"), 0);
  EXPECT_EQ(Resolve_NumberValue("12."), 12);
  // Extreme lengths stay finite or become infinity, never undefined.
  EXPECT_EQ(Resolve_NumberValue(("0." + std::string(400, '0') + "1").c_str()), 0.0);
  EXPECT_TRUE(std::isinf(Resolve_NumberValue(std::string(400, '9').c_str())));
}

TEST(NameResolution, UnknownCallsFailEvenWhenNeverRun) {
  EXPECT_EQ(Tree("if 0 then foo(1)"),
            "ERROR: Error in code at line 1:\n   if 0 then foo(1)\n\nat position 11: "
            "Unknown function or script: foo");
  // Without the parenthesis the name is a variable.
  EXPECT_EQ(Tree("a = foo"), "1000(101:101(v(-6) v(-6)))");
}

TEST(NameResolution, NewNamesShareOneIdAcrossTexts) {
  CCode first("shared_name = 1", false);
  CCode second("b = shared_name", false);
  ASSERT_TRUE(front_test::Front(&first));
  ASSERT_TRUE(front_test::Front(&second));
  int32_t id = Code_Variable_Find("shared_name");
  EXPECT_GE(id, 100000);
  EXPECT_EQ(first.root.children[0].children[0].id, id);
  EXPECT_EQ(second.root.children[0].children[1].id, id);
  // A built-in keeps its registry index.
  CCode builtin("front_builtin = 1", false);
  ASSERT_TRUE(front_test::Front(&builtin));
  EXPECT_EQ(builtin.root.children[0].children[0].id, Variable_BuiltIn_Find("front_builtin"));
}

TEST(NameResolution, RepeatedNamesResolveAsTheirFirstUseInEachForm) {
  Resolve_SetConstantResolver(SpriteNamedS);
  // A name read and the same name called are two lookups.
  front_test::RegisterNames();
  int32_t two = -1, any = -1;
  ASSERT_TRUE(Function_Find("two_args", &two) && Function_Find("any_args", &any));
  std::string call = "6:" + std::to_string(two), anyCall = "6:" + std::to_string(any);
  EXPECT_EQ(Tree("two_args = two_args(s, s); any_args(two_args, s, two_args(1, 2))"),
            "1000(101:101(v(-6) " + call + "(4 4)) " + anyCall + "(v(-6) 4 " + call + "(1 2)))");
  Resolve_SetConstantResolver(nullptr);
  EXPECT_EQ(Tree("s = s + s"), "1000(101:101(v(-6) 1011:210(v(-6) v(-6))))");
  // Far more names than one text remembers: each still gets its own id, the
  // same at every use.
  std::string text;
  for (int i = 0; i < 400; ++i) text += "rr" + std::to_string(i) + " = rr" + std::to_string(i) + ";";
  CCode many(text.c_str(), false);
  ASSERT_TRUE(front_test::Front(&many));
  ASSERT_EQ(many.root.childCount, 400);
  for (int i = 0; i < 400; ++i) {
    int32_t id = Code_Variable_Find(("rr" + std::to_string(i)).c_str());
    const CodeNode& assign = many.root.children[i];
    EXPECT_EQ(assign.children[0].id, id) << i;
    EXPECT_EQ(assign.children[1].id, id) << i;
  }
}

TEST(NameResolution, ConstantsWinOverVariables) {
  Resolve_SetConstantResolver(SpriteNamedS);
  EXPECT_EQ(Tree("a = s + 1"), "1000(101:101(v(-6) 1011:210(4 1)))");
  EXPECT_EQ(Tree("s = 3"), "ERROR: Error in code at line 1:\n   s = 3\n\nat position 3: Variable name expected.");
  Resolve_SetConstantResolver(nullptr);
  EXPECT_EQ(Tree("s = 3"), "1000(101:101(v(-6) 3))");
  EXPECT_EQ(Message(), "Variable name expected.");  // the old text stays until a new error
}

}  // namespace

#include "script/compiler/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"

namespace {

struct Lexed {
  bool ok = false;
  std::vector<int32_t> kinds;
  std::vector<std::string> texts;
  std::vector<int32_t> positions;
};

Lexed Lex(const std::string& text) {
  CCode code(text.c_str(), false);
  TokenList list;
  Lexed out;
  out.ok = Lexer_Tokenize(&code, &list);
  for (int32_t i = 0; i < list.count; ++i) {
    out.kinds.push_back(list.tokens[i].kind);
    out.texts.push_back(list.tokens[i].text == nullptr ? "" : list.tokens[i].text);
    out.positions.push_back(list.tokens[i].position);
  }
  TokenList_Free(&list);
  return out;
}

std::string ErrorText() { return g_errorText == nullptr ? "" : g_errorText; }

TEST(Lexer, OperatorsAndWordsGiveTheirKinds) {
  Lexed a = Lex("a = b <> c");
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.kinds, (std::vector<int32_t>{0, 101, 0, 207, 0, -2}));
  EXPECT_EQ(a.positions, (std::vector<int32_t>{0, 2, 4, 6, 9, 13}));  // end is past three blanks

  EXPECT_EQ(
      Lex(":= += -= *= /= |= &= ^= && || ^^ << >> <= >= == !=").kinds,
      (std::vector<int32_t>{101, 102, 103, 104, 105, 114, 115, 116, 201, 202, 216, 221, 222, 205, 208, 206, 207, -2}));
  EXPECT_EQ(Lex("! % & ( ) * + , - . / : ; < = > [ ] ^ { | } ~").kinds,
            (std::vector<int32_t>{203, 215, 218, 106, 107, 212, 210, 109, 211, 112, 213, 113,
                                  108, 204, 101, 209, 110, 111, 219, 11,  217, 12,  220, -2}));
  EXPECT_EQ(Lex("begin end and or not div mod xor").kinds,
            (std::vector<int32_t>{11, 12, 201, 202, 203, 214, 215, 216, -2}));
}

TEST(Lexer, KeywordsAreExactAndWholeWords) {
  EXPECT_EQ(Lex("globalvar globalvars If if var1").kinds, (std::vector<int32_t>{30, 0, 0, 13, 0, -2}));
  Lexed words = Lex("_a1 b_2");
  EXPECT_EQ(words.texts[0], "_a1");
  EXPECT_EQ(words.texts[1], "b_2");
  // Any length: far beyond a fixed word buffer.
  std::string longName(100000, 'q');
  Lexed big = Lex(longName + " = 1");
  ASSERT_TRUE(big.ok);
  EXPECT_EQ(big.texts[0], longName);
  EXPECT_EQ(big.positions[1], 100001);
}

TEST(Lexer, EveryKeywordAndItsNearNeighboursAmongWordsOfOneInitial) {
  EXPECT_EQ(Lex("var if end else while do for begin then with until repeat exit return break continue switch "
                "case default and or not div mod xor globalvar")
                .kinds,
            (std::vector<int32_t>{29, 13, 12, 15, 16, 17,  18,  11,  14,  24,  19,  20, 21, 25,
                                  22, 23, 26, 27, 28, 201, 202, 203, 214, 215, 216, 30, -2}));
  // Words sharing a keyword's first letter, or the whole keyword as a prefix.
  Lexed near = Lex("d de dov divs defaults e en elses r ret returned w wit x xo zz");
  for (size_t i = 0; i + 1 < near.kinds.size(); ++i) EXPECT_EQ(near.kinds[i], 0) << near.texts[i];
  EXPECT_EQ(near.texts[3], "divs");
}

TEST(Lexer, AListUsedAgainHoldsOnlyTheNewTextsTokens) {
  CCode first("alpha = \"text\" + 12.5 + '' + b", false);
  CCode second("z+y", false);
  TokenList list;
  ASSERT_TRUE(Lexer_Tokenize(&first, &list));
  EXPECT_EQ(list.count, 10);
  EXPECT_STREQ(list.tokens[0].text, "alpha");
  EXPECT_STREQ(list.tokens[2].text, "text");
  EXPECT_STREQ(list.tokens[4].text, "12.5");
  EXPECT_STREQ(list.tokens[6].text, "");
  EXPECT_STREQ(list.tokens[8].text, "b");
  ASSERT_TRUE(Lexer_Tokenize(&second, &list));
  ASSERT_EQ(list.count, 4);
  EXPECT_STREQ(list.tokens[0].text, "z");  // each text ends at its token, not at the next symbol
  EXPECT_EQ(list.tokens[1].text, nullptr);
  EXPECT_STREQ(list.tokens[2].text, "y");
  TokenList_Free(&list);
}

TEST(Lexer, NumbersStopAtTheirSecondPointAndHexKeepsTheDollar) {
  Lexed n = Lex("1.2.3 $ff $FF $ .5 7.");
  EXPECT_EQ(n.kinds, (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 1, -2}));
  EXPECT_EQ(n.texts, (std::vector<std::string>{"1.2", ".3", "$ff", "$FF", "$", ".5", "7.", ""}));
  // A point not followed by a digit is the dot symbol.
  EXPECT_EQ(Lex("a.b").kinds, (std::vector<int32_t>{0, 112, 0, -2}));
}

TEST(Lexer, StringsHaveNoEscapesAndMaySpanLines) {
  Lexed s = Lex("'it\"s' \"a\nb\" 'open");
  EXPECT_EQ(s.kinds, (std::vector<int32_t>{2, 2, 2, -2}));
  EXPECT_EQ(s.texts[0], "it\"s");
  EXPECT_EQ(s.texts[1], "a\nb");
  EXPECT_EQ(s.texts[2], "open");  // unclosed: runs to the end
  EXPECT_EQ(s.positions[0], 1);   // after the opening quote
  Lexed escape = Lex("\"\\\" x");
  EXPECT_EQ(escape.texts[0], "\\");
  EXPECT_EQ(escape.kinds[1], 0);
}

TEST(Lexer, CommentsAndHighBytesSeparate) {
  EXPECT_EQ(Lex("a // c = d\nb").kinds, (std::vector<int32_t>{0, 0, -2}));
  EXPECT_EQ(Lex("a /* c\n d */ b").kinds, (std::vector<int32_t>{0, 0, -2}));
  EXPECT_EQ(Lex("a /* b = c").kinds, (std::vector<int32_t>{0, -2}));
  EXPECT_EQ(Lex("a //").kinds, (std::vector<int32_t>{0, -2}));
  Lexed split =
      Lex("a\xC3"
          "b");
  EXPECT_EQ(split.texts, (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(Lex("").kinds, (std::vector<int32_t>{-2}));
}

TEST(Lexer, StraySymbolsFailAtTheirPosition) {
  for (const char* text : {"a = #", "a = ?", "a = @", "a = `", "a = \\"}) {
    Lexed bad = Lex(text);
    EXPECT_FALSE(bad.ok) << text;
    EXPECT_EQ(ErrorText(),
              "Error in code at line 1:\n   " + std::string(text) + "\n\nat position 5: Unexpected symbol.");
  }
  // A failed lex leaves the error of its own text, not of an earlier one.
  EXPECT_FALSE(Lex("#").ok);
  EXPECT_NE(ErrorText().find("at position 1"), std::string::npos);
}

}  // namespace

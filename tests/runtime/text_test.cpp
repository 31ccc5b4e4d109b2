#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/memory.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

// A text in a block of exactly its own size, so that the address sanitizer
// sees any read past the terminator.
struct ExactText {
  explicit ExactText(const std::string& bytes) : block(bytes.size() + 1) {
    std::memcpy(block.data(), bytes.c_str(), bytes.size() + 1);
  }
  char* get() { return block.data(); }
  std::vector<char> block;
};

std::string HashToNewline(const std::string& in, int* count) {
  ExactText text(in);
  *count = Text_HashToNewline(text.get());
  return text.get();
}

TEST(Utf8, DecodesOneTwoAndThreeByteSequences) {
  const char* text = "A\xC3\xA9\xE2\x82\xAC";
  const char* p = text;
  EXPECT_EQ(UTF8_ReadChar(&p), 0x41);
  EXPECT_EQ(UTF8_ReadChar(&p), 0xE9);
  EXPECT_EQ(p, text + 3);
  EXPECT_EQ(UTF8_ReadChar(&p), 0x20AC);
  EXPECT_EQ(UTF8_ReadChar(&p), 0);
  EXPECT_EQ(p, text + 6);  // reading on stays on the terminator
  EXPECT_EQ(UTF8_ReadChar(&p), 0);
  EXPECT_EQ(p, text + 6);
  EXPECT_EQ(UTF8_Length(text), 3);
  EXPECT_EQ(UTF8_Length(nullptr), 0);
}

TEST(Utf8, WriteThenReadRoundTripsEveryCodePoint) {
  char buffer[4];
  for (uint32_t c = 1; c <= 0xFFFF; ++c) {
    char* w = buffer;
    UTF8_WriteChar(&w, static_cast<uint16_t>(c));
    *w = 0;
    ASSERT_EQ(w - buffer, UTF8_CharBytes(static_cast<uint16_t>(c))) << c;
    const char* r = buffer;
    ASSERT_EQ(UTF8_ReadChar(&r), c);
    ASSERT_EQ(r, w);
  }
}

TEST(Utf8, CutSequencesEndTheTextInsideItsBytes) {
  for (const char* bytes : {"a\xE2", "a\xE2\x82", "a\xF0", "a\xF0\x9F\x98", "a\xC3", "a\x80"}) {
    ExactText text(bytes);
    EXPECT_EQ(UTF8_Length(text.get()), 1) << bytes;
    const char* p = text.get();
    EXPECT_EQ(UTF8_ReadChar(&p), 'a');
    EXPECT_EQ(UTF8_ReadChar(&p), 0);
    EXPECT_EQ(*p, 0);
    EXPECT_EQ(p, text.get() + std::strlen(text.get()));
  }
}

TEST(Utf8, FourByteSequenceIsOneReplacementCodePoint) {
  ExactText text(
      "\xF0\x9F\x98\x80"
      "a");
  EXPECT_EQ(UTF8_Length(text.get()), 2);
  const char* p = text.get();
  EXPECT_EQ(UTF8_ReadChar(&p), kUtf8Replacement);
  EXPECT_EQ(UTF8_ReadChar(&p), 'a');
  EXPECT_EQ(UTF8_ReadChar(&p), 0);
}

TEST(Utf8, BoundedReadingStopsAtTheBufferEnd) {
  const char bytes[] = {'a', '\0', '\xE2', '\x82'};  // no terminator at all
  const char* end = bytes + sizeof bytes;
  EXPECT_EQ(UTF8_LengthBounded(bytes, sizeof bytes), 2);
  const char* p = bytes;
  EXPECT_EQ(UTF8_ReadCharBounded(&p, end), 'a');
  EXPECT_EQ(UTF8_ReadCharBounded(&p, end), 0);  // an inner NUL is a code point
  EXPECT_EQ(p, bytes + 2);
  EXPECT_EQ(UTF8_ReadCharBounded(&p, end), 0);  // cut by the end
  EXPECT_EQ(p, end);
  EXPECT_EQ(UTF8_ReadCharBounded(&p, end), 0);
  EXPECT_EQ(p, end);
}

TEST(Utf8, CompareStopsAtTheShorterText) {
  EXPECT_EQ(UTF8_Compare("abc", "ab"), 0);
  EXPECT_EQ(UTF8_Compare("abd", "abc"), 1);
  EXPECT_EQ(UTF8_Compare("ab\xC3\xA9", "ab\xE2\x82\xAC"), 0xE9 - 0x20AC);
  EXPECT_EQ(UTF8_Compare(nullptr, "x"), 0);
  ExactText cut("x\xE2");
  EXPECT_EQ(UTF8_Compare(cut.get(), "xyz"), 0);
}

TEST(Text, HashToNewline) {
  int count = -1;
  EXPECT_EQ(HashToNewline("a#b", &count), "a\rb");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(HashToNewline("a\\#b", &count), "a#b");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(HashToNewline("#", &count), "\r");
  EXPECT_EQ(count, 1);
  EXPECT_EQ(HashToNewline("\\\\#", &count), "\\#");
  EXPECT_EQ(count, 2);
  EXPECT_EQ(HashToNewline("\\##\xC3\xA9#", &count), "#\r\xC3\xA9\r");
  EXPECT_EQ(count, 4);
  EXPECT_EQ(Text_HashToNewline(nullptr), 0);
}

TEST(Text, HashToNewlineNeverGrowsMalformedText) {
  int count = -1;
  EXPECT_EQ(HashToNewline("#\xF0\x9F\x98\x80#\xE2", &count), "\r\xEF\xBF\xBD\r");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(HashToNewline("\xC3", &count), "");
  EXPECT_EQ(count, 0);
}

struct OwnedText {
  char* text = nullptr;
  ~OwnedText() { MemoryManager::Free(text); }
};

TEST(Text, ConcatSkipsNullAndEmptyTexts) {
  OwnedText d;
  EXPECT_EQ(String_Concat(&d.text, nullptr, "", "ab", nullptr, "c"), d.text);
  EXPECT_STREQ(d.text, "abc");
  EXPECT_EQ(MemoryManager::GetSize(d.text), 4u);
  EXPECT_EQ(String_Concat(&d.text, nullptr, ""), nullptr);
  EXPECT_STREQ(d.text, "abc");  // nothing to join leaves the destination alone
}

TEST(Text, ConcatReadsTextsThatAliasTheDestination) {
  OwnedText d;
  String_Concat(&d.text, "hello");
  String_Concat(&d.text, d.text, " ", "world");
  EXPECT_STREQ(d.text, "hello world");
  String_Concat(&d.text, "<", d.text, ">", d.text + 6);
  EXPECT_STREQ(d.text, "<hello world>world");
  String_Concat(&d.text, "1", "2", "3", "4", "5", "6", "7", "8", "9", "10");
  EXPECT_STREQ(d.text, "12345678910");
}

TEST(Text, WideCopiesSignExtendAndComeBack) {
  uint16_t* wide = String_ToWide("A\xE9");
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide[0], 0x41);
  EXPECT_EQ(wide[1], 0xFFE9);
  EXPECT_EQ(wide[2], 0);
  char* narrow = String_FromWide(wide);
  EXPECT_STREQ(narrow, "A\xE9");
  MemoryManager::Free(wide);
  MemoryManager::Free(narrow);
  EXPECT_EQ(String_ToWide(nullptr), nullptr);
  EXPECT_EQ(String_FromWide(nullptr), nullptr);
}

TEST(Text, PosIsOneBasedAndZeroWhenAbsent) {
  EXPECT_EQ(VCL_Pos("b", "abc"), 2);
  EXPECT_EQ(VCL_Pos("x", "abc"), 0);
  EXPECT_EQ(VCL_Pos(nullptr, "abc"), 0);
}

TEST(Text, TrimStripsControlSpaceAndHighBytes) {
  OwnedText slot;
  VCL_Trim(&slot.text,
           " \t\xC3"
           "a b\xA9\r\n");
  EXPECT_STREQ(slot.text, "a b");
  char* buffer = slot.text;
  VCL_Trim(&slot.text, "  xy ");
  EXPECT_EQ(slot.text, buffer);  // fits: the buffer is reused
  EXPECT_STREQ(slot.text, "xy");
  VCL_Trim(&slot.text, slot.text);
  EXPECT_STREQ(slot.text, "xy");
  VCL_Trim(&slot.text, " \x01\xFF ");
  ASSERT_NE(slot.text, nullptr);
  EXPECT_STREQ(slot.text, "");
  VCL_Trim(&slot.text, "a much longer text than before");
  EXPECT_STREQ(slot.text, "a much longer text than before");
  VCL_Trim(&slot.text, nullptr);
  EXPECT_EQ(slot.text, nullptr);
}

std::string Format(const char* format, ...) {
  std::string out = "stale";
  va_list args;
  va_start(args, format);
  String_FormatArgs(&out, format, args);
  va_end(args);
  return out;
}

TEST(Text, FormatGrowsToAnyLengthAndKeepsEmbeddedZeroes) {
  const std::string long_text(10000, 'x');
  EXPECT_EQ(Format("[%s]%d", long_text.c_str(), 7), "[" + long_text + "]7");
  EXPECT_EQ(Format("%s", ""), "");
  EXPECT_EQ(Format("a%cb", 0), std::string("a\0b", 3));
}

}  // namespace

#include "runtime/stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

using testsupport::ConsoleCapture;

std::vector<uint8_t> Bytes(const CStream& s, int64_t count) {
  return std::vector<uint8_t>(s.GetBuffer(), s.GetBuffer() + count);
}

CStream* StreamOf(const std::vector<uint8_t>& bytes) {
  auto* s = new CStream(0);
  s->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s->SetPosition(0);
  return s;
}

std::string TakeText(char* text) {
  std::string copy = text == nullptr ? "<null>" : text;
  MemoryManager::Free(text);
  return copy;
}

TEST(Stream, ValuesAreLittleEndianAndReadBack) {
  CStream s;
  s.WriteInteger(0x01020304);
  EXPECT_EQ(Bytes(s, 4), (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(s.GetSize(), 4);
  EXPECT_EQ(s.GetPosition(), 4);

  s.WriteString("abc");
  s.WriteString(nullptr);
  s.WriteString("");
  s.WriteReal(-2.5);
  s.WriteBoolean(true);
  s.WriteInteger(-2);
  EXPECT_EQ(Bytes(s, 19), (std::vector<uint8_t>{4, 3, 2, 1, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0}));

  s.SetPosition(4);
  EXPECT_EQ(TakeText(s.GetString()), "abc");
  char* slot = reinterpret_cast<char*>(&s);  // must be overwritten with null
  s.ReadString(&slot);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(TakeText(s.GetString()), "<null>");
  EXPECT_EQ(s.ReadReal(), -2.5);
  EXPECT_TRUE(s.ReadBoolean());
  EXPECT_EQ(s.ReadInteger(), -2);
}

TEST(Stream, GrowthDoublesAndKeepsWhatWasWritten) {
  CStream s(4);
  s.GetBuffer()[0] = 0xAA;
  s.GetBuffer()[1] = 0xBB;
  s.SetPosition(2);
  const uint8_t ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(s.WriteBuffer(ten, 10), 10);
  EXPECT_EQ(s.GetSize(), 12);
  EXPECT_EQ(Bytes(s, 3), (std::vector<uint8_t>{0xAA, 0xBB, 1}));

  // A small write past the end doubles the capacity; the slack reads as zero.
  s.WriteInteger(7);
  EXPECT_EQ(s.GetSize(), 24);
  EXPECT_EQ(s.ReadInteger(), 0);
  EXPECT_EQ(s.GetPosition(), 20);
}

TEST(Stream, ShortAndMisplacedReadsGiveDefaultsAndKeepThePosition) {
  std::unique_ptr<CStream> s(StreamOf({9, 9, 9, 9, 9, 9, 9}));
  s->SetPosition(4);  // three bytes left
  EXPECT_EQ(s->ReadInteger(), 0);
  EXPECT_EQ(s->GetPosition(), 4);
  s->SetPosition(0);  // seven bytes left
  EXPECT_EQ(s->ReadReal(), 0.0);
  EXPECT_EQ(s->GetPosition(), 0);
  s->SetPosition(5);  // two bytes left
  EXPECT_FALSE(s->ReadBoolean());
  EXPECT_EQ(s->GetPosition(), 5);
  EXPECT_EQ(TakeText(s->GetString()), "<null>");  // two bytes cannot hold a count
  EXPECT_EQ(s->GetPosition(), 5);

  uint8_t target[4] = {};
  s->SetPosition(-3);
  EXPECT_EQ(s->ReadInteger(), 0);
  EXPECT_EQ(s->ReadBuffer(target, 4), 0);
  s->WriteInteger(0x55555555);
  EXPECT_EQ(s->GetPosition(), -3);
  EXPECT_EQ(Bytes(*s, 7), (std::vector<uint8_t>(7, 9)));

  s->SetPosition(100);
  EXPECT_EQ(s->ReadBuffer(target, 4), 0);
  EXPECT_EQ(s->GetPosition(), 100);
}

TEST(Stream, CountsFromTheDataAreClampedToWhatRemains) {
  std::unique_ptr<CStream> s(StreamOf({0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y', 'z'}));
  char* text = s->GetString();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(MemoryManager::GetSize(text), 4u);  // not 2^31
  EXPECT_EQ(TakeText(text), "xyz");
  EXPECT_EQ(s->GetPosition(), 7);

  std::unique_ptr<CStream> negative(StreamOf({0xFE, 0xFF, 0xFF, 0xFF, 'x'}));
  EXPECT_EQ(TakeText(negative->GetString()), "<null>");
  EXPECT_EQ(negative->GetPosition(), 4);

  // A positive count with nothing after it still reads as an empty text.
  std::unique_ptr<CStream> bare(StreamOf({5, 0, 0, 0}));
  EXPECT_EQ(TakeText(bare->GetString()), "");

  std::unique_ptr<CStream> parent(StreamOf({50, 0, 0, 0, 1, 2, 3}));
  std::unique_ptr<CStream> sub(parent->ReadSubStream());
  EXPECT_EQ(sub->GetSize(), 3);
  EXPECT_EQ(sub->GetPosition(), 0);
  EXPECT_EQ(Bytes(*sub, 3), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(parent->GetPosition(), 7);

  std::unique_ptr<CStream> zero(StreamOf({0, 0, 0, 0, 1, 2}));
  std::unique_ptr<CStream> none(zero->ReadSubStream());
  EXPECT_EQ(none->GetSize(), 0);
  EXPECT_EQ(zero->GetPosition(), 4);
}

TEST(Stream, StaysBelowTwoGigabytes) {
  CStream s(8);
  const uint8_t four[4] = {1, 2, 3, 4};
  s.SetPosition(CStream::kMaxSize - 2);
  EXPECT_EQ(s.WriteBuffer(four, 4), 0);
  s.WriteInteger(1);
  EXPECT_EQ(s.GetSize(), 8);
  s.SetPosition(int64_t{1} << 40);
  s.WriteReal(1.0);
  EXPECT_EQ(s.GetSize(), 8);
  EXPECT_EQ(s.GetPosition(), int64_t{1} << 40);

  CStream huge(int64_t{1} << 33);
  EXPECT_EQ(huge.GetSize(), 0);
  EXPECT_EQ(huge.GetBuffer(), nullptr);
}

TEST(Stream, CopyFromCopiesOrBorrowsOnlyWhatRemains) {
  std::unique_ptr<CStream> source(StreamOf({1, 2, 3, 4, 5}));
  source->SetPosition(3);
  CStream whole;
  whole.CopyFrom(source.get(), 0, false);
  EXPECT_EQ(Bytes(whole, 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(source->GetPosition(), 5);

  source->SetPosition(3);
  CStream part;
  part.CopyFrom(source.get(), 100, false);
  EXPECT_EQ(part.GetPosition(), 2);
  EXPECT_EQ(Bytes(part, 2), (std::vector<uint8_t>{4, 5}));
  EXPECT_EQ(source->GetPosition(), 5);

  source->SetPosition(1);
  {
    CStream view(16);  // its own buffer is released, not leaked
    view.CopyFrom(source.get(), 100, true);
    EXPECT_TRUE(view.IsBorrowed());
    EXPECT_EQ(view.GetBuffer(), source->GetBuffer() + 1);
    EXPECT_EQ(view.GetSize(), 4);
    EXPECT_EQ(view.GetPosition(), 4);
    EXPECT_EQ(source->GetPosition(), 5);

    // Writing past a borrowed view moves it to a buffer of its own.
    view.WriteInteger(-1);
    EXPECT_FALSE(view.IsBorrowed());
    EXPECT_EQ(Bytes(view, 4), (std::vector<uint8_t>{2, 3, 4, 5}));
  }
  EXPECT_EQ(Bytes(*source, 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(Stream, WritingFromItsOwnBufferSurvivesGrowth) {
  std::unique_ptr<CStream> s(StreamOf({1, 2, 3, 4}));
  s->SetPosition(4);
  EXPECT_EQ(s->WriteBuffer(s->GetBuffer(), 4), 4);
  EXPECT_EQ(Bytes(*s, 8), (std::vector<uint8_t>{1, 2, 3, 4, 1, 2, 3, 4}));
}

TEST(Stream, HexText) {
  std::unique_ptr<CStream> s(StreamOf({0x00, 0xAB, 0x7F}));
  char* text = nullptr;
  s->WriteHex(&text);
  EXPECT_EQ(TakeText(text), "<null>");  // position 0: nothing written yet
  s->SetPosition(3);
  s->WriteHex(&text);
  EXPECT_EQ(TakeText(text), "00AB7F");

  s->ReadHex("00ab7f");
  EXPECT_EQ(s->GetSize(), 3);
  EXPECT_EQ(s->GetPosition(), 0);
  EXPECT_EQ(Bytes(*s, 3), (std::vector<uint8_t>{0x00, 0xAB, 0x7F}));

  s->ReadHex("0G12");
  EXPECT_EQ(s->GetSize(), 1);
  EXPECT_EQ(s->GetBuffer()[0], 0x12);
  s->ReadHex("a1b");  // odd last character ignored
  EXPECT_EQ(Bytes(*s, s->GetSize()), (std::vector<uint8_t>{0xA1}));
  for (const char* junk : {"", "zz", "1", static_cast<const char*>(nullptr)}) {
    s->ReadHex(junk);
    EXPECT_EQ(s->GetSize(), 0);
    EXPECT_EQ(s->GetBuffer(), nullptr);
  }
}

TEST(Stream, PackedBlocksRoundTripAndLogTheirLength) {
  CStream source;
  for (int i = 0; i < 20000; ++i) source.WriteInteger(i * 7919 % 1000);  // several chunks
  source.SetPosition(123);

  CStream file;
  file.WriteInteger(77);
  file.WriteCompressed(&source);
  file.WriteInteger(88);
  EXPECT_EQ(source.GetPosition(), 123);

  file.SetPosition(4);
  int32_t length = file.ReadInteger();
  file.SetPosition(4);
  ConsoleCapture console;
  std::unique_ptr<CStream> out(ZDecompressStream(&file));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(console.Text(), "ZDecompressStream " + std::to_string(length) + "\nDone ZDecompressStream\n");
  EXPECT_EQ(out->GetPosition(), 0);
  ASSERT_GE(out->GetSize(), source.GetSize());
  EXPECT_EQ(std::memcmp(out->GetBuffer(), source.GetBuffer(), 80000), 0);
  EXPECT_EQ(file.ReadInteger(), 88);  // the block was skipped whole, padding too

  CStream empty;
  CStream packed;
  packed.WriteCompressed(&empty);
  packed.SetPosition(0);
  std::unique_ptr<CStream> nothing(ZDecompressStream(&packed));
  ASSERT_NE(nothing, nullptr);
  EXPECT_EQ(nothing->GetSize(), 0);
}

TEST(Stream, BrokenPackedBlocksGiveNull) {
  CStream source;
  source.WriteString("some text that packs into a block");
  CStream packed;
  packed.WriteCompressed(&source);
  int32_t length = static_cast<int32_t>(packed.GetPosition()) - 4;

  // A block claiming more than remains, cut inside the deflate stream.
  std::vector<uint8_t> cut(packed.GetBuffer(), packed.GetBuffer() + 14);
  cut[0] = 0xFF, cut[1] = 0xFF, cut[2] = 0xFF, cut[3] = 0x7F;
  std::unique_ptr<CStream> truncated(StreamOf(cut));
  ConsoleCapture console;
  EXPECT_EQ(ZDecompressStream(truncated.get()), nullptr);
  EXPECT_EQ(truncated->GetPosition(), 14);
  EXPECT_EQ(console.Text(), "ZDecompressStream 2147483647\n");

  std::unique_ptr<CStream> garbage(StreamOf({8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(ZDecompressStream(garbage.get()), nullptr);

  for (std::vector<uint8_t> bytes :
       {std::vector<uint8_t>{0, 0, 0, 0}, std::vector<uint8_t>{0xF0, 0xFF, 0xFF, 0xFF}, std::vector<uint8_t>{1, 0}}) {
    std::unique_ptr<CStream> s(StreamOf(bytes));
    EXPECT_EQ(ZDecompressStream(s.get()), nullptr);
  }
  EXPECT_EQ(ZDecompressStream(nullptr), nullptr);

  // The intact block still inflates after all that.
  packed.SetPosition(0);
  std::unique_ptr<CStream> out(ZDecompressStream(&packed));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(TakeText(out->GetString()), "some text that packs into a block");
  EXPECT_EQ(packed.GetPosition(), 4 + length);
}

TEST(Stream, UnscrambleInvertsTheSeededPermutationWithinItsRange) {
  CStream s(256);
  for (int i = 0; i < 256; ++i) s.GetBuffer()[i] = static_cast<uint8_t>(i);
  s.Unscramble(12345, 1, 3);
  EXPECT_EQ(Bytes(s, 5), (std::vector<uint8_t>{0, 119, 122, 116, 4}));
  s.Unscramble(12345, 0x41, 1);
  EXPECT_EQ(s.GetBuffer()[0x41], 7);
  EXPECT_EQ(s.GetBuffer()[0x42], 0x42);

  // Ranges reaching outside the buffer are clipped; the whole table is a
  // permutation that keeps 0 even for seeds that keep the walk negative.
  CStream all(256);
  for (int i = 0; i < 256; ++i) all.GetBuffer()[i] = static_cast<uint8_t>(i);
  all.Unscramble(INT32_MIN, -1000, 0);
  all.Unscramble(0, 256, 10);
  all.Unscramble(0, INT64_MAX, INT64_MAX);
  std::vector<bool> seen(256);
  for (int i = 0; i < 256; ++i) seen[all.GetBuffer()[i]] = true;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 256);
  EXPECT_EQ(all.GetBuffer()[0], 0);

  CStream tail(4);
  tail.GetBuffer()[3] = 0xFF;
  tail.Unscramble(-1, 2, 0);
  EXPECT_EQ(tail.GetBuffer()[3], 206);
}

}  // namespace

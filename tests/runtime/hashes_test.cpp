#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/base64.h"
#include "runtime/crc32.h"
#include "runtime/md5.h"
#include "runtime/sha1.h"

namespace {

std::string Hex(const uint8_t* bytes, int count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

// Feeds the text in chunks of `chunk` bytes to show that block boundaries
// inside an update do not matter.
std::string Md5Of(const std::string& text, size_t chunk = 1000000) {
  MD5Context context;
  MD5_Init(&context);
  for (size_t at = 0; at < text.size(); at += chunk)
    MD5_Update(&context, text.data() + at, std::min(chunk, text.size() - at));
  uint8_t digest[16];
  MD5_Final(digest, &context);
  return Hex(digest, 16);
}

std::string Sha1Of(const std::string& text, size_t chunk = 1000000) {
  SHA1Context context;
  SHA1_Reset(&context);
  for (size_t at = 0; at < text.size(); at += chunk)
    SHA1_Input(&context, text.data() + at, std::min(chunk, text.size() - at));
  uint8_t digest[20];
  EXPECT_EQ(SHA1_Result(&context, digest), 1);
  return Hex(digest, 20);
}

TEST(Crc32, IsTheUninvertedReflectedCrc) {
  EXPECT_EQ(CRC32_Buffer("123456789", 9), 0x340BC6D9u);
  EXPECT_EQ(CRC32_String("123456789"), 0x340BC6D9u);
  EXPECT_EQ(CRC32_Buffer("", 0), 0xFFFFFFFFu);
  EXPECT_EQ(CRC32_String(""), 0xFFFFFFFFu);
  EXPECT_EQ(CRC32_Buffer("abc", -4), 0xFFFFFFFFu);
  EXPECT_EQ(CRC32_BufferSeed("6789", 4, CRC32_Buffer("12345", 5)), 0x340BC6D9u);
  EXPECT_EQ(CRC32_StringSeed("6789", CRC32_String("12345")), 0x340BC6D9u);
  CRC32_InitTable();  // filling it again changes nothing
  EXPECT_EQ(CRC32_Buffer("123456789", 9), 0x340BC6D9u);
}

TEST(Md5, MatchesThePublishedDigests) {
  EXPECT_EQ(Md5Of(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Of("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Of("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  std::string digits;
  for (int i = 0; i < 8; ++i) digits += "1234567890";
  EXPECT_EQ(Md5Of(digits), "57edf4a22be3c955ac49da2e2107b67a");
  EXPECT_EQ(Md5Of(digits, 7), "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Sha1, MatchesThePublishedDigests) {
  EXPECT_EQ(Sha1Of(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(Sha1Of("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
  const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(Sha1Of(two), "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(Sha1Of(two, 5), "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(Sha1Of(std::string(1000000, 'a'), 4096), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(Sha1, ResultIsTakenOnceAndLaterInputCorrupts) {
  SHA1Context context;
  SHA1_Reset(&context);
  SHA1_Input(&context, "abc", 3);
  uint8_t first[20], second[20];
  ASSERT_EQ(SHA1_Result(&context, first), 1);
  ASSERT_EQ(SHA1_Result(&context, second), 1);
  EXPECT_EQ(Hex(first, 20), Hex(second, 20));

  SHA1_Input(&context, "d", 1);
  EXPECT_EQ(SHA1_Result(&context, second), 0);
  SHA1_Reset(&context);
  EXPECT_EQ(SHA1_Result(&context, second), 1);
  EXPECT_EQ(Hex(second, 20), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

TEST(Base64, EncodesTheStandardVectors) {
  const char* plain[] = {"", "f", "fo", "foo", "foob", "fooba", "foobar", "abc"};
  const char* coded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy", "YWJj"};
  for (int i = 0; i < 8; ++i) {
    char text[16];
    int length = Base64_Encode(plain[i], static_cast<int>(std::strlen(plain[i])), text, sizeof text);
    EXPECT_STREQ(text, coded[i]);
    EXPECT_EQ(length, static_cast<int>(std::strlen(coded[i])));
    uint8_t bytes[16];
    int count = Base64_Decode(coded[i], bytes, sizeof bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), count), plain[i]);
  }
}

TEST(Base64, DecodingStopsAtJunkAndNeverOverruns) {
  uint8_t bytes[8];
  EXPECT_EQ(Base64_Decode("YWI", bytes, sizeof bytes), 2);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 2), "ab");
  EXPECT_EQ(Base64_Decode("YWJj YWJj", bytes, sizeof bytes), 3);
  EXPECT_EQ(Base64_Decode("Y=WJj", bytes, sizeof bytes), 0);
  EXPECT_EQ(Base64_Decode("Y", bytes, sizeof bytes), 0);
  EXPECT_EQ(Base64_Decode("\xC3\xA9YWJj", bytes, sizeof bytes), 0);
  EXPECT_EQ(Base64_Decode(nullptr, bytes, sizeof bytes), 0);

  uint8_t guarded[4] = {0, 0, 0, 0xEE};
  EXPECT_EQ(Base64_Decode("YWJjYWJj", guarded, 3), 3);
  EXPECT_EQ(guarded[3], 0xEE);
  EXPECT_EQ(Base64_Decode("YWJj", guarded, 0), 0);

  char text[8];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(Base64_Encode("abcdef", 6, text, 8), 4);  // room for one group and the zero
  EXPECT_STREQ(text, "YWJj");
  EXPECT_EQ(Base64_Encode("abc", 3, text, 4), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(Base64_Encode("abc", 3, text, 0), 0);
}

}  // namespace

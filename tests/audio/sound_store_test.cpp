#include "audio/sound_store.h"

#include <gtest/gtest.h>

#include <string>

#include "gamefile/sound_chunk.h"
#include "support/test_support.h"

namespace {

bool Load(const SoundChunk& chunk) { return Sound_Init(chunk.image, chunk.data, chunk.size); }

class SoundStore : public testing::Test {
 protected:
  void TearDown() override { Sound_FreeAll(); }
  testsupport::ConsoleCapture console_;
};

TEST_F(SoundStore, NamesAreFoundByNumberExactlyAndAbsentSlotsStayEmpty) {
  SoundChunk chunk = SoundChunk_Build({"snd_a", nullptr, "Snd_B", "snd_a"});
  ASSERT_TRUE(Load(chunk));
  EXPECT_EQ(Sound_Count(), 4);
  EXPECT_TRUE(Sound_Exists(0));
  EXPECT_FALSE(Sound_Exists(1));
  EXPECT_FALSE(Sound_Exists(4));
  EXPECT_FALSE(Sound_Exists(-1));
  EXPECT_EQ(Sound_Find("Snd_B"), 2);
  EXPECT_EQ(Sound_Find("snd_b"), -1);
  // The first of two sounds with one name.
  EXPECT_EQ(Sound_Find("snd_a"), 0);
  EXPECT_EQ(Sound_Find(""), -1);
  EXPECT_EQ(Sound_Find(nullptr), -1);
}

TEST_F(SoundStore, AnotherGameFileReplacesTheNames) {
  SoundChunk first = SoundChunk_Build({"old"});
  SoundChunk second = SoundChunk_Build({"new_a", "new_b"});
  ASSERT_TRUE(Load(first));
  ASSERT_TRUE(Load(second));
  EXPECT_EQ(Sound_Count(), 2);
  EXPECT_EQ(Sound_Find("old"), -1);
  EXPECT_EQ(Sound_Find("new_b"), 1);
  Sound_FreeAll();
  EXPECT_EQ(Sound_Count(), 0);
}

TEST_F(SoundStore, DamagedChunksFailWithOneLine) {
  EXPECT_FALSE(Load(SoundChunk_Build({"a"}, 1000)));
  EXPECT_NE(console_.Text().find("Game file damaged: SOND: the sound count runs past the chunk"), std::string::npos);
  EXPECT_FALSE(Load(SoundChunk_Build({"a", "b"}, 0, true)));
  EXPECT_NE(console_.Text().find("Game file damaged: SOND: sound 1: its record runs past the chunk"),
            std::string::npos);
}

}  // namespace

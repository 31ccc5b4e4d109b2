#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/game_image.h"
#include "script/events/script.h"
#include "support/script_chunk.h"

namespace {

class ScriptStore : public testing::Test {
 protected:
  void TearDown() override { Script_Clear(); }

  bool Load(const std::vector<std::pair<std::string, std::string>>& scripts) {
    image_.Assign(ScriptChunkBytes(scripts));
    return Script_Load(image_, kScriptChunkBody, static_cast<uint32_t>(image_.Size() - kScriptChunkBody));
  }

  GameImage image_;
};

TEST_F(ScriptStore, TheFirstOfEqualNamesAnswersAndLookupsFollowEachLoad) {
  ASSERT_TRUE(Load({{"scr_a", ""}, {"scr_b", ""}, {"scr_a", ""}, {"scr_b", ""}, {"scr_c", ""}}));
  EXPECT_EQ(Script_Find("scr_a"), 0);
  EXPECT_EQ(Script_Find("scr_b"), 1);
  EXPECT_EQ(Script_Find("scr_c"), 4);
  EXPECT_EQ(Script_Find("scr_d"), -1);
  EXPECT_EQ(Script_Find("SCR_A"), -1);
  EXPECT_EQ(Script_Find(""), -1);
  EXPECT_EQ(Script_Find(nullptr), -1);

  // A second load replaces every name, the ones already looked up included.
  ASSERT_TRUE(Load({{"scr_c", ""}, {"scr_d", ""}, {"scr_c", ""}}));
  EXPECT_EQ(Script_Find("scr_a"), -1);
  EXPECT_EQ(Script_Find("scr_c"), 0);
  EXPECT_EQ(Script_Find("scr_d"), 1);

  Script_Clear();
  EXPECT_EQ(Script_Find("scr_c"), -1);
  EXPECT_EQ(Script_Count(), 0);
  ASSERT_TRUE(Load({{"", ""}, {"scr_c", ""}}));
  EXPECT_EQ(Script_Find(""), 0);
  EXPECT_EQ(Script_Find("scr_c"), 1);
}

TEST_F(ScriptStore, ThousandsOfNamesAreEachFoundAtTheirFirstSlot) {
  std::vector<std::pair<std::string, std::string>> scripts;
  for (int i = 0; i < 3000; ++i) scripts.emplace_back("scr_" + std::to_string(i % 2000), "");
  ASSERT_TRUE(Load(scripts));
  for (int i = 0; i < 2000; i += 37) EXPECT_EQ(Script_Find(("scr_" + std::to_string(i)).c_str()), i);
  EXPECT_EQ(Script_Find("scr_2000"), -1);
}

}  // namespace

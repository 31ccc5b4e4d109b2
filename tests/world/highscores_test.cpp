#include "world/save/highscores.h"

#include <gtest/gtest.h>

#include <string>

#include "files/file_layer.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

using testsupport::ReadRaw;
using testsupport::WriteRaw;

class Highscores : public testing::Test {
 protected:
  void SetUp() override {
    LoadSave_SetSaveDirectory(folder_.Path().c_str());
    Score_SetEmptyPlaceName("<nobody>");
    Score_Clear();
  }
  void TearDown() override {
    LoadSave_SetSaveDirectory(nullptr);
    Score_Clear();
  }

  static std::string Bytes() {
    uint8_t* bytes = nullptr;
    int32_t size = 0;
    Score_Write(&bytes, &size);
    std::string out(reinterpret_cast<char*>(bytes), static_cast<size_t>(size));
    MemoryManager::Free(bytes);
    return out;
  }
  static bool Parse(const std::string& bytes) {
    return Score_Parse(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int32_t>(bytes.size()));
  }
  static std::string Name(int32_t place) {
    const char* name = Score_GetName(place);
    return name == nullptr ? "(none)" : name;
  }

  testsupport::ScratchFolder folder_{"kv_hisc"};
  testsupport::ConsoleCapture console_;
};

TEST_F(Highscores, ClearedTableFileIsByteExact) {
  std::string expected("HISC\xA8\0\0\0", 8);
  for (int i = 0; i < kHighscorePlaces; ++i) expected += std::string("\x08\0\0\0<nobody>\0\0\0\0", 16);
  EXPECT_EQ(Bytes(), expected);
  ASSERT_EQ(expected.size(), 168u);

  Score_Save();
  EXPECT_EQ(ReadRaw(folder_ / "hiscore.dat"), expected);
}

TEST_F(Highscores, AddKeepsEqualValuesAboveAndDropsTheLast) {
  for (int32_t place = 1; place <= kHighscorePlaces; ++place) {
    Score_Set(place, ("p" + std::to_string(place)).c_str(), 50);
  }
  const std::string before = Bytes();
  Score_Add("late", 50);
  EXPECT_EQ(Bytes(), before) << "an equal value does not enter";

  Score_Add("best", 51);
  EXPECT_EQ(Name(1), "best");
  EXPECT_EQ(Score_GetValue(1), 51);
  EXPECT_EQ(Name(2), "p1");
  EXPECT_EQ(Name(10), "p9") << "place 10 is dropped";

  Score_Add("middle", 50);
  EXPECT_EQ(Name(10), "p9");
  Score_Set(10, "low", 7);
  Score_Add("eighth", 8);
  EXPECT_EQ(Name(10), "eighth") << "the last place is overwritten";
  EXPECT_EQ(Score_GetValue(11), 0);
  EXPECT_EQ(Score_GetName(0), nullptr);
}

TEST_F(Highscores, NamelessPlacesAndTheEmptyPlaceName) {
  Score_Set(3, nullptr, 99);
  Score_SetEmptyPlaceName("-");
  Score_Set(4, "", 12);
  const std::string bytes = Bytes();
  EXPECT_EQ(bytes.substr(8 + 2 * 16, 8), std::string(8, '\0')) << "no name: length 0, value 0";
  EXPECT_EQ(bytes.substr(8 + 2 * 16 + 8, 8), std::string("\0\0\0\0\x0C\0\0\0", 8));

  Score_Clear();
  EXPECT_EQ(Name(1), "-");
  ASSERT_TRUE(Parse(bytes));
  EXPECT_EQ(Name(3), "(none)");
  EXPECT_EQ(Score_GetValue(3), 0);
  EXPECT_EQ(Name(4), "(none)") << "a length-0 name reads back as none";
  EXPECT_EQ(Score_GetValue(4), 12);
  EXPECT_EQ(Name(1), "<nobody>");

  std::string zero = bytes;
  zero.replace(8, 12, std::string("\x08\0\0\0ab\0cdefg", 12));
  ASSERT_TRUE(Parse(zero));
  EXPECT_EQ(Name(1), "ab") << "a zero byte ends a name";
}

TEST_F(Highscores, DamagedFilesChangeNothing) {
  Score_Set(1, "first", 1000);
  const std::string good = Bytes();
  Score_Set(1, "kept", 5);
  const std::string kept = Bytes();
  for (size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_FALSE(Parse(good.substr(0, cut))) << cut;
    ASSERT_EQ(Bytes(), kept) << cut;
  }
  std::string runsPast = good;
  runsPast[8] = '\x7F';  // the first name claims more bytes than the file has
  EXPECT_FALSE(Parse(runsPast));
  std::string negative = good;
  negative[11] = '\xFF';
  EXPECT_FALSE(Parse(negative));
  EXPECT_FALSE(Parse("HISX" + good.substr(4)));
  std::string wrongLength = good;
  wrongLength[4] = '\x01';
  EXPECT_TRUE(Parse(wrongLength)) << "the length word is not checked";
  EXPECT_EQ(Name(1), "first");
}

TEST_F(Highscores, LoadReadsTheSaveFolderAndSaveRewritesItExactly) {
  Score_Load();
  EXPECT_EQ(Name(1), "<nobody>") << "no file: the table stays";

  Score_Set(2, "second", 77);
  const std::string laid = Bytes();
  Score_Clear();
  WriteRaw(folder_ / "hiscore.dat", laid);
  Score_Load();
  EXPECT_EQ(Name(2), "second");
  Score_Save();
  EXPECT_EQ(ReadRaw(folder_ / "hiscore.dat"), laid);

  WriteRaw(folder_ / "hiscore.dat", laid.substr(0, 40));
  Score_Load();
  EXPECT_EQ(Score_GetValue(2), 77);
  EXPECT_NE(console_.Text().find("hiscore.dat is damaged"), std::string::npos);
}

}  // namespace

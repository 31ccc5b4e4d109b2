// The legacy sound store over the null device: numbering and names of
// added sounds, hardware records through prepare and discard, music files
// handed to the media layer.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio/audio_fixture.h"
#include "audio/sound_play.h"
#include "files/file_layer.h"
#include "platform/media_control.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;

class LegacySounds : public AudioTest {
 protected:
  void StartLegacy(const std::vector<TestSound>& sounds, const std::vector<std::vector<uint8_t>>& images) {
    g_runFlags.noAudio = false;
    g_newAudio = 0;
    game_ = BuildSoundGame(sounds, images);
    ASSERT_TRUE(Sound_Init(game_.image, game_.sond, game_.sondSize));
    ASSERT_TRUE(Wave_Init(game_.image, game_.audo, game_.audoSize));
    Sound_Prepare();
    ASSERT_TRUE(Sound_PrepareAll());
  }
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("kv_legacy_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    LoadSave_SetProgramDirectory((folder_.string() + "/").c_str());
  }
  void TearDown() override {
    AudioTest::TearDown();
    fs::remove_all(folder_);
  }
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return (folder_ / name).string();
  }
  fs::path folder_;
};

std::vector<TestSound> Named(int count) {
  std::vector<TestSound> sounds;
  for (int i = 0; i < count; ++i) sounds.push_back({"snd" + std::to_string(i)});
  return sounds;
}

TEST_F(LegacySounds, AddedSoundsTakeTheNextNumbersEvenWhenTheFileIsMissing) {
  StartLegacy(Named(12), {Wave(22050, 1, 0.1)});
  EXPECT_EQ(console_.Text().find("Sound_Init()\nWave_Init()\n") != std::string::npos, true);
  WriteFile("extra.wav", Wave(22050, 1, 0.1));
  EXPECT_EQ(Sound_Add("extra.wav", 0, true), 12);
  EXPECT_EQ(Sound_GetName(12), "__newsound12");
  EXPECT_EQ(Sound_Get(12)->fileName, "extra.wav");
  EXPECT_EQ(Sound_Get(12)->type, ".wav");
  EXPECT_GE(Sound_Get(12)->hardwareId, 0);
  EXPECT_EQ(Sound_Add("missing.wav", 0, true), -1);
  EXPECT_EQ(Sound_Count(), 14);
  EXPECT_TRUE(Sound_Exists(13));
  EXPECT_EQ(Sound_GetName(-1), "<undefined>");
  EXPECT_EQ(Sound_Find("snd3"), 3);
  EXPECT_TRUE(Sound_Delete(3));
  EXPECT_EQ(Sound_Find("snd3"), -1);
  EXPECT_EQ(Sound_GetName(3), "<undefined>");
  EXPECT_FALSE(Sound_Delete(3));
  // A replaced slot keeps its name.
  EXPECT_TRUE(Sound_Replace(4, "extra.wav", 0, false));
  EXPECT_EQ(Sound_GetName(4), "snd4");
  EXPECT_FALSE(Sound_Replace(14, "extra.wav", 0, false));
  EXPECT_FALSE(Sound_Replace(5, "missing.wav", 0, false));
}

TEST_F(LegacySounds, ADiscardedSoundLetsItsHardwareGoAndLoadsAgainIntoANewRecord) {
  StartLegacy({{"a"}, {"b"}}, {Wave(22050, 1, 0.1)});
  ASSERT_EQ(HardwareTable_Count(), 2);
  CSound* a = Sound_Get(0);
  const int32_t first = a->hardwareId;
  a->Discard();
  EXPECT_EQ(HardwareTable_Get(first).sound, nullptr);
  EXPECT_TRUE(HardwareTable_Get(first).inUse);
  EXPECT_EQ(a->GetHardwareId(), 2);
  EXPECT_EQ(HardwareTable_Count(), 3);
  EXPECT_NE(HardwareTable_Get(2).sound, nullptr);
}

TEST_F(LegacySounds, ManyDiscardAndRestoreCyclesNeverRunOutOfSources) {
  std::vector<TestSound> sounds = Named(100);
  for (TestSound& s : sounds) s.image = 0;
  StartLegacy(sounds, {Wave(22050, 1, 0.05)});
  for (int cycle = 0; cycle < 1000; ++cycle) {
    CSound* sound = Sound_Get(cycle % 100);
    sound->Discard();
    sound->Prepare();
  }
  CSound* last = Sound_Get(99);
  Sound_Play(last->fileName, last->GetHardwareId(), true);
  EXPECT_TRUE(Sound_IsPlaying(last->fileName, last->hardwareId));
  EXPECT_EQ(console_.Text().find("AL Error"), std::string::npos);
  Sound_StopAll();
  EXPECT_FALSE(Sound_IsPlaying(last->fileName, last->hardwareId));
}

TEST_F(LegacySounds, MusicKindsFromTheGameFileHaveNoHardwareSound) {
  StartLegacy({{"fx", 0, "a.wav"}, {"bgm", 1, "b.wav"}, {"media", 3, "c.MP3"}}, {Wave(22050, 1, 0.1)});
  EXPECT_NE(HardwareTable_Get(Sound_Get(0)->hardwareId).sound, nullptr);
  EXPECT_EQ(HardwareTable_Get(Sound_Get(1)->hardwareId).sound, nullptr);
  EXPECT_EQ(HardwareTable_Get(Sound_Get(2)->hardwareId).kind, 1);
  // ".MP3" is no music name: the record without a sound plays nothing.
  Sound_Play(Sound_Get(2)->fileName, Sound_Get(2)->hardwareId, false);
  EXPECT_FALSE(Sound_CurrentMusic().has_value());
}

TEST_F(LegacySounds, AnMp3SoundPlaysAsMusicAndStoppingItClearsTheCurrentName) {
  if (std::system("command -v sox >/dev/null && command -v lame >/dev/null") != 0) GTEST_SKIP() << "no sox or lame";
  const std::string wav = (folder_ / "tone.wav").string();
  const std::string make = "sox -n -r 44100 -c 1 '" + wav + "' synth 2 sine 660 && lame --quiet '" + wav + "' '" +
                           (folder_ / "tone.mp3").string() + "'";
  ASSERT_EQ(std::system(make.c_str()), 0);
  StartLegacy({{"song", 3, "tone.mp3"}}, {});
  CSound* song = Sound_Get(0);
  Sound_Play(song->fileName, song->GetHardwareId(), false);
  EXPECT_EQ(Sound_CurrentMusic(), "tone.mp3");
  EXPECT_TRUE(Sound_IsPlaying(song->fileName, song->hardwareId));
  Sound_Stop(song->fileName, song->hardwareId);
  EXPECT_FALSE(Sound_CurrentMusic().has_value());
  EXPECT_FALSE(Sound_IsPlaying(song->fileName, song->hardwareId));
  Media_CloseAll();
}

}  // namespace
}  // namespace audiotest

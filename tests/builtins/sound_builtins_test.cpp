// Every sound built-in in both audio modes on the null device, against the
// real sound store and audio system: which act, which report, which answer
// their "nothing".
#include <cmath>
#include <set>

#include "audio/audio_fixture.h"
#include "builtin_test_support.h"
#include "builtins/sound/rows.h"

namespace audiotest {
namespace {

class SoundBuiltins : public AudioTest {
 protected:
  void Start(bool newAudio) {
    std::vector<TestSound> sounds;
    for (int i = 0; i < 10; ++i) sounds.push_back({"snd" + std::to_string(i)});
    if (newAudio) {
      StartAudio(sounds, {Wave(22050, 1, 0.2)});
      return;
    }
    g_runFlags.noAudio = false;
    g_newAudio = 0;
    game_ = BuildSoundGame(sounds, {Wave(22050, 1, 0.2)});
    ASSERT_TRUE(Sound_Init(game_.image, game_.sond, game_.sondSize));
    ASSERT_TRUE(Wave_Init(game_.image, game_.audo, game_.audoSize));
    Sound_Prepare();
    Sound_PrepareAll();
  }
  double Call(const char* name, std::vector<GoldenArg> args) {
    for (const BuiltinRow& row : kSoundRows) {
      if (std::string(row.name) == name) return BuiltinCall(row.handler, args).Real();
    }
    ADD_FAILURE() << name;
    return 0;
  }
};

TEST_F(SoundBuiltins, TheModeTableFollowsTheRows) {
  for (size_t i = 0; i < std::size(kSoundRows); ++i) EXPECT_STREQ(kSoundRows[i].name, kSoundModes[i].name);
  EXPECT_EQ(std::size(kSoundRows), 73u);
}

// Every row called with sound 99 (unknown) and zeros: only the legacy
// functions that take a sound report, and only in their mode.
TEST_F(SoundBuiltins, OnlyLegacyFunctionsOfAnUnknownSoundReportInTheirMode) {
  const std::set<std::string> noSound = {"sound_stop_all", "sound_isplaying", "sound_background_tempo",
                                         "sound_global_volume", "sound_set_search_directory"};
  for (bool newAudio : {false, true}) {
    Start(newAudio);
    for (size_t i = 0; i < std::size(kSoundRows); ++i) {
      const BuiltinRow& row = kSoundRows[i];
      const std::string name = row.name;
      std::vector<GoldenArg> args(static_cast<size_t>(row.argumentCount), R(0));
      if (!args.empty()) args[0] = R(99);
      ErrorCapture errors;
      { BuiltinCall call(row.handler, args); }
      const bool reports =
          name.rfind("sound_", 0) == 0 && noSound.count(name) == 0 && SoundMode_Acts(kSoundModes[i].mode);
      EXPECT_EQ(errors.Messages(),
                reports ? std::vector<std::string>{"Sound does not exist."} : std::vector<std::string>{})
          << name << (newAudio ? " new audio" : " legacy");
    }
    TearDown();
  }
}

TEST_F(SoundBuiltins, LegacyPlaysSoundAndAudioPlaysAnswerNothing) {
  Start(false);
  ErrorCapture errors;
  EXPECT_EQ(Call("sound_isplaying", {R(99)}), 0);
  EXPECT_EQ(Call("audio_play_sound", {R(0), R(10), R(1)}), -1);
  Call("sound_play", {R(1.4)});
  EXPECT_EQ(Call("sound_isplaying", {R(1)}), 1);
  Call("sound_stop", {R(1)});
  EXPECT_EQ(Call("sound_isplaying", {R(1)}), 0);
  Call("sound_volume", {R(2), R(0.5)});
  Call("sound_fade", {R(2), R(0.1), R(1e12)});
  EXPECT_EQ(Sound_Get(2)->volume, 0.5);
  Call("sound_play", {R(std::nan(""))});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Sound does not exist."});
}

TEST_F(SoundBuiltins, TheAudioSystemPlaysWhileLegacyFunctionsStaySilent) {
  Start(true);
  ErrorCapture errors;
  Call("sound_play", {R(99)});
  Call("sound_play", {R(0)});
  EXPECT_EQ(Call("sound_isplaying", {R(99)}), 0);
  EXPECT_TRUE(errors.Messages().empty());
  Call("sound_3d_set_sound_velocity", {R(0), R(1), R(1), R(1)});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Sound does not exist."});
  EXPECT_EQ(Call("audio_play_sound", {R(0), R(10), R(0.6)}), kAudioPlayIdBase);
  EXPECT_EQ(Call("audio_play_sound", {R(1), R(10), R(0.4)}), kAudioPlayIdBase + 1);
  EXPECT_EQ(Call("audio_is_playing", {R(kAudioPlayIdBase)}), 1);
  EXPECT_EQ(Call("audio_play_sound", {R(77), R(10), R(0)}), -1);
}

TEST_F(SoundBuiltins, MciCommandAnswersTheReplyOrNothing) {
  Start(false);
  EXPECT_EQ(BuiltinCall(kSoundRows[41].handler, {S("status cdaudio media present")}).Text(), "");
  BuiltinCall number(kSoundRows[41].handler, {R(3)});
  EXPECT_TRUE(number.IsString());
  EXPECT_EQ(number.Text(), "");
  EXPECT_STREQ(kSoundRows[41].name, "MCI_command");
}

}  // namespace
}  // namespace audiotest

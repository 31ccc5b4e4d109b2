#include <AL/al.h>

#include <cmath>
#include <limits>

#include "audio/audio_fixture.h"
#include "audio/audio_state.h"
#include "support/test_support.h"

namespace audiotest {
namespace {

class AudioSystem : public AudioTest {
 protected:
  // Sound 0 lasts a second, sound 1 is the same at half volume, sound 2 has
  // an image beyond the chunk.
  void SetUp() override {
    StartAudio({{"snd_long"}, {"snd_quiet", 0, "b.wav", 0.5f}, {"snd_lost", 0, "c.wav", 1.0f, 9}},
               {Wave(22050, 1, 1.0)});
  }
  static bool Sounding(int32_t playId) { return Audio_IsPlaying(playId); }
};

TEST_F(AudioSystem, AssetsComeFromTheRecordsAndKeepTheirNamesForLookup) {
  EXPECT_TRUE(Audio_Exists(0));
  EXPECT_FALSE(Audio_Exists(3));
  EXPECT_EQ(Audio_GetType(0), 0);
  EXPECT_EQ(Audio_GetType(-1), -1);
  EXPECT_GT(Audio_GetBuffer(0), 0);
  EXPECT_EQ(Audio_GetBuffer(2), 0);  // no image: no buffer
  EXPECT_FLOAT_EQ(Audio_GetVolume(1), 0.5f);
  EXPECT_FLOAT_EQ(Audio_GetVolume(7), 1.0f);
  EXPECT_EQ(Sound_Find("snd_quiet"), 1);
  EXPECT_NEAR(Audio_SoundLength(0), 1.0f, 1e-4);
  EXPECT_FLOAT_EQ(Audio_SoundLength(5), -1.0f);
}

TEST_F(AudioSystem, AFullPoolEvictsOnlyALowerPriorityAndTheEvictedIdLetsGo) {
  Audio_SetChannelCount(2);
  int32_t first = Audio_PlaySoundSimple(0, 5, 0);
  int32_t second = Audio_PlaySoundSimple(0, 5, 0);
  EXPECT_EQ(first, 200000);
  EXPECT_EQ(second, 200001);
  EXPECT_EQ(Audio_PlaySoundSimple(0, 5, 0), -1);
  int32_t slotOfFirst = Audio_SlotOfPlay(first);
  int32_t third = Audio_PlaySoundSimple(0, 6, 0);
  EXPECT_EQ(third, 200002);
  EXPECT_EQ(Audio_SlotOfPlay(third), slotOfFirst);
  EXPECT_FALSE(Sounding(first));
  Audio_StopSound(first);
  EXPECT_TRUE(Sounding(third));
  EXPECT_TRUE(Sounding(second));
  // 199999 names an asset, not a play.
  Audio_StopSound(199999);
  EXPECT_TRUE(Sounding(third));
}

TEST_F(AudioSystem, APlayOfAMissingAssetSilencesNothing) {
  Audio_SetChannelCount(1);
  int32_t low = Audio_PlaySoundSimple(0, 1, 0);
  EXPECT_EQ(Audio_PlaySoundSimple(9, 10, 0), -1);
  EXPECT_EQ(Audio_PlaySoundAt(9, 0, 0, 0, 100, 1000, 1, 0, 10), -1);
  int32_t emitter = Audio_EmitterCreate();
  EXPECT_EQ(Audio_PlaySound(emitter, 9, 0, 10), -1);
  EXPECT_TRUE(Sounding(low));
}

// The pool is kept to 1,024 channels: a larger count is refused with a line
// and leaves the pool as it was.
TEST_F(AudioSystem, AChannelCountOverTheBudgetIsRefusedAndChangesNothing) {
  Audio_SetChannelCount(8);
  for (int32_t bad : {1025, 100000, -1}) {
    testsupport::ConsoleCapture console;
    Audio_SetChannelCount(bad);
    EXPECT_EQ(Audio_ChannelCount(), 8) << bad;
    EXPECT_NE(console.Text().find("out of range (0 to 1024)"), std::string::npos) << bad;
  }
  Audio_SetChannelCount(1024);
  EXPECT_EQ(Audio_ChannelCount(), 1024);
}

TEST_F(AudioSystem, PausedPlaysAreNotPlayingAndResumeOnlyFromPause) {
  int32_t id = Audio_PlaySoundSimple(0, 1, 1);
  Audio_PauseSound(id);
  EXPECT_FALSE(Audio_IsPlaying(id));
  EXPECT_FALSE(Audio_IsPlaying(0));
  Audio_ResumeSound(id);
  EXPECT_TRUE(Audio_IsPlaying(id));
  Audio_PauseAll();
  EXPECT_FALSE(Audio_IsPlaying(id));
  Audio_ResumeAll();
  EXPECT_TRUE(Audio_IsPlaying(0));
  Audio_StopAll();
  EXPECT_FALSE(Audio_IsPlaying(id));
  EXPECT_FLOAT_EQ(Audio_SoundLength(id), -1.0f);
}

TEST_F(AudioSystem, EmittersComeBackWithTheirSettingsAndRefuseInactivePlays) {
  int32_t e = Audio_EmitterCreate();
  EXPECT_EQ(e, 0);
  Audio_EmitterPosition(e, 10, 20, 30);
  Audio_EmitterGain(e, 0.25);
  Audio_EmitterGain(e, -1);
  Audio_EmitterPitch(e, 2);
  Audio_EmitterFalloff(e, 50, 500, 2);
  int32_t id = Audio_PlaySound(e, 0, 1, 1);
  EXPECT_GE(id, kAudioPlayIdBase);
  Audio_FrameUpdate();
  Audio_EmitterFree(e);
  EXPECT_TRUE(Audio_EmitterExists(e));
  EXPECT_TRUE(Audio_IsPlaying(id));  // a freed emitter's voices play on
  EXPECT_EQ(Audio_EmitterCreate(), e);
  int32_t second = Audio_PlaySound(e, 1, 0, 1);
  ASSERT_GE(second, kAudioPlayIdBase);
  // The kept gain (times the asset's 0.5), pitch and falloff reach the new play.
  ALuint source = Audio_State().sources[static_cast<size_t>(Audio_SlotOfPlay(second))];
  ALfloat gain = 0, pitch = 0, reference = 0;
  alGetSourcef(source, AL_GAIN, &gain);
  alGetSourcef(source, AL_PITCH, &pitch);
  alGetSourcef(source, AL_REFERENCE_DISTANCE, &reference);
  EXPECT_FLOAT_EQ(gain, 0.125f);
  EXPECT_FLOAT_EQ(pitch, 2.0f);
  EXPECT_FLOAT_EQ(reference, 50.0f);
  Audio_FrameUpdate();
  ALfloat position[3] = {};
  alGetSourcefv(source, AL_POSITION, position);
  EXPECT_FLOAT_EQ(position[2], 30.0f);
  EXPECT_EQ(Audio_PlaySound(1, 0, 0, 1), -1);
  EXPECT_EQ(console_.Text().find("inactive emitter 8"), std::string::npos);
  EXPECT_EQ(Audio_PlaySound(8, 0, 0, 1), -1);
  EXPECT_NE(console_.Text().find("Audio_PlaySound Attempting to play sound on inactive emitter 1\n"),
            std::string::npos);
  EXPECT_EQ(console_.Text().find("inactive emitter 8"), std::string::npos);
}

TEST_F(AudioSystem, SettingsRefuseWhatTheyCannotTake) {
  const size_t before = console_.Lines().size();
  Audio_SetFalloffModel(7);
  Audio_SetFalloffModel(6);
  ASSERT_EQ(console_.Lines().size(), before + 1);
  EXPECT_EQ(console_.Lines().back(), "Attempting to set audio falloff to unknown model\n");
  Audio_SetChannelCount(-1);
  Audio_SetChannelCount(100000);
  EXPECT_EQ(Audio_ChannelCount(), 128);
  EXPECT_EQ(console_.Lines().size(), before + 3);
  Audio_SetMasterGain(-0.5);
  ALfloat gain = 1;
  alGetListenerf(AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.0f);
}

TEST_F(AudioSystem, AnEmptyPoolCanBeRefilled) {
  Audio_SetChannelCount(0);
  EXPECT_EQ(Audio_PlaySoundSimple(0, 1, 0), -1);
  Audio_SetChannelCount(1);
  EXPECT_GE(Audio_PlaySoundSimple(0, 1, 0), kAudioPlayIdBase);
}

TEST_F(AudioSystem, ValuesThatAreNoNumbersAreRefusedAndLogged) {
  const double nan = std::nan("");
  EXPECT_GE(Audio_PlaySoundAt(0, nan, 0, 0, 100, 1000, 1, 0, 1), kAudioPlayIdBase);
  EXPECT_NE(console_.Text().find("Error updating sample position\n"), std::string::npos);
  int32_t e = Audio_EmitterCreate();
  Audio_EmitterPosition(e, 0, std::numeric_limits<double>::infinity(), 0);
  Audio_PlaySound(e, 0, 0, 1);
  Audio_FrameUpdate();
  EXPECT_NE(console_.Text().find("Error updating emitter\n"), std::string::npos);
  Audio_SetMasterGain(nan);
  Audio_FrameUpdate();
  EXPECT_NE(console_.Text().find("AL Error : "), std::string::npos);
}

TEST_F(AudioSystem, TheOldSystemLeavesEveryPlayAndEmitterAlone) {
  g_newAudio = 0;
  EXPECT_EQ(Audio_PlaySoundSimple(0, 1, 0), -1);
  EXPECT_EQ(Audio_EmitterCreate(), -1);
  EXPECT_FALSE(Audio_IsPlaying(0));
  EXPECT_TRUE(Audio_Exists(0));
}

class AudioLengthTest : public AudioTest {};

// 176400 bytes: 44100 frames of 2 channels of 2 bytes.
TEST_F(AudioLengthTest, StereoSecondMeasuresOneSecond) {
  StartAudio({{"snd"}}, {Wave(44100, 2, 1.0, 0)});
  EXPECT_FLOAT_EQ(Audio_SoundLength(0), 1.0f);
}

TEST_F(AudioLengthTest, NoAudioClearsTheSelection) {
  g_runFlags.noAudio = true;
  g_newAudio = 1;
  Sound_Prepare();
  EXPECT_EQ(g_newAudio, 0);
  EXPECT_EQ(Audio_PlaySoundSimple(0, 1, 0), -1);
}

}  // namespace
}  // namespace audiotest

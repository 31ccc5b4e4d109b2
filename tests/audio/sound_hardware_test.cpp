#include <AL/al.h>

#include <memory>

#include "audio/audio_fixture.h"
#include "audio/openal/sound_hardware.h"
#include "files/file_layer.h"
#include "platform/media_control.h"

namespace audiotest {
namespace {

// Answers every command and keeps it.
class ScriptedDevice final : public MediaDevice {
 public:
  int32_t Command(const std::string& command, std::string* reply) override {
    commands.push_back(command);
    *reply = "stopped";
    return kMediaOk;
  }
  std::vector<std::string> commands;
};

int32_t g_speed = 0;
int32_t Speed() { return g_speed; }

class Hardware : public AudioTest {
 protected:
  void SetUp() override {
    StartAudio({}, {});
    Media_RegisterDevice("mpegvideo", &device_);
    SoundHardware_SetRoomSpeedSource(Speed);
    g_speed = 30;
    hardware_ = SoundHardware_Get();
  }
  void TearDown() override {
    Media_RegisterDevice("mpegvideo", nullptr);
    SoundHardware_SetRoomSpeedSource(nullptr);
    AudioTest::TearDown();
  }
  HardwareSound* LoadLong() {
    std::vector<uint8_t> wave = Wave(22050, 1, 1.0);
    int32_t id = Sound_AddHardwareFromStream(wave.data(), wave.size(), 0);
    return HardwareTable_Get(id).sound;
  }
  static ALint State(ALuint source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
  }
  ScriptedDevice device_;
  SoundHardware* hardware_ = nullptr;
};

TEST_F(Hardware, PlaysTakeTheFourSourcesInTurn) {
  HardwareSound* sound = LoadLong();
  ASSERT_NE(sound, nullptr);
  for (int play = 0; play < 4; ++play) {
    EXPECT_EQ(sound->nextSource, play);
    hardware_->Play(sound, false);
    EXPECT_EQ(State(sound->sources[play]), AL_PLAYING);
  }
  EXPECT_EQ(sound->nextSource, 0);
  hardware_->Play(sound, false);
  EXPECT_EQ(sound->nextSource, 1);
  EXPECT_TRUE(hardware_->Playing(sound));
  hardware_->Stop(sound);
  EXPECT_FALSE(hardware_->Playing(sound));
}

TEST_F(Hardware, FadesCountFramesAtTheRoomSpeed) {
  EXPECT_EQ(SoundHardware_FadeFrames(1000), 30);
  EXPECT_EQ(SoundHardware_FadeFrames(10), 1);
  g_speed = 60;
  EXPECT_EQ(SoundHardware_FadeFrames(1000), 62);
  g_speed = 0;  // no room: 33 ms frames
  EXPECT_EQ(SoundHardware_FadeFrames(1000), 30);
  HardwareSound* sound = LoadLong();
  hardware_->SetVolume({sound, false}, 1.3f, 100);
  for (int frame = 0; frame < 3; ++frame) hardware_->Tick();
  EXPECT_FLOAT_EQ(sound->volume, 1.0f);
  EXPECT_EQ(sound->fadeFramesLeft, 0);
}

TEST_F(Hardware, MusicVolumeWithoutMusicIsSetAtOnceAndSendsNothing) {
  hardware_->SetVolume({nullptr, true}, 0.5f, 1000);
  EXPECT_FLOAT_EQ(SoundHardware_MusicVolume(), 0.5f);
  hardware_->Tick();
  EXPECT_TRUE(device_.commands.empty());
}

TEST_F(Hardware, MusicCommandsAddressTheNewestAlias) {
  LoadSave_SetProgramDirectory("/games/x/");
  hardware_->PlayMP3("one.mp3", false);
  hardware_->PlayMP3("two.mp3", true);
  hardware_->PlayMIDI("music\\theme.mid", false);
  EXPECT_STREQ(SoundHardware_MusicName(), "music\\theme.mp3");
  hardware_->SetVolume({nullptr, true}, 0.4567f, 10);
  hardware_->Tick();
  ASSERT_FALSE(device_.commands.empty());
  EXPECT_EQ(device_.commands.back(), "setaudio MediaFile3 volume to 456");
  const std::vector<std::string> expected = {
      "open \"/games/x/one.mp3\" type mpegvideo alias MediaFile1",
      "set MediaFile1 time format milliseconds",
      "set MediaFile1 seek exactly on",
      "play MediaFile1",
      "seek MediaFile1 to start",
      "stop MediaFile1",
      "open \"/games/x/two.mp3\" type mpegvideo alias MediaFile2",
      "set MediaFile2 time format milliseconds",
      "set MediaFile2 seek exactly on",
      "play MediaFile2 repeat",
      "seek MediaFile2 to start",
      "stop MediaFile2",
      "open \"/games/x/music/theme.mp3\" type mpegvideo alias MediaFile3",
  };
  ASSERT_GE(device_.commands.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(device_.commands[i], expected[i]) << i;
  EXPECT_FALSE(hardware_->PlayingMP3());
}

TEST_F(Hardware, AMissingFileGivesTheFourFailureLinesInOrder) {
  Media_RegisterDevice("mpegvideo", nullptr);
  const size_t before = console_.Lines().size();
  hardware_->PlayMP3("/nowhere/gone.mp3", false);
  const auto& lines = console_.Lines();
  ASSERT_EQ(lines.size(), before + 4);
  EXPECT_EQ(lines[before].rfind("error opening mp3 file /nowhere/gone.mp3 - ", 0), 0u);
  EXPECT_EQ(lines[before + 1].rfind("error opening set file time format for /nowhere/gone.mp3 - ", 0), 0u);
  EXPECT_EQ(lines[before + 2].rfind("error opening set file seek exactly for /nowhere/gone.mp3 - ", 0), 0u);
  EXPECT_EQ(lines[before + 3].rfind("error playing file for /nowhere/gone.mp3 - ", 0), 0u);
  EXPECT_FALSE(hardware_->PlayingMP3());
  EXPECT_STREQ(SoundHardware_MusicName(), "/nowhere/gone.mp3");
}

TEST_F(Hardware, ImagesThatAreNotWavesOrClaimTooMuchGiveNoSound) {
  const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'};
  EXPECT_EQ(hardware_->Load(text.data(), text.size()), nullptr);
  EXPECT_EQ(console_.Lines().back(), "ALUT error on load 0000020f(527) : Unsupported file type\n");
  std::vector<uint8_t> wave = Wave(22050, 1, 0.01);
  wave[40] = 0xFF;  // the data chunk claims far more than it holds
  wave[41] = 0xFF;
  wave[42] = 0xFF;
  wave[43] = 0xFF;
  EXPECT_EQ(hardware_->Load(wave.data(), wave.size()), nullptr);
  EXPECT_EQ(console_.Lines().back().rfind("ALUT error on load 00000211(529) : ", 0), 0u);
  int32_t id = Sound_AddHardwareFromImage(text.data(), static_cast<uint32_t>(text.size()), 0);
  hardware_->Play(HardwareTable_Get(id).sound, false);
  EXPECT_FALSE(hardware_->Playing(HardwareTable_Get(id).sound));
}

TEST_F(Hardware, TheHardwareTableReusesNothingAndKeepsMusicSoundless) {
  std::vector<uint8_t> wave = Wave(22050, 1, 0.01);
  EXPECT_EQ(Sound_AddHardwareFromImage(wave.data(), static_cast<uint32_t>(wave.size()), 3), 0);
  EXPECT_EQ(HardwareTable_Get(0).kind, 1);
  EXPECT_EQ(HardwareTable_Get(0).sound, nullptr);
  EXPECT_EQ(Sound_AddHardwareFromStream(wave.data(), wave.size(), 3), 1);
  EXPECT_NE(HardwareTable_Get(1).sound, nullptr);
}

}  // namespace
}  // namespace audiotest

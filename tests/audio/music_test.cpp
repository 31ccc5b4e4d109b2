#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "audio/audio_fixture.h"
#include "audio/openal/sound_hardware.h"
#include "platform/media_control.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;

void Wait(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

std::string Reply(const std::string& command) {
  char reply[64];
  int32_t result = Media_SendCommand(command.c_str(), reply, sizeof reply);
  return result == kMediaOk ? std::string(reply) : "error " + std::to_string(result);
}

// An MP3 of a 660 Hz tone, made with sox and lame.
class Music : public AudioTest {
 protected:
  void SetUp() override {
    if (std::system("command -v sox >/dev/null && command -v lame >/dev/null") != 0) GTEST_SKIP() << "no sox or lame";
    folder_ = fs::temp_directory_path() / ("kv_music_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    mp3_ = (folder_ / "tone.mp3").string();
    std::string make = "sox -n -r 44100 -c 1 '" + (folder_ / "tone.wav").string() +
                       "' synth 0.4 sine 660 && lame --quiet '" + (folder_ / "tone.wav").string() + "' '" + mp3_ + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    StartAudio({}, {});
  }
  void TearDown() override {
    Media_CloseAll();
    AudioTest::TearDown();
    fs::remove_all(folder_);
  }
  fs::path folder_;
  std::string mp3_;
};

TEST_F(Music, AStreamPlaysPausesAndEndsAndStatusFollows) {
  ASSERT_EQ(Reply("open \"" + mp3_ + "\" type mpegvideo alias m"), "");
  EXPECT_NEAR(std::atoi(Reply("status m length").c_str()), 400, 60);
  EXPECT_EQ(Reply("status m mode"), "stopped");
  EXPECT_EQ(Reply("play m"), "");
  EXPECT_EQ(Reply("status m mode"), "playing");
  Wait(100);
  EXPECT_EQ(Reply("pause m"), "");
  EXPECT_EQ(Reply("status m mode"), "paused");
  int position = std::atoi(Reply("status m position").c_str());
  Wait(150);
  EXPECT_EQ(std::atoi(Reply("status m position").c_str()), position);
  EXPECT_EQ(Reply("resume m"), "");
  Wait(900);
  EXPECT_EQ(Reply("status m mode"), "stopped");
  EXPECT_EQ(Media_ActiveStreams(), 0);
  EXPECT_EQ(Reply("close m"), "");
  EXPECT_EQ(Reply("status m mode"), "error " + std::to_string(kMediaNotOpen));
}

TEST_F(Music, RepeatGoesOnPastTheLength) {
  ASSERT_EQ(Reply("open \"" + mp3_ + "\" type mpegvideo alias r"), "");
  EXPECT_EQ(Reply("play r repeat"), "");
  Wait(900);
  EXPECT_EQ(Reply("status r mode"), "playing");
  EXPECT_LT(std::atoi(Reply("status r position").c_str()), 500);
  EXPECT_EQ(Reply("stop r"), "");
  EXPECT_EQ(Media_ActiveStreams(), 0);
}

TEST_F(Music, RefusedCommandsAnswerAnErrorAndAnEmptyReply) {
  EXPECT_EQ(Reply("open \"" + mp3_ + "\" type cdaudio alias cd"), "error " + std::to_string(kMediaUnknownDevice));
  ASSERT_EQ(Reply("open \"" + mp3_ + "\" type mpegvideo alias v"), "");
  EXPECT_EQ(Reply("setaudio v volume to 1001"), "error " + std::to_string(kMediaBadValue));
  EXPECT_EQ(Reply("setaudio v volume to -1"), "error " + std::to_string(kMediaBadValue));
  EXPECT_EQ(Reply("setaudio v volume to 1000"), "");
  EXPECT_EQ(Reply("dance v"), "error " + std::to_string(kMediaUnknownCommand));
  std::string bad = folder_ / "tone.wav";
  EXPECT_EQ(Reply("open \"" + bad + "\" type mpegvideo alias w"), "error " + std::to_string(kMediaNotDecodable));
}

TEST_F(Music, ManyMusicChangesLeaveOnlyTheLastStreamHeld) {
  SoundHardware* hardware = SoundHardware_Get();
  for (int change = 0; change < 300; ++change) hardware->PlayMP3(mp3_.c_str(), true);
  EXPECT_EQ(Media_ActiveStreams(), 1);
  EXPECT_TRUE(hardware->PlayingMP3());
  hardware->StopMusic();
  EXPECT_EQ(Media_ActiveStreams(), 0);
  EXPECT_EQ(console_.Text().find("error"), std::string::npos);
}

}  // namespace
}  // namespace audiotest

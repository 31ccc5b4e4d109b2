// What reaches the speakers, mixed as the virtual clock moves
// (KORVALITH_AUDIO_OUT): each case runs in its own process, writes a stereo
// 16-bit file, and reads it after the device is closed. The mix depends on
// the waits alone, never on how fast the machine runs.
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "audio/audio_fixture.h"
#include "audio/openal/sound_hardware.h"
#include "platform/media_control.h"
#include "platform/switches.h"
#include "runtime/timer.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;

void Wait(int milliseconds) { Timer_WaitMicroseconds(int64_t{milliseconds} * 1000); }

struct Stereo {
  std::vector<double> left, right;
};

uint32_t ReadLe(const std::vector<char>& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
         uint32_t{static_cast<uint8_t>(b[at + 3])} << 24;
}

Stereo ReadWave(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Stereo out;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = ReadLe(b, at + 4);
    if (std::string(b.data() + at, 4) == "data") {
      size_t end = std::min(b.size(), at + 8 + size);
      for (size_t p = at + 8; p + 4 <= end; p += 4) {
        out.left.push_back(static_cast<int16_t>(ReadLe(b, p) & 0xFFFF));
        out.right.push_back(static_cast<int16_t>(ReadLe(b, p) >> 16));
      }
      break;
    }
    at += 8 + size;
  }
  return out;
}

// Runs of sound: [first, last) frame ranges where either channel is heard,
// gaps of less than 20 ms joined.
std::vector<std::pair<size_t, size_t>> Segments(const Stereo& s) {
  std::vector<std::pair<size_t, size_t>> runs;
  const size_t gap = kRate / 50;
  for (size_t i = 0; i < s.left.size(); ++i) {
    if (std::abs(s.left[i]) < 100 && std::abs(s.right[i]) < 100) continue;
    if (!runs.empty() && i - runs.back().second < gap) {
      runs.back().second = i + 1;
    } else {
      runs.push_back({i, i + 1});
    }
  }
  return runs;
}

double Rms(const std::vector<double>& v, std::pair<size_t, size_t> run) {
  double sum = 0;
  for (size_t i = run.first; i < run.second; ++i) sum += v[i] * v[i];
  return std::sqrt(sum / static_cast<double>(run.second - run.first));
}

double Frequency(const std::vector<double>& v, std::pair<size_t, size_t> run) {
  int crossings = 0;
  for (size_t i = run.first + 1; i < run.second; ++i) crossings += (v[i - 1] < 0) != (v[i] < 0) ? 1 : 0;
  return crossings / 2.0 / (static_cast<double>(run.second - run.first) / kRate);
}

class WaveOutput : public AudioTest {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("kv_wave_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    setenv("KORVALITH_CLOCK", "virtual", 1);
    setenv("KORVALITH_AUDIO_OUT", (folder_ / "out.wav").c_str(), 1);
    Switches_Reload();
    Timer_SelectClock(TimerClockKind::kVirtual);
  }
  // Closes the device so that the file is complete, then reads it.
  Stereo Finish() {
    Sound_End();
    return ReadWave(folder_ / "out.wav");
  }
  void TearDown() override {
    AudioTest::TearDown();
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_F(WaveOutput, ATonePlaysAtItsPitch) {
  StartAudio({{"tone"}}, {Wave(kRate, 1, 0.3, 440)});
  ASSERT_GE(Audio_PlaySoundSimple(0, 1, 0), kAudioPlayIdBase);
  Wait(500);
  Stereo out = Finish();
  auto runs = Segments(out);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_NEAR(Frequency(out.left, runs[0]), 440, 5);
}

TEST_F(WaveOutput, HalfTheMasterGainHalvesTheLevel) {
  StartAudio({{"tone"}}, {Wave(kRate, 1, 0.2, 440)});
  Audio_PlaySoundSimple(0, 1, 0);
  Wait(400);
  Audio_SetMasterGain(0.5);
  Audio_PlaySoundSimple(0, 1, 0);
  Wait(400);
  Stereo out = Finish();
  auto runs = Segments(out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NEAR(Rms(out.left, runs[1]) / Rms(out.left, runs[0]), 0.5, 0.025);
}

TEST_F(WaveOutput, ASoundOnThePositiveXSideIsLouderLeft) {
  StartAudio({{"tone"}}, {Wave(kRate, 1, 0.2, 440)});
  Audio_PlaySoundAt(0, 100, 0, 0, 100, 100000, 1, 0, 1);
  Wait(400);
  Stereo out = Finish();
  auto runs = Segments(out);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_GT(Rms(out.left, runs[0]), 1.5 * Rms(out.right, runs[0]));
}

TEST_F(WaveOutput, ThreeTimesTheDistanceGivesAThirdOfTheLevel) {
  StartAudio({{"tone"}}, {Wave(kRate, 1, 0.2, 440)});
  Audio_PlaySoundAt(0, 0, 0, 100, 100, 100000, 1, 0, 1);
  Wait(400);
  Audio_PlaySoundAt(0, 0, 0, 300, 100, 100000, 1, 0, 1);
  Wait(400);
  Stereo out = Finish();
  auto runs = Segments(out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NEAR(Rms(out.left, runs[1]) / Rms(out.left, runs[0]), 1.0 / 3.0, 0.07 / 3.0);
}

TEST_F(WaveOutput, AnMp3SoundsRepeatsPastItsLengthAndIsSilentWhilePaused) {
  if (std::system("command -v sox >/dev/null && command -v lame >/dev/null") != 0) GTEST_SKIP() << "no sox or lame";
  std::string wav = (folder_ / "tone.wav").string(), mp3 = (folder_ / "tone.mp3").string();
  ASSERT_EQ(
      std::system(("sox -n -r 44100 -c 1 '" + wav + "' synth 0.3 sine 660 && lame --quiet '" + wav + "' '" + mp3 + "'")
                      .c_str()),
      0);
  StartAudio({}, {});
  SoundHardware* hardware = SoundHardware_Get();
  hardware->PlayMP3(mp3.c_str(), true);
  Wait(700);
  EXPECT_TRUE(hardware->PlayingMP3());
  hardware->PauseMusic();
  EXPECT_FALSE(hardware->PlayingMP3());
  Wait(400);
  hardware->ResumeMusic();
  Wait(200);
  hardware->StopMusic();
  Wait(100);
  Stereo out = Finish();
  auto runs = Segments(out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_GT(runs[0].second - runs[0].first, kRate * 6 / 10);  // past the 0.3 s file
  EXPECT_GT(runs[1].first - runs[0].second, kRate * 3 / 10);  // the pause
  EXPECT_NEAR(Frequency(out.left, runs[0]), 660, 5);
}

}  // namespace
}  // namespace audiotest

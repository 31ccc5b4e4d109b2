// The actions over real services: sound in both audio modes on the null
// device, the CD layer, the particle workers and the web page opener.
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "audio/audio_fixture.h"
#include "builtin_test_support.h"
#include "builtins/actions/rows.h"
#include "graphics/particles/particles.h"
#include "world/start/service_list.h"

namespace {

double Call(const char* name, std::vector<GoldenArg> args) {
  for (const BuiltinRow& row : kActionRows) {
    if (std::string(row.name) == name) return BuiltinCall(row.handler, args).Real();
  }
  ADD_FAILURE() << name;
  return 0;
}

using Texts = std::vector<std::string>;

class ActionSound : public audiotest::AudioTest {
 protected:
  // Sound 0 a sound, sound 1 music, sound 2 of a kind that plays nothing.
  void Start(bool newAudio) {
    const std::vector<audiotest::TestSound> sounds = {{"snd0", 0}, {"snd1", 1}, {"snd2", 3}};
    if (newAudio) {
      StartAudio(sounds, {audiotest::Wave(22050, 1, 0.2)});
      return;
    }
    g_runFlags.noAudio = false;
    g_newAudio = 0;
    game_ = audiotest::BuildSoundGame(sounds, {audiotest::Wave(22050, 1, 0.2)});
    ASSERT_TRUE(Sound_Init(game_.image, game_.sond, game_.sondSize));
    ASSERT_TRUE(Wave_Init(game_.image, game_.audo, game_.audoSize));
    Sound_Prepare();
    Sound_PrepareAll();
  }
};

TEST_F(ActionSound, ALoopedSoundPlaysUntilItIsEndedInBothModes) {
  for (bool newAudio : {false, true}) {
    Start(newAudio);
    ErrorCapture errors;
    Call("action_sound", {R(0), R(1)});
    Audio_FrameUpdate();
    EXPECT_EQ(Call("action_if_sound", {R(0)}), 1) << newAudio;
    Call("action_end_sound", {R(0)});
    Audio_FrameUpdate();
    EXPECT_EQ(Call("action_if_sound", {R(0)}), 0) << newAudio;
    EXPECT_EQ(Call("action_if_sound", {R(99)}), 0) << newAudio;
    Call("action_sound", {R(99), R(0)});
    Call("action_end_sound", {R(NAN)});
    const Texts unknown = {"Trying to play non-existing sound.", "Trying to stop non-existing sound."};
    EXPECT_EQ(errors.Messages(), newAudio ? Texts{} : unknown);
    TearDown();
  }
}

// Music goes to the music player (which plays only MP3 files) and other
// kinds play nothing: neither takes a voice.
TEST_F(ActionSound, TheAudioSystemPlaysOnlySoundsOnVoices) {
  Start(true);
  Call("action_sound", {R(1), R(1)});
  Call("action_sound", {R(2), R(1)});
  EXPECT_EQ(Call("action_if_sound", {R(1)}), 0);
  EXPECT_EQ(Call("action_if_sound", {R(2)}), 0);
  Call("action_end_sound", {R(1)});
  Call("action_end_sound", {R(2)});
}

TEST(ActionCd, ThereIsNoDrive) {
  EXPECT_EQ(Call("action_cd_present", {}), 0);
  Call("action_cd_play", {R(1), R(2)});
  EXPECT_EQ(Call("action_cd_playing", {}), 0);
}

class ActionParticles : public ::testing::Test {
 protected:
  void SetUp() override {
    ServiceList_Install();
    Particle_Init();
    ActionBuiltins_Prepare();
  }
  void TearDown() override { Particle_Init(); }
};

TEST_F(ActionParticles, EmittersMustBeMadeBeforeTheyBurst) {
  ErrorCapture errors;
  Call("action_parttype_life", {R(0), R(50), R(50)});
  Call("action_partemit_burst", {R(3), R(0), R(10)});
  EXPECT_EQ(errors.Messages(), Texts{"The particle emitter must first be created."});
  // The first action made the system, number 0.
  EXPECT_EQ(Particle_Particles_Count(0), 0);
  Call("action_partemit_create", {R(3), R(0), R(0), R(10), R(0), R(10)});
  Call("action_partemit_burst", {R(3), R(0), R(10)});
  EXPECT_EQ(Particle_Particles_Count(0), 10);
  Call("action_partsyst_clear", {});
  EXPECT_EQ(Particle_Particles_Count(0), 0);
}

// A slot outside 0..15 in any slot argument makes the action do nothing.
TEST_F(ActionParticles, EverySlotArgumentIsHeldToTheSixteen) {
  Call("action_parttype_life", {R(0), R(50), R(50)});
  Call("action_partemit_create", {R(0), R(0), R(0), R(10), R(0), R(10)});
  ErrorCapture errors;
  for (double slot : {-1.0, 16.0, double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300}) {
    Call("action_parttype_secondary", {R(0), R(slot), R(1), R(0), R(1)});
    Call("action_parttype_secondary", {R(0), R(0), R(1), R(slot), R(1)});
    Call("action_parttype_life", {R(slot), R(1), R(1)});
    Call("action_partemit_create", {R(slot), R(0), R(0), R(1), R(0), R(1)});
    Call("action_partemit_burst", {R(0), R(slot), R(5)});
    Call("action_partemit_stream", {R(slot), R(0), R(5)});
    Call("action_partemit_destroy", {R(slot)});
  }
  EXPECT_EQ(errors.Messages(), Texts{});
  EXPECT_EQ(Particle_Particles_Count(0), 0);
  EXPECT_FALSE(Particle_Type_Exists(1));
  // Destroying a system forgets it; the next action makes another.
  Call("action_partsyst_destroy", {});
  EXPECT_FALSE(Particle_System_Exists(0));
  Call("action_partsyst_create", {R(5)});
  EXPECT_TRUE(Particle_System_Exists(0));
}

TEST(ActionWebpage, TheUrlGoesToTheDesktopsOpener) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kv_webpage_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "bin");
  const std::filesystem::path opener = folder / "bin" / "xdg-open";
  std::ofstream(opener) << "#!/bin/sh\necho \"$@\" > \"" << (folder / "tmp").string() << "\"\nmv \""
                        << (folder / "tmp").string() << "\" \"" << (folder / "record").string() << "\"\n";
  chmod(opener.c_str(), 0755);
  const std::string saved = std::getenv("PATH");
  setenv("PATH", ((folder / "bin").string() + ":" + saved).c_str(), 1);
  ErrorCapture errors;
  Call("action_webpage", {S("https://example.org/a b")});
  std::string recorded;
  for (int i = 0; i < 100 && recorded.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(folder / "record");
    std::ostringstream text;
    text << in.rdbuf();
    recorded = text.str();
  }
  EXPECT_EQ(recorded, "https://example.org/a b\n");
  EXPECT_EQ(errors.Messages(), Texts{});

  // Without any opener on the path.
  setenv("PATH", (folder / "none").c_str(), 1);
  Call("action_webpage", {S("https://example.org/")});
  setenv("PATH", saved.c_str(), 1);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(errors.Messages(), Texts{"Failed to open the webpage."});
}

}  // namespace

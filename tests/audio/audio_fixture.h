// A fixture that opens the null device, selects the audio system and loads
// sounds made in memory.
#pragma once

#include <gtest/gtest.h>

#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "audio/sound_game.h"
#include "audio/sound_store.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"
#include "support/test_support.h"

namespace audiotest {

// The null device open, the audio system selected, the sounds loaded.
class AudioTest : public testing::Test {
 protected:
  void StartAudio(const std::vector<TestSound>& sounds, const std::vector<std::vector<uint8_t>>& images) {
    g_runFlags.noAudio = false;
    g_newAudio = 1;
    g_audioPlayIdCounter = kAudioPlayIdBase;
    game_ = BuildSoundGame(sounds, images);
    ASSERT_TRUE(Audio_Load(game_.image, game_.sond, game_.sondSize));
    ASSERT_TRUE(Audio_WAVs(game_.image, game_.audo, game_.audoSize));
    Sound_Prepare();
    Audio_PrepareBuffers();
  }
  void TearDown() override {
    Sound_End();
    Sound_FreeAll();
    SoundHardware_ResetMusic();
    g_newAudio = 0;
    g_runFlags.noAudio = false;
  }
  SoundGame game_;
  testsupport::ConsoleCapture console_;
};

}  // namespace audiotest

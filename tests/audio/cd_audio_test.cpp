// CD audio: without a drive every query is 0 and every action nothing; a
// scripted "cdaudio" device shows the command sequences.
#include "audio/cd_audio.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/media_control.h"

namespace {

// A disc of ten tracks; replies by command, every command kept.
class ScriptedDisc : public MediaDevice {
 public:
  int32_t Command(const std::string& command, std::string* reply) override {
    sent.push_back(command);
    if (command == "status cdaudio media present") *reply = "true";
    if (command == "status cdaudio number of tracks") *reply = "10";
    if (command == "status cdaudio mode") *reply = mode;
    if (command == "status cdaudio position") *reply = position;
    return kMediaOk;
  }
  std::vector<std::string> Plays() const {
    std::vector<std::string> plays;
    for (const std::string& c : sent) {
      if (c.rfind("play", 0) == 0 || c.rfind("seek", 0) == 0) plays.push_back(c);
    }
    return plays;
  }
  bool Sent(const std::string& command) const {
    for (const std::string& c : sent) {
      if (c == command) return true;
    }
    return false;
  }
  std::vector<std::string> sent;
  std::string mode = "stopped";
  std::string position = "04:02:05:00";
};

class CdAudio : public testing::Test {
 protected:
  void Register() {
    Media_RegisterDevice("cdaudio", &disc_);
    CD_Init();
    disc_.sent.clear();
  }
  void TearDown() override {
    Media_RegisterDevice("cdaudio", nullptr);
    Media_CloseAll();
  }
  ScriptedDisc disc_;
};

TEST_F(CdAudio, WithoutADriveEveryQueryIsZeroAndNoActionFails) {
  CD_Init();
  EXPECT_FALSE(CD_Present());
  EXPECT_EQ(CD_GetTrackCount(), 0);
  EXPECT_FALSE(CD_Playing());
  EXPECT_FALSE(CD_Paused());
  EXPECT_EQ(CD_GetTrack(), 0);
  EXPECT_EQ(CD_GetLength(), 0);
  EXPECT_EQ(CD_GetTrackLength(1), 0);
  EXPECT_EQ(CD_GetPosition(), 0);
  EXPECT_EQ(CD_GetTrackPosition(), 0);
  CD_Play(1, 3);
  CD_Stop();
  CD_Pause();
  CD_Resume();
  CD_SetPosition(1000);
  CD_SetTrackPosition(1000);
  CD_OpenDoor();
  CD_CloseDoor();
}

TEST_F(CdAudio, PlayRangesEndAtTheStartOfTheTrackAfterTheLast) {
  Register();
  CD_Play(0, 2);
  EXPECT_EQ(disc_.Plays(), std::vector<std::string>{"play cdaudio from 1 to 3"});
  disc_.sent.clear();
  CD_Play(3, 10);
  EXPECT_EQ(disc_.Plays(), std::vector<std::string>{"play cdaudio from 3"});
  disc_.sent.clear();
  CD_Play(5, 4);
  EXPECT_EQ(disc_.sent, (std::vector<std::string>{"open cdaudio", "status cdaudio media present",
                                                  "set cdaudio time format tmsf wait"}));
}

TEST_F(CdAudio, PositionsReadTheTmsfReplyAndSeekOrPlayOnce) {
  Register();
  EXPECT_EQ(CD_GetTrack(), 4);
  EXPECT_EQ(CD_GetTrackPosition(), 125000);
  disc_.sent.clear();
  CD_SetTrackPosition(125500);
  EXPECT_EQ(disc_.Plays(), std::vector<std::string>{"seek cdaudio to 4:2:5"});
  disc_.mode = "playing";
  disc_.sent.clear();
  CD_SetPosition(30000);
  EXPECT_EQ(disc_.Plays(), std::vector<std::string>{"play cdaudio from 30000"});
  EXPECT_TRUE(disc_.Sent("set cdaudio time format milliseconds wait"));
  EXPECT_TRUE(disc_.Sent("set cdaudio time format tmsf"));
  EXPECT_TRUE(CD_Playing());
  disc_.mode = "stopped";
  EXPECT_TRUE(CD_Paused());
}

TEST_F(CdAudio, TrackLengthsOutsideTheDiscAskNothing) {
  Register();
  EXPECT_EQ(CD_GetTrackLength(11), 0);
  EXPECT_EQ(CD_GetTrackLength(0), 0);
  EXPECT_FALSE(disc_.Sent("status cdaudio length track 11"));
  CD_GetTrackLength(2);
  EXPECT_TRUE(disc_.Sent("status cdaudio length track 2"));
}

TEST(CdReplies, IntegersAreAnOptionalSignAndTheLeadingDigits) {
  EXPECT_EQ(CD_ReadInteger("42abc"), 42);
  EXPECT_EQ(CD_ReadInteger("-7"), -7);
  EXPECT_EQ(CD_ReadInteger("+3:1"), 3);
  EXPECT_EQ(CD_ReadInteger(""), 0);
  EXPECT_EQ(CD_ReadInteger("x1"), 0);
  EXPECT_EQ(CD_ReadInteger("99999999999999"), 2147483647);
}

}  // namespace

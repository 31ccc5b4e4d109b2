// Music through the media layer: one file at a time, its own fading volume,
// every command addressed to the most recently opened alias.
#include <cstring>
#include <string>

#include "audio/openal/sound_hardware.h"
#include "files/file_layer.h"
#include "platform/media_control.h"
#include "runtime/console.h"
#include "runtime/numeric.h"

namespace {

constexpr size_t kCommandBytes = 1024;
constexpr size_t kErrorBytes = 1024;

struct MusicState {
  std::string name;  // empty: no music
  float volume = 1.0f;
  float fadeStep = 0.0f;
  int32_t fadeFramesLeft = 0;
  int32_t aliasCounter = 0;
};

MusicState g_music;

// Sends the command; on failure writes `failure` with the error text as
// its last argument, after `subject` when one is given.
bool Send(const std::string& command, const char* failure, const char* subject, char* reply = nullptr,
          size_t replySize = 0) {
  int32_t result = Media_SendCommand(command.c_str(), reply, replySize);
  if (result == kMediaOk) return true;
  char text[kErrorBytes];
  Media_ErrorText(result, text, sizeof text);
  if (subject != nullptr) {
    g_debugConsole->Output(failure, subject, text);
  } else {
    g_debugConsole->Output(failure, text);
  }
  return false;
}

std::string Alias() { return "MediaFile" + std::to_string(g_music.aliasCounter); }

// "\" is "/"; a name starting with "/" stands as given, else it lies in the
// game folder; an exact name, else one differing only in letter case.
std::string MusicPath(const std::string& name) {
  std::string path = name;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.empty() || path[0] != '/') path = std::string(LoadSave_GetProgramDirectory()) + path;
  return LoadSave_ResolveCase(path);
}

void PlayFile(const std::string& name, bool loop) {
  std::string path = MusicPath(name);
  ++g_music.aliasCounter;
  const std::string alias = Alias();
  Send("open \"" + path + "\" type mpegvideo alias " + alias, "error opening mp3 file %s - %s\n", path.c_str());
  Send("set " + alias + " time format milliseconds", "error opening set file time format for %s - %s\n", path.c_str());
  Send("set " + alias + " seek exactly on", "error opening set file seek exactly for %s - %s\n", path.c_str());
  Send("play " + alias + (loop ? " repeat" : ""), "error playing file for %s - %s\n", path.c_str());
}

void SetMediaVolume(float volume) {
  // A volume that is no number gives a level the media layer refuses.
  int32_t level = Num_TruncInt32(static_cast<double>(volume * 1000.0f));
  std::string command = "setaudio " + Alias() + " volume to " + std::to_string(level);
  int32_t result = Media_SendCommand(command.c_str(), nullptr, 0);
  if (result == kMediaOk) return;
  char text[kErrorBytes];
  Media_ErrorText(result, text, sizeof text);
  g_debugConsole->Output("error setting mp3 volume to %g(%d) - %s\n", static_cast<double>(volume), level, text);
}

}  // namespace

const char* SoundHardware_MusicName() { return g_music.name.c_str(); }
float SoundHardware_MusicVolume() { return g_music.volume; }
void SoundHardware_ResetMusic() { g_music = MusicState(); }

void SoundHardware::PlayMP3(const char* name, bool loop) {
  if (SoundHardware_Off() || name == nullptr) return;
  if (!g_music.name.empty()) StopMusic();
  g_music.name = name;
  PlayFile(g_music.name, loop);
}

void SoundHardware::PlayMIDI(const char* name, bool loop) {
  if (SoundHardware_Off() || name == nullptr) return;
  if (!g_music.name.empty()) StopMusic();
  g_music.name = name;
  // "x.mid" plays "x.mp3"; only the last three characters change.
  std::string played = g_music.name;
  played.replace(played.size() >= 3 ? played.size() - 3 : 0, 3, "mp3");
  g_music.name = played;
  PlayFile(played, loop);
}

void SoundHardware::StopMusic() {
  if (SoundHardware_Off()) return;
  g_music.name.clear();
  Send("seek " + Alias() + " to start", "error stopping mp3 file seeking - %s\n", nullptr);
  Send("stop " + Alias(), "error stopping mp3 - %s\n", nullptr);
}

void SoundHardware::PauseMusic() {
  if (SoundHardware_Off()) return;
  Send("pause " + Alias(), "error pausing mp3 file - %s\n", nullptr);
}

void SoundHardware::ResumeMusic() {
  if (SoundHardware_Off()) return;
  Send("resume " + Alias(), "error resuming mp3 file - %s\n", nullptr);
}

bool SoundHardware::PlayingMP3() {
  if (SoundHardware_Off()) return false;
  char reply[kCommandBytes];
  if (!Send("status " + Alias() + " mode", "error getting mp3 status - %s\n", nullptr, reply, sizeof reply)) {
    return false;
  }
  return std::strcmp(reply, "playing") == 0;
}

void SoundHardware::SetMusicVolume(float volume, int32_t milliseconds) {
  if (g_music.name.empty()) {
    g_music.volume = volume;
    return;
  }
  int32_t frames = SoundHardware_FadeFrames(milliseconds);
  g_music.fadeStep = (volume - g_music.volume) / static_cast<float>(frames);
  g_music.fadeFramesLeft = frames;
}

void SoundHardware::TickMusic() {
  if (g_music.fadeFramesLeft < 1) return;
  --g_music.fadeFramesLeft;
  g_music.volume += g_music.fadeStep;
  SetMediaVolume(g_music.volume);
}

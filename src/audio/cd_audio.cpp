#include "audio/cd_audio.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/media_control.h"

namespace {

char g_reply[20];
char g_command[256];

const char* Send(const char* command) {
  Media_SendCommand(command, g_reply, sizeof g_reply);
  return g_reply;
}

const char* SendFormatted(const char* format, int32_t value) {
  std::snprintf(g_command, sizeof g_command, format, value);
  return Send(g_command);
}

void Open() { Send("open cdaudio"); }

const char* kTmsf = "set cdaudio time format tmsf wait";
const char* kMilliseconds = "set cdaudio time format milliseconds wait";

// The mode query of CD_Playing and CD_Paused, "" without a disc.
const char* Mode() {
  Open();
  if (!CD_Present()) return "";
  return Send("status cdaudio mode");
}

// Plays from the position while the disc plays, else seeks to it.
void PlayOrSeek(const char* position) {
  const bool playing = CD_Playing();
  std::snprintf(g_command, sizeof g_command, "%s cdaudio %s %s", playing ? "play" : "seek", playing ? "from" : "to",
                position);
  Send(g_command);
  Send("set cdaudio time format tmsf");
}

}  // namespace

int32_t CD_ReadInteger(const char* text) {
  const char* p = text;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value < INT_MAX) value = value * 10 + (*p - '0');
  }
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int32_t>(negative ? -value : value);
}

void CD_Init() {
  Send("close cdaudio");
  Open();
}

bool CD_Present() {
  Open();
  return std::strcmp(Send("status cdaudio media present"), "true") == 0;
}

int32_t CD_GetTrackCount() {
  Open();
  if (!CD_Present()) return 0;
  return CD_ReadInteger(Send("status cdaudio number of tracks"));
}

bool CD_Playing() { return std::strcmp(Mode(), "playing") == 0; }

bool CD_Paused() {
  const char* mode = Mode();
  return std::strcmp(mode, "paused") == 0 || std::strcmp(mode, "stopped") == 0;
}

int32_t CD_GetTrack() {
  Open();
  Send(kTmsf);
  if (!CD_Present()) return 0;
  const char* reply = Send("status cdaudio position");
  const char track[3] = {reply[0], reply[0] != 0 ? reply[1] : '\0', '\0'};
  return CD_ReadInteger(track);
}

int32_t CD_GetLength() {
  Open();
  Send("set cdaudio time format ms wait");
  if (!CD_Present()) return 0;
  int32_t length = CD_ReadInteger(Send("status cdaudio length wait"));
  Send(kTmsf);
  return length;
}

int32_t CD_GetTrackLength(int32_t track) {
  Open();
  if (track < 1 || track > CD_GetTrackCount()) return 0;
  Send(kMilliseconds);
  if (!CD_Present()) return 0;
  int32_t length = CD_ReadInteger(SendFormatted("status cdaudio length track %d", track));
  Send(kTmsf);
  return length;
}

int32_t CD_GetPosition() {
  Open();
  Send(kMilliseconds);
  if (!CD_Present()) return 0;
  int32_t position = CD_ReadInteger(Send("status cdaudio position"));
  Send(kTmsf);
  return position;
}

// The reply is track:minutes:seconds:frames; the frames are left out.
int32_t CD_GetTrackPosition() {
  Open();
  Send(kTmsf);
  if (!CD_Present()) return 0;
  const char* reply = Send("status cdaudio position");
  const char* minutes = std::strchr(reply, ':');
  if (minutes == nullptr) return 0;
  const char* seconds = std::strchr(minutes + 1, ':');
  const int32_t m = CD_ReadInteger(minutes + 1);
  const int32_t s = seconds != nullptr ? CD_ReadInteger(seconds + 1) : 0;
  return (s + m * 60) * 1000;
}

void CD_Play(int32_t first, int32_t last) {
  if (!CD_Present()) return;
  Send(kTmsf);
  if (last < first) return;
  if (first < 1) first = 1;
  if (last >= CD_GetTrackCount()) {
    SendFormatted("play cdaudio from %d", first);
    return;
  }
  std::snprintf(g_command, sizeof g_command, "play cdaudio from %d to %d", first, last + 1);
  Send(g_command);
}

void CD_Stop() {
  if (CD_Present()) Send("stop cdaudio");
}

void CD_Pause() {
  if (CD_Present()) Send("pause cdaudio");
}

void CD_Resume() {
  if (CD_Present()) Send("play cdaudio");
}

void CD_SetPosition(int32_t milliseconds) {
  if (!CD_Present()) return;
  Send(kMilliseconds);
  char position[16];
  std::snprintf(position, sizeof position, "%d", milliseconds);
  PlayOrSeek(position);
}

void CD_SetTrackPosition(int32_t milliseconds) {
  if (!CD_Present()) return;
  const int32_t track = CD_GetTrack();
  if (track <= 0) return;
  const int32_t minutes = milliseconds / 60000;
  const int32_t seconds = (milliseconds - minutes * 60000) / 1000;
  char position[48];
  std::snprintf(position, sizeof position, "%d:%d:%d", track, minutes, seconds);
  Send(kTmsf);
  PlayOrSeek(position);
}

void CD_OpenDoor() {
  Open();
  Send("set cdaudio door open");
}

void CD_CloseDoor() {
  Open();
  Send("set cdaudio door closed");
}

// Music through text commands: "open \"PATH\" type mpegvideo alias NAME",
// then set, play [repeat], pause, resume, seek NAME to start, stop,
// setaudio NAME volume to LEVEL (0..1000), status NAME mode|length|position
// and close. Every failure has an error code and a text; other device types
// answer an error and an empty reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum MediaError : int32_t {
  kMediaOk = 0,
  kMediaUnknownCommand = 1,
  kMediaNotOpen = 2,
  kMediaFileNotFound = 3,
  kMediaNotDecodable = 4,
  kMediaUnknownDevice = 5,
  kMediaBadValue = 6,
  kMediaNoOutput = 7,
  kMediaAliasInUse = 8,
  kMediaNotRegularFile = 9,  // a fifo, device, folder or socket where the file should be
};

// Sends one command. The reply, when a buffer is given, is always written
// (empty on failure) and cut to fit.
int32_t Media_SendCommand(const char* command, char* reply, size_t replySize);
// The text of an error code, cut to fit textSize (at least 1).
void Media_ErrorText(int32_t code, char* text, size_t textSize);
// Closes every alias and joins the feeder thread.
void Media_CloseAll();
// With true, no feeder thread starts: streams are fed only by Media_Feed,
// which a caller whose sound is rendered on demand calls before each render.
void Media_SetFedByCaller(bool byCaller);
void Media_Feed();
// How many aliases hold a decoder and a source just now.
int32_t Media_ActiveStreams();

// A device whose commands go to a test: an open naming its type binds the
// alias to it, and every later command for that alias reaches it whole.
// "open TYPE" opens it under its type's name (and reaches it whole too).
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  virtual int32_t Command(const std::string& command, std::string* reply) = 0;
};
// Null removes the device of that type.
void Media_RegisterDevice(const std::string& type, MediaDevice* device);

// Arbitrary bytes as the game file's sound records (SOND), its embedded
// audio images (AUDO), a sound image handed to the WAV reader after the
// length check, and a script's media command (MCI_command) with the CD
// reply reader. The first byte chooses; nothing may read outside the input
// or allocate more than it holds.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/cd_audio.h"
#include "audio/openal/wav_check.h"
#include "audio/sound_records.h"
#include "fuzz_support.h"
#include "platform/media_control.h"

namespace {

// The chunk inside a container, so that offsets in the bytes may point
// anywhere in a real image.
GameImage ChunkImage(const char* id, const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes = {'F', 'O', 'R', 'M', 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(id[i]));
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(size >> (8 * i)));
  bytes.insert(bytes.end(), data, data + size);
  GameImage image;
  image.Assign(std::move(bytes));
  return image;
}

void ReadWave(const uint8_t* data, size_t size) {
  static bool opened = [] {
    setenv("ALSOFT_DRIVERS", "null", 1);
    if (!alutInitWithoutContext(nullptr, nullptr)) return false;
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
    return context != nullptr && alcMakeContextCurrent(context);
  }();
  if (!opened || !Wav_LengthsFit(data, size)) return;
  ALuint buffer = alutCreateBufferFromFileImage(data, static_cast<ALsizei>(size));
  alutGetError();
  if (buffer != AL_NONE) alDeleteBuffers(1, &buffer);
  alGetError();
}

// A reply buffer as small as the CD layer's: every cut must stay inside it.
void SendCommand(const uint8_t* data, size_t size) {
  std::string command(reinterpret_cast<const char*>(data), size);
  command = command.c_str();
  char reply[20];
  Media_SendCommand(command.c_str(), reply, sizeof reply);
  CD_ReadInteger(reply);
  CD_ReadInteger(command.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  if (size == 0) return 0;
  const uint8_t choice = data[0] % 4;
  ++data;
  --size;
  if (choice == 0) {
    GameImage image = ChunkImage("SOND", data, size);
    SoundRecords records;
    SoundRecords_Read(image, 16, static_cast<uint32_t>(size), &records);
  } else if (choice == 1) {
    GameImage image = ChunkImage("AUDO", data, size);
    std::vector<AudioImage> images;
    if (AudioImages_Read(image, 16, static_cast<uint32_t>(size), &images)) {
      for (const AudioImage& entry : images) Wav_LengthsFit(entry.bytes, entry.length);
    }
  } else if (choice == 2) {
    ReadWave(data, size);
  } else {
    SendCommand(data, size);
  }
  return 0;
}

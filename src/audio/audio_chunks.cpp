#include "audio/audio_chunks.h"

#include "audio/audio_system.h"
#include "audio/sound_store.h"
#include "runtime/chunk_readers.h"
#include "runtime/run_flags.h"

namespace {

bool ReadSounds(GameImage& image, uint64_t data, uint32_t size) {
  return g_newAudio != 0 ? Audio_Load(image, data, size) : Sound_Init(image, data, size);
}

bool ReadImages(GameImage& image, uint64_t data, uint32_t size) {
  return g_newAudio != 0 ? Audio_WAVs(image, data, size) : Wave_Init(image, data, size);
}

void ClearSounds() {
  Sound_FreeAll();
  Audio_FreeAll();
}

void ClearNothing() {}

}  // namespace

void AudioChunks_Install() {
  ChunkWalk_InstallReader("SOND", ReadSounds, ClearSounds);
  ChunkWalk_InstallReader("AUDO", ReadImages, ClearNothing);
}

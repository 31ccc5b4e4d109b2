#include "world/start/audio_services.h"
#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "audio/sound_store.h"

namespace {

// Sound_Prepare answers false by design; the legacy sounds' preparation
// that follows it decides.
bool PrepareSounds() {
  Sound_Prepare();
  return Sound_PrepareAll();
}

constexpr AudioServices kReal{PrepareSounds, Audio_PrepareBuffers};

}  // namespace

const AudioServices& AudioServices_Real() { return kReal; }

#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "world/start/audio_services.h"

namespace {

// Sound_Prepare answers false by design; the legacy sounds' preparation
// that follows it decides, and has nothing to refuse yet.
bool PrepareSounds() {
  Sound_Prepare();
  return true;
}

constexpr AudioServices kReal{PrepareSounds, Audio_PrepareBuffers};

}  // namespace

const AudioServices& AudioServices_Real() { return kReal; }

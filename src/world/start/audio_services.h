// What the game preparation asks of the audio: the sounds prepared (false
// fails the start) and then the audio buffers.
#pragma once

#include "runtime/service_seam.h"

struct AudioServices {
  bool (*prepareSounds)();
  void (*prepareBuffers)();
};

inline ServiceSeam<AudioServices> g_audioServices{"audio"};
inline void AudioServices_Install(const AudioServices* services) { g_audioServices.Install(services); }
inline const AudioServices& AudioServices_Get() { return g_audioServices.Get(); }

// The sound hardware started and the audio system's sources made, then
// its buffers.
const AudioServices& AudioServices_Real();

// The sound chunks' readers: the audio system's when the game's options
// select it (g_newAudio), else the names-only reader of the sound store.
#pragma once

void AudioChunks_Install();

// A look at a sound file image before the WAV reader trusts it: the reader
// allocates whatever a chunk's length claims, so every length is checked
// against the bytes first.
#pragma once

#include <cstddef>
#include <cstdint>

// True when a RIFF image's chunks up to its "data" chunk, or a ".snd"
// image's header, lie within `length` bytes (a ".snd" size left unknown
// does not). Images of other kinds pass:
// the reader refuses them itself.
bool Wav_LengthsFit(const uint8_t* bytes, size_t length);

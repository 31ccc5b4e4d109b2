// Sound rendered on demand instead of by a sound card: on the virtual clock
// the device is one that mixes only when asked, and each wait of the clock
// mixes exactly that much time, so every sound's time is the clock's. With
// KORVALITH_AUDIO_OUT=FILE.wav the mix is written to FILE.wav (16-bit stereo
// at 44,100 Hz); without it the mix is dropped. Music streams are fed before
// each piece is mixed, so a run's sound depends on its frames alone, never
// on how fast the machine runs.
#pragma once

#include <AL/alc.h>

// True on the virtual clock.
bool RenderedOutput_Wanted();
// True when the mix goes to a file.
bool RenderedOutput_ToFile();
// Opens the device (and the file, when one is asked for), and starts
// following the clock. Null, after a console line, when either cannot be
// opened.
ALCdevice* RenderedOutput_Open(const ALCint* attributes, ALCcontext** context);
// Finishes the file (its sizes written) and stops following the clock. The
// device and context are the caller's to close.
void RenderedOutput_Close();

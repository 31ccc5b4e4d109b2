// Sound rendered on demand instead of by a sound card: with
// KORVALITH_AUDIO_OUT=FILE.wav on the virtual clock, the device is one that
// mixes only when asked, and each wait of the clock mixes exactly that much
// time into FILE.wav (16-bit stereo at 44,100 Hz). Music streams are fed
// before each piece is mixed, so a run's sound depends on its frames alone,
// never on how fast the machine runs.
#pragma once

#include <AL/alc.h>

// True when the switches ask for a rendered output.
bool RenderedOutput_Wanted();
// Opens the device and the file, and starts following the clock. Null, after
// a console line, when either cannot be opened.
ALCdevice* RenderedOutput_Open(const ALCint* attributes, ALCcontext** context);
// Finishes the file (its sizes written) and stops following the clock. The
// device and context are the caller's to close.
void RenderedOutput_Close();

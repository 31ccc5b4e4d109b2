#include "audio/openal/al_check.h"

#include <AL/al.h>
#include <AL/alut.h>

#include "runtime/console.h"

void SoundHardware_CheckError() {
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) g_debugConsole->Output("AL Error : %08x(%d)\n", error, error);
  ALenum alutError = alutGetError();
  if (alutError != ALUT_ERROR_NO_ERROR) g_debugConsole->Output("ALUT Error : %s\n", alutGetErrorString(alutError));
}

// The CD functions and MCI_command, alike in both audio modes.
#include <cstring>

#include "audio/cd_audio.h"
#include "builtins/sound/handlers.h"
#include "platform/media/media_control.h"

namespace {

void SetFlag(ScriptValue* result, bool flag) { Result_SetReal(result, flag ? 1.0 : 0.0); }

// A reply cut inside a character loses the partial character.
size_t WholeCharacters(const char* text, size_t length) {
  size_t start = length;
  while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return length;
  const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
  if (lead < 0x80) return length;
  const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return length - (start - 1) >= need ? length : start - 1;
}

}  // namespace

KV_BUILTIN(F_CdInit) { CD_Init(); }
KV_BUILTIN(F_CdPresent) { SetFlag(result, CD_Present()); }
KV_BUILTIN(F_CdNumber) { Result_SetReal(result, CD_GetTrackCount()); }
KV_BUILTIN(F_CdPlaying) { SetFlag(result, CD_Playing()); }
KV_BUILTIN(F_CdPaused) { SetFlag(result, CD_Paused()); }
KV_BUILTIN(F_CdTrack) { Result_SetReal(result, CD_GetTrack()); }
KV_BUILTIN(F_CdLength) { Result_SetReal(result, CD_GetLength()); }
KV_BUILTIN(F_CdTrackLength) { Result_SetReal(result, CD_GetTrackLength(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_CdPosition) { Result_SetReal(result, CD_GetPosition()); }
KV_BUILTIN(F_CdTrackPosition) { Result_SetReal(result, CD_GetTrackPosition()); }

KV_BUILTIN(F_CdPlay) {
  BuiltinArgs a(argc, args);
  CD_Play(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_CdStop) { CD_Stop(); }
KV_BUILTIN(F_CdPause) { CD_Pause(); }
KV_BUILTIN(F_CdResume) { CD_Resume(); }
KV_BUILTIN(F_CdSetPosition) { CD_SetPosition(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_CdSetTrackPosition) { CD_SetTrackPosition(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_CdOpenDoor) { CD_OpenDoor(); }
KV_BUILTIN(F_CdCloseDoor) { CD_CloseDoor(); }

// Errors are not reported; the reply, possibly empty, is the result.
KV_BUILTIN(F_MciCommand) {
  BuiltinArgs a(argc, args);
  char reply[256] = {};
  if (a.IsString(0)) Media_SendCommand(a.Text(0), reply, 255);
  Result_SetText(result, reply, WholeCharacters(reply, std::strlen(reply)));
}

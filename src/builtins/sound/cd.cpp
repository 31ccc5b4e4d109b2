// The CD functions and MCI_command, alike in both audio modes.
#include <cstring>

#include "audio/cd_audio.h"
#include "builtins/sound/handlers.h"
#include "platform/media_control.h"
#include "runtime/console.h"

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

void F_CdInit(KV_BUILTIN_PARAMS) { CD_Init(); }
void F_CdPresent(KV_BUILTIN_PARAMS) { SetFlag(result, CD_Present()); }
void F_CdNumber(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetTrackCount()); }
void F_CdPlaying(KV_BUILTIN_PARAMS) { SetFlag(result, CD_Playing()); }
void F_CdPaused(KV_BUILTIN_PARAMS) { SetFlag(result, CD_Paused()); }
void F_CdTrack(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetTrack()); }
void F_CdLength(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetLength()); }
void F_CdTrackLength(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetTrackLength(BuiltinArgs(argc, args).Int(0))); }
void F_CdPosition(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetPosition()); }
void F_CdTrackPosition(KV_BUILTIN_PARAMS) { Result_SetReal(result, CD_GetTrackPosition()); }

void F_CdPlay(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CD_Play(a.Int(0), a.Int(1));
}

void F_CdStop(KV_BUILTIN_PARAMS) { CD_Stop(); }
void F_CdPause(KV_BUILTIN_PARAMS) { CD_Pause(); }
void F_CdResume(KV_BUILTIN_PARAMS) { CD_Resume(); }
void F_CdSetPosition(KV_BUILTIN_PARAMS) { CD_SetPosition(BuiltinArgs(argc, args).Int(0)); }
void F_CdSetTrackPosition(KV_BUILTIN_PARAMS) { CD_SetTrackPosition(BuiltinArgs(argc, args).Int(0)); }
void F_CdOpenDoor(KV_BUILTIN_PARAMS) { CD_OpenDoor(); }
void F_CdCloseDoor(KV_BUILTIN_PARAMS) { CD_CloseDoor(); }

// Errors are not reported; the reply, possibly empty, is the result.
void F_MciCommand(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  char reply[256] = {};
  // A file that is there but is no file to play says so; other failures
  // answer with the empty reply alone.
  if (a.IsString(0) && Media_SendCommand(a.Text(0), reply, 255) == kMediaNotRegularFile) {
    char text[128];
    Media_ErrorText(kMediaNotRegularFile, text, sizeof text);
    g_debugConsole->Output("MCI_command %s - %s\n", a.Text(0), text);
  }
  Result_SetText(result, reply, WholeCharacters(reply, std::strlen(reply)));
}

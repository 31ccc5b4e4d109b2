// Live tiles, charms, sharing and phone tiles of other systems: none of it
// exists here, and each call says so on the console.
#include "builtins/platform/handlers.h"
#include "runtime/console.h"

namespace {

// One argument of the kind the tile takes, else the name's own line.
template <bool kText>
void PhoneTile(ScriptValue* result, int32_t argc, ScriptValue* args, const char* complaint) {
  Result_SetReal(result, 0.0);
  BuiltinArgs a(argc, args);
  if (argc == 1 && (kText ? a.IsString(0) : a.IsReal(0))) {
    g_debugConsole->Output("Windows Phone functionality not supported on this platform\n");
  } else {
    g_debugConsole->Output("%s", complaint);
  }
}

}  // namespace

KV_BUILTIN(F_Windows8) {
  Result_SetReal(result, 0.0);
  g_debugConsole->Output("Windows8 functionality not supported on this platform\n");
}

KV_BUILTIN(F_WinPhoneTileTitle) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_title( title )\n");
}
KV_BUILTIN(F_WinPhoneTileCount) {
  PhoneTile<false>(result, argc, args, "incorrect arguments to winphone_tile_count( count )\n");
}
KV_BUILTIN(F_WinPhoneTileBackTitle) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_title( title )\n");
}
KV_BUILTIN(F_WinPhoneTileBackContent) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_content( content )\n");
}
KV_BUILTIN(F_WinPhoneTileFrontImage) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_front_image( filename )\n");
}
KV_BUILTIN(F_WinPhoneTileBackImage) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_image( title )\n");
}

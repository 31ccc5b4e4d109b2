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

void F_Windows8(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  g_debugConsole->Output("Windows8 functionality not supported on this platform\n");
}

void F_WinPhoneTileTitle(KV_BUILTIN_PARAMS) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_title( title )\n");
}
void F_WinPhoneTileCount(KV_BUILTIN_PARAMS) {
  PhoneTile<false>(result, argc, args, "incorrect arguments to winphone_tile_count( count )\n");
}
void F_WinPhoneTileBackTitle(KV_BUILTIN_PARAMS) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_title( title )\n");
}
void F_WinPhoneTileBackContent(KV_BUILTIN_PARAMS) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_content( content )\n");
}
void F_WinPhoneTileFrontImage(KV_BUILTIN_PARAMS) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_front_image( filename )\n");
}
void F_WinPhoneTileBackImage(KV_BUILTIN_PARAMS) {
  PhoneTile<true>(result, argc, args, "incorrect arguments to winphone_tile_back_image( title )\n");
}

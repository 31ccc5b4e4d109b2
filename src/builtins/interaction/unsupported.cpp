// Built-ins kept so that old scripts still compile: each writes its line to
// the console and gives its fixed result.
#include "builtins/interaction/handlers.h"
#include "runtime/console.h"
#include "world/input/input.h"

namespace {

void Say(const char* line) { g_debugConsole->Output("%s", line); }

// A dialog that is not there still lets go of the keys that called it.
void SayAndClear(const char* line) {
  Say(line);
  IO_Clear();
}

}  // namespace

KV_BUILTIN(F_ShowInfo) { SayAndClear("show_info(str) not supported\n"); }

KV_BUILTIN(F_LoadInfo) {
  Say("load_info(str) not supported\n");
  Result_SetReal(result, 0.0);
}

KV_BUILTIN(F_ShowMessageExt) {
  Result_SetReal(result, 1.0);
  SayAndClear("show_message_ext(str,but1,but2,but3) not impleneted\n");
}

KV_BUILTIN(F_ShowMenu) {
  Result_SetReal(result, 0.0);
  SayAndClear("show_menu(str,default) not implemented.\n");
}

KV_BUILTIN(F_ShowMenuPos) {
  Result_SetReal(result, 0.0);
  SayAndClear("show_menu_pos(X,Y,str,default) not implemented.\n");
}

KV_BUILTIN(F_GetColor) {
  Result_SetReal(result, 0.0);
  SayAndClear("get_color(def) is not implemented\n");
}

KV_BUILTIN(F_GetDirectory) {
  Result_SetEmptyText(result);
  SayAndClear("get_directory(dname) not implemented.\n");
}

KV_BUILTIN(F_GetDirectoryAlt) {
  Result_SetEmptyText(result);
  SayAndClear("get_directory_alt(capt,root) not implemented.\n");
}

KV_BUILTIN(F_MessageBackground) { Say("message_background(back) not impleneted\n"); }
KV_BUILTIN(F_MessageButton) { Say("message_button(spr) not impleneted\n"); }
KV_BUILTIN(F_MessageAlpha) { Say("message_alpha(alpha) not impleneted\n"); }
KV_BUILTIN(F_MessageTextFont) { Say("message_text_font(name,size,color,style) not impleneted\n"); }
KV_BUILTIN(F_MessageButtonFont) { Say("message_button_font(name,size,color,style) not impleneted\n"); }
KV_BUILTIN(F_MessageInputFont) { Say("message_input_font(name,size,color,style) not impleneted\n"); }
KV_BUILTIN(F_MessageMouseColor) { Say("message_mouse_color(col) not impleneted\n"); }
KV_BUILTIN(F_MessageInputColor) { Say("message_input_color(col) not impleneted\n"); }
KV_BUILTIN(F_MessagePosition) { Say("message_position(x,y) not impleneted\n"); }
KV_BUILTIN(F_MessageSize) { Say("message_size(w,h)not impleneted\n"); }
KV_BUILTIN(F_MessageCaption) { Say("message_caption(show,str) not impleneted\n"); }

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

void F_ShowInfo(KV_BUILTIN_PARAMS) { SayAndClear("show_info(str) not supported\n"); }

void F_LoadInfo(KV_BUILTIN_PARAMS) {
  Say("load_info(str) not supported\n");
  Result_SetReal(result, 0.0);
}

void F_ShowMessageExt(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 1.0);
  SayAndClear("show_message_ext(str,but1,but2,but3) not impleneted\n");
}

void F_ShowMenu(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  SayAndClear("show_menu(str,default) not implemented.\n");
}

void F_ShowMenuPos(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  SayAndClear("show_menu_pos(X,Y,str,default) not implemented.\n");
}

void F_GetColor(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  SayAndClear("get_color(def) is not implemented\n");
}

void F_GetDirectory(KV_BUILTIN_PARAMS) {
  Result_SetEmptyText(result);
  SayAndClear("get_directory(dname) not implemented.\n");
}

void F_GetDirectoryAlt(KV_BUILTIN_PARAMS) {
  Result_SetEmptyText(result);
  SayAndClear("get_directory_alt(capt,root) not implemented.\n");
}

void F_MessageBackground(KV_BUILTIN_PARAMS) { Say("message_background(back) not impleneted\n"); }
void F_MessageButton(KV_BUILTIN_PARAMS) { Say("message_button(spr) not impleneted\n"); }
void F_MessageAlpha(KV_BUILTIN_PARAMS) { Say("message_alpha(alpha) not impleneted\n"); }
void F_MessageTextFont(KV_BUILTIN_PARAMS) { Say("message_text_font(name,size,color,style) not impleneted\n"); }
void F_MessageButtonFont(KV_BUILTIN_PARAMS) { Say("message_button_font(name,size,color,style) not impleneted\n"); }
void F_MessageInputFont(KV_BUILTIN_PARAMS) { Say("message_input_font(name,size,color,style) not impleneted\n"); }
void F_MessageMouseColor(KV_BUILTIN_PARAMS) { Say("message_mouse_color(col) not impleneted\n"); }
void F_MessageInputColor(KV_BUILTIN_PARAMS) { Say("message_input_color(col) not impleneted\n"); }
void F_MessagePosition(KV_BUILTIN_PARAMS) { Say("message_position(x,y) not impleneted\n"); }
void F_MessageSize(KV_BUILTIN_PARAMS) { Say("message_size(w,h)not impleneted\n"); }
void F_MessageCaption(KV_BUILTIN_PARAMS) { Say("message_caption(show,str) not impleneted\n"); }

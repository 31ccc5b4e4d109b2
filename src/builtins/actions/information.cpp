// Actions that talk to the player or reach outside the game: messages,
// questions, the video and the web page, and replacing resources from
// files; and the questions about the room and the mouse.
#include <cstdio>
#include <string>

#include "audio/sound_store.h"
#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "builtins/motion/support.h"
#include "files/file_layer.h"
#include "platform/message_box.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/memory.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "shell/dialogs.h"
#include "world/actions/world_actions.h"
#include "world/input/input.h"
#include "world/start/splash.h"

using actions::SetBool;

namespace {

constexpr size_t kNumberTextSize = 64;
constexpr int32_t kSystemMouse = 0;
constexpr int32_t kDiceScale = 1000;

// The checks every replacement makes before it loads the file: the
// resource exists, and the file is there as the store will look for it.
bool CanReplace(bool exists, const BuiltinArgs& a) {
  if (!exists) {
    Builtin_Error("Trying to replace non-existing resource.");
    return false;
  }
  if (LoadSave_FindFile(a.Text(1)).empty()) {
    Builtin_Error("File does not exist.");
    return false;
  }
  return true;
}

// Whether self, moved to the point, would stand on nothing (solid only, or
// anything when `all`).
bool PlaceClear(CInstance* self, const BuiltinArgs& a) {
  const actions::Point p = actions::At(a, 0, self);
  return a.Int(2) != 0 ? Run_PlaceEmpty(self, p.x, p.y) : Run_PlaceFree(self, p.x, p.y);
}

}  // namespace

void F_ActionMessage(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 1.0);
  BuiltinArgs a(argc, args);
  if (a.IsReal(0)) {
    char text[kNumberTextSize];
    std::snprintf(text, sizeof text, "%e", a.Real(0));
    ShowMessage(text);
  } else if (a.IsString(0) && a.Value(0).text != nullptr) {
    ShowMessage(a.Text(0));
  } else {
    return;
  }
  IO_Clear();
}

void F_ActionShowInfo(KV_BUILTIN_PARAMS) { IO_Clear(); }

void F_ActionShowVideo(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_splashVideo.windowed = a.Int(1) > 0;
  g_splashVideo.fullScreen = !g_splashVideo.windowed;
  if (!Splash_ShowVideo(a.Text(0), a.Int(2) > 0)) Builtin_Error("Video file not found (or name too long).");
  IO_Clear();
}

void F_ActionWebpage(KV_BUILTIN_PARAMS) {
  if (!File_ShellExecute(BuiltinArgs(argc, args).Text(0), "", nullptr)) Builtin_Error("Failed to open the webpage.");
}

void F_ActionReplaceSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* old = Sprite_Get(a.Int(0));
  if (!CanReplace(old != nullptr, a)) return;
  Sprite_Replace(a.Int(0), a.Text(1), a.Int(2), old->precise != 0, old->transparent != 0, old->smooth != 0,
                 old->preload != 0, old->xorigin, old->yorigin);
}

// With the audio system there is no stored sound to replace.
void F_ActionReplaceSound(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSound* old = Sound_Get(a.Int(0));
  if (!CanReplace(old != nullptr, a)) return;
  Sound_Replace(a.Int(0), a.Text(1), old->kind, old->preload);
}

void F_ActionReplaceBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* old = Background_Get(a.Int(0));
  if (!CanReplace(old != nullptr, a)) return;
  Background_Replace(a.Int(0), a.Text(1), old->GetTransparent(), old->GetSmooth(), old->GetPreload());
}

void F_ActionIfEmpty(KV_BUILTIN_PARAMS) {
  if (self != nullptr) SetBool(result, PlaceClear(self, BuiltinArgs(argc, args)));
}

void F_ActionIfCollision(KV_BUILTIN_PARAMS) {
  if (self != nullptr) SetBool(result, !PlaceClear(self, BuiltinArgs(argc, args)));
}

void F_ActionIf(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.Has(0)) ScriptValue_Assign(result, &a.Value(0));
}

void F_ActionIfNumber(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const double count = Run_InstanceNumber(a.Int(0));
  const double number = a.Real(1);
  switch (a.Int(2)) {
    case 1: SetBool(result, count < number); break;
    case 2: SetBool(result, count > number); break;
    default: SetBool(result, count == number); break;
  }
}

void F_ActionIfObject(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 1, self);
  SetBool(result, Run_PlaceMeeting(self, game::SelfOrOther(a.Int(0), self, other), p.x, p.y));
}

// "#" breaks the line in a copy; the caller's text stays as it is.
void F_ActionIfQuestion(KV_BUILTIN_PARAMS) {
  char* text = ScriptValue_CopyText(BuiltinArgs(argc, args).Text(0));
  Text_HashToNewline(text);
  SetBool(result, InputQuery_ShowQuestion("", text != nullptr ? text : ""));
  MemoryManager::Free(text);
  IO_Clear();
}

// One chance in `sides`, read in thousandths so that fractional dice work.
void F_ActionIfDice(KV_BUILTIN_PARAMS) {
  const double sides = BuiltinArgs(argc, args).Real(0);
  if (sides <= 1.0) {
    SetBool(result, true);
    return;
  }
  SetBool(result, Random_Int(Num_RoundInt32(sides * kDiceScale)) < kDiceScale + 1);
}

// A button held or released this step; any other number asks for no
// button held.
void F_ActionIfMouse(KV_BUILTIN_PARAMS) {
  const int32_t button = BuiltinArgs(argc, args).Int(0);
  if (button >= 1 && button <= 3) {
    SetBool(result, IO_ButtonDown(button, kSystemMouse) || IO_ButtonReleased(button, kSystemMouse));
    return;
  }
  SetBool(result, IO_CheckButton(InputTest::kHeld, 0, kSystemMouse));
}

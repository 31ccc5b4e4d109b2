// The background functions over the background store: queries, images
// from files, the screen, surfaces, a colour or a gradient, and copies.
#include <cstdint>

#include "builtins/resources/handlers.h"
#include "builtins/resources/making.h"
#include "builtins/resources/support.h"
#include "resources/background.h"
#include "graphics/surface/surfaces.h"

namespace {

constexpr int32_t kCopyOpaque = 0;
constexpr int32_t kCopyAnyFormat = 1;

void Query(ScriptValue* result, int32_t argc, const ScriptValue* args, double (*field)(const CBackground&)) {
  const CBackground* background = Background_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, background != nullptr, background != nullptr ? field(*background) : 0.0);
}

bool Transparent(Making making, const BuiltinArgs& a, int32_t i) {
  return FlagTest_Passes(Making_Rule(making).transparent, a.Real(i));
}
bool Smooth(Making making, const BuiltinArgs& a, int32_t i) {
  return FlagTest_Passes(Making_Rule(making).smooth, a.Real(i));
}

// A new slot whose index is the result, made before the image.
CBackground* NewSlot(ScriptValue* result) {
  const int32_t index = Background_AddEmpty();
  Result_SetReal(result, index);
  return Background_Get(index);
}

// The capture stays the caller's; without one the new slot stays empty.
void CreateFrom(ScriptValue* result, TBitmap* bitmap, Making making, const BuiltinArgs& a, int32_t flags,
                int32_t copyKind) {
  CBackground* background = NewSlot(result);
  if (bitmap == nullptr) return;
  background->CreateFromBitmap(bitmap, Transparent(making, a, flags), Smooth(making, a, flags + 1),
                               Making_Rule(making).preload, copyKind);
}

}  // namespace

KV_BUILTIN(F_BackgroundExists) { Resource_SetFlag(result, Background_Exists(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_BackgroundName) { Resource_TakeName(result, Background_GetName(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_BackgroundGetWidth) {
  Query(result, argc, args, [](const CBackground& b) { return double(b.GetWidth()); });
}
KV_BUILTIN(F_BackgroundGetHeight) {
  Query(result, argc, args, [](const CBackground& b) { return double(b.GetHeight()); });
}
KV_BUILTIN(F_BackgroundGetTransparent) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetTransparent() ? 1.0 : 0.0; });
}
KV_BUILTIN(F_BackgroundGetSmooth) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetSmooth() ? 1.0 : 0.0; });
}
KV_BUILTIN(F_BackgroundGetPreload) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetPreload() ? 1.0 : 0.0; });
}

KV_BUILTIN(F_BackgroundSetAlphaFromBackground) {
  BuiltinArgs a(argc, args);
  CBackground* background = Background_Get(a.Int(0));
  const CBackground* from = Background_Get(a.Int(1));
  if (background != nullptr && from != nullptr) background->SetAlphaFromBackground(*from);
}

KV_BUILTIN(F_BackgroundAdd) {
  BuiltinArgs a(argc, args);
  constexpr Making kAdd = Making::kBackgroundAdd;
  Result_SetReal(result,
                 Background_Add(a.Text(0), Transparent(kAdd, a, 1), Smooth(kAdd, a, 2), Making_Rule(kAdd).preload));
}

KV_BUILTIN(F_BackgroundReplace) {
  BuiltinArgs a(argc, args);
  if (!Resource_Check(Background_Exists, a, 0, "Trying to replace non-existing background.")) return;
  constexpr Making kReplace = Making::kBackgroundReplace;
  Resource_SetFlag(result, Background_Replace(a.Int(0), a.Text(1), Transparent(kReplace, a, 2),
                                              Smooth(kReplace, a, 3), Making_Rule(kReplace).preload));
}

KV_BUILTIN(F_BackgroundCreateColor) {
  BuiltinArgs a(argc, args);
  NewSlot(result)->CreateColor(a.Int(0), a.Int(1), static_cast<uint32_t>(a.Int(2)),
                               Making_Rule(Making::kBackgroundColour).preload);
}

KV_BUILTIN(F_BackgroundCreateGradient) {
  BuiltinArgs a(argc, args);
  NewSlot(result)->CreateGradient(a.Int(0), a.Int(1), static_cast<uint32_t>(a.Int(2)),
                                  static_cast<uint32_t>(a.Int(3)), a.Int(4),
                                  Making_Rule(Making::kBackgroundGradient).preload);
}

KV_BUILTIN(F_BackgroundCreateFromScreen) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Screen_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
  CreateFrom(result, bitmap, Making::kBackgroundFromScreen, a, 4, kCopyOpaque);
  delete bitmap;
}

KV_BUILTIN(F_BackgroundCreateFromSurface) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Surface_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
  CreateFrom(result, bitmap, Making::kBackgroundFromSurface, a, 5, kCopyAnyFormat);
  delete bitmap;
}

KV_BUILTIN(F_BackgroundDelete) {
  Resource_Delete(result, BuiltinArgs(argc, args), Background_Exists, Background_Delete,
                  "Trying to delete non-existing background.");
}

KV_BUILTIN(F_BackgroundDuplicate) {
  Resource_Duplicate(result, BuiltinArgs(argc, args), Background_Exists, Background_Duplicate,
                     "Trying to duplicate non-existing background.");
}

KV_BUILTIN(F_BackgroundAssign) {
  Resource_Assign(BuiltinArgs(argc, args), Background_Assign, "Error assigning a background.");
}

// The platform bitmap has no file writer here: nothing is written and
// nothing reported.
KV_BUILTIN(F_BackgroundSave) {
  BuiltinArgs a(argc, args);
  const CBackground* background = Background_Get(a.Int(0));
  if (background == nullptr) {
    Builtin_Error("Trying to save non-existing background bitmap.");
    return;
  }
  if (!a.IsNonEmptyString(1)) {
    Builtin_Error("Trying to save background bitmap to empty image file name.");
    return;
  }
  TBitmap* bitmap = background->MakeBitmap();
  if (bitmap != nullptr) bitmap->Reserved1();
  delete bitmap;
}

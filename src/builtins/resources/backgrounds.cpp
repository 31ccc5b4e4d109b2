// The background functions over the background store: queries, images
// from files, the screen, surfaces, a colour or a gradient, and copies.
#include <cstdint>

#include "builtins/resources/handlers.h"
#include "builtins/resources/making.h"
#include "builtins/resources/support.h"
#include "graphics/surface/surfaces.h"
#include "resources/background.h"

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

void F_BackgroundExists(KV_BUILTIN_PARAMS) {
  Resource_SetFlag(result, Background_Exists(BuiltinArgs(argc, args).Int(0)));
}

void F_BackgroundName(KV_BUILTIN_PARAMS) {
  Resource_TakeName(result, Background_GetName(BuiltinArgs(argc, args).Int(0)));
}

void F_BackgroundGetWidth(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CBackground& b) { return double(b.GetWidth()); });
}
void F_BackgroundGetHeight(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CBackground& b) { return double(b.GetHeight()); });
}
void F_BackgroundGetTransparent(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetTransparent() ? 1.0 : 0.0; });
}
void F_BackgroundGetSmooth(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetSmooth() ? 1.0 : 0.0; });
}
void F_BackgroundGetPreload(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CBackground& b) { return b.GetPreload() ? 1.0 : 0.0; });
}

void F_BackgroundSetAlphaFromBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CBackground* background = Background_Get(a.Int(0));
  const CBackground* from = Background_Get(a.Int(1));
  if (background != nullptr && from != nullptr) background->SetAlphaFromBackground(*from);
}

void F_BackgroundAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  constexpr Making kAdd = Making::kBackgroundAdd;
  Result_SetReal(result,
                 Background_Add(a.Text(0), Transparent(kAdd, a, 1), Smooth(kAdd, a, 2), Making_Rule(kAdd).preload));
}

void F_BackgroundReplace(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!Resource_Check(Background_Exists, a, 0, "Trying to replace non-existing background.")) return;
  constexpr Making kReplace = Making::kBackgroundReplace;
  Resource_SetFlag(result, Background_Replace(a.Int(0), a.Text(1), Transparent(kReplace, a, 2), Smooth(kReplace, a, 3),
                                              Making_Rule(kReplace).preload));
}

void F_BackgroundCreateColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  NewSlot(result)->CreateColor(a.Int(0), a.Int(1), static_cast<uint32_t>(a.Int(2)),
                               Making_Rule(Making::kBackgroundColour).preload);
}

void F_BackgroundCreateGradient(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  NewSlot(result)->CreateGradient(a.Int(0), a.Int(1), static_cast<uint32_t>(a.Int(2)), static_cast<uint32_t>(a.Int(3)),
                                  a.Int(4), Making_Rule(Making::kBackgroundGradient).preload);
}

void F_BackgroundCreateFromScreen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Screen_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
  CreateFrom(result, bitmap, Making::kBackgroundFromScreen, a, 4, kCopyOpaque);
  delete bitmap;
}

void F_BackgroundCreateFromSurface(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Surface_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
  CreateFrom(result, bitmap, Making::kBackgroundFromSurface, a, 5, kCopyAnyFormat);
  delete bitmap;
}

void F_BackgroundDelete(KV_BUILTIN_PARAMS) {
  Resource_Delete(result, BuiltinArgs(argc, args), Background_Exists, Background_Delete,
                  "Trying to delete non-existing background.");
}

void F_BackgroundDuplicate(KV_BUILTIN_PARAMS) {
  Resource_Duplicate(result, BuiltinArgs(argc, args), Background_Exists, Background_Duplicate,
                     "Trying to duplicate non-existing background.");
}

void F_BackgroundAssign(KV_BUILTIN_PARAMS) {
  Resource_Assign(BuiltinArgs(argc, args), Background_Assign, "Error assigning a background.");
}

// The platform bitmap has no file writer here: nothing is written and
// nothing reported.
void F_BackgroundSave(KV_BUILTIN_PARAMS) {
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

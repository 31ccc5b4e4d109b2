// The sprite functions over the sprite store: queries, settings, sprites
// made from files, the screen and surfaces, and PNG saves.
#include <cstdint>

#include "builtins/resources/handlers.h"
#include "builtins/resources/making.h"
#include "builtins/resources/support.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/surface/surfaces.h"
#include "resources/sprite.h"
#include "runtime/console.h"

namespace {

constexpr int32_t kCopyOpaque = 0;

void Query(ScriptValue* result, int32_t argc, const ScriptValue* args, double (*field)(const CSprite&)) {
  const CSprite* sprite = Sprite_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, sprite != nullptr, sprite != nullptr ? field(*sprite) : 0.0);
}

bool Flag(Making making, bool transparent, const BuiltinArgs& a, int32_t i) {
  const MakingRule& rule = Making_Rule(making);
  return FlagTest_Passes(transparent ? rule.transparent : rule.smooth, a.Real(i));
}

// The sprite the first argument names, or null after the message.
CSprite* Existing(const BuiltinArgs& a, const char* missing) {
  CSprite* sprite = Sprite_Get(a.Int(0));
  if (sprite == nullptr) Builtin_Error(missing);
  return sprite;
}

// A new slot for a capture; the result names it even when the capture
// gives no image and the sprite stays empty. The bitmap is the caller's.
void CreateFrom(ScriptValue* result, TBitmap* bitmap, Making making, const BuiltinArgs& a, int32_t flags,
                int32_t copyKind) {
  const int32_t index = Sprite_AddEmpty();
  Result_SetReal(result, index);
  if (bitmap == nullptr) return;
  const MakingRule& rule = Making_Rule(making);
  Sprite_Get(index)->CreateFromBitmap(bitmap, rule.precise, Flag(making, true, a, flags),
                                      Flag(making, false, a, flags + 1), rule.preload, a.Int(flags + 2),
                                      a.Int(flags + 3), copyKind);
}

// The sprite to save, or null after the message for a missing sprite or
// an empty file name.
const CSprite* ToSave(const BuiltinArgs& a, int32_t nameArgument) {
  const CSprite* sprite = Sprite_Get(a.Int(0));
  if (sprite == nullptr) {
    Builtin_Error("Trying to save non-existing sprite bitmap.");
  } else if (!a.IsNonEmptyString(nameArgument)) {
    Builtin_Error("Trying to save sprite bitmap to empty image file name.");
    return nullptr;
  }
  return sprite;
}

}  // namespace

void F_SpriteExists(KV_BUILTIN_PARAMS) { Resource_SetFlag(result, Sprite_Exists(BuiltinArgs(argc, args).Int(0))); }

void F_SpriteName(KV_BUILTIN_PARAMS) { Resource_SetName(result, Sprite_GetName(BuiltinArgs(argc, args).Int(0))); }

void F_SpriteGetNumber(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.frameCount); });
}
void F_SpriteGetWidth(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.width); });
}
void F_SpriteGetHeight(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.height); });
}
void F_SpriteGetTransparent(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return s.transparent != 0 ? 1.0 : 0.0; });
}
void F_SpriteGetSmooth(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return s.smooth != 0 ? 1.0 : 0.0; });
}
void F_SpriteGetPreload(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return s.preload != 0 ? 1.0 : 0.0; });
}
void F_SpriteGetPrecise(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return s.precise != 0 ? 1.0 : 0.0; });
}
void F_SpriteGetXOffset(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.xorigin); });
}
void F_SpriteGetYOffset(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.yorigin); });
}
void F_SpriteGetBboxMode(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.bboxMode); });
}
void F_SpriteGetBboxLeft(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.bbox.left); });
}
void F_SpriteGetBboxRight(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.bbox.right); });
}
void F_SpriteGetBboxTop(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.bbox.top); });
}
void F_SpriteGetBboxBottom(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CSprite& s) { return double(s.bbox.bottom); });
}

// The origin only: nothing that depends on it is rebuilt.
void F_SpriteSetOffset(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CSprite* sprite = Sprite_Get(a.Int(0))) {
    sprite->xorigin = a.Int(1);
    sprite->yorigin = a.Int(2);
  }
}

void F_SpriteSetBboxMode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CSprite* sprite = Sprite_Get(a.Int(0))) sprite->SetBoundingBoxMode(a.Int(1));
}

void F_SpriteSetBbox(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CSprite* sprite = Sprite_Get(a.Int(0))) sprite->SetBoundingBox(a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

void F_SpriteSetPrecise(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CSprite* sprite = Sprite_Get(a.Int(0))) sprite->SetPrecise(a.Bool(1));
}

void F_SpriteSetAlphaFromSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSprite* sprite = Sprite_Get(a.Int(0));
  const CSprite* from = Sprite_Get(a.Int(1));
  if (sprite != nullptr && from != nullptr) sprite->SetAlphaFromSprite(from);
}

// Only the sprite is used: the box and tolerance arguments are not.
void F_SpriteCollisionMask(KV_BUILTIN_PARAMS) {
  CSprite* sprite = Existing(BuiltinArgs(argc, args), "Trying to save non-existing sprite bitmap.");
  if (sprite == nullptr) return;
  sprite->precise = 1;
  sprite->RebuildMasks();
}

void F_SpriteAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const MakingRule& rule = Making_Rule(Making::kSpriteAdd);
  Result_SetReal(result, Sprite_Add(a.Text(0), a.Int(1), rule.precise, Flag(Making::kSpriteAdd, true, a, 2),
                                    Flag(Making::kSpriteAdd, false, a, 3), rule.preload, a.Int(4), a.Int(5)));
}

void F_SpriteReplace(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (Existing(a, "Trying to replace non-existing sprite.") == nullptr) return;
  const MakingRule& rule = Making_Rule(Making::kSpriteReplace);
  Resource_SetFlag(result,
                   Sprite_Replace(a.Int(0), a.Text(1), a.Int(2), rule.precise, Flag(Making::kSpriteReplace, true, a, 3),
                                  Flag(Making::kSpriteReplace, false, a, 4), rule.preload, a.Int(5), a.Int(6)));
}

void F_SpriteCreateFromScreen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Screen_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
  CreateFrom(result, bitmap, Making::kSpriteFromScreen, a, 4, kCopyOpaque);
  delete bitmap;
}

void F_SpriteCreateFromSurface(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  TBitmap* bitmap = GR_Surface_Copy_To_Bitmap(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
  CreateFrom(result, bitmap, Making::kSpriteFromSurface, a, 5, kSpriteCopyAnyFormat);
  delete bitmap;
}

// The last two arguments are not used.
void F_SpriteAddFromScreen(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSprite* sprite = Existing(a, "Trying to add to non-existing sprite.");
  if (sprite == nullptr) return;
  TBitmap* bitmap = GR_Screen_Copy_To_Bitmap(a.Int(1), a.Int(2), a.Int(3), a.Int(4));
  sprite->AddFrameFromBitmap(bitmap, kCopyOpaque);
  delete bitmap;
}

void F_SpriteAddFromSurface(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSprite* sprite = Existing(a, "Trying to add to non-existing sprite.");
  if (sprite == nullptr) return;
  TBitmap* bitmap = GR_Surface_Copy_To_Bitmap(a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5));
  if (bitmap != nullptr) sprite->AddFrameFromBitmap(bitmap, kSpriteCopyAnyFormat);
  delete bitmap;
}

void F_SpriteDelete(KV_BUILTIN_PARAMS) {
  Resource_Delete(result, BuiltinArgs(argc, args), Sprite_Exists, Sprite_Delete,
                  "Trying to delete non-existing sprite.");
}

void F_SpriteDuplicate(KV_BUILTIN_PARAMS) {
  Resource_Duplicate(result, BuiltinArgs(argc, args), Sprite_Exists, Sprite_Duplicate,
                     "Trying to duplicate non-existing sprite.");
}

void F_SpriteAssign(KV_BUILTIN_PARAMS) {
  Resource_Assign(BuiltinArgs(argc, args), Sprite_Assign, "Error assigning a sprite.");
}

void F_SpriteMerge(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSprite* to = Existing(a, "Trying to merge to non-existing sprite.");
  if (to == nullptr) return;
  const CSprite* from = Sprite_Get(a.Int(1));
  if (from == nullptr) {
    Builtin_Error("Trying to merge from non-existing sprite.");
    return;
  }
  to->Merge(from);
}

// Only frames with a pixel copy can be saved: sprites of the game file
// draw from texture pages and have none.
void F_SpriteSave(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* sprite = ToSave(a, 2);
  if (sprite == nullptr) return;
  TBitmap* bitmap = sprite->FrameAsBitmap(a.Int(1));
  if (bitmap == nullptr) {
    g_debugConsole->Output("sprite_save() failed - no bitmap data available\n");
    return;
  }
  uint8_t* pixels = nullptr;
  int32_t bytesPerRow = 0;
  void* lock = bitmap->LockBits(0, &pixels, &bytesPerRow);
  if (pixels != nullptr)
    write_png_file(a.Text(2), pixels, bitmap->GetWidth(), bitmap->GetHeight(), GR_PngFileMessages());
  bitmap->UnlockBits(lock);
  delete bitmap;
}

void F_SpriteSaveStrip(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* sprite = ToSave(a, 1);
  if (sprite == nullptr) return;
  CBitmap32* strip = sprite->MakeStrip();
  if (strip != nullptr) strip->write_png_file(a.Text(1));
  delete strip;
}

// The font functions over the font store: queries, system fonts and fonts
// drawn from the frames of a sprite.
#include "builtins/resources/handlers.h"
#include "builtins/resources/support.h"
#include "resources/font.h"
#include "resources/sprite.h"

namespace {

void Query(ScriptValue* result, int32_t argc, const ScriptValue* args, double (*field)(const CFontGM&)) {
  const CFontGM* font = Font_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, font != nullptr, font != nullptr ? field(*font) : 0.0);
}

bool SpriteExists(const BuiltinArgs& a, int32_t i, const char* missing) {
  return Resource_Check(Sprite_Exists, a, i, missing);
}

bool FontExists(const BuiltinArgs& a, const char* missing) { return Resource_Check(Font_Exists, a, 0, missing); }

constexpr char kNoSpriteToMake[] = "Trying to create font from non-existing sprite.";
constexpr char kNoFontToReplace[] = "Trying to replace non-existing font.";
constexpr char kNoSpriteToReplace[] = "Trying to replace font from non-existing sprite.";

}  // namespace

void F_FontExists(KV_BUILTIN_PARAMS) { Resource_SetFlag(result, Font_Exists(BuiltinArgs(argc, args).Int(0))); }

void F_FontName(KV_BUILTIN_PARAMS) { Resource_TakeName(result, Font_GetName(BuiltinArgs(argc, args).Int(0))); }

void F_FontGetFontName(KV_BUILTIN_PARAMS) {
  const CFontGM* font = Font_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetName(result, font != nullptr ? font->GetFaceName() : nullptr);
}

void F_FontGetSize(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CFontGM& f) { return double(f.GetSize()); });
}
void F_FontGetBold(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CFontGM& f) { return f.GetBold() ? 1.0 : 0.0; });
}
void F_FontGetItalic(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CFontGM& f) { return f.GetItalic() ? 1.0 : 0.0; });
}
void F_FontGetFirst(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CFontGM& f) { return double(f.GetFirst()); });
}
void F_FontGetLast(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CFontGM& f) { return double(f.GetLast()); });
}

void F_FontAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Font_Add(a.Text(0), a.Int(1), a.Bool(2), a.Bool(3), a.Int(4), a.Int(5)));
}

void F_FontAddSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!SpriteExists(a, 0, kNoSpriteToMake)) return;
  Result_SetReal(result, Font_AddSprite(a.Int(0), a.Int(1), a.Bool(2), a.Int(3)));
}

void F_FontAddSpriteExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!SpriteExists(a, 0, kNoSpriteToMake)) return;
  Result_SetReal(result, Font_AddSpriteExt(a.Int(0), a.Text(1), a.Bool(2), a.Int(3)));
}

void F_FontReplace(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!FontExists(a, kNoFontToReplace)) return;
  Resource_SetFlag(result, Font_Replace(a.Int(0), a.Text(1), a.Int(2), a.Bool(3), a.Bool(4), a.Int(5), a.Int(6)));
}

void F_FontReplaceSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!FontExists(a, kNoFontToReplace) || !SpriteExists(a, 1, kNoSpriteToReplace)) return;
  Resource_SetFlag(result, Font_ReplaceSprite(a.Int(0), a.Int(1), a.Int(2), a.Bool(3), a.Int(4)));
}

void F_FontReplaceSpriteExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!FontExists(a, kNoFontToReplace) || !SpriteExists(a, 1, kNoSpriteToReplace)) return;
  Resource_SetFlag(result, Font_ReplaceSpriteExt(a.Int(0), a.Int(1), a.Text(2), a.Bool(3), a.Int(4)));
}

void F_FontDelete(KV_BUILTIN_PARAMS) {
  Resource_Delete(result, BuiltinArgs(argc, args), Font_Exists, Font_Delete, "Trying to delete non-existing font.");
}

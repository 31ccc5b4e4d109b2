// Naming textures for the primitive builder and tuning texture sampling.
// Sprites and backgrounds hand out texture indices or page handles.
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "graphics/device/draw_state.h"
#include "graphics/texture/texture_table.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "world/instance/instance.h"

void F_SpriteGetTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CSprite* sprite = Sprite_Get(a.Int(0));
  if (sprite == nullptr) {
    Builtin_Error("Trying to get texture from non-existing sprite.");
    return;
  }
  int32_t frame = gfx::RoundedFloat(a, 1);
  if (frame < 0) frame = self != nullptr ? gfx::Floored(self->image_index) : 0;
  Result_SetReal(result, sprite->TextureOfFrame(frame));
}

void F_BackgroundGetTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CBackground* background = Background_Get(a.Int(0));
  if (background == nullptr) {
    Builtin_Error("Trying to get texture from non-existing background.");
    return;
  }
  Result_SetReal(result, background->GetTexture());
}

void F_TextureExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Texture_Exists(a.Int(0)) ? 1.0 : 0.0);
}

void F_TextureGetWidth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Texture_Get_Width(a.Int(0)));
}

void F_TextureGetHeight(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Texture_Get_Height(a.Int(0)));
}

void F_TextureSetInterpolation(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Texture_Set_Interpolation(gfx::Flag(a, 0));
}

void F_TextureSetBlending(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Texture_Set_Blending(gfx::Flag(a, 0));
}

void F_TextureSetRepeat(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Texture_Set_Repeat(gfx::Flag(a, 0));
}

void F_TexturePreload(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Texture_Preload(a.Int(0));
}

void F_TextureSetPriority(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Texture_Set_Priority(a.Int(0), static_cast<uint32_t>(a.Int(1)));
}

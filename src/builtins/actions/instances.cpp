// Instance actions: creating (with motion, or one of four objects at
// random), changing and destroying instances, and their sprite settings.
#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "runtime/random.h"
#include "world/actions/world_actions.h"
#include "world/object/object.h"

using actions::Float;

namespace {

constexpr int32_t kRandomChoices = 4;

}  // namespace

void F_ActionCreateObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 1, self);
  Run_CreateInstance(a.Int(0), p.x, p.y);
}

void F_ActionCreateObjectMotion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 1, self);
  const CreateMotion motion{Float(a, 3), Float(a, 4)};
  Run_CreateInstance(a.Int(0), p.x, p.y, &motion);
}

void F_ActionCreateObjectRandom(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  bool any = false;
  for (int32_t i = 0; i < kRandomChoices; ++i) any = any || Object_Exists(a.Int(i));
  if (!any) return;
  int32_t object = -1;
  do {
    object = a.Int(Random_Int(kRandomChoices));
  } while (!Object_Exists(object));
  const actions::Point p = actions::At(a, kRandomChoices, self);
  Run_CreateInstance(object, p.x, p.y);
}

void F_ActionChangeObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_ChangeInstance(self, a.Int(0), a.Bool(1));
}

void F_ActionKillObject(KV_BUILTIN_PARAMS) { Run_DestroyInstance(self); }

void F_ActionKillPosition(KV_BUILTIN_PARAMS) {
  const actions::Point p = actions::At(BuiltinArgs(argc, args), 0, self);
  Run_PositionDestroy(p.x, p.y);
}

void F_ActionSpriteSet(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Run_SetSprite(self, a.Int(0));
  const float subimage = Float(a, 1);
  if (subimage >= 0.0f) self->image_index = subimage;
  self->image_speed = Float(a, 2);
}

// Mirror 1 flips horizontally, 2 vertically, 3 both.
void F_ActionSpriteTransform(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->SetImageXScale(Float(a, 0));
  self->SetImageYScale(Float(a, 1));
  self->SetImageAngle(Float(a, 2));
  const int32_t mirror = a.Int(3);
  if (mirror == 1 || mirror == 3) self->SetImageXScale(-self->image_xscale);
  if (mirror == 2 || mirror == 3) self->SetImageYScale(-self->image_yscale);
}

void F_ActionSpriteColor(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->image_blend = a.Int(0);
  self->image_alpha = Float(a, 1);
}

// Motion actions: sprite, speeds and directions, moving to points, random
// places, wrapping, contact and bounce, paths and the planners' steps.
#include <cstring>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "runtime/random.h"
#include "script/variables/instance_selector.h"
#include "world/actions/world_actions.h"
#include "world/planning/motion_planning.h"

using actions::Float;
using actions::PlusFloat;

namespace {

// action_move tries fewer random places than move_random.
constexpr int32_t kMoveRandomActionTries = 99;
constexpr size_t kKeypadKeys = 9;
constexpr int32_t kKeypadStop = 4;
// The key pad's directions, bottom row first; the middle key stops.
constexpr float kKeypadDirections[kKeypadKeys] = {225, 270, 315, 180, 0, 0, 135, 90, 45};

}  // namespace

void F_ActionNothing(KV_BUILTIN_PARAMS) {}

void F_ActionSetSprite(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Run_SetSprite(self, a.Int(0));
  const float scale = Float(a, 1);
  if (scale > 0.0f) {
    self->SetImageXScale(scale);
    self->SetImageYScale(scale);
  }
}

void F_ActionMove(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const char* keys = a.IsString(0) ? a.Text(0) : nullptr;
  if (keys == nullptr || std::strlen(keys) != kKeypadKeys) {
    Builtin_Error("Wrong argument to action_move().");
    return;
  }
  if (std::memchr(keys, '1', kKeypadKeys) == nullptr) return;
  self->SetSpeed(PlusFloat(a, 1, self->speed));
  int32_t key = 0;
  do {
    key = Random_Int(static_cast<int32_t>(kKeypadKeys));
  } while (keys[key] != '1');
  if (key == kKeypadStop) {
    self->SetDirection(0.0f);
    self->SetSpeed(0.0f);
    return;
  }
  self->SetDirection(kKeypadDirections[key]);
}

void F_ActionSetMotion(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  if (actions::Relative()) {
    self->AddMotion(Float(a, 0), Float(a, 1));
    return;
  }
  self->SetDirection(Float(a, 0));
  self->SetSpeed(Float(a, 1));
}

void F_ActionSetHSpeed(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetHSpeed(PlusFloat(BuiltinArgs(argc, args), 0, self->hspeed));
}

void F_ActionSetVSpeed(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetVSpeed(PlusFloat(BuiltinArgs(argc, args), 0, self->vspeed));
}

void F_ActionSetGravity(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  self->gravity_direction = PlusFloat(a, 0, self->gravity_direction);
  self->gravity = PlusFloat(a, 1, self->gravity);
}

void F_ActionSetFriction(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->friction = PlusFloat(BuiltinArgs(argc, args), 0, self->friction);
}

void F_ActionMovePoint(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 0, self);
  Run_MoveTowardsPoint(self, p.x, p.y, Float(a, 2));
}

void F_ActionMoveTo(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  const actions::Point p = actions::At(BuiltinArgs(argc, args), 0, self);
  self->SetPosition(p.x, p.y);
}

void F_ActionMoveStart(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetPosition(self->xstart, self->ystart);
}

void F_ActionMoveRandom(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_MoveRandom(self, a.Int(0), a.Int(1), kMoveRandomActionTries);
}

void F_ActionWrap(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  const int32_t how = BuiltinArgs(argc, args).Int(0);
  Run_MoveWrap(self, how == 0 || how == 2, how == 1 || how == 2);
}

void F_ActionReverseXDir(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetHSpeed(-self->hspeed);
}

void F_ActionReverseYDir(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetVSpeed(-self->vspeed);
}

void F_ActionMoveContact(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Run_MoveContact(self, Float(a, 0), Float(a, 1), a.Bool(2));
}

// Against all only for exactly 1; other values test the solid ones.
void F_ActionBounce(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  Run_MoveBounce(self, a.Bool(0), a.Int(1) == 1);
}

void F_ActionPathPosition(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetPathPosition(PlusFloat(BuiltinArgs(argc, args), 0, self->path_position));
}

void F_ActionPathSpeed(KV_BUILTIN_PARAMS) {
  if (self != nullptr) self->SetPathSpeed(PlusFloat(BuiltinArgs(argc, args), 0, self->path_speed));
}

void F_ActionLinearStep(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 0, self);
  Motion_Linear_Step(self, p.x, p.y, Float(a, 2), kInstanceAll, a.Bool(3));
}

void F_ActionPotentialStep(KV_BUILTIN_PARAMS) {
  if (self == nullptr) return;
  BuiltinArgs a(argc, args);
  const actions::Point p = actions::At(a, 0, self);
  Motion_Potential_Step(self, p.x, p.y, Float(a, 2), kInstanceAll, a.Bool(3));
}

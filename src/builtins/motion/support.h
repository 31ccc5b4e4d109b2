// What the motion family's handlers share: reading coordinates and
// selectors from the arguments, writing instance results, and turning the
// self and other selectors into ids where a handler does so.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"
#include "runtime/numeric.h"
#include "script/variables/instance_selector.h"
#include "world/instance/instance.h"

namespace game {

inline float Float(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

// An instance's id, or noone.
inline double IdOf(const CInstance* instance) { return instance != nullptr ? instance->id : kInstanceNoone; }

// Truths as the reals 1 and 0.
inline void SetBool(ScriptValue* result, bool value) { Result_SetReal(result, value ? 1 : 0); }

inline bool Live(const CInstance* instance) { return instance != nullptr && instance->markedForDeletion == 0; }

// Self and other name the calling and the other instance when it is there;
// everything else is passed on as it is.
inline int32_t SelfOrOther(int32_t selector, const CInstance* self, const CInstance* other) {
  if (selector == kInstanceSelf && self != nullptr) return self->id;
  if (selector == kInstanceOther && other != nullptr) return other->id;
  return selector;
}

}  // namespace game

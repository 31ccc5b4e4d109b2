// Deactivating and activating instances: the handlers name the instances,
// the world changes them.
#include "builtins/motion/handlers.h"
#include "world/actions/world_actions.h"

namespace {

ActivationRegion RegionOf(const BuiltinArgs& a) {
  const double left = a.Real(0), top = a.Real(1);
  return ActivationRegion{left, top, left + a.Real(2), top + a.Real(3)};
}

// Self and other name the caller's own instances; the world reads every
// other selector.
void SetSelected(int32_t selector, CInstance* self, CInstance* other, bool deactivated) {
  if (selector == kInstanceSelf) return Run_SetDeactivated(self, deactivated);
  if (selector == kInstanceOther) return Run_SetDeactivated(other, deactivated);
  if (deactivated) {
    Run_DeactivateSelected(selector);
  } else {
    Run_ActivateSelected(selector);
  }
}

}  // namespace

void F_InstanceDeactivateAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_DeactivateAll(a.Bool(0) ? self : nullptr);
}

void F_InstanceDeactivateObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetSelected(a.Int(0), self, other, true);
}

void F_InstanceDeactivateRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_DeactivateRegion(RegionOf(a), a.Bool(4), a.Bool(5) ? self : nullptr);
}

void F_InstanceActivateAll(KV_BUILTIN_PARAMS) { Run_ActivateAll(); }

void F_InstanceActivateObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  SetSelected(a.Int(0), self, other, false);
}

void F_InstanceActivateRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_ActivateRegion(RegionOf(a), a.Bool(4));
}

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

KV_BUILTIN(F_InstanceDeactivateAll) {
  BuiltinArgs a(argc, args);
  Run_DeactivateAll(a.Bool(0) ? self : nullptr);
}

KV_BUILTIN(F_InstanceDeactivateObject) {
  BuiltinArgs a(argc, args);
  SetSelected(a.Int(0), self, other, true);
}

KV_BUILTIN(F_InstanceDeactivateRegion) {
  BuiltinArgs a(argc, args);
  Run_DeactivateRegion(RegionOf(a), a.Bool(4), a.Bool(5) ? self : nullptr);
}

KV_BUILTIN(F_InstanceActivateAll) { Run_ActivateAll(); }

KV_BUILTIN(F_InstanceActivateObject) {
  BuiltinArgs a(argc, args);
  SetSelected(a.Int(0), self, other, false);
}

KV_BUILTIN(F_InstanceActivateRegion) {
  BuiltinArgs a(argc, args);
  Run_ActivateRegion(RegionOf(a), a.Bool(4));
}

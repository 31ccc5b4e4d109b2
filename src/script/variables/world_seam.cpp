#include "script/variables/world_seam.h"

namespace {

class EmptyWorld final : public IWorldSeam {
 public:
  CVariableList* InstanceVariables(CInstance*) override { return nullptr; }
  bool IsMarkedForDeletion(const CInstance*) override { return false; }
  CInstance* FindInstance(int32_t) override { return nullptr; }
  void VisitRoomInstances(InstanceVisitor&) override {}
  bool VisitObjectInstances(int32_t, InstanceVisitor&) override { return false; }
};

EmptyWorld g_emptyWorld;

}  // namespace

IWorldSeam* g_installedWorldSeam = &g_emptyWorld;

void WorldSeam_Install(IWorldSeam* seam) { g_installedWorldSeam = seam != nullptr ? seam : &g_emptyWorld; }

#include "script/world_seam.h"

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
IWorldSeam* g_worldSeam = &g_emptyWorld;

}  // namespace

void WorldSeam_Install(IWorldSeam* seam) { g_worldSeam = seam != nullptr ? seam : &g_emptyWorld; }

IWorldSeam& WorldSeam_Get() { return *g_worldSeam; }

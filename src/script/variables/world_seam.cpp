#include "script/variables/world_seam.h"

namespace {

CVariableList* NoVariables(CInstance*) { return nullptr; }
bool NotMarked(const CInstance*) { return false; }
CInstance* NoInstance(int32_t) { return nullptr; }
void NoRoom(InstanceVisitor&) {}
bool NoObject(int32_t, InstanceVisitor&) { return false; }

template <typename Hook>
void Take(Hook* slot, Hook given, Hook fallback) {
  *slot = given != nullptr ? given : fallback;
}

}  // namespace

WorldSeam g_installedWorldSeam = {NoVariables, NotMarked, NoInstance, NoRoom, NoObject};
uint32_t g_worldSeamInstalls = 0;

void WorldSeam_Install(const WorldSeam& seam) {
  Take(&g_installedWorldSeam.instanceVariables, seam.instanceVariables, NoVariables);
  Take(&g_installedWorldSeam.isMarkedForDeletion, seam.isMarkedForDeletion, NotMarked);
  Take(&g_installedWorldSeam.findInstance, seam.findInstance, NoInstance);
  Take(&g_installedWorldSeam.visitRoomInstances, seam.visitRoomInstances, NoRoom);
  Take(&g_installedWorldSeam.visitObjectInstances, seam.visitObjectInstances, NoObject);
  ++g_worldSeamInstalls;
}

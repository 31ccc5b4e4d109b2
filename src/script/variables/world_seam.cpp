#include "script/variables/world_seam.h"

#include "runtime/service_seam.h"

namespace {

CVariableList* NoVariables(CInstance*) { return nullptr; }
bool NotMarked(const CInstance*) { return false; }
CInstance* NoInstance(int32_t) { return nullptr; }
void NoRoom(InstanceVisitor&) {}
bool NoObject(int32_t, InstanceVisitor&) { return false; }

}  // namespace

WorldSeam g_installedWorldSeam = {NoVariables, NotMarked, NoInstance, NoRoom, NoObject};
uint32_t g_worldSeamInstalls = 0;

void WorldSeam_Install(const WorldSeam& seam) {
  Seam_Take(&g_installedWorldSeam.instanceVariables, seam.instanceVariables, NoVariables);
  Seam_Take(&g_installedWorldSeam.isMarkedForDeletion, seam.isMarkedForDeletion, NotMarked);
  Seam_Take(&g_installedWorldSeam.findInstance, seam.findInstance, NoInstance);
  Seam_Take(&g_installedWorldSeam.visitRoomInstances, seam.visitRoomInstances, NoRoom);
  Seam_Take(&g_installedWorldSeam.visitObjectInstances, seam.visitObjectInstances, NoObject);
  ++g_worldSeamInstalls;
}

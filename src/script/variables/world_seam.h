// The few things the variable layer needs from the game world: an instance's
// own variables, whether it is marked for deletion, the instance with an id,
// the current room's active instances and an object's instances (its own and
// its descendants'). The world installs its table once it exists; until then, and
// in tests, the seam answers as an empty world.
#pragma once

#include <cstdint>

class CInstance;
class CVariableList;

// Receives instances one at a time; returning false stops the walk.
class InstanceVisitor {
 public:
  virtual bool Visit(CInstance* instance) = 0;

 protected:
  ~InstanceVisitor() = default;
};

struct WorldSeam {
  // The instance's own variable list; null for a null instance.
  CVariableList* (*instanceVariables)(CInstance* instance) = nullptr;
  bool (*isMarkedForDeletion)(const CInstance* instance) = nullptr;
  // The live instance with this id, or null.
  CInstance* (*findInstance)(int32_t id) = nullptr;
  // The current room's active list in order (none when there is no room).
  void (*visitRoomInstances)(InstanceVisitor& visitor) = nullptr;
  // False when no object has this index. Otherwise walks the object's list of
  // its own and its descendants' instances in order; an entry of that list
  // may carry no instance, which is passed on as null.
  bool (*visitObjectInstances)(int32_t object, InstanceVisitor& visitor) = nullptr;
};

// Replaces the whole table; a null member answers as the empty world.
void WorldSeam_Install(const WorldSeam& seam);
extern WorldSeam g_installedWorldSeam;
// Counts the installs, so that what a caller kept of an answer can tell
// that another world came in meanwhile.
extern uint32_t g_worldSeamInstalls;
inline const WorldSeam& WorldSeam_Get() { return g_installedWorldSeam; }

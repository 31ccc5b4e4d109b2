// The few things the variable layer needs from the game world: an instance's
// own variables, whether it is marked for deletion, the instance with an id,
// the current room's active instances and an object's instances (its own and
// its descendants'). The world installs its implementation once it exists;
// until then, and in tests, the seam answers as an empty world.
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

class IWorldSeam {
 public:
  virtual ~IWorldSeam() = default;
  // The instance's own variable list; null for a null instance.
  virtual CVariableList* InstanceVariables(CInstance* instance) = 0;
  virtual bool IsMarkedForDeletion(const CInstance* instance) = 0;
  // The live instance with this id, or null.
  virtual CInstance* FindInstance(int32_t id) = 0;
  // The current room's active list in order (none when there is no room).
  virtual void VisitRoomInstances(InstanceVisitor& visitor) = 0;
  // False when no object has this index. Otherwise walks the object's list of
  // its own and its descendants' instances in order; an entry of that list
  // may carry no instance, which is passed on as null.
  virtual bool VisitObjectInstances(int32_t object, InstanceVisitor& visitor) = 0;
};

// Null puts the empty world back.
void WorldSeam_Install(IWorldSeam* seam);
extern IWorldSeam* g_installedWorldSeam;  // never null
inline IWorldSeam& WorldSeam_Get() { return *g_installedWorldSeam; }

// Instances in a room's physics world: binding fixtures with categories
// drawn from the objects' collision events, an object's own fixture from
// its physics settings, and bodies that die with their instances.
#pragma once

#include <cstdint>
#include <vector>

class CInstance;
class CPhysicsFixture;
class CPhysicsWorld;
class CRoom;

// The objects with a collision event between them and the object (pairs
// naming -1 do not count).
std::vector<int32_t> Physics_Partners(int32_t objectIndex);
// The topmost ancestor reached while each parent has as many partners as
// the object: children like their parent share its category.
int32_t Physics_Representative(int32_t objectIndex);

// False when the fixture could not be bound.
bool Physics_BindInstance(CPhysicsWorld* world, const CPhysicsFixture& fixture, CInstance* instance);
// The fixture of an object with physics on, its points scaled into the
// room's world, bound to the instance; nothing without a sprite or a world.
void Instance_CreatePhysicsFixture(CInstance* instance, CRoom* room);

// Instances destroy their bodies through the bodies' own worlds.
void Physics_InstallInstanceHooks();

// What every physics handler shares: the messages, the current room's
// world and the conversions from script reals into the world's units.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

class CInstance;
class CPhysicsObject;
class CPhysicsWorld;

inline constexpr char kPhysicsNoRoom[] = "No room is available to create a physics world for";
inline constexpr char kPhysicsNoWorld[] = "The current room does not have a physics world representation";
inline constexpr char kPhysicsNoFixture[] = "The physics fixture does not exist";
inline constexpr char kPhysicsNoBody[] = "The instance does not have an associated physics representation";
inline constexpr char kPhysicsNoJoint[] = "A joint does not exist";

// Reports through the runtime error reporter, never fatal.
void PhysicsArgs_Report(const char* message);

// The current room's world, or null (reported with kPhysicsNoWorld).
CPhysicsWorld* PhysicsArgs_World();
// The calling instance's body, or null (reported with kPhysicsNoBody).
CPhysicsObject* PhysicsArgs_Body(CInstance* self);

// Narrowed to float.
float PhysicsArgs_F(const BuiltinArgs& a, int32_t i);
// Pixels into metres: narrowed, then times the world's scale in float.
float PhysicsArgs_Scaled(const BuiltinArgs& a, int32_t i, const CPhysicsWorld& world);
float PhysicsArgs_Radians(const BuiltinArgs& a, int32_t i);
// Strictly above 0.5.
bool PhysicsArgs_Flag(const BuiltinArgs& a, int32_t i);
// Rounded to an integer first: 0.6 is on, 0.5 off.
bool PhysicsArgs_JointFlag(const BuiltinArgs& a, int32_t i);

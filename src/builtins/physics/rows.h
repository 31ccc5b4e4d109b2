// The physics family, in registration order: world, fixtures, bodies and
// joints.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/physics/handlers.h"

inline constexpr BuiltinRow kPhysicsRows[] = {
    {"physics_world_create", F_PhysicsWorldCreate, 1},
    {"physics_world_gravity", F_PhysicsWorldGravity, 2},
    {"physics_world_update_speed", F_PhysicsWorldUpdateSpeed, 1},
    {"physics_world_update_iterations", F_PhysicsWorldUpdateIterations, 1},
    {"physics_world_draw_debug", F_PhysicsWorldDrawDebug, 1},
    {"physics_pause_enable", F_PhysicsPauseEnable, 1},
    {"physics_fixture_create", F_PhysicsFixtureCreate, 0},
    {"physics_fixture_set_kinematic", F_PhysicsFixtureSetKinematic, 1},
    {"physics_fixture_set_awake", F_PhysicsFixtureSetAwake, 2},
    {"physics_fixture_set_density", F_PhysicsFixtureSetDensity, 2},
    {"physics_fixture_set_restitution", F_PhysicsFixtureSetRestitution, 2},
    {"physics_fixture_set_friction", F_PhysicsFixtureSetFriction, 2},
    {"physics_fixture_set_collision_group", F_PhysicsFixtureSetCollisionGroup, 2},
    {"physics_fixture_set_sensor", F_PhysicsFixtureSetSensor, 2},
    {"physics_fixture_set_linear_damping", F_PhysicsFixtureSetLinearDamping, 2},
    {"physics_fixture_set_angular_damping", F_PhysicsFixtureSetAngularDamping, 2},
    {"physics_fixture_set_circle_shape", F_PhysicsFixtureSetCircleShape, 2},
    {"physics_fixture_set_box_shape", F_PhysicsFixtureSetBoxShape, 3},
    {"physics_fixture_set_polygon_shape", F_PhysicsFixtureSetPolygonShape, 1},
    {"physics_fixture_add_point", F_PhysicsFixtureAddPoint, 3},
    {"physics_fixture_bind", F_PhysicsFixtureBind, 2},
    {"physics_fixture_delete", F_PhysicsFixtureDelete, 1},
    {"physics_mass_properties", F_PhysicsMassProperties, 4},
    {"physics_apply_force", F_PhysicsApplyForce, 4},
    {"physics_apply_impulse", F_PhysicsApplyImpulse, 4},
    {"physics_apply_local_force", F_PhysicsApplyLocalForce, 4},
    {"physics_apply_local_impulse", F_PhysicsApplyLocalImpulse, 4},
    {"physics_apply_torque", F_PhysicsApplyTorque, 1},
    {"physics_draw_debug", F_PhysicsDrawDebug, 0},
    {"physics_test_overlap", F_PhysicsTestOverlap, 4},
    {"physics_joint_distance_create", F_PhysicsJointDistanceCreate, 7},
    {"physics_joint_revolute_create", F_PhysicsJointRevoluteCreate, 11},
    {"physics_joint_prismatic_create", F_PhysicsJointPrismaticCreate, 13},
    {"physics_joint_pulley_create", F_PhysicsJointPulleyCreate, 14},
    {"physics_joint_gear_create", F_PhysicsJointGearCreate, 5},
    {"physics_joint_enable_motor", F_PhysicsJointEnableMotor, 2},
    {"physics_joint_get_value", F_PhysicsJointGetValue, 2},
    {"physics_joint_set_value", F_PhysicsJointSetValue, 3},
    {"physics_joint_delete", F_PhysicsJointDelete, 1},
};

// The physics family, in registration order: world, fixtures, bodies and
// joints.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/physics/handlers.h"

inline constexpr BuiltinRow kPhysicsRows[] = {
    {"physics_world_create", F_PhysicsWorldCreate, 1, "scale", "nothing",
     "Gives the current room a physics world in which one pixel is scale metres, stepping at the room's speed; a room "
     "that has one keeps it and takes the new scale. A scale that is not above 0 is refused."},
    {"physics_world_gravity", F_PhysicsWorldGravity, 2, "x, y", "nothing",
     "Sets the gravity of the room's world as a vector in metres per second squared; y points down the screen."},
    {"physics_world_update_speed", F_PhysicsWorldUpdateSpeed, 1, "speed", "nothing",
     "Sets how many physics steps the world takes per second, spread over the room's steps; the value is rounded and 0 "
     "or less stops the world."},
    {"physics_world_update_iterations", F_PhysicsWorldUpdateIterations, 1, "iterations", "nothing",
     "Sets how many solver passes each physics step makes for speeds and for positions; more is steadier and slower."},
    {"physics_world_draw_debug", F_PhysicsWorldDrawDebug, 1, "flags", "nothing",
     "Chooses what the room draws of its world for debugging after the instances: the `phy_debug_render_` flags added "
     "together, 0 for nothing; `phy_debug_render_obb` and `phy_debug_render_core_shapes` draw nothing."},
    {"physics_pause_enable", F_PhysicsPauseEnable, 1, "pause", "nothing",
     "Stops the room's world from stepping while pause is above 0.5, and lets it run again otherwise."},
    {"physics_fixture_create", F_PhysicsFixtureCreate, 0, "", "id: the new fixture",
     "Makes a fixture record with no shape yet, friction 0.2 and density 0; ids count from 1 and are never reused."},
    {"physics_fixture_set_kinematic", F_PhysicsFixtureSetKinematic, 1, "fixture", "nothing",
     "Makes the bodies the fixture creates kinematic: moved only by their speeds, never by forces; only while its "
     "density is 0."},
    {"physics_fixture_set_awake", F_PhysicsFixtureSetAwake, 2, "fixture, awake", "nothing",
     "Chooses whether the bodies the fixture creates start awake; awake only above 0.5."},
    {"physics_fixture_set_density", F_PhysicsFixtureSetDensity, 2, "fixture, density", "nothing",
     "Sets the density in kilograms per square metre; above 0 the body moves, at 0 it stays fixed."},
    {"physics_fixture_set_restitution", F_PhysicsFixtureSetRestitution, 2, "fixture, restitution", "nothing",
     "Sets the bounciness, from 0 (no bounce) to 1 (keeps all its speed)."},
    {"physics_fixture_set_friction", F_PhysicsFixtureSetFriction, 2, "fixture, friction", "nothing",
     "Sets the friction of the surface, usually from 0 to 1."},
    {"physics_fixture_set_collision_group", F_PhysicsFixtureSetCollisionGroup, 2, "fixture, group", "nothing",
     "Sets the collision group (rounded, 16 bits): fixtures of one positive group always collide, of one negative "
     "group never; 0 is no group."},
    {"physics_fixture_set_sensor", F_PhysicsFixtureSetSensor, 2, "fixture, sensor", "nothing",
     "Chooses whether the fixture only reports contacts without pushing back; a sensor only above 0.5."},
    {"physics_fixture_set_linear_damping", F_PhysicsFixtureSetLinearDamping, 2, "fixture, damping", "nothing",
     "Sets how fast the body's movement dies away by itself; 0 is none."},
    {"physics_fixture_set_angular_damping", F_PhysicsFixtureSetAngularDamping, 2, "fixture, damping", "nothing",
     "Sets how fast the body's spin dies away by itself; 0 is none."},
    {"physics_fixture_set_circle_shape", F_PhysicsFixtureSetCircleShape, 2, "fixture, radius", "nothing",
     "Makes the fixture a circle of radius pixels around the instance's origin; the room needs a physics world, whose "
     "scale turns the pixels into metres."},
    {"physics_fixture_set_box_shape", F_PhysicsFixtureSetBoxShape, 3, "fixture, halfwidth, halfheight", "nothing",
     "Makes the fixture a box centred on the instance's origin, given by half its width and half its height in pixels; "
     "the room needs a physics world."},
    {"physics_fixture_set_polygon_shape", F_PhysicsFixtureSetPolygonShape, 1, "fixture", "nothing",
     "Makes the fixture an empty polygon that `physics_fixture_add_point` fills."},
    {"physics_fixture_add_point", F_PhysicsFixtureAddPoint, 3, "fixture, x, y", "nothing",
     "Adds a corner, in pixels from the instance's origin, to the fixture's polygon, going clockwise on the screen; a "
     "point that makes it concave, a ninth point or a fixture that is not a polygon is refused with a runtime error."},
    {"physics_fixture_bind", F_PhysicsFixtureBind, 2, "fixture, obj", "nothing",
     "Gives the fixture to the instances obj names (`self`, an instance id, an object or `all`), making each a physics "
     "body on its first fixture; the room needs a physics world."},
    {"physics_fixture_delete", F_PhysicsFixtureDelete, 1, "fixture", "nothing",
     "Forgets the fixture record; bodies already made from it keep their shapes, and an unknown id is ignored."},
    {"physics_mass_properties", F_PhysicsMassProperties, 4, "mass, xcentre, ycentre, inertia", "nothing",
     "Sets the caller's body's mass in kilograms, its centre of mass in pixels from its origin, and its rotational "
     "inertia."},
    {"physics_apply_force", F_PhysicsApplyForce, 4, "x, y, xforce, yforce", "nothing",
     "Pushes the caller's body during the next step with the force vector in newtons, applied at the room point (x, y) "
     "in pixels; off-centre it also turns the body."},
    {"physics_apply_impulse", F_PhysicsApplyImpulse, 4, "x, y, ximpulse, yimpulse", "nothing",
     "Changes the caller's body's speed at once by the impulse vector, applied at the room point (x, y) in pixels."},
    {"physics_apply_local_force", F_PhysicsApplyLocalForce, 4, "x, y, xforce, yforce", "nothing",
     "As `physics_apply_force`, with the point and the force both in the body's own turned frame."},
    {"physics_apply_local_impulse", F_PhysicsApplyLocalImpulse, 4, "x, y, ximpulse, yimpulse", "nothing",
     "As `physics_apply_impulse`, with the point and the impulse both in the body's own turned frame."},
    {"physics_apply_torque", F_PhysicsApplyTorque, 1, "torque", "nothing",
     "Turns the caller's body during the next step with the torque in newton metres."},
    {"physics_draw_debug", F_PhysicsDrawDebug, 0, "", "nothing",
     "Draws the outlines of the caller's body's shapes, for debugging; nothing when it has no body."},
    {"physics_test_overlap", F_PhysicsTestOverlap, 4, "x, y, angle, obj", "bool: 1 when it would overlap",
     "Tells whether the caller's body, placed at (x, y) in pixels and turned angle degrees, would overlap the body "
     "of an instance obj names (`self`, an instance id, an object or `all`)."},
    {"physics_joint_distance_create", F_PhysicsJointDistanceCreate, 7, "inst1, inst2, x1, y1, x2, y2, collide",
     "id: the new joint, -1 when none was made",
     "Keeps the anchor points (x1, y1) on the first body and (x2, y2) on the second, room pixels, at the distance they "
     "have now; collide lets the two bodies still touch."},
    {"physics_joint_revolute_create", F_PhysicsJointRevoluteCreate, 11,
     "inst1, inst2, x, y, anglemin, anglemax, limit, maxtorque, speed, motor, collide",
     "id: the new joint, -1 when none was made",
     "Pins the two bodies together at the room point (x, y) so they turn about it; limit keeps the angle between "
     "anglemin and anglemax degrees, and motor drives it at speed with at most maxtorque. The speed, unlike the "
     "angles, is in radians per second: 1 turns the second body about 57 degrees a second, its `image_angle` "
     "falling."},
    {"physics_joint_prismatic_create", F_PhysicsJointPrismaticCreate, 13,
     "inst1, inst2, x, y, xaxis, yaxis, lowtrans, hightrans, limit, maxforce, speed, motor, collide",
     "id: the new joint, -1 when none was made",
     "Lets the second body slide against the first only along the axis vector through (x, y); limit keeps the travel "
     "between lowtrans and hightrans pixels, and motor drives it at speed with at most maxforce. The speed, unlike "
     "the translations, is in metres per second: 1 slides the body the room's pixels per metre each second."},
    {"physics_joint_pulley_create", F_PhysicsJointPulleyCreate, 14,
     "inst1, inst2, gx1, gy1, gx2, gy2, x1, y1, x2, y2, ratio, maxlen1, maxlen2, collide",
     "id: the new joint, -1 when none was made",
     "Hangs the two bodies from a rope over the fixed points (gx1, gy1) and (gx2, gy2), tied at their anchors (x1, y1) "
     "and (x2, y2); one side shortens as the other lengthens times ratio. Positions and lengths are in pixels."},
    {"physics_joint_gear_create", F_PhysicsJointGearCreate, 5, "inst1, inst2, joint1, joint2, ratio",
     "id: the new joint, -1 when none was made",
     "Couples two existing revolute or prismatic joints, given by their ids, so that the second moves ratio times as "
     "the first does; the bodies those joints move must be dynamic."},
    {"physics_joint_enable_motor", F_PhysicsJointEnableMotor, 2, "joint, motor", "nothing",
     "Turns the motor of a revolute or prismatic joint on or off, waking both bodies; motor is rounded first, so 0.6 "
     "is on and 0.5 off."},
    {"physics_joint_get_value", F_PhysicsJointGetValue, 2, "joint, field",
     "real: the field's value, 0 when the joint has no such field",
     "Reads one `phy_joint_` field of the joint, in the world's units: metres and radians, not pixels and degrees."},
    {"physics_joint_set_value", F_PhysicsJointSetValue, 3, "joint, field, value", "nothing",
     "Changes one `phy_joint_` field: the motor speed and the largest motor torque or force, and a distance joint's "
     "length, damping and frequency; others are ignored."},
    {"physics_joint_delete", F_PhysicsJointDelete, 1, "joint", "nothing",
     "Removes the joint from the room's world; the bodies stay."},
};

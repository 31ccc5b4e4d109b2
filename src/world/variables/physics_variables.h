// The phy_* variables over an instance's body: positions and speeds in
// pixels through the current room's world scale, angles in degrees.
#pragma once

// Gives the built-in variables their physics getters and setters.
void PhysicsVariables_Install();

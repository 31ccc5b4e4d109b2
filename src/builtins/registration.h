// Registers every built-in family with the function registry, in the fixed
// order that gives each built-in its function id.
#pragma once

void Builtins_RegisterAll();

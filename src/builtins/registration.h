// Every built-in family, in the one order that gives each built-in its
// function id: its place among the rows of all the families before it.
#pragma once

#include <cstdint>
#include <span>

#include "builtins/builtin_row.h"

enum class BuiltinFamilyId : uint8_t {
  kMotion,
  kMaths,
  kGraphics,
  kActions,
  kFiles,
  kResources,
  kInteraction,
  k3D,
  kParticles,
  kMisc,
  kDataStructures,
  kSound,
  kMultiplayer,
  kPhysics,
  kPlatform,
};

struct BuiltinFamily {
  BuiltinFamilyId id;
  const char* name;
  // Empty for a family not built yet.
  std::span<const BuiltinRow> rows;
  // What the family sets up before its rows are added; may be null.
  void (*prepare)();
};

// All fifteen, in registration order.
std::span<const BuiltinFamily> Builtins_Families();
const BuiltinFamily& Builtins_Family(BuiltinFamilyId id);

// Adds the family's rows in table order, leaving out those store mode
// drops. A debug build stops on a name that is already registered: a second
// record of a name would never be found.
void Builtins_RegisterFamily(BuiltinFamilyId id);
void Builtins_RegisterAll();

#include "builtins/registration.h"

#include <cstddef>
#include <iterator>

#include "builtins/actions/rows.h"
#include "builtins/d3d/rows.h"
#include "builtins/ds/rows.h"
#include "builtins/files/rows.h"
#include "builtins/graphics/rows.h"
#include "builtins/interaction/rows.h"
#include "builtins/maths/rows.h"
#include "builtins/misc/rows.h"
#include "builtins/motion/rows.h"
#include "builtins/multiplayer/rows.h"
#include "builtins/particles/rows.h"
#include "builtins/physics/rows.h"
#include "builtins/platform/rows.h"
#include "builtins/resources/rows.h"
#include "builtins/sound/rows.h"
#include "runtime/fatal.h"
#include "runtime/run_flags.h"

namespace {

using enum BuiltinFamilyId;

// Entries never move: compiled code holds ids, and each family's place sets
// where its ids start.
constexpr BuiltinFamily kFamilies[] = {
    {kMotion, "world motion and planning", kMotionRows, MotionBuiltins_Prepare},
    {kMaths, "mathematics", kMathsRows, nullptr},
    {kGraphics, "graphics", kGraphicsRows, nullptr},
    {kActions, "drag-and-drop actions", kActionRows, ActionBuiltins_Prepare},
    {kFiles, "files, INI, registry, HTTP and JSON", kFilesRows, FileBuiltins_Prepare},
    {kResources, "resources", kResourceRows, nullptr},
    {kInteraction, "interaction and dialogs", kInteractionRows, nullptr},
    {k3D, "3D drawing", kD3DRows, nullptr},
    {kParticles, "particles", kParticleRows, nullptr},
    {kMisc, "miscellaneous", kMiscRows, nullptr},
    {kDataStructures, "data structures", kDataStructureRows, nullptr},
    {kSound, "sound and audio", kSoundRows, nullptr},
    {kMultiplayer, "multiplayer", kMultiplayerRows, nullptr},
    {kPhysics, "physics", kPhysicsRows, nullptr},
    {kPlatform, "platform services", kPlatformRows, nullptr},
};

// Builtins_Family indexes the table by id.
constexpr bool InIdOrder() {
  for (size_t i = 0; i < std::size(kFamilies); ++i) {
    if (static_cast<size_t>(kFamilies[i].id) != i) return false;
  }
  return true;
}
static_assert(InIdOrder() && std::size(kFamilies) == static_cast<size_t>(kPlatform) + 1);

void CheckNotRegistered([[maybe_unused]] const char* name) {
#ifndef NDEBUG
  int32_t id = -1;
  if (Function_Find(name, &id)) Fatal_InternalError("built-in %s is registered twice", name);
#endif
}

}  // namespace

std::span<const BuiltinFamily> Builtins_Families() { return kFamilies; }

const BuiltinFamily& Builtins_Family(BuiltinFamilyId id) { return kFamilies[static_cast<size_t>(id)]; }

void Builtins_RegisterFamily(BuiltinFamilyId id) {
  const BuiltinFamily& family = Builtins_Family(id);
  if (family.prepare != nullptr) family.prepare();
  for (const BuiltinRow& row : family.rows) {
    if (g_runFlags.steamMode && row.mode == BuiltinMode::kNotInStoreMode) continue;
    CheckNotRegistered(row.name);
    Function_Add(row.name, row.handler, row.argumentCount);
  }
}

void Builtins_RegisterAll() {
  for (const BuiltinFamily& family : kFamilies) Builtins_RegisterFamily(family.id);
}

#include "world/start/extension_services.h"

#include "gamefile/extension.h"

namespace {

constexpr ExtensionServices kReal{Extension_Prepare};

}  // namespace

const ExtensionServices& ExtensionServices_Real() { return kReal; }

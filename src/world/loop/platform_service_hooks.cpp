#include "world/loop/platform_service_hooks.h"

namespace {

PlatformServiceHooks g_hooks;

}  // namespace

void PlatformServices_SetHooks(const PlatformServiceHooks& hooks) { g_hooks = hooks; }
const PlatformServiceHooks& PlatformServices_Hooks() { return g_hooks; }

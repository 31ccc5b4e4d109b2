#include "platform/backends.h"

#include <atomic>

namespace {

PlatformBackends g_backends;
std::atomic<uint32_t> g_changes{0};

}  // namespace

const PlatformBackends& PlatformBackends_Get() { return g_backends; }

uint32_t PlatformBackends_Changes() { return g_changes.load(); }

void PlatformBackends_Install(const PlatformBackends& backends) {
  g_backends = backends;
  g_changes.fetch_add(1);
}

#include "world/start/service_list.h"

#include "graphics/overlay/profiler.h"
#include "graphics/overlay/profiler_host.h"
#include "runtime/console.h"
#include "world/start/load_form_services.h"
#include "world/start/overlay_game.h"
#include "world/start/particle_world.h"

namespace {

enum class Status { kBuilt, kStandIn };

struct ServiceRow {
  const char* name;
  Status status;
  void (*install)();
};

// In the order of the subsystems. When a subsystem is built, its row
// installs the subsystem's own operations and says so, and its stand-in
// file goes.
constexpr ServiceRow kServices[] = {
    {"load form", Status::kStandIn, [] { LoadFormServices_Install(&LoadFormServices_StandIn()); }},
    {"particle systems", Status::kBuilt, [] { ParticleHost_Install(&ParticleHost_World()); }},
    {"frame profiler", Status::kBuilt,
     [] {
       ProfilerServices_Install(&ProfilerServices_Real());
       ProfilerHost_Install(&ProfilerHost_Game());
     }},
    {"virtual keys", Status::kBuilt, [] { VirtualKeys_Install(VirtualKeyHooks_Game()); }},
};

}  // namespace

void ServiceList_Install() {
  for (const ServiceRow& row : kServices) row.install();
}

std::string ServiceList_StandInLine() {
  std::string names;
  for (const ServiceRow& row : kServices) {
    if (row.status != Status::kStandIn) continue;
    if (!names.empty()) names += ", ";
    names += row.name;
  }
  return names.empty() ? names : "Stand-in services: " + names + "\n";
}

void ServiceList_ReportStandIns() {
#ifndef NDEBUG
  const std::string line = ServiceList_StandInLine();
  if (!line.empty()) g_debugConsole->Output("%s", line.c_str());
#endif
}

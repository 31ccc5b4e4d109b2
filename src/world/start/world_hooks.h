// Connects the lower layers' seams to the world: resource names in code,
// where errors happened, names for error texts, the pending room change,
// the quit request, bodies that die with their instances.
#pragma once

void WorldHooks_Install();

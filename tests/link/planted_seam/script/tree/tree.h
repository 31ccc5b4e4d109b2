// A setter of the script engine's own, called from outside it below.
#pragma once

struct TreeHooks {
  void (*run)() = nullptr;
};
void Tree_Install(const TreeHooks& hooks);

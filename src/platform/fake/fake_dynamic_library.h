// Libraries held in memory for tests: each path names a table of symbols.
// Opening a path that is not in the table fails as a missing file would;
// every open and close is counted.
#pragma once

#include <map>
#include <string>

struct FakeLibraries {
  // path -> (symbol -> address)
  std::map<std::string, std::map<std::string, void*>> libraries;
  int opens = 0;     // successful opens
  int attempts = 0;  // every open asked for
  int closes = 0;
  std::string lastError;
};

// Chooses the fake as the loader (the system's is put back with
// PlatformBackends_Put(&PlatformBackends::libraries, nullptr)); the table
// starts empty.
FakeLibraries& FakeLibraries_Install();

// Native libraries opened while the game runs: a game's extension libraries
// and those its scripts define functions from. One table of operations:
// the system's loader by default, an in-memory table of symbols in tests.
#pragma once

struct DynamicLibraryServices {
  // A handle, or null when the library cannot be loaded.
  void* (*open)(const char* path);
  // The address of an exported symbol, or null.
  void* (*symbol)(void* handle, const char* name);
  void (*close)(void* handle);
  // Why the last open or symbol lookup failed, in the loader's words.
  const char* (*lastError)();
};

// The loader of this system: every library is bound at once and keeps its
// symbols to itself.
const DynamicLibraryServices& DynamicLibrary_System();
// Null puts back the system's loader.
void DynamicLibrary_Install(const DynamicLibraryServices* services);
const DynamicLibraryServices& DynamicLibrary_Get();

// Native libraries opened while the game runs: a game's extension libraries
// and those its scripts define functions from. One table of operations:
// the system's loader, or an in-memory table of symbols that tests choose
// (platform/backends.h).
#pragma once

struct DynamicLibraryServices {
  // A handle, or null when the library cannot be loaded.
  void* (*open)(const char* path);
  // The address of an exported symbol, or null.
  void* (*symbol)(void* handle, const char* name);
  void (*close)(void* handle);
  // Why the last open or symbol lookup failed, in the loader's words.
  const char* (*lastError)();
  // Whether a library that path names, or that goes by that name, is loaded
  // just now; nothing is loaded.
  bool (*loaded)(const char* path);
};

// The loader of this system: every library is bound at once and keeps its
// symbols to itself.
const DynamicLibraryServices& DynamicLibrary_System();
const DynamicLibraryServices& DynamicLibrary_Get();

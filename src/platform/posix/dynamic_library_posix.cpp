#include <dlfcn.h>

#include <string>

#include "platform/dynamic_library.h"

namespace {

// dlerror's text is only valid until the next call into the loader.
std::string g_lastError;

void Remember() {
  const char* reason = dlerror();
  g_lastError = reason != nullptr ? reason : "unknown reason";
}

void* Open(const char* path) {
  dlerror();
  void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) Remember();
  return handle;
}

void* Symbol(void* handle, const char* name) {
  dlerror();
  void* address = dlsym(handle, name);
  if (address == nullptr) Remember();
  return address;
}

void Close(void* handle) { dlclose(handle); }

const char* LastError() { return g_lastError.c_str(); }

constexpr DynamicLibraryServices kSystem{Open, Symbol, Close, LastError};

const DynamicLibraryServices* g_installed = &kSystem;

}  // namespace

const DynamicLibraryServices& DynamicLibrary_System() { return kSystem; }

void DynamicLibrary_Install(const DynamicLibraryServices* services) {
  g_installed = services != nullptr ? services : &kSystem;
}

const DynamicLibraryServices& DynamicLibrary_Get() { return *g_installed; }

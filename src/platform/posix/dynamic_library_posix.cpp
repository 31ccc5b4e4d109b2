#include <dlfcn.h>

#include <string>

#include "platform/backends.h"
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

bool Loaded(const char* path) {
  void* handle = dlopen(path, RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

constexpr DynamicLibraryServices kSystem{Open, Symbol, Close, LastError, Loaded};

}  // namespace

const DynamicLibraryServices& DynamicLibrary_System() { return kSystem; }

const DynamicLibraryServices& DynamicLibrary_Get() {
  const DynamicLibraryServices* fake = PlatformBackends_Get().libraries;
  return fake != nullptr ? *fake : kSystem;
}

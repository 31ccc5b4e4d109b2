#include "platform/fake/fake_dynamic_library.h"

#include "platform/backends.h"

namespace {

FakeLibraries g_fake;

// A handle is the address of the library's entry in the table.
void* Open(const char* path) {
  ++g_fake.attempts;
  auto it = g_fake.libraries.find(path);
  if (it == g_fake.libraries.end()) {
    g_fake.lastError = std::string(path) + ": cannot open shared object file: No such file or directory";
    return nullptr;
  }
  ++g_fake.opens;
  return &it->second;
}

void* Symbol(void* handle, const char* name) {
  auto* symbols = static_cast<std::map<std::string, void*>*>(handle);
  auto it = symbols->find(name);
  if (it == symbols->end()) {
    g_fake.lastError = std::string("undefined symbol: ") + name;
    return nullptr;
  }
  return it->second;
}

void Close(void*) { ++g_fake.closes; }

const char* LastError() { return g_fake.lastError.c_str(); }

// The fake's libraries have no files a descriptor could name.
bool Loaded(const char*) { return false; }

constexpr DynamicLibraryServices kFake{Open, Symbol, Close, LastError, Loaded};

}  // namespace

FakeLibraries& FakeLibraries_Install() {
  g_fake = FakeLibraries();
  PlatformBackends_Put(&PlatformBackends::libraries, &kFake);
  return g_fake;
}

// The extension-package reader on arbitrary bytes. The first four bytes
// give where the chunk starts in the rest, which is the whole file: records
// must lie in the chunk, names anywhere in the file. After a load the
// first functions read and the last are looked up by name and id, and each
// answer must be the first match in store order. Nothing is prepared: that
// would load libraries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "extensions/extension.h"
#include "fuzz_support.h"
#include "runtime/game_image.h"
#include "runtime/globals.h"

namespace {

// A few kept tables of packages can repeat one function record many
// thousands of times; looking every one up would spend seconds on the same
// answers.
constexpr size_t kLookedUp = 16;

bool Setup() {
  Globals_Init();
  Fuzz_SilenceConsoles();
  std::atexit(Extension_Clear);
  return true;
}

// A function looked up and what the store in order says of it.
struct Probe {
  const CExtensionFunction* function;
  int32_t id = -1;
  int32_t argumentCount = -100;
  const std::string* name = nullptr;
};

template <typename Visit>
void EachFunction(Visit visit) {
  for (const auto& package : Extension_Packages()) {
    if (package == nullptr) continue;
    for (const CExtensionFile& file : package->files) {
      for (const CExtensionFunction& f : file.functions) visit(f);
    }
  }
}

std::vector<Probe> Probes() {
  std::vector<Probe> probes;
  const CExtensionFunction* last = nullptr;
  EachFunction([&](const CExtensionFunction& f) {
    if (probes.size() < kLookedUp) probes.push_back({&f});
    last = &f;
  });
  if (last != nullptr && probes.back().function != last) probes.push_back({last});
  EachFunction([&](const CExtensionFunction& f) {
    for (Probe& p : probes) {
      if (p.id < 0 && f.id >= 0 && f.name == p.function->name) p.id = f.id;
      if (p.argumentCount == -100 && f.id == p.function->id) p.argumentCount = f.argumentCount;
      if (p.name == nullptr && f.id == p.function->id && !f.name.empty()) p.name = &f.name;
    }
  });
  return probes;
}

void CheckLookups() {
  for (const Probe& p : Probes()) {
    if (Extension_FindFunction(p.function->name.c_str()) != p.id) std::abort();
    if (Extension_GetArgCount(p.function->id) != p.argumentCount) std::abort();
    const char* name = Extension_GetName(p.function->id);
    if ((name == nullptr) != (p.name == nullptr) || (name != nullptr && *p.name != name)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = Setup();
  (void)ready;
  if (size < 4) return 0;
  uint32_t start;
  std::memcpy(&start, data, 4);
  GameImage image;
  image.Assign(std::vector<uint8_t>(data + 4, data + size));
  if (start > image.Size()) start = static_cast<uint32_t>(image.Size());
  if (Extension_Load(image, start, static_cast<uint32_t>(image.Size() - start))) CheckLookups();
  Extension_Clear();
  return 0;
}

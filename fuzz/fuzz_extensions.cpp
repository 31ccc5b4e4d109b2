// The extension-package reader on arbitrary bytes. The first four bytes
// give where the chunk starts in the rest, which is the whole file: records
// must lie in the chunk, names anywhere in the file. After a load the
// lookups walk whatever was read. Nothing is prepared: that would load
// libraries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "gamefile/extension.h"
#include "runtime/game_image.h"
#include "runtime/globals.h"

namespace {

bool Setup() {
  Globals_Init();
  Fuzz_SilenceConsoles();
  std::atexit(Extension_Clear);
  return true;
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
  if (Extension_Load(image, start, static_cast<uint32_t>(image.Size() - start))) {
    for (const auto& package : Extension_Packages()) {
      if (package == nullptr) continue;
      for (const CExtensionFile& file : package->files) {
        for (const CExtensionFunction& f : file.functions) {
          Extension_FindFunction(f.name.c_str());
          Extension_GetArgCount(f.id);
          Extension_GetName(f.id);
        }
      }
    }
  }
  Extension_Clear();
  return 0;
}

// Arbitrary bytes as a 3D model file: the reader must stay in bounds and
// keep what it reads, and replaying and saving whatever it kept (NaN and
// infinite values, any kind, any steps and repeats) must be defined.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "graphics/3d/model_3d.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A short line can ask for a shape of tens of thousands of vertices; a
  // few kilobytes already reach every path of the reader.
  if (size > 4096) return 0;
  Fuzz_SilenceConsoles();
  C3DModel model;
  if (!model.LoadFromMemory(reinterpret_cast<const char*>(data), size)) return 0;
  if (model.Records().size() <= 32) model.Draw(0, 0, 0, -1);
  model.Save("/dev/null");
  return 0;
}

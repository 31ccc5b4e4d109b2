// Arbitrary bytes as an input playback file: every step read from it, and
// every value a game may then ask for, must stay in bounds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "world/input/input.h"
#include "world/input/input_record.h"
#include "world/start/command_line.h"

namespace {

std::string PlaybackPath() {
  static const std::string path = "/tmp/kv_fuzz_playback_" + std::to_string(getpid()) + ".rec";
  return path;
}

void ReadEverything() {
  (void)IO_GetKeyboardString();
  (void)IO_GetLastChar();
  (void)IO_GetLastKey();
  (void)IO_GetCurrentKey();
  for (int32_t code = -1; code <= 256; ++code) {
    (void)IO_KeyDown(code);
    (void)IO_KeyPressed(code);
    (void)IO_KeyReleased(code);
  }
  for (int32_t device = -1; device <= 5; ++device) {
    (void)IO_GetCurrentButton(device);
    (void)IO_GetLastButton(device);
    (void)IO_WheelUp(device);
    (void)IO_WheelDown(device);
    for (int32_t button = 0; button <= 4; ++button) {
      (void)IO_ButtonDown(button, device);
      (void)IO_ButtonPressed(button, device);
      (void)IO_ButtonReleased(button, device);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16 * kInputRecordSize) return 0;
  const std::string path = PlaybackPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  Runner_ParseOptions(("-playback " + path).c_str());
  IO_Init();
  size_t steps = size / kInputRecordSize + 2;
  for (size_t i = 0; i < steps; ++i) {
    IO_Update();
    ReadEverything();
  }
  IO_Free();
  Runner_ParseOptions(nullptr);
  std::remove(path.c_str());
  return 0;
}

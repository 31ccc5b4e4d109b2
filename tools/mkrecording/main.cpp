// mkrecording KEYS -o RECORDING [--steps N]
// Writes a recording for the player's "-playback" from a text list of timed
// key presses (see tools/README.md).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "mkrecording/key_list.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: mkrecording KEYS -o RECORDING [--steps N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output;
  long steps = -1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc) {
      char* end = nullptr;
      steps = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || steps < 1 || steps > 1000000) return Usage();
    } else if (argv[i][0] != '-' && input.empty()) {
      input = argv[i];
    } else {
      return Usage();
    }
  }
  if (input.empty() || output.empty()) return Usage();
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::printf("mkrecording: cannot read %s\n", input.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  try {
    std::vector<mkrecording::KeyPress> presses = mkrecording::KeyList_Parse(text.str(), input);
    int32_t needed = mkrecording::KeyList_StepsNeeded(presses);
    if (steps >= 0 && steps < needed) {
      std::printf("mkrecording: the presses need %d steps, more than --steps %ld\n", static_cast<int>(needed), steps);
      return 1;
    }
    std::vector<uint8_t> record =
        mkrecording::KeyList_Record(presses, steps >= 0 ? static_cast<int32_t>(steps) : needed);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
    if (!out) {
      std::printf("mkrecording: cannot write %s\n", output.c_str());
      return 1;
    }
  } catch (const mkrecording::KeyListError& e) {
    std::printf("%s\n", e.what());
    return 1;
  }
  return 0;
}

// mkgame DESCRIPTION.json -o GAME.win [--bytecode]
// Writes a game file from a JSON game description (see tools/README.md).
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include "mkgame/bytecode_compile.h"
#include "mkgame/game_model.h"
#include "mkgame/game_writer.h"
#include "mkgame/json_input.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: mkgame DESCRIPTION.json -o GAME.win [--bytecode]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output;
  bool bytecode = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else if (std::strcmp(argv[i], "--bytecode") == 0) {
      bytecode = true;
    } else if (argv[i][0] != '-' && input.empty()) {
      input = argv[i];
    } else {
      return Usage();
    }
  }
  if (input.empty() || output.empty()) return Usage();
  try {
    mkgame::Game game = mkgame::Describe_Read(input);
    std::vector<uint8_t> bytes;
    if (bytecode || game.bytecode) {
      mkgame::CompiledGame compiled = mkgame::Bytecode_Compile(game);
      bytes = mkgame::GameWriter_Write(game, &compiled);
    } else {
      bytes = mkgame::GameWriter_Write(game);
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::printf("mkgame: cannot write %s\n", output.c_str());
      return 1;
    }
  } catch (const mkgame::DescriptionError& e) {
    std::printf("%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::printf("mkgame: %s\n", e.what());
    return 1;
  }
  return 0;
}

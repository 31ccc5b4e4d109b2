// mkgame DESCRIPTION.json -o GAME.win [--bytecode [--no-debug-info]]
// Writes a game file from a JSON game description (see tools/README.md).
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "gamefile/runner_load.h"
#include "mkgame/bytecode_compile.h"
#include "mkgame/debug_file.h"
#include "mkgame/game_model.h"
#include "mkgame/game_writer.h"
#include "mkgame/json_input.h"
#include "mkgame/player_stores.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: mkgame DESCRIPTION.json -o GAME.win [--bytecode [--no-debug-info]]\n");
  return 2;
}

// Through a staging file renamed over the target, so a failed write leaves
// neither a partial file nor a changed one.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string staging = path + ".part";
  std::ofstream out(staging, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  std::error_code error;
  if (out) std::filesystem::rename(staging, path, error);
  if (out && !error) return true;
  std::filesystem::remove(staging, error);
  std::printf("mkgame: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output;
  bool bytecode = false, debugInfo = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else if (std::strcmp(argv[i], "--bytecode") == 0) {
      bytecode = true;
    } else if (std::strcmp(argv[i], "--no-debug-info") == 0) {
      debugInfo = false;
    } else if (argv[i][0] != '-' && input.empty()) {
      input = argv[i];
    } else {
      return Usage();
    }
  }
  if (input.empty() || output.empty()) return Usage();
  try {
    // Whatever way the work ends, the stores the game was read into are
    // freed before the process ends.
    struct StoresFreedAtEnd {
      ~StoresFreedAtEnd() { mkgame::PlayerStores_Free(); }
    } stores;
    mkgame::Game game = mkgame::Describe_Read(input);
    mkgame::Constants_Check(game, bytecode || game.bytecode);
    // The player reads the debug file named after the game: one left from
    // an earlier build must never be paired with this one's code.
    std::string debugPath = Runner_DebugPath(output);
    if (!debugPath.empty()) std::filesystem::remove(debugPath);
    if (!(bytecode || game.bytecode)) return WriteFile(output, mkgame::GameWriter_Write(game)) ? 0 : 1;
    mkgame::CompiledGame compiled = mkgame::Bytecode_Compile(game);
    const std::vector<uint8_t> gameBytes = mkgame::GameWriter_Write(game, &compiled);
    const bool withDebugFile = debugInfo && !debugPath.empty();
    const std::vector<uint8_t> debugBytes = withDebugFile ? mkgame::DebugFile_Write(compiled) : std::vector<uint8_t>();
    if (!WriteFile(output, gameBytes)) return 1;
    if (withDebugFile && !WriteFile(debugPath, debugBytes)) {
      std::filesystem::remove(output);  // a compiled game is never left without its debug file
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

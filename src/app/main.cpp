// The player's entry point.
#include <clocale>
#include <cstdio>

#include "builtins/registration.h"
#include "gamefile/code_chunks.h"
#include "runtime/globals.h"
#include "world/runner.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Globals_Init();
  GameFile_SetBuiltinRegistration(Builtins_RegisterAll);
  return Runner_Main(argc, argv);
}

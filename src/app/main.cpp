// The player's entry point.
#include <clocale>
#include <cstdio>

#include "runtime/globals.h"
#include "world/runner.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Globals_Init();
  return Runner_Main(argc, argv);
}

// The player's entry point.
#include <clocale>
#include <cstdio>

#include "runtime/globals.h"

int main(int, char**) {
  std::setlocale(LC_ALL, "C");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Globals_Init();
  std::printf("Korvalith %s\n", KORVALITH_VERSION);
  return 0;
}

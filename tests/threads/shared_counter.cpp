// Two threads count into one shared number, with or without a lock
// ("guarded" or "unguarded" as the only argument). Under the thread
// sanitizer the unguarded run must be reported as a race in this file and
// the guarded one must run clean: the build, its options and its
// suppressions are seen to catch a race in our own code.
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

constexpr int kRounds = 10000;
int g_count = 0;
std::mutex g_lock;

void CountUnguarded() {
  for (int i = 0; i < kRounds; ++i) ++g_count;
}

void CountGuarded() {
  for (int i = 0; i < kRounds; ++i) {
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_count;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "guarded") != 0 && std::strcmp(argv[1], "unguarded") != 0)) {
    std::fprintf(stderr, "usage: shared_counter guarded|unguarded\n");
    return 2;
  }
  void (*count)() = std::strcmp(argv[1], "guarded") == 0 ? CountGuarded : CountUnguarded;
  std::thread other(count);
  count();
  other.join();
  std::printf("counted %d\n", g_count);
  return 0;
}

// damage_game GAME.win FOLDER COUNT SEED
// Writes COUNT damaged copies of a game file into FOLDER as 0.win, 1.win,
// ...: each copy takes one to three blows of the kinds a damaged download or
// a hostile file deals: flipped bytes, a cut, a 32-bit word set to an
// extreme, a slice of the file copied in again. The same SEED gives the same
// copies, so a failing copy can be made again.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class Damage {
 public:
  explicit Damage(uint64_t seed) : random_(seed) {}

  void Blow(Bytes& file) {
    if (file.size() < 8) return;
    switch (Below(4)) {
      case 0: FlipBytes(file); break;
      case 1: file.resize(Below(file.size())); break;
      case 2: ExtremeWord(file); break;
      default: DuplicateSlice(file); break;
    }
  }

  size_t Below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

 private:
  void FlipBytes(Bytes& file) {
    for (size_t n = 1 + Below(8); n > 0; --n) file[Below(file.size())] ^= static_cast<uint8_t>(1 + Below(255));
  }

  // Sizes, counts and offsets are 32-bit words on 4-byte boundaries.
  void ExtremeWord(Bytes& file) {
    const uint32_t size = static_cast<uint32_t>(file.size());
    const uint32_t extremes[] = {0, 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFF, size, size + 1, size - 4};
    const uint32_t value = extremes[Below(sizeof extremes / sizeof extremes[0])];
    const size_t at = Below(file.size() / 4) * 4;
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }

  void DuplicateSlice(Bytes& file) {
    const size_t from = Below(file.size()), length = 1 + Below(std::min<size_t>(256, file.size() - from));
    const Bytes slice(file.begin() + static_cast<std::ptrdiff_t>(from),
                      file.begin() + static_cast<std::ptrdiff_t>(from + length));
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(Below(file.size() + 1)), slice.begin(), slice.end());
  }

  std::mt19937_64 random_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: damage_game GAME.win FOLDER COUNT SEED\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const Bytes game((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (game.empty()) {
    std::fprintf(stderr, "damage_game: cannot read %s\n", argv[1]);
    return 2;
  }
  const int count = std::atoi(argv[3]);
  Damage damage(std::strtoull(argv[4], nullptr, 10));
  for (int i = 0; i < count; ++i) {
    Bytes copy = game;
    for (size_t blows = 1 + damage.Below(3); blows > 0; --blows) damage.Blow(copy);
    const std::string path = std::string(argv[2]) + "/" + std::to_string(i) + ".win";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(copy.data()), static_cast<std::streamsize>(copy.size()));
    if (!out) {
      std::fprintf(stderr, "damage_game: cannot write %s\n", path.c_str());
      return 2;
    }
  }
  return 0;
}

// wave_check OUT.wav EXPECTED.wave
// Checks what the mixer wrote (16-bit stereo PCM) against lines of:
//   tone HZ      the tone carries at least a tenth of the sound's power
//   louder left  the left channel is louder than the right
//   silence      no sample stands above the noise floor
//   peak FROM TO LOW HIGH   from FROM to TO seconds, the loudest sample (a
//                share of full scale) lies between LOW and HIGH
// Blank lines and lines starting with "#" are ignored.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Mix {
  uint32_t rate = 0;
  std::vector<double> left, right;
};

uint32_t Le(const std::vector<char>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b[at + i])) << (8 * i);
  return v;
}

// The first "fmt " and "data" chunks; false when the file is no stereo
// 16-bit WAV.
bool ReadMix(const char* path, Mix* mix) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0) return false;
  size_t at = 12;
  bool format = false;
  while (at + 8 <= b.size()) {
    const uint32_t size = Le(b, at + 4, 4);
    const size_t body = at + 8;
    if (std::memcmp(&b[at], "fmt ", 4) == 0 && body + 16 <= b.size()) {
      format = Le(b, body + 2, 2) == 2 && Le(b, body + 14, 2) == 16;
      mix->rate = Le(b, body + 4, 4);
    }
    if (std::memcmp(&b[at], "data", 4) == 0 && format) {
      // The writer may leave the size open until it closes; take what is there.
      const size_t end = size == 0 || body + size > b.size() ? b.size() : body + size;
      for (size_t p = body; p + 4 <= end; p += 4) {
        mix->left.push_back(static_cast<int16_t>(Le(b, p, 2)) / 32768.0);
        mix->right.push_back(static_cast<int16_t>(Le(b, p + 2, 2)) / 32768.0);
      }
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

double Power(const std::vector<double>& s) {
  double sum = 0;
  for (double x : s) sum += x * x;
  return sum;
}

// The share of the power of both channels that lies at hz (Goertzel).
double ToneShare(const Mix& mix, double hz) {
  const double w = 2 * M_PI * hz / mix.rate;
  double share = 0, total = 0;
  for (const std::vector<double>* channel : {&mix.left, &mix.right}) {
    double s1 = 0, s2 = 0;
    for (double x : *channel) {
      const double s0 = x + 2 * std::cos(w) * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    const double n = static_cast<double>(channel->size());
    share += (s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2) * 2 / n;
    total += Power(*channel);
  }
  return total > 0 ? share / total : 0;
}

// The loudest sample of both channels, from sample `from` up to `to`.
double Peak(const Mix& mix, size_t from = 0, size_t to = SIZE_MAX) {
  double peak = 0;
  for (const std::vector<double>* channel : {&mix.left, &mix.right}) {
    for (size_t i = from; i < to && i < channel->size(); ++i) peak = std::fmax(peak, std::fabs((*channel)[i]));
  }
  return peak;
}

bool Check(const Mix& mix, const std::string& line) {
  std::istringstream words(line);
  std::string what;
  words >> what;
  if (what == "tone") {
    double hz = 0;
    words >> hz;
    const double share = ToneShare(mix, hz);
    if (share >= 0.1) return true;
    std::printf("tone %g Hz: %.3f of the power\n", hz, share);
  } else if (what == "louder") {
    const double left = Power(mix.left), right = Power(mix.right);
    if (left > right * 1.2) return true;
    std::printf("left power %g, right %g\n", left, right);
  } else if (what == "silence") {
    if (Peak(mix) < 0.001) return true;
    std::printf("not silent: peak %g\n", Peak(mix));
  } else if (what == "peak") {
    double from = 0, to = 0, low = 0, high = 0;
    words >> from >> to >> low >> high;
    const double peak = Peak(mix, static_cast<size_t>(from * mix.rate), static_cast<size_t>(to * mix.rate));
    if (peak >= low && peak <= high) return true;
    std::printf("peak from %gs to %gs: %g, not within %g and %g\n", from, to, peak, low, high);
  } else {
    std::printf("unknown check: %s\n", line.c_str());
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: wave_check OUT.wav EXPECTED.wave\n");
    return 2;
  }
  Mix mix;
  if (!ReadMix(argv[1], &mix) || mix.rate == 0) {
    std::printf("%s: no 16-bit stereo WAV\n", argv[1]);
    return 1;
  }
  std::ifstream expected(argv[2]);
  std::string line;
  int failures = 0;
  while (std::getline(expected, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (!Check(mix, line)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

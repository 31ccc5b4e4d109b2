// pixel_check FRAME.png EXPECTED.pixels
// pixel_check --split ROW FRAME.png OTHER.png
// Compares a written frame with a picture described as rectangles painted
// in order over each other:
//   size W H
//   rect X1 Y1 X2 Y2 #RRGGBB     (X2 and Y2 exclusive)
//   ignore X1 Y1 X2 Y2           (not compared, until a later rect paints it)
//   ink X1 Y1 X2 Y2 #RRGGBB      (some pixel inside is not that colour)
//   near X1 Y1 X2 Y2 #RRGGBB N   (as rect, each channel within N of it)
// Blank lines and lines starting with "#" are ignored. Every pixel's red,
// green and blue must match exactly (or within a near's N); the first
// mismatches are listed. Every pixel, ignored or not, must be opaque: the
// window shows the frame solid, and so must the frame written.
// The second form compares two frames of one size: from ROW down they must
// be equal pixel for pixel, and above ROW some pixel must differ.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <png.h>

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned> rgb;
  std::vector<bool> ignored;
  std::vector<int> within;  // per channel
  struct Ink {
    int x1, y1, x2, y2;
    unsigned background;
  };
  std::vector<Ink> inks;
};

bool ParseColour(const std::string& text, unsigned* rgb) {
  if (text.size() != 7 || text[0] != '#') return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
  if (*end != '\0') return false;
  *rgb = static_cast<unsigned>(v);
  return true;
}

// Paints a colour, or marks the pixels not compared when `ignore` is set.
void Paint(Picture& p, int x1, int y1, int x2, int y2, unsigned rgb, bool ignore, int within = 0) {
  for (int y = y1 < 0 ? 0 : y1; y < y2 && y < p.height; ++y) {
    for (int x = x1 < 0 ? 0 : x1; x < x2 && x < p.width; ++x) {
      const size_t at = static_cast<size_t>(y) * p.width + x;
      p.ignored[at] = ignore;
      if (!ignore) p.rgb[at] = rgb;
      p.within[at] = within;
    }
  }
}

bool Matches(unsigned got, unsigned want, int within) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((got >> shift) & 0xFF), b = static_cast<int>((want >> shift) & 0xFF);
    if (std::abs(a - b) > within) return false;
  }
  return true;
}

bool ReadExpected(const char* path, Picture* p) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string word, colour;
    words >> word;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    unsigned rgb = 0;
    if (word == "size" && (words >> p->width >> p->height) && p->width > 0 && p->height > 0 && p->width <= 16384 &&
        p->height <= 16384) {
      p->rgb.assign(static_cast<size_t>(p->width) * p->height, 0);
      p->ignored.assign(p->rgb.size(), false);
      p->within.assign(p->rgb.size(), 0);
    } else if (word == "rect" && !p->rgb.empty() && (words >> x1 >> y1 >> x2 >> y2 >> colour) &&
               ParseColour(colour, &rgb)) {
      Paint(*p, x1, y1, x2, y2, rgb, false);
    } else if (int within = 0; word == "near" && !p->rgb.empty() &&
                               (words >> x1 >> y1 >> x2 >> y2 >> colour >> within) && ParseColour(colour, &rgb) &&
                               within >= 0) {
      Paint(*p, x1, y1, x2, y2, rgb, false, within);
    } else if (word == "ignore" && !p->rgb.empty() && (words >> x1 >> y1 >> x2 >> y2)) {
      Paint(*p, x1, y1, x2, y2, 0, true);
    } else if (word == "ink" && !p->rgb.empty() && (words >> x1 >> y1 >> x2 >> y2 >> colour) &&
               ParseColour(colour, &rgb)) {
      p->inks.push_back({x1, y1, x2, y2, rgb});
    } else {
      std::fprintf(stderr, "%s:%d: cannot read \"%s\"\n", path, number, line.c_str());
      return false;
    }
  }
  return !p->rgb.empty();
}

// The frame as 8-bit RGBA through libpng's simplest reading.
bool ReadFrame(const char* path, std::vector<unsigned char>* rgba, int* width, int* height) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path)) return false;
  png.format = PNG_FORMAT_RGBA;
  rgba->resize(PNG_IMAGE_SIZE(png));
  *width = static_cast<int>(png.width);
  *height = static_cast<int>(png.height);
  return png_image_finish_read(&png, nullptr, rgba->data(), 0, nullptr) != 0;
}

int CompareSplit(int row, const char* first, const char* second) {
  std::vector<unsigned char> a, b;
  int aw = 0, ah = 0, bw = 0, bh = 0;
  if (!ReadFrame(first, &a, &aw, &ah) || !ReadFrame(second, &b, &bw, &bh)) {
    std::fprintf(stderr, "cannot read the frames\n");
    return 1;
  }
  if (aw != bw || ah != bh || row <= 0 || row >= ah) {
    std::fprintf(stderr, "frames of %d x %d and %d x %d cannot be split at row %d\n", aw, ah, bw, bh, row);
    return 1;
  }
  // Red, green and blue only, as in the comparison with a description.
  const auto same = [&](int x, int y) {
    const size_t at = (static_cast<size_t>(y) * aw + x) * 4;
    return a[at] == b[at] && a[at + 1] == b[at + 1] && a[at + 2] == b[at + 2];
  };
  int below = 0, above = 0;
  for (int y = 0; y < ah; ++y) {
    for (int x = 0; x < aw; ++x) {
      if (same(x, y)) continue;
      if (y < row) {
        ++above;
      } else if (++below <= 20) {
        std::fprintf(stderr, "pixel %d,%d differs below row %d\n", x, y, row);
      }
    }
  }
  if (above == 0) std::fprintf(stderr, "the frames are equal above row %d\n", row);
  return below == 0 && above > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--split") return CompareSplit(std::atoi(argv[2]), argv[3], argv[4]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: pixel_check FRAME.png EXPECTED.pixels | --split ROW FRAME.png OTHER.png\n");
    return 2;
  }
  Picture want;
  if (!ReadExpected(argv[2], &want)) return 2;
  int w = 0, h = 0;
  std::vector<unsigned char> got;
  if (!ReadFrame(argv[1], &got, &w, &h)) {
    std::fprintf(stderr, "cannot read the frame %s\n", argv[1]);
    return 1;
  }
  if (w != want.width || h != want.height) {
    std::fprintf(stderr, "frame is %d x %d, expected %d x %d\n", w, h, want.width, want.height);
    return 1;
  }
  int wrong = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* px = got.data() + (static_cast<size_t>(y) * w + x) * 4;
      if (px[3] != 255 && ++wrong <= 20) std::fprintf(stderr, "pixel %d,%d has alpha %d\n", x, y, px[3]);
      const unsigned rgb = (unsigned{px[0]} << 16) | (unsigned{px[1]} << 8) | px[2];
      const unsigned expected = want.rgb[static_cast<size_t>(y) * w + x];
      if (want.ignored[static_cast<size_t>(y) * w + x]) continue;
      if (!Matches(rgb, expected, want.within[static_cast<size_t>(y) * w + x]) && ++wrong <= 20) {
        std::fprintf(stderr, "pixel %d,%d is #%06X, expected #%06X\n", x, y, rgb, expected);
      }
    }
  }
  for (const Picture::Ink& ink : want.inks) {
    bool found = false;
    for (int y = ink.y1 < 0 ? 0 : ink.y1; y < ink.y2 && y < h && !found; ++y) {
      for (int x = ink.x1 < 0 ? 0 : ink.x1; x < ink.x2 && x < w && !found; ++x) {
        const unsigned char* px = got.data() + (static_cast<size_t>(y) * w + x) * 4;
        found = ((unsigned{px[0]} << 16) | (unsigned{px[1]} << 8) | px[2]) != ink.background;
      }
    }
    if (!found) {
      std::fprintf(stderr, "no ink in %d,%d to %d,%d\n", ink.x1, ink.y1, ink.x2, ink.y2);
      ++wrong;
    }
  }
  if (wrong > 0) std::fprintf(stderr, "%d pixels differ\n", wrong);
  return wrong == 0 ? 0 : 1;
}

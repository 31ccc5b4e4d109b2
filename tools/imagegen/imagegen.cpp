// Draws the program's built-in images and writes them, with their table, as
// a C++ source that the player embeds: 17 images (a plain white one, the 14
// particle shapes, the debug-font sheet as DDS DXT5, the loading image as
// PNG) and the debug font's {x, y, width, height} boxes.
//
// imagegen <output.cpp>
// imagegen --demo <folder>: the bundled demo's pictures instead, as PNG
// files (demo_images.h).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "demo_images.h"
#include "glyphs.h"
#include "png_file.h"

namespace {

// Coverage images: one alpha byte a pixel, drawn white.
struct Alpha {
  int width, height;
  std::vector<uint8_t> a;
  Alpha(int w, int h) : width(w), height(h), a(static_cast<size_t>(w) * h, 0) {}
  uint8_t& at(int x, int y) { return a[static_cast<size_t>(y) * width + x]; }
};

uint8_t ToByte(double v) { return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255.0)); }

// Fills each pixel from a function of the offset from the centre in units
// of the half width (so the edge midpoints are at distance 1).
Alpha Shape(const std::function<double(double, double)>& f) {
  Alpha img(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) img.at(x, y) = ToByte(f((x + 0.5 - 32.0) / 32.0, (y + 0.5 - 32.0) / 32.0));
  }
  return img;
}

double Smooth(double edge0, double edge1, double v) {
  double t = std::fmin(std::fmax((v - edge0) / (edge1 - edge0), 0.0), 1.0);
  return t * t * (3 - 2 * t);
}

// A repeatable value noise for the soft shapes.
double Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
double Noise(double x, double y, int seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  double fx = x - ix, fy = y - iy;
  double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed), c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
double Turbulence(double x, double y, int seed) {
  return 0.5 * Noise(x * 4, y * 4, seed) + 0.3 * Noise(x * 8, y * 8, seed + 1) + 0.2 * Noise(x * 16, y * 16, seed + 2);
}

double Star(double x, double y, int points, double inner, double outer) {
  double r = std::hypot(x, y);
  double a = std::atan2(y, x) + M_PI / 2;
  double sector = 2 * M_PI / points;
  double t = std::fabs(std::fmod(a + 100 * sector, sector) - sector / 2) / (sector / 2);
  double limit = inner + (outer - inner) * t;
  return 1.0 - Smooth(limit - 0.04, limit + 0.02, r);
}

std::vector<Alpha> ParticleShapes() {
  auto r = [](double x, double y) { return std::hypot(x, y); };
  std::vector<Alpha> s;
  s.push_back(
      Shape([&](double x, double y) { return 1.0 - Smooth(0.08, 0.12, std::fmax(std::fabs(x), std::fabs(y))); }));
  s.push_back(Shape([&](double x, double y) { return 1.0 - Smooth(0.88, 0.95, r(x, y)); }));
  s.push_back(
      Shape([&](double x, double y) { return 1.0 - Smooth(0.88, 0.95, std::fmax(std::fabs(x), std::fabs(y))); }));
  s.push_back(Shape([&](double x, double y) {
    return (1.0 - Smooth(0.06, 0.12, std::fabs(y))) * (1.0 - Smooth(0.8, 0.97, std::fabs(x)));
  }));
  s.push_back(Shape([&](double x, double y) { return Star(x, y, 5, 0.38, 0.95); }));
  s.push_back(Shape([&](double x, double y) { return 1.0 - Smooth(0.04, 0.09, std::fabs(r(x, y) - 0.85)); }));
  s.push_back(Shape([&](double x, double y) { return std::exp(-std::pow((r(x, y) - 0.65) / 0.14, 2)); }));
  s.push_back(Shape([&](double x, double y) { return 1.0 - Smooth(0.0, 0.97, r(x, y)); }));
  s.push_back(Shape([&](double x, double y) {
    double d = r(x, y);
    double core = std::exp(-d * d / 0.02);
    double rays = std::exp(-std::fabs(x * y) * 60) * (1.0 - Smooth(0.2, 0.95, d));
    return core + 0.8 * rays + 0.3 * (1.0 - Smooth(0.0, 0.9, d));
  }));
  s.push_back(Shape([&](double x, double y) {
    double d = r(x, y);
    double cross = std::fmax(std::exp(-x * x / 0.0015), std::exp(-y * y / 0.0015));
    return cross * (1.0 - Smooth(0.1, 0.95, d)) + std::exp(-d * d / 0.01);
  }));
  s.push_back(Shape([&](double x, double y) {
    return (1.0 - Smooth(0.45, 0.95, r(x, y) + 0.35 * (Turbulence(x, y, 11) - 0.5))) *
           (0.6 + 0.4 * Turbulence(x, y, 17));
  }));
  s.push_back(Shape([&](double x, double y) {
    return (1.0 - Smooth(0.3, 0.95, r(x, y))) * Smooth(0.25, 0.75, Turbulence(x, y, 23));
  }));
  s.push_back(Shape([&](double x, double y) {
    return 0.6 * (1.0 - Smooth(0.2, 0.95, r(x, y))) * (0.4 + 0.6 * Turbulence(x, y, 31));
  }));
  s.push_back(Shape([&](double x, double y) {
    double d = r(x, y), a = std::atan2(y, x);
    double arm = std::fabs(std::sin(3 * a)) * d;
    return (1.0 - Smooth(0.04, 0.08, arm)) * (1.0 - Smooth(0.85, 0.95, d)) + std::exp(-d * d / 0.01);
  }));
  return s;
}

// The debug font: glyph i sits in cell (i % 32, i / 32), 8 x 12 pixels.
Alpha FontSheet(Bytes* boxes) {
  Alpha sheet(256, 128);
  for (int c = kGlyphFirst; c <= kGlyphLast; ++c) {
    int i = c - kGlyphFirst;
    int x0 = (i % 32) * 8, y0 = (i / 32) * 12;
    const char* pixels = kGlyphPixels[i];
    for (int row = 0; row < kGlyphRows; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (pixels[row * 5 + col] == '#') sheet.at(x0 + col, y0 + row) = 255;
      }
    }
    boxes->insert(boxes->end(), {static_cast<uint8_t>(x0), static_cast<uint8_t>(y0), 6, 10});
  }
  return sheet;
}

// DXT5 of white pixels: the colour half is constant, the alpha half takes
// the block's extremes and the nearest of the eight values between them.
void AlphaBlock(const uint8_t texels[16], Bytes& out) {
  uint8_t hi = 0, lo = 255;
  for (int i = 0; i < 16; ++i) {
    hi = std::max(hi, texels[i]);
    lo = std::min(lo, texels[i]);
  }
  int palette[8] = {hi, lo};
  for (int k = 2; k < 8; ++k) palette[k] = ((8 - k) * hi + (k - 1) * lo) / 7;
  uint64_t bits = 0;
  for (int i = 0; i < 16 && hi != lo; ++i) {
    int best = 0;
    for (int k = 1; k < 8; ++k) {
      if (std::abs(palette[k] - texels[i]) < std::abs(palette[best] - texels[i])) best = k;
    }
    bits |= static_cast<uint64_t>(best) << (3 * i);
  }
  out.push_back(hi);
  out.push_back(lo);
  for (int i = 0; i < 6; ++i) out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

Bytes Dds(const Alpha& img) {
  Bytes b = {'D', 'D', 'S', ' '};
  uint32_t blocks = static_cast<uint32_t>(img.width / 4 * (img.height / 4));
  Put32(b, 124);
  Put32(b, 0x1 | 0x2 | 0x4 | 0x1000 | 0x80000);
  Put32(b, static_cast<uint32_t>(img.height));
  Put32(b, static_cast<uint32_t>(img.width));
  Put32(b, blocks * 16);
  for (int i = 0; i < 13; ++i) Put32(b, 0);  // depth, mip levels, reserved
  Put32(b, 32);
  Put32(b, 0x4);
  b.insert(b.end(), {'D', 'X', 'T', '5'});
  for (int i = 0; i < 5; ++i) Put32(b, 0);
  Put32(b, 0x1000);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  for (int by = 0; by < img.height; by += 4) {
    for (int bx = 0; bx < img.width; bx += 4) {
      uint8_t texels[16];
      for (int i = 0; i < 16; ++i) texels[i] = img.a[static_cast<size_t>(by + i / 4) * img.width + bx + i % 4];
      AlphaBlock(texels, b);
      b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    }
  }
  return b;
}

// The loading image: "LOADING" in the debug glyphs, doubled, over a framed
// dark panel with an empty bar.
Bytes LoadingImage() {
  const int w = 160, h = 64;
  Bytes rgba(static_cast<size_t>(w) * h * 4, 0);
  auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
    p[0] = r, p[1] = g, p[2] = b, p[3] = 255;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool frame = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
      bool bar = y >= 44 && y < 52 && x >= 16 && x < w - 16 && (y == 44 || y == 51 || x == 16 || x == w - 17);
      if (frame || bar)
        set(x, y, 200, 200, 210);
      else
        set(x, y, 24, 24, 32);
    }
  }
  const char* text = "LOADING";
  for (int i = 0; text[i] != 0; ++i) {
    const char* pixels = kGlyphPixels[text[i] - kGlyphFirst];
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (pixels[row * 5 + col] != '#') continue;
        for (int d = 0; d < 4; ++d) set(34 + i * 13 + col * 2 + d % 2, 14 + row * 2 + d / 2, 255, 255, 255);
      }
    }
  }
  return Png(w, h, rgba);
}

// count, {size, offset} pairs, padding to 0x100, then the images.
Bytes Table(const std::vector<Bytes>& images) {
  Bytes t;
  Put32(t, static_cast<uint32_t>(images.size()));
  uint32_t offset = 0x100;
  for (const Bytes& image : images) {
    Put32(t, static_cast<uint32_t>(image.size()));
    Put32(t, offset);
    offset += static_cast<uint32_t>(image.size());
  }
  t.resize(0x100, 0);
  for (const Bytes& image : images) t.insert(t.end(), image.begin(), image.end());
  return t;
}

void WriteArray(FILE* f, const char* declaration, const Bytes& bytes) {
  std::fprintf(f, "%s = {", declaration);
  for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(f, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
  std::fprintf(f, "\n};\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--demo") return DemoImages_Write(argv[2]) ? 0 : 1;
  if (argc != 2) {
    std::fprintf(stderr, "usage: imagegen <output.cpp> | imagegen --demo <folder>\n");
    return 2;
  }
  std::vector<Bytes> images;
  images.push_back(Dds(Shape([](double, double) { return 1.0; })));
  for (const Alpha& shape : ParticleShapes()) images.push_back(Dds(shape));
  Bytes boxes;
  images.push_back(Dds(FontSheet(&boxes)));
  images.push_back(LoadingImage());
  Bytes table = Table(images);

  std::string temp = std::string(argv[1]) + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "w");
  if (f == nullptr) return 1;
  std::fprintf(f, "// Written by tools/imagegen; do not edit.\n#include \"resources/builtin_images.h\"\n\n");
  WriteArray(f, "alignas(16) const uint8_t g_builtinImageTable[]", table);
  std::fprintf(f, "const uint32_t g_builtinImageTableSize = %zu;\n", table.size());
  WriteArray(f, "const uint8_t g_debugFontGlyphBoxes[]", boxes);
  bool ok = std::fclose(f) == 0;
  return ok && std::rename(temp.c_str(), argv[1]) == 0 ? 0 : 1;
}

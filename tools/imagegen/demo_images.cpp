#include "demo_images.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "png_file.h"

namespace {

struct Rgba {
  double r, g, b, a;
};

Rgba Hex(uint32_t rgb, double a = 1.0) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

// A shape as its signed distance in pixels (negative inside), at a point
// in pixel coordinates (pixel centres at .5).
using Shape = std::function<double(double, double)>;
using Colour = std::function<Rgba(double, double)>;

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

// Close enough to a distance for the one-pixel edges drawn here.
Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * std::min(rx, ry); };
}

Shape Box(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) {
    double dx = std::max(x0 - x, x - x1), dy = std::max(y0 - y, y - y1);
    return dx > 0 && dy > 0 ? std::hypot(dx, dy) : std::max(dx, dy);
  };
}

Shape Segment(double ax, double ay, double bx, double by, double radius) {
  return [=](double x, double y) {
    double px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
    double t = std::clamp((px * vx + py * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(px - vx * t, py - vy * t) - radius;
  };
}

Shape Polygon(std::vector<std::pair<double, double>> p) {
  return [p](double x, double y) {
    double best = 1e9;
    bool inside = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      auto [ax, ay] = p[j];
      auto [bx, by] = p[i];
      best = std::min(best, Segment(ax, ay, bx, by, 0)(x, y));
      if ((by > y) != (ay > y) && x < (ax - bx) * (y - by) / (ay - by) + bx) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Shape Union(std::vector<Shape> parts) {
  return [parts](double x, double y) {
    double d = 1e9;
    for (const Shape& s : parts) d = std::min(d, s(x, y));
    return d;
  };
}

Shape Grown(Shape s, double by) {
  return [s, by](double x, double y) { return s(x, y) - by; };
}

Colour Flat(uint32_t rgb) {
  Rgba c = Hex(rgb);
  return [c](double, double) { return c; };
}

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), px_(static_cast<size_t>(width) * height) {}

  // Paints the colour over the shape, its edge smoothed over one pixel.
  void Paint(const Shape& shape, const Colour& colour) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        double cx = x + 0.5, cy = y + 0.5;
        double cover = std::clamp(0.5 - shape(cx, cy), 0.0, 1.0);
        if (cover > 0) Over(At(x, y), colour(cx, cy), cover);
      }
    }
  }
  void Paint(const Shape& shape, uint32_t rgb) { Paint(shape, Flat(rgb)); }
  // An outlined shape: the outline colour around it, `width` pixels wide.
  void Outlined(const Shape& shape, const Colour& colour, uint32_t outline, double width) {
    Paint(Grown(shape, width), outline);
    Paint(shape, colour);
  }

  // Copies another canvas in at (dx, dy).
  void Place(const Canvas& other, int dx, int dy) {
    for (int y = 0; y < other.height_; ++y) {
      for (int x = 0; x < other.width_; ++x) At(x + dx, y + dy) = other.px_[static_cast<size_t>(y) * other.width_ + x];
    }
  }

  Bytes ToPng() const {
    Bytes rgba;
    auto byte = [](double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    for (const Rgba& p : px_) rgba.insert(rgba.end(), {byte(p.r), byte(p.g), byte(p.b), byte(p.a)});
    return Png(width_, height_, rgba);
  }

 private:
  Rgba& At(int x, int y) { return px_[static_cast<size_t>(y) * width_ + x]; }

  static void Over(Rgba& dst, Rgba src, double cover) {
    double a = src.a * cover;
    double out = a + dst.a * (1 - a);
    if (out <= 0) return;
    auto mix = [&](double s, double d) { return (s * a + d * dst.a * (1 - a)) / out; };
    dst = {mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), out};
  }

  int width_, height_;
  std::vector<Rgba> px_;  // straight alpha
};

// Faces right; 32 x 32 with its middle at 16, 16.
Canvas Ship() {
  Canvas c(32, 32);
  Shape hull = Polygon({{31, 16}, {22, 10.5}, {9, 9}, {4, 12}, {4, 20}, {9, 23}, {22, 21.5}});
  Shape wings = Union({Polygon({{20, 11}, {11, 2}, {6, 2}, {8, 10}}), Polygon({{20, 21}, {11, 30}, {6, 30}, {8, 22}})});
  c.Paint(Ellipse(3, 16, 3, 4), 0xFF8C1A);
  c.Paint(Circle(2.5, 16, 1.8), 0xFFE060);
  c.Paint(Grown(Union({hull, wings}), 1.2), 0x0A1A30);
  c.Paint(wings, [](double, double y) { return Hex(std::fabs(y - 16) > 10 ? 0x3A90D0 : 0x2470B0); });
  c.Paint(Box(8, 2.5, 11, 4.5), 0xFF4848);
  c.Paint(Box(8, 27.5, 11, 29.5), 0xFF4848);
  c.Paint(hull, [](double, double y) { return Hex(y < 16 ? 0x40C0FF : 0x2C8CCC); });
  c.Paint(Ellipse(20, 16, 4.5, 2.6), [](double, double y) { return Hex(y < 16 ? 0xE0F8FF : 0x88CCEE); });
  return c;
}

// One of eight frames of a coin turning about its upright axis.
Canvas Coin(int frame) {
  Canvas c(16, 16);
  double w = std::max(std::fabs(std::cos(frame * M_PI / 8)), 0.15);
  c.Paint(Ellipse(8, 8, 7 * w + 0.01, 7), 0xB87810);
  c.Paint(Ellipse(8, 8, 5.3 * w + 0.01, 5.3), 0xFFD020);
  c.Paint(Ellipse(8, 8, 2 * w + 0.01, 3.2), 0xE8A818);
  c.Paint(Ellipse(8 - 2.6 * w, 5.2, 1.2 * w + 0.2, 1.6), 0xFFF6D0);
  return c;
}

// A spiked mine whose spikes turn and whose eye looks about.
Canvas Mine(int frame) {
  Canvas c(24, 24);
  std::vector<Shape> spikes;
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4 + frame * M_PI / 16;
    auto at = [&](double r, double da) { return std::make_pair(12 + r * std::cos(a + da), 12 + r * std::sin(a + da)); };
    spikes.push_back(Polygon({at(6, -0.35), at(11.5, 0), at(6, 0.35)}));
  }
  c.Paint(Union(spikes), 0x8A1818);
  c.Outlined(Circle(12, 12, 7.5), Flat(0xE03030), 0x400808, 1.0);
  c.Paint(Circle(9.8, 9.5, 2.4), 0xFF8A80);
  c.Paint(Ellipse(12, 12.5, 3.6, 2.6), 0xFFFFFF);
  const double look[] = {-1.2, 0, 1.2, 0};
  c.Paint(Circle(12 + look[frame], 12.5, 1.5), 0x101010);
  return c;
}

Canvas Crate() {
  Canvas c(24, 24);
  c.Paint(Box(0, 0, 24, 24), 0x5A3414);
  c.Paint(Box(2, 2, 22, 22), 0xA06030);
  c.Paint(Box(2, 8, 22, 9), 0x7A4620);
  c.Paint(Box(2, 15, 22, 16), 0x7A4620);
  c.Outlined(Segment(4.5, 19.5, 19.5, 4.5, 1.6), Flat(0xB87038), 0x5A3414, 0.8);
  for (double x : {4.0, 20.0}) {
    for (double y : {4.0, 20.0}) c.Paint(Circle(x, y, 0.9), 0xD8C090);
  }
  return c;
}

// The crate room's floor: a girder as wide as the room.
Canvas Girder() {
  Canvas c(640, 16);
  c.Paint(Box(0, 0, 640, 16), 0x707880);
  c.Paint(Box(0, 0, 640, 2), 0xA8B0B8);
  c.Paint(Box(0, 14, 640, 16), 0x3A4048);
  for (int x = 16; x < 640; x += 32) {
    c.Paint(Circle(x + 0.5, 8.5, 1.8), 0x4A5058);
    c.Paint(Circle(x, 8, 1.6), 0xB0B8C0);
  }
  return c;
}

// The field's deck, tiled: four plates with seams, bolts and tread.
Canvas Deck() {
  Canvas c(64, 64);
  c.Paint(Box(0, 0, 64, 64), 0x182030);
  for (int p = 0; p < 64; p += 32) {
    c.Paint(Box(p, 0, p + 1, 64), 0x0E141E);
    c.Paint(Box(0, p, 64, p + 1), 0x0E141E);
    c.Paint(Box(p + 1, 1, p + 2, 64), 0x243048);
    c.Paint(Box(1, p + 1, 64, p + 2), 0x243048);
  }
  for (int px = 0; px < 64; px += 32) {
    for (int py = 0; py < 64; py += 32) {
      for (double bx : {5.0, 28.0}) {
        for (double by : {5.0, 28.0}) c.Paint(Circle(px + bx, py + by, 1.3), 0x34425E);
      }
    }
  }
  for (int k = 0; k < 4; ++k) {  // tread on two of the plates
    for (int p : {0, 32}) {
      double x = 40 - p + k * 5, y = 8 + p;
      c.Paint(Segment(x, y + 12, x + 4, y, 0.9), 0x202A40);
    }
  }
  return c;
}

// Two 32 x 32 tiles: a riveted metal block and a hazard-striped block.
Canvas Tiles() {
  Canvas c(64, 32);
  c.Paint(Box(0, 0, 32, 32), 0x262E3C);
  c.Paint(Box(0, 0, 30, 30), 0x5A6680);
  c.Paint(Box(2, 2, 30, 30), 0x3C4658);
  c.Paint(Circle(16, 16, 3.2), 0x2A3240);
  c.Paint(Circle(15.4, 15.4, 1.6), 0x7A86A0);
  Canvas stripes(32, 32);
  stripes.Paint(Box(0, 0, 32, 32), 0x202020);
  stripes.Paint(Box(2, 2, 30, 30),
                [](double x, double y) { return Hex(std::fmod(x + y + 64, 16.0) < 8 ? 0xE8B020 : 0x282828); });
  c.Place(stripes, 32, 0);
  return c;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

bool DemoImages_Write(const std::string& folder) {
  std::vector<std::pair<std::string, Canvas>> images = {
      {"ship", Ship()}, {"crate", Crate()}, {"girder", Girder()}, {"deck", Deck()}, {"tiles", Tiles()}};
  for (int i = 0; i < 8; ++i) images.emplace_back("coin" + std::to_string(i), Coin(i));
  for (int i = 0; i < 4; ++i) images.emplace_back("mine" + std::to_string(i), Mine(i));
  for (const auto& [name, canvas] : images) {
    if (!WriteFile(folder + "/" + name + ".png", canvas.ToPng())) {
      std::fprintf(stderr, "imagegen: cannot write %s/%s.png\n", folder.c_str(), name.c_str());
      return false;
    }
  }
  return true;
}

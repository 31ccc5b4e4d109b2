#include "mkgame/texture_pages.h"

#include <png.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "mkgame/image_input.h"

namespace mkgame {

namespace {

constexpr int kGap = 1;  // blank pixels between images, so filtering never picks up a neighbour

struct Shelf {
  int y = 0, height = 0, x = 0;
};

struct PageState {
  std::vector<Shelf> shelves;
  int width = 1, height = 1;  // used extent
};

bool PlaceOnPage(PageState& page, const Image& image, Placement& where) {
  for (Shelf& shelf : page.shelves) {
    if (image.height <= shelf.height && shelf.x + image.width <= kMaxPageSize) {
      where.x = shelf.x;
      where.y = shelf.y;
      shelf.x += image.width + kGap;
      return true;
    }
  }
  int top = page.shelves.empty() ? 0 : page.shelves.back().y + page.shelves.back().height + kGap;
  if (top + image.height > kMaxPageSize) return false;
  page.shelves.push_back({top, image.height, image.width + kGap});
  where.x = 0;
  where.y = top;
  return true;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Kept free of objects with destructors: libpng leaves through longjmp on errors.
bool EncodePng(png_bytep* rows, int width, int height, std::vector<uint8_t>* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, WriteToVector, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::vector<uint8_t> DrawPage(const std::vector<Image>& images, const TextureAtlas& atlas, int page, int width,
                              int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0);
  for (size_t i = 0; i < images.size(); ++i) {
    const Placement& p = atlas.placements[i];
    if (p.page != page) continue;
    const Image& image = images[i];
    size_t rowBytes = static_cast<size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
      std::copy_n(image.rgba.begin() + static_cast<long>(y * rowBytes), rowBytes,
                  pixels.begin() + static_cast<long>((static_cast<size_t>(p.y + y) * width + p.x) * 4));
    }
  }
  return pixels;
}

}  // namespace

TextureAtlas TexturePages_Pack(const std::vector<Image>& images) {
  TextureAtlas atlas;
  atlas.placements.resize(images.size());
  std::vector<size_t> order(images.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return images[a].height > images[b].height; });
  std::vector<PageState> pages;
  for (size_t i : order) {
    const Image& image = images[i];
    if (image.width > kMaxPageSize || image.height > kMaxPageSize) throw std::logic_error("image too large for a page");
    Placement& where = atlas.placements[i];
    if (pages.empty() || !PlaceOnPage(pages.back(), image, where)) {
      pages.emplace_back();
      PlaceOnPage(pages.back(), image, where);
    }
    where.page = static_cast<int>(pages.size() - 1);
    PageState& page = pages.back();
    page.width = std::max(page.width, where.x + image.width);
    page.height = std::max(page.height, where.y + image.height);
  }
  for (size_t p = 0; p < pages.size(); ++p) {
    std::vector<uint8_t> pixels = DrawPage(images, atlas, static_cast<int>(p), pages[p].width, pages[p].height);
    std::vector<png_bytep> rows(static_cast<size_t>(pages[p].height));
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = pixels.data() + y * static_cast<size_t>(pages[p].width) * 4;
    atlas.pngPages.emplace_back();
    if (!EncodePng(rows.data(), pages[p].width, pages[p].height, &atlas.pngPages.back())) {
      throw std::runtime_error("cannot encode a texture page");
    }
  }
  return atlas;
}

}  // namespace mkgame

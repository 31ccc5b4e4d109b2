#include "mkgame/image_input.h"

#include <png.h>

#include <cmath>
#include <cstdlib>

namespace mkgame {

namespace {

void CheckSize(const JsonNode& node, int width, int height) {
  if (width < 1 || height < 1) node.Fail("an image needs a size of at least 1 x 1");
  if (width > kMaxPageSize || height > kMaxPageSize) {
    node.Fail("image of " + std::to_string(width) + " x " + std::to_string(height) + " is larger than a texture page (" +
              std::to_string(kMaxPageSize) + " x " + std::to_string(kMaxPageSize) + ")");
  }
}

Image ReadPng(const JsonNode& node, const std::string& folder) {
  std::string name = node.Get("png").Text();
  std::string path = Image_ResolvePath(folder, name);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  struct Release {
    png_image* p;
    ~Release() { png_image_free(p); }
  } release{&png};
  // Sizes first, so that an oversized image is refused before it is decoded.
  if (!png_image_begin_read_from_file(&png, path.c_str())) node.Fail("cannot read \"" + name + "\"");
  CheckSize(node, static_cast<int>(png.width), static_cast<int>(png.height));
  png.format = PNG_FORMAT_RGBA;
  Image image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) node.Fail("cannot read \"" + name + "\"");
  return image;
}

Image ReadFill(const JsonNode& node) {
  uint32_t colour = node.Get("fill").Colour();
  double alpha = node.OptNumber("alpha", 1.0);
  if (!(alpha >= 0.0 && alpha <= 1.0)) node.Get("alpha").Fail("alpha must lie between 0 and 1");
  if (!node.Has("size")) node.Fail("a filled image needs \"size\": [width, height]");
  JsonNode sizeNode = node.Get("size");
  std::vector<double> size = sizeNode.Numbers(2);
  for (double v : size) {
    if (!(v >= 0 && v <= kMaxPageSize * 16.0) || std::floor(v) != v) sizeNode.Fail("size must be whole numbers");
  }
  Image image;
  image.width = static_cast<int>(size[0]);
  image.height = static_cast<int>(size[1]);
  CheckSize(sizeNode, image.width, image.height);
  const uint8_t pixel[4] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(std::lround(alpha * 255.0))};
  image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
  for (size_t i = 0; i < image.rgba.size(); ++i) image.rgba[i] = pixel[i % 4];
  return image;
}

}  // namespace

std::string Image_ResolvePath(const std::string& folder, const std::string& name) {
  if (name.empty() || name[0] == '/' || folder.empty()) return name;
  return folder + "/" + name;
}

Image Image_Read(const JsonNode& node, const std::string& folder) {
  node.RequireObject();
  if (node.Has("png")) {
    node.OnlyKeys({"png"});
    return ReadPng(node, folder);
  }
  if (node.Has("fill")) {
    node.OnlyKeys({"fill", "alpha", "size"});
    return ReadFill(node);
  }
  node.Fail("an image is {\"png\": file} or {\"fill\": colour, \"size\": [w, h]}");
}

}  // namespace mkgame

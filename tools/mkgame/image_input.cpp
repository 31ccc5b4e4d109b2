#include "mkgame/image_input.h"

#include <cmath>
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>

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
  int width = 0, height = 0, channels = 0;
  // Sizes first, so that an oversized image is refused before it is decoded.
  if (!stbi_info(path.c_str(), &width, &height, &channels)) node.Fail("cannot read \"" + name + "\"");
  CheckSize(node, width, height);
  stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
  if (pixels == nullptr) node.Fail("cannot read \"" + name + "\"");
  struct Release {
    stbi_uc* p;
    ~Release() { stbi_image_free(p); }
  } release{pixels};
  Image image;
  image.width = width;
  image.height = height;
  image.rgba.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
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

#include "mkgame/image_input.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "graphics/bitmap/image_decode.h"
#include "runtime/memory.h"

namespace mkgame {

namespace {

void CheckSize(const JsonNode& node, int width, int height) {
  if (width < 1 || height < 1) node.Fail("an image needs a size of at least 1 x 1");
  if (width > kMaxPageSize || height > kMaxPageSize) {
    node.Fail("image of " + std::to_string(width) + " x " + std::to_string(height) +
              " is larger than a texture page (" + std::to_string(kMaxPageSize) + " x " + std::to_string(kMaxPageSize) +
              ")");
  }
}

int HeaderWord(const std::vector<uint8_t>& file, size_t at) {
  return static_cast<int>(uint32_t{file[at]} << 24 | uint32_t{file[at + 1]} << 16 | uint32_t{file[at + 2]} << 8 |
                          file[at + 3]);
}

// The player's own decoder reads the file, so the pages hold the pixels the
// player would make of it. The size comes first, from the header, so that
// an oversized image is refused before it is decoded.
Image ReadPng(const JsonNode& node, const std::string& folder) {
  const std::string name = node.Get("png").Text();
  std::ifstream in(Image_ResolvePath(folder, name), std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.size() < 24 || std::memcmp(file.data(), "\x89PNG\r\n\x1A\n", 8) != 0 ||
      std::memcmp(file.data() + 12, "IHDR", 4) != 0) {
    node.Fail("cannot read \"" + name + "\"");
  }
  CheckSize(node, HeaderWord(file, 16), HeaderWord(file, 20));
  DecodedImage decoded = Image_Decode(file.data(), static_cast<uint32_t>(file.size()), 0);
  if (decoded.pixels == nullptr) node.Fail("cannot read \"" + name + "\"");
  Image image;
  image.width = decoded.width;
  image.height = decoded.height;
  for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i) {
    const uint32_t v = decoded.pixels[i];
    image.rgba.insert(image.rgba.end(), {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24)});
  }
  MemoryManager::Free(decoded.pixels);
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

#include "mkgame/describe_resources.h"

#include <strings.h>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "mkgame/font_raster.h"
#include "mkgame/image_input.h"
#include "mkgame/sprite_shape.h"

namespace mkgame {

namespace {

constexpr size_t kMaxFileBytes = size_t{1} << 30;

int WholeNumber(const JsonNode& node, long long low, long long high) {
  long long v = node.Int();
  if (v < low || v > high) node.Fail("must lie between " + std::to_string(low) + " and " + std::to_string(high));
  return static_cast<int>(v);
}

int OptWhole(const JsonNode& parent, const char* key, int fallback, long long low, long long high) {
  return parent.Has(key) ? WholeNumber(parent.Get(key), low, high) : fallback;
}

int AddImage(Game& game, Image image) {
  game.images.push_back(std::move(image));
  return static_cast<int>(game.images.size() - 1);
}

std::vector<uint8_t> ReadFileBytes(const JsonNode& node, const std::string& folder, const std::string& name) {
  std::ifstream in(Image_ResolvePath(folder, name), std::ios::binary);
  if (!in) node.Fail("cannot read \"" + name + "\"");
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<unsigned long long>(size) > kMaxFileBytes) node.Fail("cannot read \"" + name + "\"");
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), size);
  if (!in && size > 0) node.Fail("cannot read \"" + name + "\"");
  return bytes;
}

void ReadBox(const JsonNode& node, Sprite& s) {
  if (json_object_is_type(node.Raw(), json_type_string)) {
    std::string mode = node.Text();
    if (mode == "auto")
      s.bboxMode = 0;
    else if (mode == "full")
      s.bboxMode = 1;
    else
      node.Fail("bbox is \"auto\", \"full\" or [left, top, right, bottom]");
    return;
  }
  if (node.ArraySize() != 4) node.Fail("bbox is \"auto\", \"full\" or [left, top, right, bottom]");
  s.bboxMode = 2;
  s.bboxLeft = WholeNumber(node.At(0), INT32_MIN, INT32_MAX);
  s.bboxTop = WholeNumber(node.At(1), INT32_MIN, INT32_MAX);
  s.bboxRight = WholeNumber(node.At(2), INT32_MIN, INT32_MAX);
  s.bboxBottom = WholeNumber(node.At(3), INT32_MIN, INT32_MAX);
}

Sprite ReadSprite(const std::string& name, const JsonNode& node, const std::string& folder, Game& game) {
  node.OnlyKeys({"frames", "origin", "bbox", "precise", "separate_masks", "smooth", "transparent"});
  Sprite s;
  s.name = name;
  if (!node.Has("frames")) node.Fail("a sprite needs \"frames\"");
  JsonNode frames = node.Get("frames");
  if (frames.ArraySize() == 0) frames.Fail("a sprite needs at least one frame");
  for (size_t i = 0; i < frames.ArraySize(); ++i) {
    Image image = Image_Read(frames.At(i), folder);
    if (i == 0) {
      s.width = image.width;
      s.height = image.height;
    } else if (image.width != s.width || image.height != s.height) {
      frames.At(i).Fail("every frame must have the size of the first (" + std::to_string(s.width) + " x " +
                        std::to_string(s.height) + ")");
    }
    s.frames.push_back(AddImage(game, std::move(image)));
  }
  if (node.Has("origin")) {
    JsonNode origin = node.Get("origin");
    if (origin.ArraySize() != 2) origin.Fail("expected 2 numbers");
    s.xorigin = WholeNumber(origin.At(0), INT32_MIN, INT32_MAX);
    s.yorigin = WholeNumber(origin.At(1), INT32_MIN, INT32_MAX);
  }
  if (node.Has("bbox")) ReadBox(node.Get("bbox"), s);
  s.precise = node.OptBool("precise", false);
  s.smooth = node.OptBool("smooth", false);
  s.transparent = node.OptBool("transparent", true);
  SpriteShape_ComputeBox(s, game.images);
  SpriteShape_BuildMasks(s, game.images, node.OptBool("separate_masks", false));
  return s;
}

Background ReadBackground(const std::string& name, const JsonNode& node, const std::string& folder, Game& game) {
  node.OnlyKeys({"image", "transparent", "smooth", "tileset"});
  Background b;
  b.name = name;
  if (!node.Has("image")) node.Fail("a background needs \"image\"");
  b.image = AddImage(game, Image_Read(node.Get("image"), folder));
  b.transparent = node.OptBool("transparent", false);
  b.smooth = node.OptBool("smooth", false);
  // The background record has no place for tile-set settings: accepted, not stored.
  if (node.Has("tileset")) node.Get("tileset").RequireObject();
  return b;
}

// A font whose glyph sheet is an image of the description: its glyph
// records are taken as given, in code order.
void ReadImageGlyphs(Font& f, const JsonNode& node, const std::string& folder, Game& game) {
  Image sheet = Image_Read(node.Get("image"), folder);
  const JsonNode list = node.Get("glyphs");
  if (list.IsNull()) node.Fail("a font drawn from an image needs \"glyphs\"");
  for (size_t i = 0; i < list.ArraySize(); ++i) {
    const JsonNode record = list.At(i);
    const std::vector<double> v = record.Numbers(7);
    for (double field : v) {
      if (!(field >= -32768 && field <= 65535) || field != std::floor(field)) {
        record.Fail("glyph fields are whole 16-bit numbers");
      }
    }
    const Glyph g{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3]),
                  static_cast<int>(v[4]), static_cast<int>(v[5]), static_cast<int>(v[6])};
    if (g.code < 0) record.Fail("a glyph code lies outside 0..65535");
    if (g.x < 0 || g.y < 0 || g.width < 0 || g.height < 0 || g.x + g.width > sheet.width ||
        g.y + g.height > sheet.height) {
      record.Fail("the glyph rectangle lies outside the image");
    }
    if (g.shift > 32767 || g.offset > 32767) record.Fail("glyph fields are whole 16-bit numbers");
    f.glyphs.push_back(g);
  }
  if (f.glyphs.empty()) list.Fail("a font needs at least one glyph");
  std::sort(f.glyphs.begin(), f.glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
  for (size_t i = 1; i < f.glyphs.size(); ++i) {
    if (f.glyphs[i].code == f.glyphs[i - 1].code) {
      list.Fail("glyph code " + std::to_string(f.glyphs[i].code) + " is listed twice");
    }
  }
  f.first = OptWhole(node, "first", f.glyphs.front().code, 0, 65535);
  f.last = OptWhole(node, "last", f.glyphs.back().code, 0, 65535);
  f.image = AddImage(game, std::move(sheet));
}

Font ReadFont(const std::string& name, const JsonNode& node, const std::string& folder, Game& game) {
  node.OnlyKeys({"face", "size", "bold", "italic", "first", "last", "image", "glyphs"});
  Font f;
  f.name = name;
  f.face = node.OptText("face", "DejaVu Sans");
  f.size = OptWhole(node, "size", 12, 1, 256);
  f.bold = node.OptBool("bold", false);
  f.italic = node.OptBool("italic", false);
  if (node.Has("image")) {
    ReadImageGlyphs(f, node, folder, game);
  } else {
    if (node.Has("glyphs")) node.Get("glyphs").Fail("glyphs are given only with an \"image\"");
    f.first = OptWhole(node, "first", 32, 0, 65535);
    f.last = OptWhole(node, "last", 127, 0, 65535);
    f.image = AddImage(game, Font_Rasterise(f, node));
  }
  if (f.last < f.first) node.Get("last").Fail("last must not lie below first");
  return f;
}

Path ReadPath(const std::string& name, const JsonNode& node) {
  node.OnlyKeys({"kind", "closed", "precision", "points"});
  Path p;
  p.name = name;
  p.kind = OptWhole(node, "kind", 0, 0, 1);
  p.closed = node.OptBool("closed", false);
  p.precision = OptWhole(node, "precision", 4, 0, 8);
  if (node.Has("points")) {
    JsonNode points = node.Get("points");
    for (size_t i = 0; i < points.ArraySize(); ++i) {
      JsonNode point = points.At(i);
      size_t n = point.ArraySize();
      if (n != 2 && n != 3) point.Fail("a point is [x, y] or [x, y, speed]");
      p.points.push_back({static_cast<float>(point.At(0).Number()), static_cast<float>(point.At(1).Number()),
                          n == 3 ? static_cast<float>(point.At(2).Number()) : 100.0f});
    }
  }
  return p;
}

std::string Extension(const std::string& fileName) {
  size_t slash = fileName.find_last_of("/\\");
  size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return fileName.substr(dot);
}

std::string BaseName(const std::string& fileName) {
  size_t slash = fileName.find_last_of("/\\");
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

bool IsWave(const std::vector<uint8_t>& b) {
  return b.size() >= 12 && std::equal(b.begin(), b.begin() + 4, "RIFF") &&
         std::equal(b.begin() + 8, b.begin() + 12, "WAVE");
}

Sound ReadSound(const std::string& name, const JsonNode& node, const std::string& folder, Game& game) {
  node.OnlyKeys({"file", "kind", "volume", "pan", "preload"});
  Sound s;
  s.name = name;
  s.kind = OptWhole(node, "kind", 0, 0, 3);
  s.volume = static_cast<float>(node.OptNumber("volume", 1.0));
  s.pan = static_cast<float>(node.OptNumber("pan", 0.0));
  s.preload = node.OptBool("preload", true);
  if (!node.Has("file")) return s;
  JsonNode fileNode = node.Get("file");
  std::string file = fileNode.Text();
  s.type = Extension(file);
  s.fileName = BaseName(file);
  if (strcasecmp(s.type.c_str(), ".wav") == 0) {
    std::vector<uint8_t> bytes = ReadFileBytes(fileNode, folder, file);
    if (!IsWave(bytes)) fileNode.Fail("\"" + file + "\" is not a WAV file");
    game.audio.push_back(std::move(bytes));
    s.audio = static_cast<int>(game.audio.size() - 1);
  }
  return s;
}

int ValueKind(const JsonNode& node) {
  if (json_object_is_type(node.Raw(), json_type_string)) {
    std::string kind = node.Text();
    if (kind == "string") return 1;
    if (kind == "real") return 2;
    node.Fail("a value kind is \"real\", \"string\" or a number");
  }
  return WholeNumber(node, INT32_MIN, INT32_MAX);
}

int Convention(const JsonNode& node) {
  if (json_object_is_type(node.Raw(), json_type_string)) {
    std::string convention = node.Text();
    if (convention == "cdecl") return 12;
    if (convention == "stdcall") return 11;
    node.Fail("a calling convention is \"cdecl\", \"stdcall\" or a number");
  }
  return WholeNumber(node, INT32_MIN, INT32_MAX);
}

ExtensionFunction ReadFunction(const JsonNode& node, int& nextId) {
  node.OnlyKeys({"name", "external", "id", "convention", "args", "result"});
  ExtensionFunction f;
  f.name = node.Get("name").Text();
  f.externalName = node.OptText("external", f.name);
  f.id = OptWhole(node, "id", nextId, 0, 1000000);
  nextId = std::max(nextId, f.id + 1);
  if (node.Has("convention")) f.convention = Convention(node.Get("convention"));
  if (node.Has("result")) f.resultKind = ValueKind(node.Get("result"));
  if (node.Has("args")) {
    JsonNode args = node.Get("args");
    for (size_t i = 0; i < args.ArraySize(); ++i) f.argKinds.push_back(ValueKind(args.At(i)));
  }
  return f;
}

ExtensionFile ReadExtensionFile(const JsonNode& node, int& nextId) {
  node.OnlyKeys({"file", "kind", "init", "final", "functions"});
  ExtensionFile f;
  f.fileName = node.Get("file").Text();
  f.kind = OptWhole(node, "kind", 1, INT32_MIN, INT32_MAX);
  f.initName = node.OptText("init", "");
  f.finalName = node.OptText("final", "");
  if (node.Has("functions")) {
    JsonNode functions = node.Get("functions");
    for (size_t i = 0; i < functions.ArraySize(); ++i) f.functions.push_back(ReadFunction(functions.At(i), nextId));
  }
  return f;
}

ExtensionPackage ReadPackage(const JsonNode& node, int& nextId) {
  node.OnlyKeys({"name", "folder", "files"});
  ExtensionPackage p;
  p.name = node.Get("name").Text();
  p.folder = node.OptText("folder", p.name);
  if (node.Has("files")) {
    JsonNode files = node.Get("files");
    for (size_t i = 0; i < files.ArraySize(); ++i) p.files.push_back(ReadExtensionFile(files.At(i), nextId));
  }
  return p;
}

template <typename Visit>
void Members(const JsonNode& root, const char* key, Visit visit) {
  if (root.Has(key)) root.Get(key).ForEachMember(visit);
}

}  // namespace

void DescribeResources_Read(const JsonNode& root, const std::string& folder, Game& game) {
  Members(root, "sprites", [&](const std::string& name, const JsonNode& node) {
    game.sprites.push_back(ReadSprite(name, node, folder, game));
  });
  Members(root, "backgrounds", [&](const std::string& name, const JsonNode& node) {
    game.backgrounds.push_back(ReadBackground(name, node, folder, game));
  });
  Members(root, "fonts", [&](const std::string& name, const JsonNode& node) {
    game.fonts.push_back(ReadFont(name, node, folder, game));
  });
  Members(root, "paths",
          [&](const std::string& name, const JsonNode& node) { game.paths.push_back(ReadPath(name, node)); });
  Members(root, "sounds", [&](const std::string& name, const JsonNode& node) {
    game.sounds.push_back(ReadSound(name, node, folder, game));
  });
  if (root.Has("extensions")) {
    JsonNode packages = root.Get("extensions");
    int nextId = 0;
    for (size_t i = 0; i < packages.ArraySize(); ++i) game.extensions.push_back(ReadPackage(packages.At(i), nextId));
  }
  Members(root, "files", [&](const std::string& name, const JsonNode& node) {
    game.files.push_back({name, ReadFileBytes(node, folder, node.Text())});
  });
}

}  // namespace mkgame

// A game description after reading: everything resolved to indices and
// numbers, ready to be written chunk by chunk.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mkgame {

// An RGBA image, 4 bytes per pixel, rows top to bottom.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  uint8_t Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

struct Sprite {
  std::string name;
  int width = 0, height = 0;
  int xorigin = 0, yorigin = 0;
  int bboxMode = 0;  // 0 automatic, 1 full image, 2 manual
  int bboxLeft = 0, bboxTop = 0, bboxRight = 0, bboxBottom = 0;
  bool transparent = true, smooth = false, preload = true, precise = false;
  std::vector<int> frames;                  // indices into Game::images
  std::vector<std::vector<uint8_t>> masks;  // bit rows, most significant bit first
};

struct Background {
  std::string name;
  bool transparent = false, smooth = false, preload = true;
  int image = 0;  // index into Game::images
};

struct Glyph {
  int code = 0, x = 0, y = 0, width = 0, height = 0, shift = 0, offset = 0;
};

struct Font {
  std::string name, face;
  int size = 12;
  bool bold = false, italic = false;
  int first = 32, last = 127;
  int image = 0;              // the glyph sheet, index into Game::images
  std::vector<Glyph> glyphs;  // ascending by code
};

struct PathPoint {
  float x = 0, y = 0, speed = 100;
};

struct Path {
  std::string name;
  int kind = 0;
  bool closed = false;
  int precision = 4;
  std::vector<PathPoint> points;
};

struct Sound {
  std::string name;
  int kind = 0;
  std::string type, fileName;  // extension with its dot; name without folders
  float volume = 1, pan = 0;
  bool preload = true;
  int audio = -1;  // index into Game::audio, -1 when the sound has no embedded data
};

struct ExtensionFunction {
  std::string name, externalName;
  int id = 0, convention = 12, resultKind = 2;
  std::vector<int> argKinds;
};

struct ExtensionFile {
  std::string fileName, initName, finalName;
  int kind = 1;
  std::vector<ExtensionFunction> functions;
};

struct ExtensionPackage {
  std::string name, folder;
  std::vector<ExtensionFile> files;
};

struct IncludedFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

struct Event {
  int type = 0;
  int number = 0;
  std::string code;
  std::string place;  // where the description holds the code, for messages
};

struct PhysicsShape {
  int shape = 0;
  float density = 0.5f, restitution = 0.1f, friction = 0.2f;
  int group = 0;
  float linearDamping = 0.1f, angularDamping = 0.1f;
  bool sensor = false, kinematic = false, awake = true;
  std::vector<std::pair<float, float>> points;
};

struct Object {
  std::string name;
  int sprite = -1, mask = -1, parent = -1;
  bool visible = true, solid = false, persistent = false;
  int depth = 0;
  bool usesPhysics = false;
  PhysicsShape physics;
  std::vector<Event> events;  // in description order
};

struct Moment {
  int step = 0;
  std::string code;
  std::string place;  // where the description holds the code, for messages
};

struct TimeLine {
  std::string name;
  std::vector<Moment> moments;  // ascending by step
};

struct RoomInstance {
  int object = 0;
  int x = 0, y = 0;
  int id = 0;
  std::string code;
  float xscale = 1, yscale = 1, angle = 0;
  uint32_t colour = 0xFFFFFF;
  double alpha = 1;
};

struct RoomBackground {
  bool visible = false, foreground = false;
  int background = -1;
  int x = 0, y = 0;
  bool tileH = true, tileV = true;
  int hspeed = 0, vspeed = 0;
  bool stretch = false;
};

struct RoomView {
  bool visible = false;
  std::array<int, 4> view{0, 0, 640, 480};
  std::array<int, 4> port{0, 0, 640, 480};
  int angle = 0;
  int borderH = 32, borderV = 32;
  int speedH = -1, speedV = -1;
  int follow = -1;
};

struct RoomTile {
  int background = -1;
  int x = 0, y = 0;
  std::array<int, 4> source{0, 0, 0, 0};
  int depth = 0, id = 0;
  float xscale = 1, yscale = 1;
  uint32_t colour = 0xFFFFFF;
  double alpha = 1;
};

struct Room {
  std::string name, caption, code;
  int width = 640, height = 480, speed = 30;
  bool persistent = false;
  uint32_t colour = 0;
  bool showColour = true;
  bool viewsEnabled = false;
  std::vector<RoomBackground> backgrounds;
  std::vector<RoomView> views;
  std::vector<RoomInstance> instances;
  std::vector<RoomTile> tiles;
  bool physics = false;
  float gravityX = 0, gravityY = 0, metresPerPixel = 0.1f;
};

struct Game {
  std::string name = "game";
  std::string config = "Default";
  int format = 8;
  int windowWidth = 640, windowHeight = 480;
  uint32_t windowFlags = 0;  // the header's start-up flags (format 8 on)
  bool bytecode = false;
  std::array<uint32_t, 35> options{};
  std::vector<std::pair<std::string, std::string>> constants;
  std::vector<std::pair<std::string, std::string>> scripts;  // name, code
  std::vector<Image> images;                                 // every image a texture page holds, in page-record order
  std::vector<Sprite> sprites;
  std::vector<Background> backgrounds;
  std::vector<Font> fonts;
  std::vector<Path> paths;
  std::vector<Sound> sounds;
  std::vector<std::vector<uint8_t>> audio;  // embedded WAV files
  std::vector<ExtensionPackage> extensions;
  std::vector<IncludedFile> files;
  std::vector<Object> objects;
  std::vector<TimeLine> timelines;
  std::vector<Room> rooms;
  int lastInstanceId = 100000;
  int lastTileId = 10000000;
};

// Reads and checks a description; throws DescriptionError naming the place.
Game Describe_Read(const std::string& fileName);

}  // namespace mkgame

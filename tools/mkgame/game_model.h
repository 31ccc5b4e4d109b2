// A game description after reading: everything resolved to indices and
// numbers, ready to be written chunk by chunk.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace mkgame {

struct Event {
  int type = 0;
  int number = 0;
  std::string code;
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
  int format = 8;
  int windowWidth = 640, windowHeight = 480;
  bool bytecode = false;
  std::array<uint32_t, 35> options{};
  std::vector<std::pair<std::string, std::string>> constants;
  std::vector<std::pair<std::string, std::string>> scripts;  // name, code
  std::vector<Object> objects;
  std::vector<TimeLine> timelines;
  std::vector<Room> rooms;
  int lastInstanceId = 100000;
  int lastTileId = 10000000;
};

// Reads and checks a description; throws DescriptionError naming the place.
Game Describe_Read(const std::string& fileName);

}  // namespace mkgame

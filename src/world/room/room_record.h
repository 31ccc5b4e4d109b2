// A room as the game file describes it, parsed out of the image into plain
// values: the settings, up to eight background and view entries, and the
// instance and tile entries. Rooms made at run time own a record of the
// same form.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/game_image.h"

class CCode;

struct RoomBackgroundEntry {
  int32_t visible = 0, foreground = 0, background = -1, x = 0, y = 0;
  int32_t tileHorizontal = 1, tileVertical = 1, hspeed = 0, vspeed = 0, stretch = 0;
};

struct RoomViewEntry {
  int32_t visible = 0;
  int32_t viewX = 0, viewY = 0, viewWidth = 640, viewHeight = 480;
  int32_t portX = 0, portY = 0, portWidth = 640, portHeight = 480;
  int32_t borderHorizontal = 32, borderVertical = 32, hspeed = -1, vspeed = -1, followedObject = -1;
};

// A creation code as stored: a compiled code index (-1 none) when the game
// carries compiled code, else a text (null none).
struct RoomCodeRef {
  int32_t codeIndex = -1;
  const char* text = nullptr;
};

struct RoomInstanceEntry {
  int32_t x = 0, y = 0, object = 0, id = 0;
  RoomCodeRef codeRef;
  float xscale = 1.0f, yscale = 1.0f;
  uint32_t colour = 0xFFFFFFFF;  // 0xAABBGGRR
  float angle = 0.0f;
  std::shared_ptr<CCode> code;  // made when the room is loaded
};

// A tile as stored: the file's whole-number places and its colour word
// (0xAABBGGRR) are kept as the tile will hold them, so a tile added at run
// time keeps its fractional place and exact alpha.
struct RoomTileEntry {
  float x = 0.0f, y = 0.0f;
  int32_t background = -1, left = 0, top = 0, width = 0, height = 0;
  float depth = 0.0f;
  int32_t id = 0;
  float xscale = 1.0f, yscale = 1.0f;
  uint32_t blend = 0xFFFFFF;  // 0xBBGGRR
  float alpha = 1.0f;
};

struct RoomRecord {
  const char* name = nullptr;
  const char* caption = nullptr;
  int32_t width = 640, height = 480, speed = 30;
  bool persistent = false;
  int32_t colour = 0xC0C0C0;
  bool showColour = true;
  RoomCodeRef codeRef;
  bool viewsEnabled = false;
  std::vector<RoomBackgroundEntry> backgrounds;  // at most 8
  std::vector<RoomViewEntry> views;              // at most 8
  std::vector<RoomInstanceEntry> instances;
  std::vector<RoomTileEntry> tiles;
  bool physicsEnabled = false;
  int32_t physicsTop = 0, physicsLeft = 0, physicsRight = 0, physicsBottom = 0;
  float gravityX = 0.0f, gravityY = 0.0f, pixelsPerMetre = 0.0f;
};

// Parses the record at a file offset. Texts point into the image (which
// lives for the run); code words are read as indices when `compiledCode`.
// Null on success, else what was wrong.
const char* RoomRecord_Read(const GameImage& image, uint64_t offset, bool compiledCode, int32_t formatVersion,
                            RoomRecord* record);
// A fresh record for a room made at run time: "NewRoom", empty caption,
// speed 30, eight default background and view entries.
std::shared_ptr<RoomRecord> RoomRecord_New();

// A model's primitives, recorded once as three lists (triangles, lines,
// points) and drawn from static vertex buffers anywhere, in at most three
// draw calls. Strips and fans become lists as they come in.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/device/batcher.h"
#include "platform/graphics_device.h"

class GraphicsRecorder {
 public:
  // The recording's vertex colour (0xAARRGGBB; bit 0 set: never re-coloured)
  // and texture index (-1 none).
  GraphicsRecorder(uint32_t colour, int32_t texture);
  ~GraphicsRecorder();
  GraphicsRecorder(const GraphicsRecorder&) = delete;
  GraphicsRecorder& operator=(const GraphicsRecorder&) = delete;

  void AddPrimitive(int32_t primitiveType, int32_t count, const NormalTexVertex* vertices);
  // Vertices of the recorded colour take the new one; the buffers are rebuilt.
  void SetColor(uint32_t colour);
  uint32_t Colour() const { return colour_; }
  void Draw(float x, float y, float z);
  void ReleaseBuffers();

  const std::vector<NormalTexVertex>& Triangles() const { return lists_[0].vertices; }
  const std::vector<NormalTexVertex>& Lines() const { return lists_[1].vertices; }
  const std::vector<NormalTexVertex>& Points() const { return lists_[2].vertices; }

 private:
  struct List {
    std::vector<NormalTexVertex> vertices;
    GfxObject buffer = 0;
  };
  bool Room(int64_t n);
  void Append(List& list, const NormalTexVertex& v) { list.vertices.push_back(v); }
  void DrawList(List& list, uint32_t primitiveType, int32_t perPrimitive);

  uint32_t colour_;
  int32_t texture_;
  List lists_[3];
  bool full_ = false;
};

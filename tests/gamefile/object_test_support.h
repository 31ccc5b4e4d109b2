// Shared by the object, event and time-line tests: images holding object
// and time-line chunks, code that records what it is asked to compile and
// run, and a room of stand-in instances.
#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gamefile/game_header.h"
#include "gamefile/image_builder.h"
#include "resources/timeline.h"
#include "script/compiler/code_table.h"
#include "script/events/event.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_world_seam.h"
#include "support/script_host_fake.h"

struct EventSpec {
  int type;
  uint32_t subtype;
  std::string text;
};

struct ObjectSpec {
  ObjectSpec() = default;
  ObjectSpec(std::string n, int32_t p = -1, std::vector<EventSpec> e = {},
             std::vector<std::pair<float, float>> pts = {})
      : name(std::move(n)), parent(p), events(std::move(e)), points(std::move(pts)) {}
  std::string name;
  int32_t parent = -1;
  std::vector<EventSpec> events;
  std::vector<std::pair<float, float>> points;
};

struct MomentSpec {
  int32_t step;
  std::string text;
};

struct TimeLineShape {
  TimeLineShape() = default;
  TimeLineShape(std::string n, std::vector<MomentSpec> m = {}) : name(std::move(n)), moments(std::move(m)) {}
  std::string name;
  std::vector<MomentSpec> moments;
};

// Where a chunk's data lies in a finished image.
struct ChunkData {
  GameImage image;
  uint64_t data = 0;
  uint32_t size = 0;
};

inline uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

// An action record: the code index at byte 32, the text offset at byte 60.
inline uint32_t WriteAction(ImageBuilder& b, const std::string& text, uint32_t codeIndex) {
  uint32_t textAt = static_cast<uint32_t>(b.Here());
  b.Text(text);
  uint32_t action = static_cast<uint32_t>(b.Here());
  for (int w = 0; w < 16; ++w) b.U32(w == 8 ? codeIndex : w == 15 ? textAt : 0);
  return action;
}

// An event record {unused word, action offset}.
inline uint32_t WriteEventRecord(ImageBuilder& b, const std::string& text, uint32_t codeIndex) {
  uint32_t action = WriteAction(b, text, codeIndex);
  uint32_t record = static_cast<uint32_t>(b.Here());
  b.U32(0).U32(action);
  return record;
}

// An object record's words up to and including the event-type offsets.
inline uint32_t WriteObjectRecord(ImageBuilder& b, const ObjectSpec& request, int format, uint32_t& codeIndex,
                                  uint32_t typeCount = 12) {
  uint32_t nameAt = static_cast<uint32_t>(b.Here());
  b.Text(request.name);
  std::vector<uint32_t> lists(12, 0);
  for (uint32_t type = 0; type < 12; ++type) {
    std::vector<uint32_t> entries;
    for (const EventSpec& e : request.events) {
      if (e.type != static_cast<int>(type)) continue;
      uint32_t action = WriteAction(b, e.text, codeIndex++);
      entries.push_back(static_cast<uint32_t>(b.Here()));
      b.U32(e.subtype).U32(0).U32(action);
    }
    lists[type] = static_cast<uint32_t>(b.Here());
    b.U32(static_cast<uint32_t>(entries.size()));
    for (uint32_t entry : entries) b.U32(entry);
  }
  uint32_t at = static_cast<uint32_t>(b.Here());
  b.U32(nameAt).U32(7).U32(1).U32(0).U32(static_cast<uint32_t>(-10)).U32(0);
  b.U32(static_cast<uint32_t>(request.parent)).U32(static_cast<uint32_t>(-1));
  if (format >= 6) {
    b.U32(1).U32(0).U32(2).U32(FloatBits(0.5f)).U32(FloatBits(0.25f)).U32(3).U32(FloatBits(0.1f)).U32(FloatBits(0.2f));
    b.U32(static_cast<uint32_t>(request.points.size()));
    if (format >= 9) b.U32(FloatBits(0.75f)).U32(0).U32(1);
    for (auto [x, y] : request.points) b.U32(FloatBits(x)).U32(FloatBits(y));
  }
  b.U32(typeCount);
  for (uint32_t t = 0; t < typeCount; ++t) b.U32(t < 12 ? lists[t] : 0);
  return at;
}

// Ends the image with a chunk that lists the records written before it.
inline ChunkData ListChunk(ImageBuilder& b, const char* name, const std::vector<uint32_t>& records) {
  size_t chunk = b.Chunk(name);
  b.U32(static_cast<uint32_t>(records.size()));
  for (uint32_t r : records) b.U32(r);
  b.EndChunk(chunk);
  ChunkData out;
  out.data = chunk + 4;
  out.size = static_cast<uint32_t>(b.Here() - out.data);
  out.image = b.Finish();
  return out;
}

// An OBJT chunk; an empty name in `shapes` leaves that index without object.
inline ChunkData ObjectChunk(const std::vector<ObjectSpec>& shapes, int format = 9) {
  ImageBuilder b;
  uint32_t codeIndex = 0;
  std::vector<uint32_t> records;
  for (const ObjectSpec& request : shapes) {
    records.push_back(request.name.empty() ? 0 : WriteObjectRecord(b, request, format, codeIndex));
  }
  return ListChunk(b, "OBJT", records);
}

inline ChunkData TimeLineChunk(const std::vector<TimeLineShape>& shapes) {
  ImageBuilder b;
  std::vector<uint32_t> records;
  for (const TimeLineShape& request : shapes) {
    if (request.name.empty()) {
      records.push_back(0);
      continue;
    }
    uint32_t nameAt = static_cast<uint32_t>(b.Here());
    b.Text(request.name);
    std::vector<uint32_t> events;
    for (const MomentSpec& m : request.moments) events.push_back(WriteEventRecord(b, m.text, 0));
    records.push_back(static_cast<uint32_t>(b.Here()));
    b.U32(nameAt).U32(static_cast<uint32_t>(request.moments.size()));
    for (size_t i = 0; i < request.moments.size(); ++i)
      b.U32(static_cast<uint32_t>(request.moments[i].step)).U32(events[i]);
  }
  return ListChunk(b, "TMLN", records);
}

// Code whose text is kept: "fail" does not compile. Every run is recorded
// with the current event, and may call back into the test. One at a time:
// the installed table reaches the one alive.
class RecordingCode final {
 public:
  struct Piece {
    std::string text;
    int32_t index;
  };
  struct Run {
    std::string text;
    int32_t object, type, number;
    CInstance* self;
    CInstance* other;
    bool relative;
  };

  // Source-text mode unless a test switches to compiled code.
  RecordingCode() : savedBytecode_(g_hasBytecode) {
    g_hasBytecode = false;
    current_ = this;
    EventCodeHooks hooks;
    hooks.fromText = [](const char* text) { return reinterpret_cast<CCode*>(new Piece{text, -1}); };
    hooks.fromIndex = [](int32_t index) { return reinterpret_cast<CCode*>(new Piece{"", index}); };
    hooks.free = [](CCode* code) { delete reinterpret_cast<Piece*>(code); };
    hooks.compile = [](CCode* code, const char* name) {
      current_->compiled.push_back(name);
      return reinterpret_cast<Piece*>(code)->text != "fail";
    };
    hooks.compileErrorText = [] { return std::string("unexpected symbol"); };
    hooks.execute = [](CCode* code, CInstance* self, CInstance* other) {
      const std::string& text = reinterpret_cast<Piece*>(code)->text;
      current_->runs.push_back({text, g_eventObject, g_eventType, g_eventNumber, self, other, current_->relative_});
      if (current_->onRun) current_->onRun(text);
      return true;
    };
    hooks.relative = [] { return current_->relative_; };
    hooks.setRelative = [](bool relative) { current_->relative_ = relative; };
    hooks.reportFatal = [](const char* message) { current_->fatal.push_back(message); };
    EventCode_Install(hooks);
  }
  ~RecordingCode() {
    EventCode_Install(EventCodeHooks{});
    current_ = nullptr;
    g_hasBytecode = savedBytecode_;
  }
  RecordingCode(const RecordingCode&) = delete;
  RecordingCode& operator=(const RecordingCode&) = delete;

  bool Relative() const { return relative_; }
  void SetRelative(bool relative) { relative_ = relative; }

  std::vector<std::string> compiled;
  std::vector<Run> runs;
  std::vector<std::string> fatal;
  std::function<void(const std::string&)> onRun;

 private:
  static inline RecordingCode* current_ = nullptr;
  bool savedBytecode_;
  bool relative_ = false;
};

// Stand-in instances: only an object index and two marks.
struct FakeInstance {
  explicit FakeInstance(int32_t ownObject = -1) : object(ownObject) {}
  int32_t object;
  bool marked = false;
  bool objectForgotten = false;
};

inline CInstance* AsInstance(FakeInstance* fake) { return reinterpret_cast<CInstance*>(fake); }
inline FakeInstance* AsFake(CInstance* instance) { return reinterpret_cast<FakeInstance*>(instance); }

// One at a time: the installed table reaches the one alive.
class FakeWorld final {
 public:
  FakeWorld() {
    current_ = this;
    EventWorldHooks hooks;
    hooks.roomChangePending = [] { return current_->pending; };
    hooks.firstRoomInstance = [] { return current_->room.empty() ? nullptr : AsInstance(current_->room.front()); };
    hooks.nextRoomInstance = [](CInstance* instance) -> CInstance* {
      const std::vector<FakeInstance*>& room = current_->room;
      for (size_t i = 0; i + 1 < room.size(); ++i)
        if (AsInstance(room[i]) == instance) return AsInstance(room[i + 1]);
      return nullptr;
    };
    hooks.isMarkedForDeletion = [](CInstance* instance) { return AsFake(instance)->marked; };
    hooks.objectIndexOf = [](CInstance* instance) { return AsFake(instance)->object; };
    hooks.forgetObject = [](CInstance* instance) {
      AsFake(instance)->objectForgotten = true;
      AsFake(instance)->object = -1;
    };
    FakeScriptHost([&hooks](ScriptHost& host) { host.eventWorld = hooks; });
  }
  ~FakeWorld() {
    FakeScriptHost([](ScriptHost& host) { host.eventWorld = EventWorldHooks{}; });
    current_ = nullptr;
  }
  FakeWorld(const FakeWorld&) = delete;
  FakeWorld& operator=(const FakeWorld&) = delete;

  bool pending = false;
  std::vector<FakeInstance*> room;

 private:
  static inline FakeWorld* current_ = nullptr;
};

// Helpers shared by the script tests: a world of stub instances behind the
// world seam, and value shorthands.
#pragma once

#include <string>
#include <vector>

#include "runtime/script_value.h"
#include "script/variables/variable_list.h"
#include "script/variables/world_seam.h"
#include "support/test_support.h"

struct StubInstance {
  int32_t id = 0;
  bool marked = false;
  CVariableList variables;
};

inline CInstance* AsInstance(StubInstance* stub) { return reinterpret_cast<CInstance*>(stub); }

// A room's active list and objects' instance lists made of stub instances;
// installed for the life of the object, one at a time: the installed table
// reaches the one alive.
class StubWorld final {
 public:
  StubWorld() {
    current_ = this;
    WorldSeam seam;
    seam.instanceVariables = [](CInstance* instance) {
      return instance == nullptr ? nullptr : &Stub(instance)->variables;
    };
    seam.isMarkedForDeletion = [](const CInstance* instance) {
      return reinterpret_cast<const StubInstance*>(instance)->marked;
    };
    seam.findInstance = [](int32_t id) -> CInstance* {
      for (StubInstance* stub : current_->room)
        if (stub != nullptr && stub->id == id) return AsInstance(stub);
      return nullptr;
    };
    seam.visitRoomInstances = [](InstanceVisitor& visitor) {
      for (StubInstance* stub : current_->room)
        if (!visitor.Visit(AsInstance(stub))) return;
    };
    seam.visitObjectInstances = [](int32_t object, InstanceVisitor& visitor) {
      const auto& objects = current_->objects;
      if (object < 0 || object >= static_cast<int32_t>(objects.size())) return false;
      for (StubInstance* stub : objects[static_cast<size_t>(object)])
        if (!visitor.Visit(stub == nullptr ? nullptr : AsInstance(stub))) break;
      return true;
    };
    WorldSeam_Install(seam);
  }
  ~StubWorld() {
    WorldSeam_Install(WorldSeam{});
    current_ = nullptr;
  }
  StubWorld(const StubWorld&) = delete;
  StubWorld& operator=(const StubWorld&) = delete;

  std::vector<StubInstance*> room;
  std::vector<std::vector<StubInstance*>> objects;

 private:
  static StubInstance* Stub(CInstance* instance) { return reinterpret_cast<StubInstance*>(instance); }
  static inline StubWorld* current_ = nullptr;
};

inline ScriptValue Real(double real) {
  ScriptValue value;
  value.real = real;
  return value;
}

// A value that owns its text; Slot() frees the old text so the value can be
// read into again.
struct OwnedValue {
  ScriptValue v;
  OwnedValue() = default;
  explicit OwnedValue(const char* text) { ScriptValue_SetString(&v, text); }
  OwnedValue(const OwnedValue&) = delete;
  OwnedValue& operator=(const OwnedValue&) = delete;
  ~OwnedValue() { ScriptValue_Release(&v); }
  ScriptValue* Slot() {
    ScriptValue_Release(&v);
    v = ScriptValue{};
    return &v;
  }
  std::string Text() const { return ScriptValue_Text(v); }
};

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
// installed for the life of the object.
class StubWorld final : public IWorldSeam {
 public:
  StubWorld() { WorldSeam_Install(this); }
  ~StubWorld() override { WorldSeam_Install(nullptr); }

  CVariableList* InstanceVariables(CInstance* instance) override {
    return instance == nullptr ? nullptr : &Stub(instance)->variables;
  }
  bool IsMarkedForDeletion(const CInstance* instance) override {
    return reinterpret_cast<const StubInstance*>(instance)->marked;
  }
  CInstance* FindInstance(int32_t id) override {
    for (StubInstance* stub : room)
      if (stub != nullptr && stub->id == id) return AsInstance(stub);
    return nullptr;
  }
  void VisitRoomInstances(InstanceVisitor& visitor) override {
    for (StubInstance* stub : room)
      if (!visitor.Visit(AsInstance(stub))) return;
  }
  bool VisitObjectInstances(int32_t object, InstanceVisitor& visitor) override {
    if (object < 0 || object >= static_cast<int32_t>(objects.size())) return false;
    for (StubInstance* stub : objects[static_cast<size_t>(object)])
      if (!visitor.Visit(stub == nullptr ? nullptr : AsInstance(stub))) break;
    return true;
  }

  std::vector<StubInstance*> room;
  std::vector<std::vector<StubInstance*>> objects;

 private:
  static StubInstance* Stub(CInstance* instance) { return reinterpret_cast<StubInstance*>(instance); }
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

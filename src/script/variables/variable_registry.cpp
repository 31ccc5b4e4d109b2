#include "script/variables/variable_registry.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/message_box.h"
#include "runtime/memory.h"
#include "runtime/name_index.h"
#include "script/variables/instance_selector.h"
#include "script/variables/variable_list.h"
#include "script/variables/world_seam.h"

int8_t g_builtinArgumentSlots[kMaxBuiltinVariables];

namespace {

BuiltinVariableRecord g_records[kMaxBuiltinVariables];
int32_t g_recordCount = 0;
NameIndex g_byName;

void StoreName(BuiltinVariableRecord* record, const char* name) {
  if (name == nullptr) {
    MemoryManager::Free(record->name);
    record->name = nullptr;
    return;
  }
  size_t needed = std::strlen(name) + 1;
  if (record->name == nullptr || MemoryManager::GetSize(record->name) < needed) {
    MemoryManager::Free(record->name);
    record->name = static_cast<char*>(KV_ALLOC(needed, false));
  }
  std::memcpy(record->name, name, needed);
}

int8_t ArgumentSlotOf(const char* name) {
  if (name == nullptr || std::strncmp(name, "argument", 8) != 0) return -1;
  const char* digits = name + 8;
  if (digits[0] < '0' || digits[0] > '9') return -1;
  if (digits[1] == '\0') return static_cast<int8_t>(digits[0] - '0');
  if (digits[0] != '1' || digits[1] < '0' || digits[1] > '5' || digits[2] != '\0') return -1;
  return static_cast<int8_t>(10 + digits[1] - '0');
}

const BuiltinVariableRecord* Record(int32_t id) { return id >= 0 && id < g_recordCount ? &g_records[id] : nullptr; }

// Reads the first instance a walk offers that is not marked for deletion.
class FirstLiveReader final : public InstanceVisitor {
 public:
  FirstLiveReader(int32_t id, int32_t k, ScriptValue* out, bool stopAtGap)
      : id_(id), k_(k), out_(out), stopAtGap_(stopAtGap) {}
  bool Visit(CInstance* instance) override {
    if (instance == nullptr) return !stopAtGap_;
    if (WorldSeam_Get().isMarkedForDeletion(instance)) return true;
    result_ = Variable_GetValue(instance, id_, k_, out_);
    return false;
  }
  bool result() const { return result_; }

 private:
  int32_t id_, k_;
  ScriptValue* out_;
  bool stopAtGap_;
  bool result_ = false;
};

// Writes every instance a walk offers that is not marked for deletion; the
// answer is the last write's, true when nothing was written.
class LiveWriter final : public InstanceVisitor {
 public:
  LiveWriter(int32_t id, int32_t k, const ScriptValue& value, bool stopAtGap)
      : id_(id), k_(k), value_(value), stopAtGap_(stopAtGap) {}
  bool Visit(CInstance* instance) override {
    if (instance == nullptr) return !stopAtGap_;
    if (WorldSeam_Get().isMarkedForDeletion(instance)) return true;
    result_ = Variable_SetValue(instance, id_, k_, value_);
    return true;
  }
  bool result() const { return result_; }

 private:
  int32_t id_, k_;
  const ScriptValue& value_;
  bool stopAtGap_;
  bool result_ = true;
};

BuiltinVariableFamilies g_families = nullptr;

}  // namespace

void Variable_BuiltIn_Clear() {
  for (BuiltinVariableRecord& record : g_records) {
    MemoryManager::Free(record.name);
    record = BuiltinVariableRecord{};
  }
  std::fill(std::begin(g_builtinArgumentSlots), std::end(g_builtinArgumentSlots), int8_t{0});
  g_recordCount = 0;
  g_byName.Invalidate();
}

void Variable_BuiltIn_Init() {
  Variable_BuiltIn_Clear();
  if (g_families != nullptr) g_families();
}

void Variable_BuiltIn_SetFamilies(BuiltinVariableFamilies registerFamilies) { g_families = registerFamilies; }

void Variable_BuiltIn_Add(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter, bool canSet) {
  if (g_recordCount >= kMaxBuiltinVariables) {
    ShowMessage("INTERNAL ERROR: Adding too many variables");
    return;
  }
  BuiltinVariableRecord& record = g_records[g_recordCount++];
  StoreName(&record, name);
  record.getter = getter;
  record.setter = setter;
  record.canSet = canSet ? 1 : 0;
  record.isArray = 0;
  g_builtinArgumentSlots[g_recordCount - 1] = static_cast<int8_t>(getter != nullptr ? ArgumentSlotOf(name) + 1 : 0);
  g_byName.Invalidate();
}

void Variable_BuiltIn_Add(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter) {
  Variable_BuiltIn_Add(name, getter, setter, setter != nullptr);
}

void Variable_BuiltIn_AddArray(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter) {
  int32_t before = g_recordCount;
  Variable_BuiltIn_Add(name, getter, setter);
  if (g_recordCount > before) g_records[before].isArray = 1;
}

int32_t Variable_BuiltIn_Find(const char* name) {
  return g_byName.Find(name, [](auto add) {
    for (int32_t i = 0; i < g_recordCount; ++i) add(g_records[i].name, i);
  });
}

const char* Variable_BuiltIn_GetName(int32_t index) {
  const BuiltinVariableRecord* record = Record(index);
  if (record == nullptr) return "<unknown built-in variable>";
  return record->name != nullptr ? record->name : "";
}

int32_t Variable_BuiltIn_Count() { return g_recordCount; }

const BuiltinVariableRecord* Variable_BuiltIn_Get(int32_t index) { return Record(index); }

bool Variable_GetValue(CInstance* instance, int32_t id, int32_t k, ScriptValue* out) {
  if (id >= kFirstInstanceVariableId) {
    CVariableList* list = WorldSeam_Get().instanceVariables(instance);
    return list != nullptr && list->GetValue(id, k, out);
  }
  const BuiltinVariableRecord* record = Record(id);
  if (record == nullptr || record->getter == nullptr) return false;
  return record->getter(instance, k, out);
}

bool Variable_SetValue(CInstance* instance, int32_t id, int32_t k, const ScriptValue& value) {
  if (id >= kFirstInstanceVariableId) {
    CVariableList* list = WorldSeam_Get().instanceVariables(instance);
    if (list == nullptr) return false;
    list->SetValue(id, k, value);
    return true;
  }
  const BuiltinVariableRecord* record = Record(id);
  // Some records are declared settable but have no setter: they stay read-only.
  if (record == nullptr || record->canSet == 0 || record->setter == nullptr) return false;
  return record->setter(instance, k, value);
}

bool Variable_GetValueByTarget(int32_t target, int32_t id, int32_t k, ScriptValue* out) {
  const WorldSeam& world = WorldSeam_Get();
  if (target == kInstanceAll) {
    FirstLiveReader reader(id, k, out, false);
    world.visitRoomInstances(reader);
    return reader.result();
  }
  if (target < 0) return false;
  if (target >= kFirstInstanceId) {
    CInstance* instance = world.findInstance(target);
    if (instance == nullptr || world.isMarkedForDeletion(instance)) return false;
    return Variable_GetValue(instance, id, k, out);
  }
  FirstLiveReader reader(id, k, out, true);
  if (!world.visitObjectInstances(target, reader)) return false;
  return reader.result();
}

bool Variable_SetValueByTarget(int32_t target, int32_t id, int32_t k, const ScriptValue& value) {
  const WorldSeam& world = WorldSeam_Get();
  if (target == kInstanceAll) {
    LiveWriter writer(id, k, value, false);
    world.visitRoomInstances(writer);
    return writer.result();
  }
  if (target < 0) return false;
  if (target >= kFirstInstanceId) {
    CInstance* instance = world.findInstance(target);
    if (instance == nullptr || world.isMarkedForDeletion(instance)) return true;
    return Variable_SetValue(instance, id, k, value);
  }
  LiveWriter writer(id, k, value, true);
  if (!world.visitObjectInstances(target, writer)) return true;
  return writer.result();
}

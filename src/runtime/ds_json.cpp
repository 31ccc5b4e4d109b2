#include "runtime/ds_json.h"

#include <json-c/json.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/ds_pool.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"

namespace {

int32_t MapFromObject(json_object* object);
int32_t ListFromArray(json_object* array);

// The value as stored: a text is borrowed from the parsed tree, as the
// structure takes its own copy. False for JSON null, which the caller
// skips or stores as 0.
bool ValueFromJson(json_object* json, ScriptValue* out) {
  *out = ScriptValue{};
  switch (json_object_get_type(json)) {
    case json_type_null: return false;
    case json_type_boolean: out->real = json_object_get_boolean(json) ? 1.0 : 0.0; return true;
    case json_type_double:
    case json_type_int: out->real = json_object_get_double(json); return true;
    case json_type_string:
      out->kind = kValueString;
      out->text = const_cast<char*>(json_object_get_string(json));
      return true;
    case json_type_object:
      out->real = MapFromObject(json);
      out->kind = kDSNestedMap;
      return true;
    case json_type_array:
      out->real = ListFromArray(json);
      out->kind = kDSNestedList;
      return true;
  }
  return false;
}

// Nested structures take their ids after the one holding them.
int32_t MapFromObject(json_object* object) {
  auto* map = new CDS_Map();
  const int32_t id = DS_NewMapSlot();
  g_dsMaps.Store(id, map);
  ScriptValue key{kValueString, nullptr, 0.0};
  ScriptValue value;
  json_object_object_foreach(object, name, member) {
    if (!ValueFromJson(member, &value)) continue;
    key.text = name;
    map->Add(&key, &value);
  }
  return id;
}

int32_t ListFromArray(json_object* array) {
  auto* list = new CDS_List();
  const int32_t id = DS_NewListSlot();
  g_dsLists.Store(id, list);
  ScriptValue value;
  const size_t count = json_object_array_length(array);
  for (size_t i = 0; i < count; ++i) {
    ValueFromJson(json_object_array_get_idx(array, i), &value);
    list->Add(&value);
  }
  return id;
}

std::string InDefault(const char* text) { return std::string("{ \"default\" : \"") + text + "\" }"; }

bool Braced(const char* text) {
  const char* first = text;
  while (*first != 0 && std::isspace(static_cast<unsigned char>(*first))) ++first;
  const char* last = text + std::strlen(text);
  while (last > first && std::isspace(static_cast<unsigned char>(last[-1]))) --last;
  return last - first >= 1 && *first == '{' && last[-1] == '}';
}

// The structures on the way down from the map being written.
class Encoder {
 public:
  json_object* Map(const CDS_Map* map) {
    if (!Enter(map)) return nullptr;
    json_object* object = json_object_new_object();
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
      json_object* member = Value(e->value);
      if (e->key.kind == kValueString) {
        json_object_object_add(object, e->key.text == nullptr ? "" : e->key.text, member);
      } else {
        char name[32];
        std::snprintf(name, sizeof name, "%lld", static_cast<long long>(Num_TruncInt64(e->key.real)));
        json_object_object_add(object, name, member);
      }
    }
    path_.pop_back();
    return object;
  }

 private:
  json_object* List(CDS_List* list) {
    if (!Enter(list)) return nullptr;
    json_object* array = json_object_new_array_ext(list->Size());
    for (int32_t i = 0; i < list->Size(); ++i) json_object_array_add(array, Value(*list->FindValue(i)));
    path_.pop_back();
    return array;
  }

  json_object* Value(const ScriptValue& value) {
    if ((value.kind & kDSNestedMap) != 0) {
      const CDS_Map* map = g_dsMaps.Get(Num_TruncInt32(value.real));
      return map == nullptr ? nullptr : Map(map);
    }
    if ((value.kind & kDSNestedList) != 0) {
      CDS_List* list = g_dsLists.Get(Num_TruncInt32(value.real));
      return list == nullptr ? nullptr : List(list);
    }
    if (value.kind == kValueString) return json_object_new_string(value.text == nullptr ? "" : value.text);
    return json_object_new_double(value.real);
  }

  bool Enter(const void* structure) {
    if (path_.size() >= static_cast<size_t>(kDSJsonMaxDepth)) return false;
    for (const void* on : path_) {
      if (on == structure) return false;
    }
    path_.push_back(structure);
    return true;
  }

  std::vector<const void*> path_;
};

}  // namespace

int32_t DS_JsonDecode(const char* text) {
  if (text == nullptr) text = "";
  json_object* root = Braced(text) ? json_tokener_parse(text) : nullptr;
  if (root == nullptr) root = json_tokener_parse(InDefault(text).c_str());
  if (root == nullptr) return -1;
  int32_t id = -1;
  if (json_object_get_type(root) == json_type_object) id = MapFromObject(root);
  json_object_put(root);
  return id;
}

int32_t DS_JsonDecodeReal(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "{ \"default\" : \"%.2f\" }", value);
  return DS_JsonDecode(text);
}

char* DS_JsonEncode(int32_t mapId) {
  const CDS_Map* map = g_dsMaps.Get(mapId);
  if (map == nullptr) return nullptr;
  Encoder encoder;
  json_object* root = encoder.Map(map);
  size_t length = 0;
  const char* printed = json_object_to_json_string_length(root, JSON_C_TO_STRING_SPACED, &length);
  char* copy = nullptr;
  if (printed != nullptr && length <= MemoryManager::kMaxSize - 1) {
    copy = static_cast<char*>(KV_ALLOC(length + 1, false));
    std::memcpy(copy, printed, length + 1);
  }
  json_object_put(root);
  return copy;
}

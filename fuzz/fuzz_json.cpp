// Arbitrary text through json_decode, and what comes out back through
// json_encode: the written text must be json-c's own print of a tree made
// from the structure, and decoding it must give a structure that writes the
// same text again. Nothing may leak, overflow the stack or crash.
#include <json-c/json.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"

namespace {

std::string Encoded(int32_t map) {
  char* text = DS_JsonEncode(map);
  if (text == nullptr) return "<none>";
  std::string copy = text;
  MemoryManager::Free(text);
  return copy;
}

// json-c's tree of the decoded values (decoding makes no cycles, no real
// keys and no ids that name nothing).
json_object* Tree(const ScriptValue& value) {
  if ((value.kind & kDSNestedMap) != 0) {
    const CDS_Map* map = g_dsMaps.Get(static_cast<int32_t>(value.real));
    json_object* object = json_object_new_object();
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
      json_object_object_add(object, ScriptValue_Text(e->key), Tree(e->value));
    }
    return object;
  }
  if ((value.kind & kDSNestedList) != 0) {
    CDS_List* list = g_dsLists.Get(static_cast<int32_t>(value.real));
    json_object* array = json_object_new_array();
    for (int32_t i = 0; i < list->Size(); ++i) json_object_array_add(array, Tree(*list->FindValue(i)));
    return array;
  }
  if (value.kind == kValueString) return json_object_new_string(ScriptValue_Text(value));
  return json_object_new_double(value.real);
}

std::string Printed(int32_t map) {
  json_object* tree = Tree(ScriptValue{kDSNestedMap, nullptr, static_cast<double>(map)});
  std::string text = json_object_to_json_string_ext(tree, JSON_C_TO_STRING_SPACED);
  json_object_put(tree);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  int32_t map;
  // Nine bytes starting with 'R' stand for a real argument.
  if (size == 9 && data[0] == 'R') {
    double real;
    std::memcpy(&real, data + 1, sizeof real);
    map = DS_JsonDecodeReal(real);
  } else {
    const std::string text(reinterpret_cast<const char*>(data), size);
    map = DS_JsonDecode(text.c_str());
  }
  if (map >= 0) {
    const std::string first = Encoded(map);
    if (first != Printed(map)) std::abort();
    const int32_t again = DS_JsonDecode(first.c_str());
    if (again < 0) std::abort();
    if (Encoded(again) != first) std::abort();
  }
  DS_ReleasePools();
  return 0;
}

#include "runtime/ds_json.h"

#include <json-c/json.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/ds_pool.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"

namespace {

int32_t MapFromObject(json_object* object);
int32_t ListFromArray(json_object* array);

// A MemoryManager copy up to the first zero byte, as a structure stores it.
char* TextCopy(const char* text) {
  const size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  return copy;
}

// The value as the structure will hold it: a text is a fresh block that the
// structure takes over. False for JSON null, which the caller skips or
// stores as 0.
bool ValueFromJson(json_object* json, ScriptValue* out) {
  *out = ScriptValue{};
  switch (json_object_get_type(json)) {
    case json_type_null: return false;
    case json_type_boolean: out->real = json_object_get_boolean(json) ? 1.0 : 0.0; return true;
    case json_type_double:
    case json_type_int: out->real = json_object_get_double(json); return true;
    case json_type_string:
      out->kind = kValueString;
      out->text = TextCopy(json_object_get_string(json));
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

// Nested structures take their ids after the one holding them. json-c has
// already kept one member per name, so no key needs looking up.
int32_t MapFromObject(json_object* object) {
  auto* map = new CDS_Map();
  const int32_t id = DS_NewMapSlot();
  g_dsMaps.Store(id, map);
  map->Reserve(json_object_object_length(object));
  ScriptValue value;
  json_object_object_foreach(object, name, member) {
    if (!ValueFromJson(member, &value)) continue;
    ScriptValue key{kValueString, TextCopy(name), 0.0};
    map->AddNewTaking(&key, &value);
  }
  return id;
}

int32_t ListFromArray(json_object* array) {
  auto* list = new CDS_List();
  const int32_t id = DS_NewListSlot();
  g_dsLists.Store(id, list);
  const size_t count = json_object_array_length(array);
  list->Reserve(static_cast<int32_t>(count));
  ScriptValue value;
  for (size_t i = 0; i < count; ++i) {
    ValueFromJson(json_object_array_get_idx(array, i), &value);
    list->AddTaking(&value);
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

// Bytes json-c writes escaped in a string: control characters, the quote,
// the backslash and the slash.
constexpr bool NeedsEscape(unsigned char c) { return c < 0x20 || c == '"' || c == '\\' || c == '/'; }

// The map as json-c prints a tree of the same values with spaced output,
// written into one growing text; nested maps and lists are written where
// they stand.
class Encoder {
 public:
  void Map(const CDS_Map* map) {
    if (!Enter(map)) return Null();
    const size_t start = out_.size();
    out_ += '{';
    bool first = true;
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
      if (e->key.kind != kValueString) {
        out_.resize(start);
        return MapWithNumberKeys(map);
      }
      Member(&first, ScriptValue_Text(e->key), std::strlen(ScriptValue_Text(e->key)), e->value);
      if (TooLong()) return;
    }
    Leave(" }");
  }

  const std::string& Text() const { return out_; }
  // Past the largest block MemoryManager hands out: the writing stops.
  bool TooLong() const { return out_.size() > MemoryManager::kMaxSize - 1; }

 private:
  // A real key is written as a whole number, which may match another key's
  // name: the member keeps the place of the first and the value of the last.
  void MapWithNumberKeys(const CDS_Map* map) {
    std::vector<std::pair<std::string, const ScriptValue*>> members;
    std::unordered_map<std::string, size_t> byName;
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
      std::string name = KeyName(e->key);
      const auto [at, added] = byName.emplace(name, members.size());
      if (added)
        members.emplace_back(std::move(name), &e->value);
      else
        members[at->second].second = &e->value;
    }
    out_ += '{';
    bool first = true;
    for (const auto& [name, value] : members) {
      Member(&first, name.data(), name.size(), *value);
      if (TooLong()) return;
    }
    Leave(" }");
  }

  static std::string KeyName(const ScriptValue& key) {
    if (key.kind == kValueString) return ScriptValue_Text(key);
    return std::to_string(static_cast<long long>(Num_TruncInt64(key.real)));
  }

  void Member(bool* first, const char* name, size_t length, const ScriptValue& value) {
    out_ += *first ? " " : ", ";
    *first = false;
    String(name, length);
    out_ += ": ";
    Value(value);
  }

  void List(CDS_List* list) {
    if (!Enter(list)) return Null();
    out_ += '[';
    for (int32_t i = 0; i < list->Size(); ++i) {
      out_ += i == 0 ? " " : ", ";
      Value(*list->FindValue(i));
      if (TooLong()) return;
    }
    Leave(" ]");
  }

  void Value(const ScriptValue& value) {
    if ((value.kind & kDSNestedMap) != 0) {
      const CDS_Map* map = g_dsMaps.Get(Num_TruncInt32(value.real));
      map == nullptr ? Null() : Map(map);
    } else if ((value.kind & kDSNestedList) != 0) {
      CDS_List* list = g_dsLists.Get(Num_TruncInt32(value.real));
      list == nullptr ? Null() : List(list);
    } else if (value.kind == kValueString) {
      String(ScriptValue_Text(value), std::strlen(ScriptValue_Text(value)));
    } else {
      Number(value.real);
    }
  }

  void Null() { out_ += "null"; }

  void String(const char* text, size_t length) {
    out_ += '"';
    size_t plain = 0;
    for (size_t i = 0; i < length; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (!NeedsEscape(c)) continue;
      out_.append(text + plain, i - plain);
      plain = i + 1;
      Escape(c);
    }
    out_.append(text + plain, length - plain);
    out_ += '"';
  }

  void Escape(unsigned char c) {
    switch (c) {
      case '\b': out_ += "\\b"; return;
      case '\n': out_ += "\\n"; return;
      case '\r': out_ += "\\r"; return;
      case '\t': out_ += "\\t"; return;
      case '\f': out_ += "\\f"; return;
      case '"': out_ += "\\\""; return;
      case '\\': out_ += "\\\\"; return;
      case '/': out_ += "\\/"; return;
      default: break;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    const char code[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
    out_.append(code, sizeof code);
  }

  // json-c's "%.17g", with ".0" after a number that has neither a point nor
  // an exponent.
  void Number(double value) {
    if (std::isnan(value)) {
      out_ += "NaN";
      return;
    }
    if (std::isinf(value)) {
      out_ += value > 0 ? "Infinity" : "-Infinity";
      return;
    }
    char text[32];
    const size_t length = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr - text;
    out_.append(text, length);
    if (std::memchr(text, '.', length) == nullptr && std::memchr(text, 'e', length) == nullptr) out_ += ".0";
  }

  bool Enter(const void* structure) {
    if (path_.size() >= static_cast<size_t>(kDSJsonMaxDepth)) return false;
    for (const void* on : path_) {
      if (on == structure) return false;
    }
    path_.push_back(structure);
    return true;
  }

  void Leave(const char* closing) {
    path_.pop_back();
    out_ += closing;
  }

  std::string out_;
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
  encoder.Map(map);
  if (encoder.TooLong()) return nullptr;
  const std::string& text = encoder.Text();
  auto* copy = static_cast<char*>(KV_ALLOC(text.size() + 1, false));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

#include "mkgame/json_input.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace mkgame {

namespace {

const char* TypeName(json_object* value) {
  return value == nullptr ? "null" : json_type_to_name(json_object_get_type(value));
}

// "line L, column C" of a byte, both counted from 1; a column counts
// characters, as an editor does, not the bytes of their UTF-8 forms.
std::string LineAndColumn(const std::string& text, size_t at) {
  size_t line = 1, column = 1;
  for (size_t i = 0; i < at; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n') {
      ++line;
      column = 1;
    } else if ((byte & 0xC0) != 0x80) {  // not a continuation byte
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The first byte below 0x20 inside a text of `text[0, end)`, else npos.
// Strict JSON writes those escaped; the parser would take them as they are.
size_t RawControlInText(const std::string& text, size_t end) {
  bool inText = false;
  for (size_t i = 0; i < end; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!inText) {
      inText = byte == '"';
    } else if (byte == '\\') {
      ++i;
    } else if (byte == '"') {
      inText = false;
    } else if (byte < 0x20) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

void JsonNode::RequireObject() const {
  if (!json_object_is_type(value_, json_type_object))
    Fail(std::string("expected an object, found ") + TypeName(value_));
}

void JsonNode::OnlyKeys(std::initializer_list<const char*> allowed) const {
  RequireObject();
  json_object_object_foreach(value_, key, member) {
    (void)member;
    bool known = false;
    for (const char* name : allowed) known = known || std::strcmp(name, key) == 0;
    if (!known) Fail(std::string("unknown key \"") + key + "\"");
  }
}

bool JsonNode::Has(const char* key) const {
  json_object* member = nullptr;
  return json_object_object_get_ex(value_, key, &member);
}

JsonNode JsonNode::Get(const char* key) const {
  json_object* member = nullptr;
  json_object_object_get_ex(value_, key, &member);
  std::string path = path_.empty() ? key : path_ + "." + key;
  return JsonNode(member, path);
}

void JsonNode::ForEachMember(const std::function<void(const std::string&, const JsonNode&)>& visit) const {
  RequireObject();
  json_object_object_foreach(value_, key, member) {
    visit(key, JsonNode(member, path_.empty() ? key : path_ + "." + key));
  }
}

size_t JsonNode::ArraySize() const {
  if (!json_object_is_type(value_, json_type_array)) Fail(std::string("expected an array, found ") + TypeName(value_));
  return json_object_array_length(value_);
}

JsonNode JsonNode::At(size_t index) const {
  return JsonNode(json_object_array_get_idx(value_, index), path_ + "[" + std::to_string(index) + "]");
}

std::string JsonNode::Text() const {
  if (!json_object_is_type(value_, json_type_string)) Fail(std::string("expected a text, found ") + TypeName(value_));
  return std::string(json_object_get_string(value_), json_object_get_string_len(value_));
}

long long JsonNode::Int() const {
  if (json_object_is_type(value_, json_type_int)) return json_object_get_int64(value_);
  if (json_object_is_type(value_, json_type_double)) {
    double d = json_object_get_double(value_);
    if (std::floor(d) == d && std::fabs(d) < 9e15) return static_cast<long long>(d);
  }
  Fail(std::string("expected a whole number, found ") + TypeName(value_));
}

double JsonNode::Number() const {
  if (json_object_is_type(value_, json_type_int) || json_object_is_type(value_, json_type_double)) {
    return json_object_get_double(value_);
  }
  Fail(std::string("expected a number, found ") + TypeName(value_));
}

bool JsonNode::Bool() const {
  if (json_object_is_type(value_, json_type_boolean)) return json_object_get_boolean(value_) != 0;
  if (json_object_is_type(value_, json_type_int)) return json_object_get_int64(value_) != 0;
  Fail(std::string("expected true or false, found ") + TypeName(value_));
}

uint32_t JsonNode::Colour() const {
  if (json_object_is_type(value_, json_type_int)) {
    long long v = json_object_get_int64(value_);
    if (v < 0 || v > 0xFFFFFF) Fail("bad colour " + std::to_string(v));
    return static_cast<uint32_t>(v);
  }
  if (json_object_is_type(value_, json_type_string)) {
    std::string text = Text();
    bool ok = text.size() == 7 && text[0] == '#';
    for (size_t i = 1; ok && i < 7; ++i) ok = std::isxdigit(static_cast<unsigned char>(text[i])) != 0;
    if (!ok) Fail("bad colour \"" + text + "\"");
    unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
    uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
  }
  Fail(std::string("bad colour: expected \"#RRGGBB\" or a number, found ") + TypeName(value_));
}

std::vector<double> JsonNode::Numbers(size_t count) const {
  if (ArraySize() != count) Fail("expected " + std::to_string(count) + " numbers");
  std::vector<double> out;
  for (size_t i = 0; i < count; ++i) out.push_back(At(i).Number());
  return out;
}

std::string JsonNode::OptText(const char* key, const std::string& fallback) const {
  return Has(key) ? Get(key).Text() : fallback;
}
long long JsonNode::OptInt(const char* key, long long fallback) const { return Has(key) ? Get(key).Int() : fallback; }
double JsonNode::OptNumber(const char* key, double fallback) const { return Has(key) ? Get(key).Number() : fallback; }
bool JsonNode::OptBool(const char* key, bool fallback) const { return Has(key) ? Get(key).Bool() : fallback; }
uint32_t JsonNode::OptColour(const char* key, uint32_t fallback) const {
  return Has(key) ? Get(key).Colour() : fallback;
}

json_object* Json_ParseFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw DescriptionError(fileName, "cannot read the description");
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  json_tokener* tokener = json_tokener_new();
  // Strict JSON, so a stray comma or a malformed number is named rather than
  // guessed at; what follows the value is checked below, by its place.
  json_tokener_set_flags(tokener, JSON_TOKENER_STRICT | JSON_TOKENER_ALLOW_TRAILING_CHARS);
  json_object* root = json_tokener_parse_ex(tokener, text.c_str(), static_cast<int>(text.size()) + 1);
  json_tokener_error error = json_tokener_get_error(tokener);
  const size_t offset = std::min(json_tokener_get_parse_end(tokener), text.size());
  json_tokener_free(tokener);
  if (root == nullptr || error != json_tokener_success) {
    json_object_put(root);
    const bool atEnd = error == json_tokener_continue || offset == text.size();
    throw DescriptionError(fileName, std::string("not valid JSON at ") + LineAndColumn(text, offset) +
                                         (atEnd ? " (the end of the file): " : ": ") + json_tokener_error_desc(error));
  }
  const size_t control = RawControlInText(text, offset);
  if (control != std::string::npos) {
    json_object_put(root);
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(text[control])));
    throw DescriptionError(fileName, "not valid JSON at " + LineAndColumn(text, control) + ": the control character " +
                                         code + " inside a text (write it escaped, as \\n or \\t)");
  }
  const size_t extra = text.find_first_not_of(" \t\r\n", offset);
  if (extra != std::string::npos) {
    json_object_put(root);
    throw DescriptionError(fileName, "text after the end of the description at " + LineAndColumn(text, extra));
  }
  return root;
}

}  // namespace mkgame

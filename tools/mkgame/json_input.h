// Reading a game description: json-c values wrapped with the path that
// names them in error messages ("rooms[0].instances[2].object").
#pragma once

#include <json-c/json.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace mkgame {

// A description fault: printed as "<path>: <message>", mkgame exits 1.
struct DescriptionError : std::runtime_error {
  DescriptionError(const std::string& path, const std::string& message)
      : std::runtime_error(path.empty() ? message : path + ": " + message) {}
};

class JsonNode {
 public:
  JsonNode(json_object* value, std::string path) : value_(value), path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  json_object* Raw() const { return value_; }
  bool IsNull() const { return value_ == nullptr; }
  [[noreturn]] void Fail(const std::string& message) const { throw DescriptionError(path_, message); }

  // Objects. Keys() refuses any key not in the allowed list.
  void RequireObject() const;
  void OnlyKeys(std::initializer_list<const char*> allowed) const;
  bool Has(const char* key) const;
  JsonNode Get(const char* key) const;  // null node when absent
  void ForEachMember(const std::function<void(const std::string&, const JsonNode&)>& visit) const;

  // Arrays.
  size_t ArraySize() const;
  JsonNode At(size_t index) const;

  // Scalars; the Opt forms give the default when the key is absent.
  std::string Text() const;
  long long Int() const;
  double Number() const;
  bool Bool() const;
  uint32_t Colour() const;  // "#RRGGBB" or an integer 0xBBGGRR
  std::vector<double> Numbers(size_t count) const;

  std::string OptText(const char* key, const std::string& fallback) const;
  long long OptInt(const char* key, long long fallback) const;
  double OptNumber(const char* key, double fallback) const;
  bool OptBool(const char* key, bool fallback) const;
  uint32_t OptColour(const char* key, uint32_t fallback) const;

 private:
  json_object* value_;
  std::string path_;
};

// Parses a whole file; a syntax error names the file.
json_object* Json_ParseFile(const std::string& fileName);

}  // namespace mkgame

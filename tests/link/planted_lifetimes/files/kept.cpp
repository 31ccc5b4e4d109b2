#include <map>
#include <string>

thread_local std::string g_lastName;
thread_local int g_depth = 0;

std::map<int, std::string>& Names() {
  static std::map<int, std::string> names;
  return names;
}

std::map<int, std::string>& Kept() {
  static auto& kept = *new std::map<int, std::string>;
  static const char kText[] = "kept";
  static std::string* spare = nullptr;
  static constexpr int kMost = 4;
  return kept;
}

#include <cctype>
#include <string>
#include <string_view>

#include "builtins/builtin_row.h"

namespace {

bool IsWord(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_') return false;
  }
  return true;
}

bool IsLine(const char* text) {
  return text != nullptr && *text != '\0' && std::string_view(text).find('\n') == std::string_view::npos;
}

// The count the names give, kAnyArgumentCount for a list ending in "...",
// or -2 when a name is not a plain word.
int32_t NamedCount(std::string_view names) {
  if (names.empty()) return 0;
  int32_t count = 0;
  for (;;) {
    size_t comma = names.find(", ");
    std::string_view name = names.substr(0, comma);
    if (name == "..." && comma == std::string_view::npos) return kAnyArgumentCount;
    if (!IsWord(name)) return -2;
    ++count;
    if (comma == std::string_view::npos) return count;
    names.remove_prefix(comma + 2);
  }
}

// The answer's text begins with its kind: "real", "bool", "string", "id",
// "any" or "nothing", alone or followed by ": " and what it means.
bool StartsWithKind(std::string_view answers) {
  for (std::string_view kind : {"real", "bool", "string", "id", "any", "nothing"}) {
    if (answers.substr(0, kind.size()) != kind) continue;
    std::string_view rest = answers.substr(kind.size());
    if (rest.empty() || (rest.size() > 2 && rest.substr(0, 2) == ": ")) return true;
  }
  return false;
}

std::string CountText(int32_t count) { return count == kAnyArgumentCount ? "any number" : std::to_string(count); }

}  // namespace

std::string BuiltinRow_DocFault(const BuiltinRow& row) {
  std::string name = row.name;
  if (row.arguments == nullptr) return name + ": its arguments are not named";
  if (!IsLine(row.answers)) return name + ": what it answers is not said";
  if (!StartsWithKind(row.answers)) return name + ": what it answers does not begin with its kind";
  if (!IsLine(row.meaning)) return name + ": what it does is not said";
  int32_t named = NamedCount(row.arguments);
  if (named == -2) return name + ": \"" + row.arguments + "\" are not argument names";
  if (named != row.argumentCount) {
    return name + ": " + CountText(named) + " arguments named, " + CountText(row.argumentCount) + " taken";
  }
  return "";
}

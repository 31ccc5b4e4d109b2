// builtinref PAGE.md
// Writes the reference of every built-in name (docs/builtins.md) from the
// tables the player registers: the functions' family rows, the two families
// of built-in variables and the constant table (see tools/README.md).
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "builtins/platform/handlers.h"
#include "builtins/registration.h"
#include "script/compiler/constants.h"
#include "script/variables/variable_registry.h"
#include "world/variables/builtin_variables.h"

namespace {

constexpr const char* kIntroduction =
    "# Built-in names\n"
    "\n"
    "<!-- Written by tools/builtinref from the player's registration tables: do not edit. -->\n"
    "\n"
    "Every name a script can use without defining it, as the player registers\n"
    "it: the built-in functions with the number of arguments a call gives, the\n"
    "built-in variables and the built-in constants with their values. A call\n"
    "of a name that is neither listed here nor one of the game's scripts stops\n"
    "the compile (`Unknown function or script: NAME`); a variable not listed\n"
    "here is the game's own and reads 0 until it is set (`fps_real` is not\n"
    "built in, `fps` is; `part_type_colour2` is not, `part_type_color2` is).\n"
    "\n"
    "`builtinref` (tools/README.md) writes this page from the tables, and the\n"
    "test `docs.builtins_page` fails when they disagree. After changing a\n"
    "table, write it afresh: `build/release/builtinref docs/builtins.md`.\n";

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

void Functions(std::ostream& out) {
  out << "\n## Functions\n\nIn the fifteen families, each in the order it registers. \"any\": any number\n"
         "of arguments. \"not with `-steam`\": missing in store mode.\n";
  for (const BuiltinFamily& family : Builtins_Families()) {
    out << "\n### " << Capitalised(family.name) << "\n\n"
        << family.rows.size() << " functions.\n\n| Function | Arguments | |\n|---|---|---|\n";
    for (const BuiltinRow& row : family.rows) {
      out << "| `" << row.name << "` | ";
      if (row.argumentCount == kAnyArgumentCount) {
        out << "any";
      } else {
        out << row.argumentCount;
      }
      out << " | " << (row.mode == BuiltinMode::kNotInStoreMode ? "not with `-steam`" : "") << " |\n";
    }
  }
}

void VariableTable(std::ostream& out, const char* heading, int32_t first, int32_t end) {
  out << "\n### " << heading << "\n\n| Variable | Kind | Access |\n|---|---|---|\n";
  for (int32_t id = first; id < end; ++id) {
    const BuiltinVariableRecord& record = *Variable_BuiltIn_Get(id);
    bool settable = record.canSet != 0 && record.setter != nullptr;
    out << "| `" << record.name << "` | " << (record.isArray != 0 ? "array" : "") << " | "
        << (settable ? "read and write" : "read-only") << " |\n";
  }
}

void Variables(std::ostream& out) {
  out << "\n## Variables\n\nEach instance has its own value of a variable of the first table\n"
         "(`x`, `other.x`, `obj_ball.x`); one value of a variable of the second\n"
         "serves the whole game. An array is read and written by element\n"
         "(`alarm[0]`, `view_xview[1]`). Writing a read-only variable is a runtime error.\n";
  Variable_BuiltIn_Clear();
  BuiltinVariables_RegisterInstance();
  int32_t instanceCount = Variable_BuiltIn_Count();
  BuiltinVariables_RegisterGlobal();
  VariableTable(out, "Per instance", 0, instanceCount);
  VariableTable(out, "Global", instanceCount, Variable_BuiltIn_Count());
  Variable_BuiltIn_Clear();
}

// The shortest text that reads back as the same number.
std::string Number(double value) {
  char text[64];
  auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
  return std::string(text, end);
}

// The constants grouped by the start of their names up to the first "_",
// the groups in the order their first member registers.
void Constants(std::ostream& out) {
  out << "\n## Constants\n\nGrouped by the start of their names; every value is a real number.\n";
  Code_Constant_Init();
  PlatformBuiltins_AddConstants();
  std::vector<std::pair<std::string, std::string>> groups;
  for (int32_t i = 0; i < Code_Constant_Count(); ++i) {
    std::string name = Code_Constant_Name(i);
    size_t underscore = name.find('_');
    std::string prefix = underscore == std::string::npos ? "" : name.substr(0, underscore + 1);
    auto group = groups.begin();
    while (group != groups.end() && group->first != prefix) ++group;
    if (group == groups.end()) group = groups.insert(group, {prefix, ""});
    group->second += "| `" + name + "` | " + Number(Code_Constant_Value(i)->real) + " |\n";
  }
  for (const auto& [prefix, rows] : groups) {
    out << "\n### " << (prefix.empty() ? std::string("Without a prefix") : "`" + prefix + "`") << "\n\n"
        << "| Constant | Value |\n|---|---|\n"
        << rows;
  }
  Code_Constant_Free();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: builtinref PAGE.md\n");
    return 2;
  }
  std::ostringstream page;
  page << kIntroduction;
  Functions(page);
  Variables(page);
  Constants(page);
  std::ofstream out(argv[1], std::ios::trunc);
  out << page.str();
  out.close();
  if (out) return 0;
  std::fprintf(stderr, "builtinref: cannot write %s\n", argv[1]);
  return 1;
}

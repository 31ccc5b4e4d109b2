// builtinref PAGE.md
// Writes the reference of every built-in name (docs/builtins.md) from the
// tables the player registers: the functions' family rows, the two families
// of built-in variables and the constant table (see tools/README.md).
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "builtinref/constant_groups.h"
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
    "it: the built-in functions, each with its arguments, what it answers and\n"
    "what it does (an [index](#index) lists them by name); the built-in\n"
    "variables with what they hold; the built-in constants by group, with\n"
    "their values. The language itself is on [its own page](language.md). A call\n"
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

// A table cell or line of text as the page writes it: "|" would end a cell.
std::string Escaped(const char* text) {
  std::string out;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '|') out += '\\';
    out += *c;
  }
  return out;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Every function's name, linked to its entry (a heading's anchor is its
// text in lower case), a paragraph for each first letter.
void Index(std::ostream& out) {
  std::vector<std::string> names;
  for (const BuiltinFamily& family : Builtins_Families()) {
    for (const BuiltinRow& row : family.rows) names.emplace_back(row.name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  out << "\n### Index\n";
  char letter = '\0';
  for (const std::string& name : names) {
    char first = Lower(name)[0];
    if (first != letter) {
      out << (letter == '\0' ? "" : "\n") << "\n**" << first << "**:";
      letter = first;
    } else {
      out << ",";
    }
    out << " [" << name << "](#" << Lower(name) << ")";
  }
  out << "\n";
}

void Entry(std::ostream& out, const BuiltinRow& row) {
  out << "\n#### " << row.name << "\n\n`" << row.name << "(" << row.arguments << ")` \u2192 " << Escaped(row.answers)
      << "\n\n"
      << Escaped(row.meaning);
  if (row.mode == BuiltinMode::kNotInStoreMode) out << " Not there in store mode (`-steam`).";
  out << "\n";
}

void Functions(std::ostream& out) {
  out << "\n## Functions\n\nIn the fifteen families, each in the order it registers. Each entry gives\n"
         "the call with its arguments named in order (\"...\": any number of them,\n"
         "or more), then what the call answers: `real` a number, `bool` 1 for\n"
         "true and 0 for false, `string` a text, `id` a number naming a resource,\n"
         "instance or structure, `any` a value of either kind, `nothing` 0 that\n"
         "means nothing.\n";
  Index(out);
  for (const BuiltinFamily& family : Builtins_Families()) {
    out << "\n### " << Capitalised(family.name) << "\n\n" << family.rows.size() << " functions.\n";
    for (const BuiltinRow& row : family.rows) Entry(out, row);
  }
}

// Every row's reference text is there and names as many arguments as the
// row takes; the faults go to stderr.
bool RowsDocumented() {
  bool whole = true;
  for (const BuiltinFamily& family : Builtins_Families()) {
    for (const BuiltinRow& row : family.rows) {
      std::string fault = BuiltinRow_DocFault(row);
      if (fault.empty()) continue;
      std::fprintf(stderr, "builtinref: %s\n", fault.c_str());
      whole = false;
    }
  }
  return whole;
}

// Set when a variable or constant group has no meaning: the page is then
// refused.
bool g_missingMeaning = false;

const char* Meaning(const char* text, const std::string& what) {
  if (text != nullptr) return text;
  std::fprintf(stderr, "builtinref: %s: what it holds is not said\n", what.c_str());
  g_missingMeaning = true;
  return "";
}

void VariableTable(std::ostream& out, const char* heading, int32_t first, int32_t end) {
  out << "\n### " << heading << "\n\n| Variable | Kind | Access | What it holds |\n|---|---|---|---|\n";
  for (int32_t id = first; id < end; ++id) {
    const BuiltinVariableRecord& record = *Variable_BuiltIn_Get(id);
    bool settable = record.canSet != 0 && record.setter != nullptr;
    out << "| `" << record.name << "` | " << (record.isArray != 0 ? "array" : "") << " | "
        << (settable ? "read and write" : "read-only") << " | "
        << Escaped(Meaning(BuiltinVariables_Meaning(record.name), record.name)) << " |\n";
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
        << Meaning(ConstantGroup_Meaning(prefix), "constants " + (prefix.empty() ? "without a prefix" : prefix))
        << "\n\n| Constant | Value |\n|---|---|\n"
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
  if (!RowsDocumented()) return 1;
  std::ostringstream page;
  page << kIntroduction;
  Functions(page);
  Variables(page);
  Constants(page);
  if (g_missingMeaning) return 1;
  std::ofstream out(argv[1], std::ios::trunc);
  out << page.str();
  out.close();
  if (out) return 0;
  std::fprintf(stderr, "builtinref: cannot write %s\n", argv[1]);
  return 1;
}

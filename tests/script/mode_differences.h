// Where the two execution modes give different answers. The table itself is
// the one authors read, in docs/authoring.md: each row a program, the scripts
// it calls ("name: text"), and what each mode prints (lines joined with
// " | "; "the game ends" where the machine's error ends the process).
#pragma once

#include <fstream>
#include <string>
#include <vector>

struct ModeDifference {
  std::string topic;
  std::string program;
  std::string script;  // "name: text", or empty
  std::string tree;
  std::string bytecode;
};

namespace mode_differences {

// The cells of a table row: split at "|" but not at "\|", each cell trimmed
// and its backquotes taken off.
inline std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::string cell;
  for (size_t i = 1; i < row.size(); ++i) {
    if (row[i] == '\\' && i + 1 < row.size() && row[i + 1] == '|') {
      cell += '|';
      ++i;
    } else if (row[i] == '|') {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += row[i];
    }
  }
  for (std::string& text : cells) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == '`' && text.back() == '`') text = text.substr(1, text.size() - 2);
  }
  return cells;
}

}  // namespace mode_differences

// The rows of the table that follows the "interpreter differences" marker.
inline std::vector<ModeDifference> ModeDifferences_FromGuide(const char* path) {
  std::vector<ModeDifference> rows;
  std::ifstream guide(path);
  std::string line;
  bool inTable = false;
  int skipped = 0;
  while (std::getline(guide, line)) {
    if (line.rfind("<!-- interpreter differences", 0) == 0) {
      inTable = true;
      continue;
    }
    if (!inTable) continue;
    if (line.empty() || line[0] != '|') break;
    if (skipped < 2) {  // the heading and its rule
      ++skipped;
      continue;
    }
    std::vector<std::string> cells = mode_differences::Cells(line);
    if (cells.size() != 5) continue;
    rows.push_back({cells[0], cells[1], cells[2], cells[3], cells[4]});
  }
  return rows;
}

// What the tree interpreter alone is held to, beside the table.
inline constexpr struct {
  const char* topic;
  const char* program;
  const char* tree;
} kTreeOnly[] = {
    {"with walks the room in list order", "tag = 1; other.tag = 2; with (all) print(tag)", "1 | 2"},
};

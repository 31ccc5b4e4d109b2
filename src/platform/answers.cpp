#include "platform/answers.h"

#include <cstdio>
#include <fstream>

#include "platform/switches.h"

namespace {

std::ifstream g_file;
bool g_opened = false;

}  // namespace

bool Answers_Next(std::string* line) {
  if (!g_opened) {
    g_opened = true;
    const std::string& name = Switches_Get().answersFile;
    if (!name.empty()) g_file.open(name, std::ios::binary);
  }
  if (!g_file.is_open() || !std::getline(g_file, *line)) return false;
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return true;
}

void Answers_Reset() {
  if (g_file.is_open()) g_file.close();
  g_file.clear();
  g_opened = false;
}

std::string Answers_LineFeeds(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\r') {
      if (p[1] == '\n') ++p;
      out.push_back('\n');
      continue;
    }
    out.push_back(*p);
  }
  return out;
}

void Answers_PrintDialogText(const char* text) {
  std::string out = Answers_LineFeeds(text);
  out.push_back('\n');
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
}

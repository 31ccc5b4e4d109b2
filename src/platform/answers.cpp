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

void Answers_PrintDialogText(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    // "\r\n" is one break; a lone "\r" (what "#" becomes in a message) is one too.
    if (*p == '\r' && p[1] == '\n') continue;
    out.push_back(*p == '\r' ? '\n' : *p);
  }
  out.push_back('\n');
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
}

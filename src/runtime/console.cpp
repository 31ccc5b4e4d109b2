#include "runtime/console.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/text.h"

namespace {

ConsolePaneHook g_paneHook = nullptr;
constexpr int kPaneBuffer = 4096;

}  // namespace

TConsole g_defaultConsole;
tagIConsole* g_debugConsole = &g_defaultConsole;
tagIConsole* g_releaseConsole = &g_defaultConsole;

void Console_SetPaneHook(ConsolePaneHook hook) { g_paneHook = hook; }

int Console_CutAtCodePoint(const char* text, int length, int limit) {
  if (length <= limit) return length;
  int cut = limit;
  // Step back over continuation bytes so the kept text ends on a whole sequence.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

bool TConsole::AlwaysTrue(int) { return true; }

void TConsole::Output(const char* format, ...) {
  if (format == nullptr) return;
  std::string text;
  va_list args;
  va_start(args, format);
  const bool formatted = String_FormatArgs(&text, format, args);
  va_end(args);
  if (!formatted) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (g_paneHook != nullptr) {
    int kept = Console_CutAtCodePoint(text.data(), static_cast<int>(text.size()), kPaneBuffer - 1);
    text.resize(static_cast<size_t>(kept));
    g_paneHook(text.c_str());
  }
  std::fflush(stdout);
}

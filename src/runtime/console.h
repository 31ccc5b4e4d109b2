// Where trace and log text goes. Two program-wide console pointers choose the
// destination: g_debugConsole for the engine's own trace lines,
// g_releaseConsole for what the game asks to print. Both start at the one
// standard console, which writes to standard output.
#pragma once

#include <cstdarg>

struct tagIConsole {
  virtual ~tagIConsole() = default;
  virtual bool AlwaysTrue(int argument) = 0;
  virtual void Output(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
};

class TConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int argument) override;
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3)));
};

// The debugger window's message pane, when open, receives a copy of each
// standard-console line cut to 4095 bytes on a code-point boundary.
using ConsolePaneHook = void (*)(const char* text);
void Console_SetPaneHook(ConsolePaneHook hook);

// The cut the pane copy gets: at most `limit` bytes, never splitting a
// UTF-8 sequence. Returns the number of bytes kept.
int Console_CutAtCodePoint(const char* text, int length, int limit);

extern TConsole g_defaultConsole;
extern tagIConsole* g_debugConsole;
extern tagIConsole* g_releaseConsole;

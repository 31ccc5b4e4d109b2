// A runtime error raised below the script engine reaches the reporter
// installed last with its text and fatality as given; reporting with none
// installed stops the program as a wiring fault.
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_reported;

void Earlier(const char*, bool) { g_reported = "the earlier reporter"; }
void Later(const char* message, bool fatal) { g_reported = std::string(fatal ? "fatal: " : "") + message; }

TEST(RuntimeError, TheLastInstalledReporterTakesEachReportAndNoneIsAWiringFault) {
  RuntimeError_SetReporter(nullptr);
  EXPECT_DEATH(RuntimeError_Show("refused", false), "INTERNAL ERROR: runtime error reporter used before");
  RuntimeError_SetReporter(Earlier);
  RuntimeError_SetReporter(Later);
  const struct {
    const char* message;
    bool fatal;
    const char* reported;
  } cases[] = {
      {"a refused call", false, "a refused call"}, {"", true, "fatal: "}, {"two\nlines", true, "fatal: two\nlines"}};
  for (const auto& c : cases) {
    RuntimeError_Show(c.message, c.fatal);
    EXPECT_EQ(g_reported, c.reported) << c.message;
  }
  RuntimeError_SetReporter(nullptr);
}

}  // namespace

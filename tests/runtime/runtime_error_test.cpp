// A runtime error raised below the script engine reaches the reporter
// installed last with its text and fatality as given; reporting with none
// installed stops the program as a wiring fault.
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Report {
  std::string message;
  bool fatal;
};

std::vector<Report> g_first;
std::vector<Report> g_second;

void First(const char* message, bool fatal) { g_first.push_back({message, fatal}); }
void Second(const char* message, bool fatal) { g_second.push_back({message, fatal}); }

TEST(RuntimeError, TheLastInstalledReporterTakesEachReportAndNoneIsAWiringFault) {
  RuntimeError_SetReporter(nullptr);
  EXPECT_DEATH(RuntimeError_Show("refused", false), "INTERNAL ERROR: runtime error reporter used before");
  RuntimeError_SetReporter(First);
  RuntimeError_SetReporter(Second);
  const Report reports[] = {{"a refused call", false}, {"", true}, {"fatal\nover two lines", true}};
  for (const Report& report : reports) RuntimeError_Show(report.message.c_str(), report.fatal);
  EXPECT_TRUE(g_first.empty());
  ASSERT_EQ(g_second.size(), std::size(reports));
  for (size_t i = 0; i < std::size(reports); ++i) {
    EXPECT_EQ(g_second[i].message, reports[i].message) << i;
    EXPECT_EQ(g_second[i].fatal, reports[i].fatal) << i;
  }
  RuntimeError_SetReporter(nullptr);
}

}  // namespace

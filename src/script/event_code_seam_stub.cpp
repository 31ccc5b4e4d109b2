// Stand-in until code objects can be compiled and run: every piece of code
// compiles and runs without effect. Errors already go to the reporter.
#include "script/compile_error.h"
#include "script/error_report.h"
#include "script/event_code_seam.h"

namespace {

class StubCode final : public IEventCode {
 public:
  // A distinct non-null token per piece of code, freed with it.
  CCode* FromText(const char*) override { return reinterpret_cast<CCode*>(new char); }
  CCode* FromIndex(int32_t) override { return reinterpret_cast<CCode*>(new char); }
  void Free(CCode* code) override { delete reinterpret_cast<char*>(code); }
  bool Compile(CCode*, const char*) override { return true; }
  std::string CompileErrorText() override { return g_errorText != nullptr ? g_errorText : ""; }
  bool Execute(CCode*, CInstance*, CInstance*) override { return true; }
  bool Relative() override { return relative_; }
  void SetRelative(bool relative) override { relative_ = relative; }
  void ReportFatal(const char* message) override { Error_Show(message, true); }

 private:
  bool relative_ = false;
};

StubCode g_stubCode;
IEventCode* g_eventCode = &g_stubCode;

}  // namespace

void EventCode_Install(IEventCode* code) { g_eventCode = code != nullptr ? code : &g_stubCode; }

IEventCode& EventCode_Get() { return *g_eventCode; }

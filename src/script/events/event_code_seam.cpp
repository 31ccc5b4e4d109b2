// Events make, compile and run their code through code objects. Tests install
// a recording table through the same seam.
#include "script/events/event_code_seam.h"

#include "runtime/fatal.h"
#include "runtime/service_seam.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"

namespace {

bool g_relative = false;
EventCodeRunner g_runner = nullptr;

CCode* FromText(const char* text) { return new CCode(text == nullptr ? "" : text, false); }
CCode* FromIndex(int32_t index) { return new CCode(index, false); }
void Free(CCode* code) { delete code; }
bool Compile(CCode* code, const char* name) { return code->Compile(name); }
std::string CompileErrorText() { return g_errorText != nullptr ? g_errorText : ""; }
bool Execute(CCode* code, CInstance* self, CInstance* other) {
  if (g_runner == nullptr) Fatal_InternalError("event code run before the script engine was joined");
  return g_runner(code, self, other);
}
bool Relative() { return g_relative; }
void SetRelative(bool relative) { g_relative = relative; }
void ReportFatal(const char* message) { Error_Show(message, true); }

EventCodeHooks g_code = {FromText, FromIndex, Free,        Compile,    CompileErrorText,
                         Execute,  Relative,  SetRelative, ReportFatal};

}  // namespace

void EventCode_Install(const EventCodeHooks& hooks) {
  Seam_Take(&g_code.fromText, hooks.fromText, FromText);
  Seam_Take(&g_code.fromIndex, hooks.fromIndex, FromIndex);
  Seam_Take(&g_code.free, hooks.free, Free);
  Seam_Take(&g_code.compile, hooks.compile, Compile);
  Seam_Take(&g_code.compileErrorText, hooks.compileErrorText, CompileErrorText);
  Seam_Take(&g_code.execute, hooks.execute, Execute);
  Seam_Take(&g_code.relative, hooks.relative, Relative);
  Seam_Take(&g_code.setRelative, hooks.setRelative, SetRelative);
  Seam_Take(&g_code.reportFatal, hooks.reportFatal, ReportFatal);
}

void EventCode_SetRunner(EventCodeRunner runner) { g_runner = runner; }

const EventCodeHooks& EventCode_Get() { return g_code; }

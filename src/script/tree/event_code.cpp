// Events compile and run their code through code objects. Tests install a
// recording stand-in through the same interface.
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/events/event_code_seam.h"
#include "script/tree/interpreter.h"

namespace {

class CodeObjects final : public IEventCode {
 public:
  CCode* FromText(const char* text) override { return new CCode(text == nullptr ? "" : text, false); }
  CCode* FromIndex(int32_t index) override { return new CCode(index, false); }
  void Free(CCode* code) override { delete code; }
  bool Compile(CCode* code, const char* name) override { return code->Compile(name); }
  std::string CompileErrorText() override { return g_errorText != nullptr ? g_errorText : ""; }
  bool Execute(CCode* code, CInstance* self, CInstance* other) override {
    ScriptValue result;
    bool ok = Code_Execute_ShowError(self, other, code, &result);
    ScriptValue_Release(&result);
    return ok;
  }
  bool Relative() override { return relative_; }
  void SetRelative(bool relative) override { relative_ = relative; }
  void ReportFatal(const char* message) override { Error_Show(message, true); }

 private:
  bool relative_ = false;
};

CodeObjects g_codeObjects;
IEventCode* g_eventCode = &g_codeObjects;

}  // namespace

void EventCode_Install(IEventCode* code) { g_eventCode = code != nullptr ? code : &g_codeObjects; }

IEventCode& EventCode_Get() { return *g_eventCode; }

#include "runtime/runtime_error.h"

#include "runtime/fatal.h"

namespace {

RuntimeErrorReporter g_reporter = nullptr;

}  // namespace

void RuntimeError_SetReporter(RuntimeErrorReporter reporter) { g_reporter = reporter; }

bool RuntimeError_Installed() { return g_reporter != nullptr; }

void RuntimeError_Show(const char* message, bool fatal) {
  if (g_reporter == nullptr) Fatal_InternalError("runtime error reporter used before a service was installed");
  g_reporter(message, fatal);
}

#include "physics/physics_checks.h"

#include <string>

#include "script/events/error_report.h"

namespace {

std::string g_context;

}  // namespace

bool Physics_Refuse(const char* condition) {
  std::string text = std::string(condition) + " " + g_context;
  Error_Show(text.c_str(), false);
  return false;
}

void Physics_SetCheckContext(const char* context) { g_context = context != nullptr ? context : ""; }

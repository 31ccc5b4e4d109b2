#include "physics/physics_checks.h"

#include <string>

#include "script/events/error_report.h"

bool Physics_Refuse(const char* condition) {
  std::string text = std::string(condition) + " ";
  Error_Show(text.c_str(), false);
  return false;
}

#include "physics/physics_checks.h"

#include <string>

#include "runtime/runtime_error.h"

bool Physics_Refuse(const char* condition) {
  std::string text = std::string(condition) + " ";
  RuntimeError_Show(text.c_str(), false);
  return false;
}

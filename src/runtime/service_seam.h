// The installed operations of one subsystem, as a table of function
// pointers. The start-up's service list installs every table once: the
// subsystem's own when it is built, its stand-in until then, so that which
// one runs is decided by that list and never by link order. Tests install
// what they need, or a recording table of their own.
#pragma once

#include "runtime/fatal.h"

// Installing a table with defaults: each member the installer gives, else
// the lower side's own default for it.
template <typename Hook>
void Seam_Take(Hook* slot, Hook given, Hook fallback) {
  *slot = given != nullptr ? given : fallback;
}

template <typename Services>
class ServiceSeam {
 public:
  // The name says which subsystem a wiring fault is about.
  constexpr explicit ServiceSeam(const char* name) : name_(name) {}

  // Null empties the seam again.
  void Install(const Services* services) { services_ = services; }

  // Using a seam that nothing was installed into is a wiring fault.
  const Services& Get() const {
    if (services_ == nullptr) Fatal_InternalError("%s used before a service was installed", name_);
    return *services_;
  }

 private:
  const char* name_;
  const Services* services_ = nullptr;
};

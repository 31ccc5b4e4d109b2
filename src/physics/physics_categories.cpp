#include "physics/physics_categories.h"

#include "runtime/runtime_error.h"

PhysicsCategories::PhysicsCategories() {
  for (int32_t i = 0; i < kPhysicsCategories; ++i) records_[i].bits = 1u << i;
}

int32_t PhysicsCategories::Find(int32_t objectIndex) const {
  for (int32_t i = 0; i < kPhysicsCategories; ++i) {
    if (records_[i].objectIndex == objectIndex) return i;
  }
  return -1;
}

int32_t PhysicsCategories::Assign(int32_t representative, const std::vector<int32_t>& partners,
                                  const std::string& objectName) {
  if (partners.empty()) return -1;
  int32_t own = Find(representative);
  if (own < 0) own = Find(-1);
  if (own < 0) {
    std::string text = "Unable to assign a collision category for object " + objectName +
                       ".\nConsider using parenting to reduce collision overheads where possible.";
    RuntimeError_Show(text.c_str(), false);
    return -1;
  }
  records_[own].objectIndex = representative;
  for (int32_t partner : partners) {
    int32_t other = Find(partner);
    if (other < 0) continue;
    records_[own].mask |= records_[other].bits;
    records_[other].mask |= records_[own].bits;
  }
  return own;
}

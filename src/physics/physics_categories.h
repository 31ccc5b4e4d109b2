// The 16 collision categories of a world. Objects that have collision
// events with each other get categories whose masks name each other, so the
// library reports exactly the contacts that have events; an object without
// partners collides with nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kPhysicsCategories = 16;

struct PhysicsCategory {
  int32_t objectIndex = -1;  // -1: free
  uint32_t bits = 0;
  uint32_t mask = 0;
};

class PhysicsCategories {
 public:
  PhysicsCategories();
  // The record of the representative object, taken when it has none, with
  // the masks of it and its partners opened to each other. -1 without
  // partners, or (with a message naming the object) when all are taken.
  int32_t Assign(int32_t representative, const std::vector<int32_t>& partners, const std::string& objectName);
  const PhysicsCategory& operator[](int32_t index) const { return records_[index]; }

 private:
  int32_t Find(int32_t objectIndex) const;
  PhysicsCategory records_[kPhysicsCategories];
};

// A world of one instance that holds nothing but its variables, for the
// script benchmarks: the instance pointer the code runs on is a
// BenchInstance, and no other instance exists.
#pragma once

#include "script/variables/variable_list.h"
#include "script/variables/world_seam.h"

struct BenchInstance {
  CVariableList variables;
};

class OneInstanceWorld final : public IWorldSeam {
 public:
  CVariableList* InstanceVariables(CInstance* instance) override {
    return instance == nullptr ? nullptr : &reinterpret_cast<BenchInstance*>(instance)->variables;
  }
  bool IsMarkedForDeletion(const CInstance*) override { return false; }
  CInstance* FindInstance(int32_t) override { return nullptr; }
  void VisitRoomInstances(InstanceVisitor&) override {}
  bool VisitObjectInstances(int32_t, InstanceVisitor&) override { return false; }
};

// A world of one instance that holds nothing but its variables, for the
// script benchmarks: the instance pointer the code runs on is a
// BenchInstance, and no other instance exists.
#pragma once

#include "script/variables/variable_list.h"
#include "script/variables/world_seam.h"

struct BenchInstance {
  CVariableList variables;
};

inline WorldSeam OneInstanceWorld() {
  WorldSeam seam;
  seam.instanceVariables = [](CInstance* instance) {
    return instance == nullptr ? nullptr : &reinterpret_cast<BenchInstance*>(instance)->variables;
  };
  return seam;
}

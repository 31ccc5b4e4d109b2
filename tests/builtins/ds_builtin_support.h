// Calling the data-structure handlers directly on pools that start empty,
// with the comparison precision put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "builtin_test_support.h"
#include "builtins/ds/handlers.h"
#include "runtime/ds_pool.h"
#include "runtime/ds_value.h"

class DSBuiltins : public ::testing::Test {
 protected:
  void SetUp() override { DS_ReleasePools(); }
  void TearDown() override {
    DS_ReleasePools();
    DS_SetPrecision(1e-08);
  }

  static double Real(BuiltinFunction f, std::initializer_list<GoldenArg> args = {}) {
    return BuiltinCall(f, args).Real();
  }
  // A string result as its text; a real result as "real <value>".
  static std::string Value(BuiltinFunction f, std::initializer_list<GoldenArg> args) {
    BuiltinCall call(f, args);
    return call.IsString() ? call.Text() : "real " + Format(call.Real());
  }
  static std::string Format(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
  }
  static int32_t Make(BuiltinFunction create) { return static_cast<int32_t>(Real(create)); }
  static std::string Written(BuiltinFunction write, int32_t id) { return BuiltinCall(write, {R(id)}).Text(); }
};

// A running world with the game family registered: handlers are called by
// name, as scripts reach them, on a chosen self and other.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/registration.h"
#include "maths_strings_golden.h"
#include "script/compiler/function_registry.h"
#include "world/world_actions_test_support.h"

class GameWorld : public ActionWorld {
 protected:
  void SetUp() override {
    ActionWorld::SetUp();
    Function_Free();
    Builtins_RegisterFamily(BuiltinFamilyId::kMotion);
  }
  void TearDown() override {
    Function_Free();
    ActionWorld::TearDown();
  }

  // The handler's result as a real (strings read as NaN), with self and
  // other as given.
  double Call(const char* name, std::vector<GoldenArg> args, CInstance* self = nullptr, CInstance* other = nullptr) {
    int32_t id = -1;
    EXPECT_TRUE(Function_Find(name, &id)) << name;
    BuiltinFunction handler = Function_GetHandler(id);
    if (handler == nullptr) return -12345;
    std::vector<ScriptValue> values(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i].text != nullptr) {
        ScriptValue_SetString(&values[i], args[i].text);
      } else {
        ScriptValue_SetReal(&values[i], args[i].real);
      }
    }
    ScriptValue result;
    handler(&result, self, other, static_cast<int32_t>(values.size()), values.empty() ? nullptr : values.data());
    for (ScriptValue& v : values) ScriptValue_Release(&v);
    const double real = result.kind == kValueReal ? result.real : NAN;
    ScriptValue_Release(&result);
    return real;
  }

  // An instance of a new object whose sprite is a w x h box, at x, y.
  CInstance* Boxed(int32_t object, float x, float y, int32_t w, int32_t h, bool solid = false) {
    if (Object_Get(object) == nullptr) MakeObject(object, MakeSprite(w, h), solid);
    CInstance* instance = Add(object, x, y);
    instance->RefreshBoundingBox();
    return instance;
  }
};

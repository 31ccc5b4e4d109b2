// The text built-ins over the real text drawing and the recording device:
// values that are not numbers anywhere in their arguments draw and measure
// without a fault, and "\#" in a script's text survives being drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/device/batcher.h"
#include "graphics_test_support.h"

namespace {

// Without the fixture's fonts: every font number is the built-in one.
class TextBuiltins : public GraphicsBuiltins {
 protected:
  void SetUp() override {
    GraphicsBuiltins::SetUp();
    Font_Shutdown();
    Font_Init();
  }
  int32_t Vertices() const { return Graphics::PendingBatch().count; }
};

TEST_F(TextBuiltins, ValuesThatAreNotNumbersDrawAndMeasureWithoutFault) {
  const char* const drawing[] = {"draw_text",
                                 "draw_text_ext",
                                 "draw_text_transformed",
                                 "draw_text_ext_transformed",
                                 "draw_text_color",
                                 "draw_text_transformed_color",
                                 "draw_text_ext_color",
                                 "draw_text_ext_transformed_color"};
  for (double bad : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300, -1e300}) {
    SCOPED_TRACE(bad);
    Call("draw_set_font", {R(bad)});
    Call("draw_set_halign", {R(bad)});
    Call("draw_set_valign", {R(bad)});
    for (const char* name : {"string_width", "string_height"}) {
      EXPECT_GE(Real(name, {S("ab#c")}), 1) << name;
      EXPECT_GE(Real(name, {R(bad)}), 1) << name;
    }
    for (const char* name : {"string_width_ext", "string_height_ext"}) {
      EXPECT_GE(Real(name, {S("ab cd#e"), R(bad), R(bad)}), 1) << name;
    }
    int32_t id = -1;
    for (const char* name : drawing) {
      ASSERT_TRUE(Function_Find(name, &id));
      const int32_t count = Function_GetArgumentCount(id);
      std::vector<GoldenArg> args(static_cast<size_t>(count), R(bad));
      args[2] = S("ab cd#e");
      Call(name, args);
      args[2] = R(bad);
      Call(name, args);
    }
  }
}

TEST_F(TextBuiltins, AnEscapedHashStaysInTheScriptsTextAfterDrawing) {
  ScriptValue text{};
  ScriptValue_SetString(&text, "x\\#y");
  ScriptValue args[3]{};
  ScriptValue_SetReal(&args[0], 0);
  ScriptValue_SetReal(&args[1], 0);
  args[2] = text;  // the value's own text, as a variable would hand it over
  int32_t id = -1;
  ASSERT_TRUE(Function_Find("draw_text", &id));
  for (int i = 0; i < 2; ++i) Function_GetHandler(id)(&result_, &self_, nullptr, 3, args);
  EXPECT_STREQ(text.text, "x\\#y");
  EXPECT_EQ(Vertices(), 2 * 3 * 6) << "each draw shows x, # and y";
  EXPECT_EQ(Real("string_height", {S("x\\#y")}), Real("string_height", {S("x")}));
  ScriptValue_Release(&text);
}

}  // namespace

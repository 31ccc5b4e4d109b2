// The joystick built-ins over SDL's virtual joysticks: the first with six
// axes, 32 buttons and a hat, the second with two axes and no hat.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "builtin_test_support.h"
#include "builtins/interaction/handlers.h"
#include "platform/backends.h"
#include "platform/fake/fake_joystick.h"
#include "platform/joystick.h"

namespace {

double Real(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
  return BuiltinCall(handler, args).Real();
}

class Joysticks : public testing::Test {
 protected:
  void SetUp() override {
    PlatformBackends_Put(&PlatformBackends::joysticks, nullptr);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a joystick is plugged in";
  }
  void TearDown() override {
    for (SDL_Joystick* handle : handles_) SDL_JoystickClose(handle);
    while (SDL_NumJoysticks() > 0 && SDL_JoystickIsVirtual(0)) SDL_JoystickDetachVirtual(0);
    Joystick_Shutdown();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    FakeJoysticks_Install();  // as every test program starts
  }
  SDL_Joystick* Attach(int axes, int buttons, int hats) {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, hats);
    EXPECT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    EXPECT_NE(handle, nullptr) << SDL_GetError();
    handles_.push_back(handle);
    return handle;
  }
  std::vector<SDL_Joystick*> handles_;
};

TEST_F(Joysticks, NoneReadsAsAbsent) {
  for (double device : {1.0, 2.0, 0.0, double(NAN)}) {
    EXPECT_EQ(Real(F_JoystickExists, {R(device)}), 0);
    EXPECT_EQ(BuiltinCall(F_JoystickName, {R(device)}).Text(), "");
    EXPECT_EQ(Real(F_JoystickAxes, {R(device)}), 0);
    EXPECT_EQ(Real(F_JoystickButtons, {R(device)}), 0);
    EXPECT_EQ(Real(F_JoystickHasPov, {R(device)}), 0);
    EXPECT_EQ(Real(F_JoystickDirection, {R(device)}), 101);
    EXPECT_EQ(Real(F_JoystickXpos, {R(device)}), 0);
    EXPECT_EQ(Real(F_JoystickPov, {R(device)}), -1);
    EXPECT_EQ(Real(F_JoystickCheckButton, {R(device), R(1)}), 0);
  }
}

TEST_F(Joysticks, TwoNamesTheSecondAndAnythingElseTheFirst) {
  SDL_Joystick* first = Attach(6, 32, 1);
  for (double device : {0.0, 1.0, 7.0, -2.0, double(NAN)}) EXPECT_EQ(Real(F_JoystickExists, {R(device)}), 1) << device;
  EXPECT_EQ(Real(F_JoystickExists, {R(2)}), 0);
  EXPECT_NE(BuiltinCall(F_JoystickName, {R(1)}).Text(), "");
  EXPECT_EQ(Real(F_JoystickAxes, {R(1)}), 6);
  EXPECT_EQ(Real(F_JoystickButtons, {R(1)}), 32);

  SDL_Joystick* second = Attach(2, 4, 0);
  EXPECT_EQ(Real(F_JoystickExists, {R(2)}), 1);
  EXPECT_EQ(Real(F_JoystickHasPov, {R(1)}), 1);
  EXPECT_EQ(Real(F_JoystickHasPov, {R(2)}), 0) << "only a hat is a point of view";
  EXPECT_EQ(Real(F_JoystickAxes, {R(2)}), 2);
  EXPECT_EQ(Real(F_JoystickPov, {R(2)}), -1);

  SDL_JoystickSetVirtualButton(second, 0, 1);
  SDL_JoystickSetVirtualButton(first, 0, 0);
  EXPECT_EQ(Real(F_JoystickCheckButton, {R(2), R(1)}), 1);
  EXPECT_EQ(Real(F_JoystickCheckButton, {R(1), R(1)}), 0);

  // Pulled out, it is absent again.
  ASSERT_EQ(SDL_JoystickDetachVirtual(1), 0);
  EXPECT_EQ(Real(F_JoystickExists, {R(2)}), 0);
  EXPECT_EQ(Real(F_JoystickCheckButton, {R(2), R(1)}), 0);
}

TEST_F(Joysticks, StickHatAndButtonsReadAsTheKeypadDegreesAndBits) {
  SDL_Joystick* stick = Attach(6, 32, 1);
  auto place = [&](Sint16 x, Sint16 y) {
    SDL_JoystickSetVirtualAxis(stick, 0, x);
    SDL_JoystickSetVirtualAxis(stick, 1, y);
  };
  EXPECT_EQ(Real(F_JoystickDirection, {R(1)}), 101);
  EXPECT_NEAR(Real(F_JoystickXpos, {R(1)}), 1 / 32767.0, 1e-12) << "centred is about 0";
  place(-32768, -32768);
  EXPECT_EQ(Real(F_JoystickDirection, {R(1)}), 103);
  EXPECT_EQ(Real(F_JoystickXpos, {R(1)}), -1);
  place(32767, -32768);
  EXPECT_EQ(Real(F_JoystickDirection, {R(1)}), 105);
  EXPECT_DOUBLE_EQ(Real(F_JoystickXpos, {R(1)}), 65535 / 32767.0 - 1.0);
  EXPECT_NEAR(Real(F_JoystickXpos, {R(1)}), 1.0000305, 1e-7);
  place(-32768, 32767);
  EXPECT_EQ(Real(F_JoystickDirection, {R(1)}), 97);
  SDL_JoystickSetVirtualAxis(stick, 5, 32767);
  EXPECT_DOUBLE_EQ(Real(F_JoystickVpos, {R(1)}), 65535 / 32767.0 - 1.0) << "the sixth axis is v";
  EXPECT_EQ(Real(F_JoystickUpos, {R(1)}), Real(F_JoystickZpos, {R(1)}));

  EXPECT_EQ(Real(F_JoystickPov, {R(1)}), -1);
  SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_UP);
  EXPECT_EQ(Real(F_JoystickPov, {R(1)}), 0);
  SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_LEFTUP);
  EXPECT_EQ(Real(F_JoystickPov, {R(1)}), 315);

  SDL_JoystickSetVirtualButton(stick, 31, 1);
  EXPECT_EQ(Real(F_JoystickCheckButton, {R(1), R(32)}), 1);
  for (double button : {0.0, 33.0, 31.0, -1.0, double(NAN)}) {
    EXPECT_EQ(Real(F_JoystickCheckButton, {R(1), R(button)}), 0) << button;
  }
}

}  // namespace

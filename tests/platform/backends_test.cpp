// The one table of the platform's backends: each interface takes the fake
// chosen in its member, its system backend once the member is null again,
// and choosing one interface's fake leaves the others as they were.
#include "platform/backends.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_dynamic_library.h"
#include "platform/fake/fake_graphics.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/fake_screen_modes.h"
#include "platform/graphics_device.h"

namespace {

struct Chosen {
  bool libraries, joysticks, graphics, screenModes;
  bool operator==(const Chosen&) const = default;
};

// Which interfaces answer as their fake does.
Chosen Fakes() {
  JoystickCaps joystick;
  // The fake's textures are at most 4096 pixels wide, OpenGL's 16384.
  GfxCaps graphics{};
  IGraphicsSystem* system = GraphicsSystem_Create();
  system->GetDeviceCaps(0, D3DDEVTYPE_HAL, &graphics);
  delete system;
  // Headless, the X server's modes cannot be reached.
  ScreenMode mode;
  return {DynamicLibrary_Get().open != DynamicLibrary_System().open,
          Joystick_GetCaps(1, &joystick) && joystick.name == "fake", graphics.maxTextureWidth == 4096,
          ScreenModes_Current(&mode)};
}

TEST(PlatformBackends, EachInterfaceTakesTheFakeChosenForItAndNoOther) {
  PlatformBackends_Install(PlatformBackends{});
  FakeJoysticks_Install().devices[0] = {true, {"fake", 2, 4, false}, {}};
  PlatformBackends_Put(&PlatformBackends::joysticks, nullptr);
  ASSERT_EQ(Fakes(), (Chosen{false, false, false, false})) << "the system's everywhere";

  const uint32_t changes = PlatformBackends_Changes();
  FakeLibraries_Install();
  EXPECT_EQ(Fakes(), (Chosen{true, false, false, false}));
  PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
  EXPECT_EQ(Fakes(), (Chosen{true, false, true, false}));
  FakeScreenServer_Install();
  EXPECT_EQ(Fakes(), (Chosen{true, false, true, true}));
  FakeJoysticks_Install().devices[0] = {true, {"fake", 2, 4, false}, {}};
  EXPECT_EQ(Fakes(), (Chosen{true, true, true, true}));
  PlatformBackends_Put(&PlatformBackends::libraries, nullptr);
  EXPECT_EQ(Fakes(), (Chosen{false, true, true, true}));
  PlatformBackends_Put(&PlatformBackends::screenModes, nullptr);
  EXPECT_EQ(Fakes(), (Chosen{false, true, true, false}));
  EXPECT_EQ(PlatformBackends_Changes(), changes + 6) << "every choice counts";

  PlatformBackends_Install(PlatformBackends{});
  FakeJoysticks_Install();  // as every test program starts
}

}  // namespace

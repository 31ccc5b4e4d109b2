#include "platform/fake/fake_screen_modes.h"

#include "platform/backends.h"

namespace {

FakeScreenServer g_server;

class FakeConnection : public IScreenModes {
 public:
  bool Current(ScreenMode* mode) override {
    *mode = g_server.current;
    return true;
  }
  std::vector<ScreenMode> Listed() override { return g_server.listed; }
  bool Apply(const ScreenMode& mode) override {
    ++g_server.applied;
    if (g_server.refuse) return false;
    g_server.current = mode;
    return true;
  }
};

std::unique_ptr<IScreenModes> Connect() {
  ++g_server.connections;
  return std::make_unique<FakeConnection>();
}

}  // namespace

FakeScreenServer& FakeScreenServer_Install() {
  g_server = FakeScreenServer();
  g_server.listed = {{1024, 768, 60, 32}, {800, 600, 60, 32}, {800, 600, 75, 32}, {640, 480, 60, 32}};
  g_server.current = g_server.listed[0];
  PlatformBackends_Put(&PlatformBackends::screenModes, Connect);
  return g_server;
}

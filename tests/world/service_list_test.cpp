// The start-up's service list: installing it, alone or as the wiring list's
// first row, puts every service back as the player starts with it, and the
// debug builds name the stand-ins in one line.
#include "world/start/service_list.h"

#include <gtest/gtest.h>

#include "graphics/overlay/profiler.h"
#include "platform/device_window.h"
#include "platform/message_box.h"
#include "script/compiler/compile_error.h"
#include "script/variables/variable_registry.h"
#include "shell/window.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/start/load_form_services.h"
#include "world/start/wiring.h"
#include "world/start/world_teardown.h"

namespace {

constexpr char kStandIns[] = "Stand-in services: load form\n";

TEST(ServiceList, InstallingPutsEveryStandInBackInPlace) {
  const ProfilerServices recording = ProfilerServices_Real();
  ProfilerServices_Install(&recording);
  ServiceList_Install();
  EXPECT_EQ(&ProfilerServices_Get(), &ProfilerServices_Real());
  EXPECT_EQ(&LoadFormServices_Get(), &LoadFormServices_StandIn());
}

// The start-up's one wiring list puts the services back and gives the
// variable registry the world's built-in variables, which a registry left
// without them would answer as unknown names.
TEST(ServiceList, TheWiringListInstallsTheServicesAndTheWorldsVariables) {
  const ProfilerServices recording = ProfilerServices_Real();
  ProfilerServices_Install(&recording);
  FakeScriptHost([](ScriptHost& host) { host.builtinVariables = nullptr; });
  Variable_BuiltIn_Init();
  ASSERT_LT(Variable_BuiltIn_Find("x"), 0);
  Wiring_Install();
  EXPECT_EQ(&ProfilerServices_Get(), &ProfilerServices_Real());
  Variable_BuiltIn_Init();
  EXPECT_GE(Variable_BuiltIn_Find("x"), 0);
  EXPECT_GE(Variable_BuiltIn_Find("room_speed"), 0);
  Variable_BuiltIn_Clear();
  World_TearDownForTest();
}

// A full-screen game leaves full screen before a message box and before an
// error is reported, so neither is hidden behind the game.
TEST(ServiceList, TheWiringListLeavesFullScreenBeforeAMessageOrAnError) {
  Wiring_Install();
  DeviceWindowState& window = DeviceWindow_State();
  window.fullScreen = true;
  ShowMessage("");
  EXPECT_FALSE(window.fullScreen);
  window.fullScreen = true;
  Code_Error_ApplyPendingReset();
  EXPECT_FALSE(window.fullScreen);
  MessageBox_SetPrelude(nullptr);
  FakeScriptHost([](ScriptHost& host) { host.beforeCompileError = nullptr; });
  World_TearDownForTest();
}

// A message box carries the game's window caption as its title.
TEST(ServiceList, TheWiringListTitlesAMessageBoxWithTheWindowCaption) {
  Wiring_Install();
  Win_SetCaption("Caption \xC3\xA9", true);
  const DialogBoxContent content = MessageBox_Content("text\r\nline");
  EXPECT_EQ(content.kind, DialogBoxKind::kMessage);
  EXPECT_EQ(content.caption, "Caption \xC3\xA9");
  EXPECT_EQ(content.prompt, "text\r\nline");
  Win_SetCaption("", true);
  MessageBox_SetPrelude(nullptr);
  MessageBox_SetTitleSource(nullptr);
  FakeScriptHost([](ScriptHost& host) { host.beforeCompileError = nullptr; });
  World_TearDownForTest();
}

TEST(ServiceList, TheStandInsAreNamedInOneLineOnlyInDebugBuilds) {
  EXPECT_EQ(ServiceList_StandInLine(), kStandIns);
  testsupport::ConsoleCapture console;
  ServiceList_ReportStandIns();
#ifdef NDEBUG
  EXPECT_EQ(console.Text(), "");
#else
  EXPECT_EQ(console.Text(), kStandIns);
#endif
}

}  // namespace

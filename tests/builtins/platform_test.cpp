// The platform services family: its place at the end of the registry, the
// argument checks of the names that check, the answers this system gives
// for the device, the store and the hashes, and what reaches the services.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "builtin_test_support.h"
#include "builtins/ds/handlers.h"
#include "builtins/physics/rows.h"
#include "builtins/platform/handlers.h"
#include "builtins/platform/iap.h"
#include "builtins/platform/rows.h"
#include "builtins/registration.h"
#include "files/file_layer.h"
#include "graphics/device/draw_state.h"
#include "platform/achievement_service.h"
#include "platform/backends.h"
#include "runtime/ds_pool.h"
#include "script/compiler/constants.h"
#include "support/script_host_fake.h"
#include "world/input/virtual_keys.h"
#include "world/run/run_state.h"
#include "world/services/achievement_queue.h"
#include "world/services/platform_services.h"

namespace {

BuiltinFunction Handler(const char* name) {
  for (const BuiltinRow& row : kPlatformRows) {
    if (std::string(row.name) == name) return row.handler;
  }
  ADD_FAILURE() << name;
  return nullptr;
}

std::string Text(const char* name, std::initializer_list<GoldenArg> args) {
  BuiltinCall call(Handler(name), args);
  EXPECT_TRUE(call.IsString()) << name;
  return call.Text();
}
double Real(const char* name, std::initializer_list<GoldenArg> args = {}) {
  BuiltinCall call(Handler(name), args);
  EXPECT_FALSE(call.IsString()) << name;
  return call.Real();
}

// An environment variable set for one scope (null: unset).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Scores and achievements the service was given.
std::vector<std::pair<std::string, double>> g_posts;
bool Start() { return true; }
void Login() {}
void PostAchievement(const char* name, float percent) { g_posts.emplace_back(name, percent); }
void PostScore(const char* name, int32_t score) { g_posts.emplace_back(name, score); }
bool Send(int32_t, const char*, int32_t) { return true; }
bool SendFloat(int32_t, const char*, float) { return true; }
constexpr AchievementService kRecording{Start, Login, PostAchievement, PostScore, Send, SendFloat};

class PlatformBuiltins : public testing::Test {
 protected:
  void TearDown() override {
    PlatformBackends_Put(&PlatformBackends::achievements, nullptr);
    Services_ResetForTest();
    Iap_ResetForTest();
    DS_ReleasePools();
    VirtualKeys_Free();
    Function_Free();
    g_posts.clear();
  }
};

int32_t IdOf(const char* name) {
  int32_t id = -1;
  EXPECT_TRUE(Function_Find(name, &id)) << name;
  return id;
}

// Which names share a handler is pinned with the registration's own tests.
TEST_F(PlatformBuiltins, TheFamilyRegistersLast) {
  Function_Free();
  Builtins_RegisterAll();
  const int32_t first = IdOf("Vexa_AddVirtualKey");
  EXPECT_EQ(first, IdOf(std::end(kPhysicsRows)[-1].name) + 1);
  EXPECT_EQ(Function_Count(), first + 179);
  EXPECT_EQ(IdOf("winphone_tile_back_image"), first + 178);
  // Names the compiler holds to any count check their count themselves.
  EXPECT_EQ(Function_GetArgumentCount(IdOf("achievement_post")), kAnyArgumentCount);
  EXPECT_EQ(Function_GetArgumentCount(IdOf("achievement_map_leaderboard")), kAnyArgumentCount);
}

TEST_F(PlatformBuiltins, ThirtyOneConstantsFollowTheTable) {
  Code_Constant_Free();
  FakeScriptHost([](ScriptHost& host) { host.platformConstants = PlatformBuiltins_AddConstants; });
  Code_Constant_Init();
  const int32_t total = Code_Constant_Count();
  Code_Constant_Free();
  FakeScriptHost([](ScriptHost& host) { host.platformConstants = nullptr; });
  Code_Constant_Init();
  EXPECT_EQ(total - Code_Constant_Count(), 31);
  Code_Constant_Free();
  FakeScriptHost([](ScriptHost& host) { host.platformConstants = PlatformBuiltins_AddConstants; });
  Code_Constant_Init();
  EXPECT_STREQ(Code_Constant_Name(Code_Constant_Count() - 1), "browser_windows_store");
  EXPECT_EQ(Code_Constant_Find("os_linux")->real, 6.0);
  EXPECT_EQ(Code_Constant_Find("device_emulator")->real, 256.0);
  Code_Constant_Free();
  FakeScriptHost([](ScriptHost& host) { host.platformConstants = nullptr; });
}

TEST_F(PlatformBuiltins, AchievementPostsCheckTheirArgumentsAndReachTheService) {
  PlatformBackends_Put(&PlatformBackends::achievements, &kRecording);
  g_achievementsAvailable = 1;
  ErrorCapture errors;
  Real("achievement_post", {R(1), R(2)});
  Real("achievement_post", {S("a")});
  Real("achievement_post_score", {S("a"), S("b")});
  Real("achievement_login", {R(1)});
  EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"Illegal argument type", "Illegal argument count",
                                                         "Illegal argument type", "Illegal argument count"}));
  Real("achievement_post_score", {S("x"), R(2.9)});
  Real("achievement_post_score", {S("y"), R(-2.9)});
  Real("achievement_post", {S("z"), R(0.1)});
  EXPECT_EQ(g_posts, (std::vector<std::pair<std::string, double>>{{"x", 2}, {"y", -2}, {"z", 0.1f}}));
  EXPECT_EQ(Real("achievement_available"), 1.0);
  g_achievementsAvailable = 0;
  Real("achievement_post_score", {S("x"), R(1)});
  EXPECT_EQ(g_posts.size(), 3u) << "nothing is posted while the service is unavailable";
  EXPECT_EQ(Real("achievement_available"), 0.0);
}

TEST_F(PlatformBuiltins, VirtualKeysAnswerHandlesUntilTheTableIsFull) {
  VirtualKeys_Init();
  for (int32_t i = 1; i <= kVirtualKeyCount; ++i) {
    ASSERT_EQ(Real("virtual_key_add", {R(10), R(20), R(30), R(40), R(65)}), i);
  }
  EXPECT_EQ(Real("virtual_key_add", {R(0), R(0), R(1), R(1), R(65)}), 0.0);
  const VirtualKey& key = g_virtualKeys[0];
  EXPECT_EQ(key.x2, 40);
  EXPECT_EQ(key.y2, 60);
  EXPECT_EQ(key.key, 65);
  EXPECT_EQ(key.flags, kVirtualKeyInUse);
  Real("virtual_key_show", {R(1)});
  EXPECT_EQ(key.flags, kVirtualKeyInUse | kVirtualKeyShown);
  Real("virtual_key_hide", {R(1)});
  EXPECT_EQ(key.flags, kVirtualKeyInUse);
  Real("virtual_key_delete", {R(3)});
  EXPECT_EQ(Real("virtual_key_add", {R(0), R(0), R(1), R(1), R(66)}), 3.0) << "a deleted key's slot is reused";

  ErrorCapture errors;
  Real("virtual_key_show", {R(0)});
  Real("virtual_key_delete", {R(129)});
  Real("virtual_key_hide", {S("1")});
  Real("virtual_key_add", {R(0), R(0), S("1"), R(1), R(66)});
  EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"Illegal virtual key handle", "Illegal virtual key handle",
                                                         "Illegal argument", "Illegal argument type"}));
}

// A stand-in opener first on PATH writes what it was asked to open.
TEST_F(PlatformBuiltins, WebAddressesOpenWithTheirPathAsWritten) {
  testsupport::ScratchFolder folder;
  const std::string opened = folder / "opened.txt";
  testsupport::WriteRaw(folder / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened + "'\n");
  ASSERT_EQ(std::system(("chmod +x '" + (folder / "xdg-open") + "'").c_str()), 0);
  const char* path = std::getenv("PATH");
  ScopedEnv env("PATH", (folder.Path() + ":" + (path != nullptr ? path : "")).c_str());
  ScriptValue text;
  ScriptValue_SetString(&text, "HTTP://Ex.COM/A?B");
  BuiltinCall ftp(Handler("url_open"), {S("ftp://x")});
  Handler("url_open_ext")(&ftp.value, nullptr, nullptr, 1, &text);
  EXPECT_STREQ(text.text, "HTTP://Ex.COM/A?B") << "the script's string is left alone";
  ScriptValue_Release(&text);
  for (int i = 0; i < 100 && testsupport::ReadRaw(opened).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(testsupport::ReadRaw(opened), "http://ex.com/A?B\n");
  ErrorCapture errors;
  Real("url_open", {R(1)});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Illegal argument type"});
  EXPECT_EQ(Text("url_get_domain", {R(0)}), "localhost");
}

TEST_F(PlatformBuiltins, HashesAndBase64MatchTheirPublishedVectors) {
  EXPECT_EQ(Text("md5_string_utf8", {S("abc")}), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Text("sha1_string_utf8", {S("abc")}), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(Text("md5_string_utf8", {S("")}), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Text("md5_string_unicode", {S("abc")}), "ce1473cf80c6b3fda8e3dfc006adc315");
  // Code points as 16-bit units: e-acute is E9 00, the euro sign AC 20.
  EXPECT_EQ(Text("md5_string_unicode", {S("\xC3\xA9")}), "ed71e8ffd3d8c47c1a2e22c53cd384aa");
  EXPECT_EQ(Text("sha1_string_unicode", {S("\xC3\xA9\xE2\x82\xAC")}), "3ba5ad8ee581a1c1f1d71988ffaf1a4affb55c22");
  EXPECT_EQ(Text("base64_encode", {S("hello")}), "aGVsbG8=");
  EXPECT_EQ(Text("base64_decode", {S("aGVsbG8=")}), "hello");
  EXPECT_EQ(Text("base64_decode", {S("aGkAdGhlcmU=")}), "hi") << "the text ends at a decoded zero byte";
  EXPECT_EQ(Text("base64_encode", {S("")}), "");
  for (const char* name : {"base64_encode", "base64_decode", "md5_string_utf8", "sha1_file"}) {
    EXPECT_EQ(Text(name, {R(3)}), "") << name;
  }
}

TEST_F(PlatformBuiltins, FileHashesPreferTheSaveFolderAndRefuseFolders) {
  testsupport::ScratchFolder program, save;
  LoadSave_SetProgramDirectory(program.Path().c_str());
  LoadSave_SetSaveDirectory(save.Path().c_str());
  testsupport::WriteRaw(program / "f.txt", "abc");
  testsupport::WriteRaw(program / "g.txt", "abc");
  testsupport::WriteRaw(save / "f.txt", "");
  testsupport::WriteRaw(save / "dir/x", "1");
  EXPECT_EQ(Text("md5_file", {S("f.txt")}), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Text("md5_file", {S("g.txt")}), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Text("sha1_file", {S("g.txt")}), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(Text("md5_file", {S("dir")}), "");
  EXPECT_EQ(Text("sha1_file", {S("missing")}), "");
  LoadSave_SetSaveDirectory(nullptr);
  LoadSave_SetProgramDirectory(nullptr);
}

TEST_F(PlatformBuiltins, MalformedAnalyticsPairsAreReportedOnce) {
  ErrorCapture errors;
  BuiltinCall(Handler("analytics_event_ext"), {S("e"), S("a"), R(1), R(2), R(3)});
  EXPECT_EQ(errors.Messages(), std::vector<std::string>{"malformed analytics parameter must be string, number pair"});
  BuiltinCall(Handler("analytics_event_ext"), {S("e"), S("a"), R(1), S("b")});
  BuiltinCall(Handler("analytics_event_ext"), {R(1), R(1), R(1)});
  BuiltinCall(Handler("analytics_event"), {R(1)});
  EXPECT_EQ(errors.Messages().size(), 2u);
  EXPECT_EQ(errors.Messages().back(), "Illegal argument type");
}

TEST_F(PlatformBuiltins, TheLanguageComesFromTheLocaleSettings) {
  ScopedEnv all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", "de_DE.UTF-8");
  EXPECT_EQ(Text("os_get_language", {}), "de");
  {
    ScopedEnv french("LC_ALL", "fr_CA");
    EXPECT_EQ(Text("os_get_language", {}), "fr");
  }
  {
    ScopedEnv empty("LC_ALL", ""), swiss("LC_MESSAGES", "gsw_CH@euro");
    EXPECT_EQ(Text("os_get_language", {}), "gsw");
  }
  for (const char* setting : {"C", "POSIX", "C.UTF-8", "De_DE", "dutch"}) {
    ScopedEnv other("LANG", setting);
    EXPECT_EQ(Text("os_get_language", {}), "--") << setting;
  }
}

TEST_F(PlatformBuiltins, TheDemonstrationStoreMakesItsStructuresOnActivation) {
  EXPECT_EQ(Real("iap_status"), -1.0);
  EXPECT_EQ(Real("iap_files_purchased"), -1.0);
  EXPECT_EQ(Real("iap_event_queue"), -1.0);
  EXPECT_EQ(g_dsMaps.count, 0) << "nothing is made before activation";
  BuiltinCall map(F_DsMapCreate, {});
  EXPECT_EQ(map.Real(), 0.0);
  Real("iap_activate", {R(0)});
  BuiltinCall next(F_DsMapCreate, {});
  EXPECT_EQ(next.Real(), 19.0);
  const int32_t status = static_cast<int32_t>(Real("iap_status"));
  EXPECT_EQ(status, 1);
  const CDS_Map* statusMap = g_dsMaps.Get(status);
  ASSERT_NE(statusMap, nullptr);
  BuiltinCall purchases(F_DsMapFindValue, {R(status), S("purchases")});
  BuiltinCall first(F_DsListFindValue, {R(purchases.Real()), R(0)});
  BuiltinCall title(F_DsMapFindValue, {R(first.Real()), S("title")});
  EXPECT_EQ(title.Text(), "Demo product 1");
  EXPECT_GE(Real("iap_files_purchased"), 0.0);
  IapEvents_Add(5);
  const double queue = Real("iap_event_queue");
  EXPECT_GE(queue, 0.0);
  BuiltinCall head(F_DsQueueHead, {R(queue)});
  EXPECT_EQ(head.Real(), 5.0);
  EXPECT_TRUE(IapEvents_Pending());
}

TEST_F(PlatformBuiltins, TheGuiSizeFollowsTheDrawingAreaUntilSet) {
  const ScreenSize saved = g_screenSize;
  g_screenSize.width = 640;
  g_screenSize.height = 480;
  EXPECT_EQ(Real("display_get_gui_width"), 640.0);
  EXPECT_EQ(Real("display_get_gui_height"), 480.0);
  Real("display_set_gui_size", {R(320), R(200)});
  EXPECT_EQ(Real("display_get_gui_width"), 320.0);
  EXPECT_EQ(Real("display_get_gui_height"), 200.0);
  RunState_Reset();
  g_screenSize = saved;
}

TEST_F(PlatformBuiltins, AbsentServicesAnswerTheirDefaults) {
  {
    ErrorCapture errors;
    EXPECT_EQ(Text("duskmolderLoad", {S("x")}), "");
    EXPECT_EQ(Text("openfeint_accept_challenge", {}), "");
    Real("achievement_map_leaderboard", {S("a"), S("b")});
    Real("achievement_map_leaderboard", {S("a"), S("b"), R(0)});
    Real("achievement_map_leaderboard", {S("a")});
    Real("shop_leave_rating", {S("a"), S("b"), R(1), S("d")});
    Real("draw_enable_alphablend", {S("yes")});
    Real("draw_enable_alphablend", {R(0)});
    Real("draw_texture_flush");
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"Illegal argument count", "Illegal argument type",
                                                           "Illegal argument type: true/false expected"}));
  }
  testsupport::ConsoleCapture console;
  Real("win8_share_url", {S("a")});
  Real("winphone_tile_count", {R(3)});
  Real("winphone_tile_count", {S("3")});
  Real("winphone_tile_front_image", {});
  EXPECT_EQ(console.Lines(),
            (std::vector<std::string>{"Windows8 functionality not supported on this platform\n",
                                      "Windows Phone functionality not supported on this platform\n",
                                      "incorrect arguments to winphone_tile_count( count )\n",
                                      "incorrect arguments to winphone_tile_front_image( filename )\n"}));
}

}  // namespace

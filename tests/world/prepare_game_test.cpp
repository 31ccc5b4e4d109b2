// The game preparation over an empty game, with the real extension and
// sound preparations and a recording load bar: the console lines and the
// bar come in the order of the steps, the sound step's false first answer
// does not fail the start, and a failing extension package stops the start
// with its message.
#include "world/start/prepare_game.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/hardware_table.h"
#include "extensions/extension.h"
#include "runtime/console.h"
#include "script/events/error_report.h"
#include "support/test_support.h"
#include "world/start/load_form_services.h"
#include "world/start/service_list.h"

namespace {

using Lines = std::vector<std::string>;

// The bar joins the console, so one list shows the order of both.
void ShowProgress(int percentage, const char*) { g_debugConsole->Output("bar %d\n", percentage); }
void Finish() { g_debugConsole->Output("finish\n"); }

const LoadFormServices kLoadForm{ShowProgress, Finish};

class Preparation : public testing::Test {
 protected:
  void SetUp() override {
    Extension_Clear();
    LoadFormServices_Install(&kLoadForm);
    testing::internal::CaptureStdout();
  }
  void TearDown() override {
    testing::internal::GetCapturedStdout();
    Sound_End();
    Extension_Clear();
    Error_ResetState();
    ServiceList_Install();
  }
  // What the message boxes showed so far.
  static std::string Messages() {
    std::string shown = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    return shown;
  }
  // A package whose one script-kind function holds `code`.
  static void AddScriptPackage(const char* code) {
    auto package = std::make_unique<CExtensionPackage>();
    package->name = package->folder = "broken";
    CExtensionFile file;
    file.fileName = "broken.txt";
    file.kind = kExtensionFileScript;
    CExtensionFunction function;
    function.name = "broken_fn";
    function.id = 1;
    function.code = code;
    file.functions.push_back(function);
    package->files.push_back(file);
    Extension_Packages().push_back(std::move(package));
  }
  testsupport::ConsoleCapture console_;
};

TEST_F(Preparation, StepsRunInOrderAroundTheLoadBarAndTheSoundsFalseFirstAnswerDoesNotFail) {
  ASSERT_TRUE(PrepareGame());
  const Lines expected = {"Extension_Prepare() \n",
                          "bar 54\n",
                          "Code_Constant_Prepare() \n",
                          "bar 56\n",
                          "Script_Prepare() \n",
                          "bar 58\n",
                          "TimeLine_Prepare() \n",
                          "bar 70\n",
                          "Object_Prepare() \n",
                          "bar 72\n",
                          "Preparing 0 objects:\n",
                          "Room_Prepare() \n",
                          "bar 76\n",
                          "bar 80\n",
                          "Sound_Prepare() \n",
                          "bar 90\n",
                          "InitGraphics() \n",
                          "bar 100\n",
                          "finish\n",
                          "Finished PrepareGame() \n"};
  EXPECT_EQ(console_.Lines(), expected);
  EXPECT_NE(SoundHardware_Get(), nullptr) << "the sound step started the hardware";
  EXPECT_EQ(Messages(), "");
}

TEST_F(Preparation, AFailingExtensionPackageStopsTheStartBeforeTheConstants) {
  AddScriptPackage("x = (");
  EXPECT_FALSE(PrepareGame());
  const Lines lines = console_.Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Extension_Prepare() \n");
  EXPECT_EQ(lines[1], "bar 54\n");
  EXPECT_EQ(lines[2].rfind("ERROR!!! :: ", 0), 0u) << lines[2];
  EXPECT_NE(console_.Text().find("COMPILATION ERROR in extension package broken"), std::string::npos);
  EXPECT_EQ(console_.Text().find("Code_Constant_Prepare"), std::string::npos);
  // The fatal error's dialog, then the start's own message.
  const std::string shown = Messages();
  EXPECT_NE(shown.find("COMPILATION ERROR in extension package broken"), std::string::npos);
  EXPECT_TRUE(shown.ends_with("\nFailed to prepare extension packages.\n")) << shown;
}

}  // namespace

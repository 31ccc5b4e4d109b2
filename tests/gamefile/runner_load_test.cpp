#include "gamefile/runner_load.h"

#include <gtest/gtest.h>

#include "files/file_layer.h"
#include "files/ini_file.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/code_chunks.h"
#include "gamefile/image_builder.h"
#include "runtime/run_flags.h"
#include "script/compiler/code_table.h"
#include "support/test_support.h"

namespace {

using testsupport::ConsoleCapture;
using testsupport::ScratchFolder;
using testsupport::WriteRaw;

TEST(RunnerLoad, DerivedPathsCutWithinTheRightPart) {
  EXPECT_EQ(Runner_IniPath("D:\\games\\demo.win"), "D:\\games/options.ini");
  EXPECT_EQ(Runner_DebugPath("D:\\games\\demo.win"), "D:\\games\\demo.vxdebug");
  EXPECT_EQ(Runner_IniPath("demo"), "");
  EXPECT_EQ(Runner_DebugPath("demo"), "");
  EXPECT_EQ(Runner_DebugPath("/g/dir.v2/game"), "");
  EXPECT_EQ(Runner_DebugPath("/g/dir.v2/game.win"), "/g/dir.v2/game.vxdebug");
}

TEST(RunnerLoad, OptionsFileSetsDebugAndTrace) {
  ScratchFolder folder("kv_runner");
  LoadSave_SetGameFile((folder / "game.win").c_str());
  WriteRaw(folder / "options.ini", "[DEFAULT]\r\nDebug=0\r\nTrace=1\r\nOrientPortrait=abc\r\n");
  CIniFile ini((folder / "options.ini").c_str(), true);
  g_debugMode = true;
  g_runFlags.bytecodeTrace = false;
  ReadOptionsIni(&ini);
  EXPECT_FALSE(g_debugMode);
  EXPECT_TRUE(g_runFlags.bytecodeTrace);

  WriteRaw(folder / "b.ini", "[DEFAULT]\r\nDebug=1\r\n");
  CIniFile on((folder / "b.ini").c_str(), true);
  g_runFlags.overlayFlags = 0;
  ReadOptionsIni(&on);
  EXPECT_TRUE(g_debugMode);
  EXPECT_EQ(g_runFlags.overlayFlags, 2);

  WriteRaw(folder / "c.ini", "[DEFAULT]\r\nOrientLandscape=1\r\n");
  CIniFile absent((folder / "c.ini").c_str(), true);
  ReadOptionsIni(&absent);
  EXPECT_TRUE(g_debugMode) << "an absent Debug key leaves debug mode as it was";
  RunFlags_Reset();
}

TEST(RunnerLoad, ReadsTheGameFileAndReportsAMissingIni) {
  ScratchFolder folder("kv_runner");
  ImageBuilder b;
  b.Header(8, {});
  GameImage image = b.Finish();
  WriteRaw(folder / "game.win", std::string(image.Data(), image.Data() + image.Size()));
  ConsoleCapture console;
  ASSERT_TRUE(RunnerLoadGame((folder / "game.win").c_str()));
  std::string text = console.Text();
  EXPECT_NE(text.find("RunnerLoadGame() - " + (folder / "game.win") + "\n"), std::string::npos);
  EXPECT_NE(text.find("!!!!No INI File " + folder.Path() + "/options.ini\n"), std::string::npos);
  EXPECT_NE(text.find("IFF wad found\n"), std::string::npos);
  EXPECT_EQ(g_gameData.Size(), image.Size());
  // No path: the start-up asks for one before; here nothing is read or said.
  ConsoleCapture none;
  EXPECT_FALSE(RunnerLoadGame(""));
  EXPECT_FALSE(RunnerLoadGame(nullptr));
  EXPECT_EQ(none.Text(), "");
  EXPECT_EQ(g_gamePath, folder / "game.win");
}

// The save folder a game file of that header name and format ends up with,
// and what the header reading printed.
std::string SaveFolderOf(const std::string& name, int format, std::string* printed) {
  ImageBuilder b;
  size_t at = b.Chunk("NAME");
  size_t text = b.Here();
  b.Text(name);
  b.EndChunk(at);
  b.Header(format, {}, static_cast<uint32_t>(text));
  GameImage image = b.Finish();
  LoadSave_SetSaveDirectory(nullptr);
  LoadSave_SetGameFile("/games/file_name.win");
  ConsoleCapture console;
  EXPECT_TRUE(LoadGameHeader(image)) << name;
  *printed = console.Text();
  std::string folder = LoadSave_GetSaveDirectory();
  size_t last = folder.rfind('/', folder.size() - 2);
  return folder.substr(last + 1);
}

TEST(RunnerLoad, TheHeaderNameNamesTheSaveFolderUnlessItCannotBeAFolderName) {
  const std::string refused = "The game's name cannot name a folder: the save folder takes the game file's name\n";
  std::string printed;
  EXPECT_EQ(SaveFolderOf("foo", 8, &printed), "foo/");
  EXPECT_EQ(printed.find(refused), std::string::npos);
  EXPECT_EQ(SaveFolderOf("My Game v1.2", 11, &printed), "My Game v1.2/");
  for (const char* bad : {"", ".", "..", "a/b", "/abs", "a\\b", "tab\there", "del\x7F"}) {
    EXPECT_EQ(SaveFolderOf(bad, 8, &printed), "file_name/") << bad;
    EXPECT_EQ(printed.find(refused), printed.rfind(refused)) << "one line for " << bad;
    EXPECT_NE(printed.find(refused), std::string::npos) << bad;
  }
  // Before format 8 the header holds no game name: the file's, silently.
  EXPECT_EQ(SaveFolderOf("foo", 7, &printed), "file_name/");
  EXPECT_EQ(printed.find(refused), std::string::npos);
}

TEST(RunnerLoad, DamagedDebugFilesAreIgnored) {
  DebugInfo info;
  ConsoleCapture console;
  EXPECT_FALSE(DebugInfo_Load(&info, {'F', 'O', 'R', 'M', 1, 0, 0, 0}));
  ImageBuilder b;
  size_t at = b.Chunk("DBGI");
  b.U32(0x40000000);
  b.EndChunk(at);
  GameImage image = b.Finish();
  EXPECT_FALSE(DebugInfo_Load(&info, std::vector<uint8_t>(image.Data(), image.Data() + image.Size())));
  EXPECT_FALSE(info.loaded);
  EXPECT_NE(console.Text().find("Debug information file ignored"), std::string::npos);
}

TEST(RunnerLoad, DebugTablesMustMatchTheCode) {
  ImageBuilder b;
  size_t at = b.Chunk("DBGI");
  b.U32(2).U32(0).U32(0);
  b.EndChunk(at);
  at = b.Chunk("SCPT");
  b.U32(2).U32(0).U32(0);
  b.EndChunk(at);
  GameImage image = b.Finish();
  ConsoleCapture console;
  ASSERT_TRUE(DebugInfo_Load(&g_debugInfo, std::vector<uint8_t>(image.Data(), image.Data() + image.Size())));
  g_codeTable.clear();  // the game has no code entries
  DebugInfo_Attach();
  EXPECT_FALSE(g_debugInfo.loaded);
  EXPECT_NE(console.Text().find("its tables do not match the game's code"), std::string::npos);
}

}  // namespace

// mkgame as a program: the file layout it writes, the descriptions it refuses
// and how it spreads images over texture pages.
#include <filesystem>
#include <fstream>

#include "tools/mkgame_harness.h"

namespace mkgame_test {
namespace {

const std::vector<std::string> kChunkOrder = {"GEN8", "OPTN", "EXTN", "SOND", "AUDO", "STRG", "TPAG", "TXTR", "SPRT",
                                              "BGND", "PATH", "SCPT", "FONT", "TMLN", "OBJT", "ROOM", "DAFL"};

TEST(MkgameFile, EveryChunkIsPresentInOrderWithTablesInsideTheFile) {
  for (const char* description : {"minimal.json", "resources.json"}) {
    SCOPED_TRACE(description);
    GameFile file = BuildFixture(description);
    EXPECT_EQ(file.ChunkIds(), kChunkOrder);
    for (const std::string& id : kChunkOrder) {
      if (id == "GEN8" || id == "OPTN") continue;
      auto [at, size] = file.Chunk(id);
      uint32_t count = file.U32(at);
      ASSERT_LE(4 + 4 * static_cast<size_t>(count), size) << id;
      for (size_t entry : file.ChunkTable(id)) {
        EXPECT_GE(entry, at) << id;
        EXPECT_LT(entry, at + size) << id << ": a record lies outside its chunk";
      }
    }
  }
}

TEST(MkgameFile, ResourceCountsFollowTheDescription) {
  GameFile file = BuildFixture("resources.json");
  EXPECT_EQ(file.ChunkTable("SPRT").size(), 5u);
  EXPECT_EQ(file.ChunkTable("BGND").size(), 1u);
  EXPECT_EQ(file.ChunkTable("FONT").size(), 2u);
  EXPECT_EQ(file.ChunkTable("PATH").size(), 1u);
  EXPECT_EQ(file.ChunkTable("SOND").size(), 2u);
  EXPECT_EQ(file.ChunkTable("AUDO").size(), 1u);  // only the WAV file is embedded
  EXPECT_EQ(file.ChunkTable("EXTN").size(), 2u);
  EXPECT_EQ(file.ChunkTable("DAFL").size(), 1u);
  // 1 + 2 + 2 + 1 + 1 sprite frames, one background, two glyph sheets.
  EXPECT_EQ(file.ChunkTable("TPAG").size(), 10u);
  GameFile empty = BuildFixture("minimal.json");
  for (const char* id : {"SPRT", "BGND", "FONT", "PATH", "SOND", "AUDO", "EXTN", "DAFL", "TPAG", "TXTR"}) {
    EXPECT_EQ(empty.ChunkTable(id).size(), 0u) << id;
  }
}

struct Refusal {
  const char* description;
  const char* message;
};

TEST(MkgameFile, InvalidDescriptionsNameThePlaceAndWriteNothing) {
  const Refusal refusals[] = {
      {"bad_missing_image.json", "sprites.spr_a.frames[1]: cannot read \"missing.png\"\n"},
      {"bad_frame_size.json", "sprites.spr_a.frames[1]: every frame must have the size of the first (6 x 4)\n"},
      {"bad_face.json", "fonts.fnt: no font face \"Korvalith Missing Face\" on this system\n"},
      {"bad_wave.json", "sounds.snd.file: \"not_a_wave.wav\" is not a WAV file\n"},
      {"bad_fill.json", "backgrounds.bg.image.alpha: alpha must lie between 0 and 1\n"},
      {"bad_path.json", "paths.pth.points[1]: a point is [x, y] or [x, y, speed]\n"},
      {"bad_glyph_rect.json", "fonts.fnt.glyphs[1]: the glyph rectangle lies outside the image\n"},
      {"bad_glyph_twice.json", "fonts.fnt.glyphs: glyph code 65 is listed twice\n"},
      {"bad_glyph_code.json", "fonts.fnt.glyphs[0]: a glyph code lies outside 0..65535\n"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.description);
    std::string output = TempPath(std::string(r.description) + ".win");
    std::filesystem::remove(output);
    RunResult run = RunMkgame(FixturePath(r.description), output);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, r.message);
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

// Writes a description into the temporary folder and builds it.
GameFile BuildText(const std::string& name, const std::string& json) {
  std::string description = TempPath(name + ".json");
  std::ofstream(description) << json;
  std::string output = TempPath(name + ".win");
  RunResult run = RunMkgame(description, output);
  if (run.status != 0) throw std::runtime_error("mkgame failed: " + run.output);
  return GameFile(ReadAll(output));
}

struct Rect {
  int page, x, y, w, h;
};

std::vector<Rect> PageRects(const GameFile& file) {
  std::vector<Rect> rects;
  for (size_t r : file.ChunkTable("TPAG")) {
    rects.push_back({file.I16(r + 20), file.I16(r), file.I16(r + 2), file.I16(r + 4), file.I16(r + 6)});
  }
  return rects;
}

TEST(MkgameTexturePages, ImagesTooManyForOnePageSpillOntoFurtherPagesWithoutOverlap) {
  // Nine 700 x 700 images: at most four fit on a 2048 x 2048 page.
  std::string frames;
  for (int i = 0; i < 9; ++i) frames += std::string(i ? "," : "") + R"({"fill": "#FFFFFF", "size": [700, 700]})";
  std::string json = R"({"sprites": {"big": {"frames": [)" + frames + R"(]}}, "backgrounds": {
      "tall": {"image": {"fill": "#000000", "size": [3, 2000]}},
      "wide": {"image": {"fill": "#000000", "size": [2048, 1]}}}})";
  GameFile file = BuildText("spill", json);
  std::vector<Rect> rects = PageRects(file);
  ASSERT_EQ(rects.size(), 11u);
  size_t pages = file.ChunkTable("TXTR").size();
  EXPECT_GE(pages, 3u);
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect& a = rects[i];
    EXPECT_GE(a.page, 0);
    EXPECT_LT(static_cast<size_t>(a.page), pages);
    EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= 2048 && a.y + a.h <= 2048) << "image " << i;
    for (size_t j = 0; j < i; ++j) {
      const Rect& b = rects[j];
      bool apart = a.page != b.page || a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
      EXPECT_TRUE(apart) << "images " << j << " and " << i << " overlap";
    }
  }
}

TEST(MkgameTexturePages, AnImageLargerThanAPageIsRefused) {
  std::string description = TempPath("huge.json");
  std::ofstream(description) << R"({"backgrounds": {"bg": {"image": {"fill": "#000000", "size": [2049, 4]}}}})";
  RunResult run = RunMkgame(description, TempPath("huge.win"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "backgrounds.bg.image.size: image of 2049 x 4 is larger than a texture page (2048 x 2048)\n");
}

// What a format cannot hold is refused by its place, and nothing is written.
TEST(MkgamePhysics, SettingsTheFormatCannotHoldAreRefused) {
  struct Case {
    const char* json;
    const char* line;
  } cases[] = {
      {R"({"format": 8, "objects": {"obj_ball": {"physics": {"friction": 0.5}}}})",
       "objects.obj_ball.physics.friction: needs \"format\": 9 or more\n"},
      {R"({"format": 8, "objects": {"obj_ball": {"physics": {"awake": false}}}})",
       "objects.obj_ball.physics.awake: needs \"format\": 9 or more\n"},
      {R"({"format": 5, "objects": {"obj_ball": {"physics": {}}}})",
       "objects.obj_ball.physics: needs \"format\": 6 or more\n"},
      {R"({"format": 5, "rooms": [{"physics": {"gravity": [0, 1]}}]})",
       "rooms[0].physics: needs \"format\": 6 or more\n"},
  };
  for (const Case& c : cases) {
    std::string description = TempPath("physics.json");
    std::string output = TempPath("physics.win");
    std::filesystem::remove(output);
    std::ofstream(description) << c.json;
    RunResult run = RunMkgame(description, output);
    EXPECT_EQ(run.status, 1) << c.json;
    EXPECT_EQ(run.output, c.line);
    EXPECT_FALSE(std::filesystem::exists(output));
  }
  std::string description = TempPath("physics_ok.json");
  std::ofstream(description) << R"({"format": 8, "objects": {"o": {"physics": {"friction": 0.2, "awake": true}}}})";
  EXPECT_EQ(RunMkgame(description, TempPath("physics_ok.win")).status, 0);
}

// Builds the text as a description in both code forms: accepted when
// `line` is empty, else refused with exactly that line (after the
// description's file name when `placeIsTheFile`), nothing written, not even
// a staging file.
void ExpectAcceptedOrRefused(const std::string& text, const std::string& line, bool placeIsTheFile) {
  SCOPED_TRACE(text);
  const std::string description = TempPath("bad.json");
  const std::string output = TempPath("bad.win");
  std::ofstream(description, std::ios::binary) << text;
  for (const char* options : {"", "--bytecode"}) {
    std::filesystem::remove(output);
    RunResult run = RunMkgame(description, output, options);
    if (line.empty()) {
      EXPECT_EQ(run.status, 0) << run.output;
      continue;
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, (placeIsTheFile ? description + ": " : std::string()) + line + "\n");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(output + ".part"));
  }
}

// A description that is not one JSON value is refused in one line naming
// the place (line and column in characters, not bytes); nothing is
// written, not even a staging file. White space after the value is fine.
TEST(MkgameDescription, ABadDescriptionIsRefusedByItsPlace) {
  struct Case {
    const char* json;
    const char* line;  // after "<description>: "; empty when accepted
  } cases[] = {
      {"{\"rooms\": []}\n}\n{\"rooms\": [{}]}\n", "text after the end of the description at line 2, column 1"},
      {"{\"objects\": {}}  x", "text after the end of the description at line 1, column 18"},
      {"{\n  \"rooms\": []\n}\n\n   ]", "text after the end of the description at line 5, column 4"},
      {"{\"rooms\": [\n  {\"name\" \"a\"}\n]}",
       "not valid JSON at line 2, column 11: object property name separator ':' expected"},
      {"{\"rooms\": [\n  {\"name\": \"a\",}\n]}", "not valid JSON at line 2, column 16: unexpected character"},
      {"{\"format\": 1e}", "not valid JSON at line 1, column 14: number expected"},
      {"{\"format\": 01}", "not valid JSON at line 1, column 14: number expected"},
      {"{\"名前\": tru}", "not valid JSON at line 1, column 11: boolean expected"},
      {"{\n  \"rooms\": [\n", "not valid JSON at line 3, column 1 (the end of the file): unexpected end of data"},
      {"", "not valid JSON at line 1, column 1 (the end of the file): unexpected end of data"},
      {"{}\t\r\n \n", ""},
      {"{}", ""},
      {"{\"name\": \"a\tb\"}",
       "not valid JSON at line 1, column 12: the control character 0x09 inside a text (write it escaped, as \\n or "
       "\\t)"},
      {"{\"scripts\": {\"s\": \"a = 1;\n  b = 2;\"}}",
       "not valid JSON at line 1, column 26: the control character 0x0A inside a text (write it escaped, as \\n or "
       "\\t)"},
      {"{\n  \"名前\x01\": 1}",
       "not valid JSON at line 2, column 6: the control character 0x01 inside a text (write it escaped, as \\n or "
       "\\t)"},
      {"{\"name\": \"a\\\"\\tb\\\\\", \"config\": \"\\n\"}", ""},
  };
  for (const Case& c : cases) ExpectAcceptedOrRefused(c.json, c.line, true);
}

// Settings that a header before format 8 cannot hold are refused by their
// place rather than dropped.
TEST(MkgameDescription, WindowSettingsOfAnOldHeaderAreRefusedByTheirPlace) {
  struct Case {
    const char* json;
    const char* line;  // empty when accepted
  } cases[] = {
      {R"({"format": 7, "window": {"width": 320}})",
       "window: needs \"format\": 8 or more (before, the window takes the first room's size)"},
      {R"({"format": 5, "options": {"fullscreen": true}})", "options.fullscreen: needs \"format\": 8 or more"},
      {R"({"format": 5, "options": {"word:0": 1}})", "options.word:0: needs \"format\": 8 or more"},
      {R"({"format": 5, "options": {"fullscreen": false}})", ""},
      {R"({"format": 8, "window": {"width": 320}, "options": {"fullscreen": true}})", ""},
  };
  for (const Case& c : cases) ExpectAcceptedOrRefused(c.json, c.line, false);
}

// A constant is one value or expression: the player would read "0,5" as 0
// and ignore the rest. Refused by its place in both code forms, in one line,
// nothing written; so is a piece of code that is not one text.
TEST(MkgameDescription, AConstantThatIsNotOneValueIsRefusedByItsPlace) {
  struct Case {
    const char* json;
    const char* line;  // empty when accepted
  } cases[] = {
      {R"({"constants": {"GRAV": "0,5"}})", R"(constants.GRAV: "0,5" is not a value)"},
      {R"({"constants": {"OK": "1", "BAD": "((("}})", R"(constants.BAD: "(((" is not a value)"},
      {R"({"constants": {"TWO": "1 2"}})", R"(constants.TWO: "1 2" is not a value)"},
      {R"({"constants": {"NONE": ""}})", R"(constants.NONE: "" is not a value)"},
      {R"({"constants": {"HALF": "1/0"}})", R"(constants.HALF: "1/0" is not a value)"},
      {R"({"constants": {"Q": "say \"hi\""}})", R"(constants.Q: "say \"hi\"" is not a value)"},
      {R"j({"constants": {"C": "c_white - 1", "S": "'a' + \"b\"", "N": "3 // three", "F": "max(1, 2)"}})j", ""},
      // Worked out as the player would at its start, in both forms alike.
      {R"({"constants": {"BADV": "x - 'a'"}})", R"(constants.BADV: "x - 'a'" is not a value)"},
      {R"({"constants": {"c_ok": "c_white - 1", "1abc": "2"}})", R"(constants.1abc: "1abc" is not a constant name)"},
      {"{\"constants\": {\"h\xC3\xA9llo\": \"2\"}}", "constants.h\xC3\xA9llo: \"h\xC3\xA9llo\" is not a constant name"},
      {R"({"objects": {"o": {"events": {"create": ["a = 1", "b = 2"]}}}})",
       "objects.o.events.create: expected a text, found array"},
  };
  for (const Case& c : cases) ExpectAcceptedOrRefused(c.json, c.line, false);
}

// A value that calls a function runs game code (it may write files): the
// source form leaves it, and every value after it, to the player's start,
// where compiling must work them out. Names after it are judged in both.
TEST(MkgameDescription, AValueThatCallsAFunctionIsLeftToThePlayerInTheSourceForm) {
  const std::string description = TempPath("constant_call.json");
  const std::string output = TempPath("constant_call.win");
  std::ofstream(description) << R"({"constants": {"A": "string(1) + 2", "B": "x - 'a'"}})";
  std::filesystem::remove(output);
  RunResult compiled = RunMkgame(description, output, "--bytecode");
  EXPECT_EQ(compiled.status, 1);
  EXPECT_EQ(compiled.output, "constants.A: \"string(1) + 2\" is not a value\n");
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_EQ(RunMkgame(description, output).status, 0);
  std::ofstream(description) << R"({"constants": {"A": "string(1) + 2", "1abc": "2"}})";
  EXPECT_EQ(RunMkgame(description, output).output, "constants.1abc: \"1abc\" is not a constant name\n");
}

// The player's compiler knows its built-in variables, so compiling here
// refuses what the player refuses when it compiles the source form.
TEST(MkgameDescription, CompilingRefusesDeclaringABuiltInVariable) {
  const std::string description = TempPath("builtin_variable.json");
  const std::string output = TempPath("builtin_variable.win");
  std::ofstream(description) << R"({"objects": {"o": {"events": {"create": "globalvar lives;"}}}})";
  std::filesystem::remove(output);
  RunResult run = RunMkgame(description, output, "--bytecode");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "objects.o.events.create: Error in code at line 1:    globalvar lives;  at position 11: "
            "Cannot redeclare a builtin variable.\n");
  EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
}  // namespace mkgame_test

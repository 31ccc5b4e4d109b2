#include "debugger/debug_form.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "files/file_layer.h"
#include "gamefile/game_header.h"
#include "gamefile/object_test_support.h"
#include "platform/answers.h"
#include "platform/debug_view.h"
#include "platform/device_window.h"
#include "platform/dialog_host.h"
#include "platform/native_messages.h"
#include "platform/switches.h"
#include "resources/background.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "runtime/memory.h"
#include "runtime/process.h"
#include "runtime/run_flags.h"
#include "runtime/timer.h"
#include "script/events/error_report.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "shell/window.h"
#include "support/test_support.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/loop/game_loop.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/start/service_list.h"
#include "world/start/world_teardown.h"
#include "world/variables/builtin_variables.h"
#include "world/variables_world.h"

using testsupport::ConsoleCapture;
using testsupport::ReadRaw;
using testsupport::ScratchFolder;
using testsupport::WriteRaw;

namespace {

std::string Formatted(double v) {
  ScriptValue value;
  ScriptValue_SetReal(&value, v);
  std::string out;
  Debug_FormatValue(&out, value);
  return out;
}

TEST(DebugFormatValue, ShortestFormThatHoldsTheValue) {
  EXPECT_EQ(Formatted(7), "7");
  EXPECT_EQ(Formatted(0), "0");
  EXPECT_EQ(Formatted(-12), "-12");
  EXPECT_EQ(Formatted(0.25), "0.25");
  EXPECT_EQ(Formatted(0.5), "0.50");
  EXPECT_EQ(Formatted(0.125), "0.1250");
  EXPECT_EQ(Formatted(1.0 / 3.0), "0.3333333333");
  EXPECT_EQ(Formatted(0.1 + 0.2), "0.30");
  EXPECT_EQ(Formatted(1e-7), "0.00000010");
  // Whole values beyond 32 bits keep every digit.
  EXPECT_EQ(Formatted(3000000000.0), "3000000000");
  EXPECT_EQ(Formatted(-5000000000.0), "-5000000000");
  ScriptValue text;
  ScriptValue_SetString(&text, "0.25 as text");
  std::string out;
  Debug_FormatValue(&out, text);
  EXPECT_EQ(out, "0.25 as text");
  ScriptValue_Release(&text);
}

class DebugFormWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    VariablesWorld_Start();
    Variable_Global_Init();
    g_runFlags.showErrorDialog = false;
    savedDebug_ = g_debugMode;
    g_debugMode = true;
    LoadSave_SetProgramDirectory((folder_ / "program/").c_str());
    LoadSave_SetSaveDirectory((folder_ / "save/").c_str());
    setenv("KORVALITH_ANSWERS", (folder_ / "answers.txt").c_str(), 1);
    Switches_Reload();
    Answers_Reset();
  }
  void TearDown() override {
    delete form_;
    g_debugForm = nullptr;
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
    g_debugMode = savedDebug_;
    g_runFlags.useBytecode = true;
    g_runFlags.errorsFatal = false;
    g_runFlags.overlayFlags = 0;
    Error_ResetState();
    VariablesWorld_End();
    LoadSave_SetSaveDirectory(nullptr);
  }

  // A started room of `count` instances of "obj_a" (object 0).
  void StartRoom(int32_t count, int32_t sprite = -1, const std::function<void(CObject*)>& prepare = nullptr) {
    CObject* object = Object_Place(0);
    object->flags = kObjectVisible;
    if (prepare) {
      prepare(object);
      Object_SetCount(1);
      Object_LinkParents();
    }
    object->sprite = sprite;
    object->name = static_cast<char*>(MemoryManager::Alloc(6, __FILE__, __LINE__, true));
    std::memcpy(object->name, "obj_a", 6);
    int32_t index = Room_Add();
    for (int32_t i = 0; i < count; ++i) Room_AddInstanceEntry(index, static_cast<float>(i), 0.0f, 0);
    g_roomOrder.push_back(index);
    ASSERT_TRUE(StartGame());
    g_running = 1;
  }

  CDebugForm* MakeForm() {
    form_ = new CDebugForm;
    g_debugForm = form_;
    form_->Create();
    return form_;
  }

  void Answer(const std::string& lines) {
    WriteRaw(folder_ / "answers.txt", lines);
    Answers_Reset();
  }

  std::string Value(size_t i) const { return i < form_->watches.size() ? form_->watches[i].value : "<none>"; }

  ScratchFolder folder_{"kv_debugger"};
  CDebugForm* form_ = nullptr;
  bool savedDebug_ = false;
};

class DebugFormWatches : public DebugFormWorld, public ::testing::WithParamInterface<bool> {};

TEST_P(DebugFormWatches, EvaluateQuietlyAndNeverStopTheGame) {
  g_runFlags.useBytecode = GetParam();
  g_runFlags.errorsFatal = true;  // a watch must not end the game even so
  StartRoom(1);
  MakeForm();
  form_->Refresh();
  Error_SetLast("earlier");
  ConsoleCapture console;
  form_->AddWatch("1/4");
  form_->AddWatch("1 +");
  form_->AddWatch("x + \"a\"");
  form_->AddWatch("id");
  form_->AddWatch(std::string(200000, '('));
  EXPECT_EQ(Value(0), "0.25");
  EXPECT_EQ(Value(1), "Unable to evaluate");
  EXPECT_EQ(Value(2), "Unable to evaluate");
  EXPECT_EQ(Value(3), "0");
  EXPECT_EQ(Value(4), "Unable to evaluate");
  EXPECT_EQ(console.Text(), "");
  EXPECT_FALSE(Error_Occurred());
  EXPECT_STREQ(Error_Last(), "earlier");
  EXPECT_FALSE(Error_Stopping());
  EXPECT_FALSE(g_runFlags.debuggerEvaluating);
  EXPECT_EQ(g_newRoom, kRoomChangeNone);
}

INSTANTIATE_TEST_SUITE_P(BothInterpreters, DebugFormWatches, ::testing::Values(true, false));

TEST_F(DebugFormWorld, WatchCommandsTakeTheScriptedAnswers) {
  StartRoom(1);
  MakeForm();
  form_->Refresh();
  Answer("1+1\n2*3\nCancel\n\n");
  form_->Command(kDebugAddWatch);
  form_->Command(kDebugAddWatch);
  form_->Command(kDebugAddWatch);  // cancelled
  form_->Command(kDebugAddWatch);  // an empty text adds nothing
  ASSERT_EQ(form_->watches.size(), 2u);
  EXPECT_EQ(Value(0), "2");
  EXPECT_EQ(Value(1), "6");

  Answer("10/4\n");
  form_->selectedWatch = 1;
  form_->Command(kDebugChangeWatch);
  EXPECT_EQ(form_->watches[1].expression, "10/4");
  EXPECT_EQ(Value(1), "2.50");

  form_->selectedWatch = 0;
  form_->Command(kDebugDeleteWatch);
  ASSERT_EQ(form_->watches.size(), 1u);
  EXPECT_EQ(form_->watches[0].expression, "10/4");
  form_->selectedWatch = 5;
  form_->Command(kDebugDeleteWatch);  // no watch there: nothing happens
  EXPECT_EQ(form_->watches.size(), 1u);

  form_->Command(kDebugClearWatches);
  EXPECT_TRUE(form_->watches.empty());
  EXPECT_EQ(form_->selectedWatch, 0);
}

TEST_F(DebugFormWorld, MessagesAreNewestFirstAndCutOnACodePoint) {
  MakeForm();
  Debug_Output("first");
  Debug_Output("second");
  // 4094 bytes, then a two-byte sequence that would cross the limit.
  std::string longLine(4094, 'a');
  longLine += "\xC3\xA9";
  longLine += std::string(900, 'b');
  Debug_Output(longLine.c_str());
  const auto& rows = form_->panes[kPaneMessages].columns[0];
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::string(4094, 'a'));
  EXPECT_EQ(rows[1], "second");
  EXPECT_EQ(rows[2], "first");
  Debug_Output(std::string(5000, 'c').c_str());
  EXPECT_EQ(rows[0].size(), 4095u);
}

TEST_F(DebugFormWorld, TextsAndPanesShowTheRoom) {
  StartRoom(3);
  g_currentRoom->speed = 30;
  MakeForm();
  form_->Refresh();
  EXPECT_EQ(form_->roomSpeedText, "Room Speed: 30");
  EXPECT_EQ(form_->instanceCountText, "inst: 3");

  int32_t id = Code_Variable_Find("my_global");
  ScriptValue five;
  ScriptValue_SetReal(&five, 5);
  g_globalScope.list->SetValue(id, 0, five);
  form_->Command(kDebugToggleGlobals);
  form_->Command(kDebugToggleInstances);
  const CDebugPane& globals = form_->panes[kPaneGlobals];
  ASSERT_EQ(globals.columns[0].size(), 25u);
  EXPECT_EQ(globals.columns[0][2], "mouse_button");
  EXPECT_EQ(globals.columns[0][3], "mouse_button");
  EXPECT_EQ(globals.columns[0][15], "room_speed");
  EXPECT_EQ(globals.columns[1][15], "30");
  EXPECT_EQ(globals.columns[0][24], "my_global");
  EXPECT_EQ(globals.columns[1][24], "5");

  const CDebugPane& instances = form_->panes[kPaneInstances];
  ASSERT_EQ(instances.columns[0].size(), 3u);
  const std::string first = std::to_string(g_currentRoom->active.head->id);
  EXPECT_EQ(instances.columns[0][0], first);
  EXPECT_EQ(instances.columns[1][0], "obj_a");

  // Double-clicks: a global becomes a watch; an instance row shows its
  // locals; a locals row becomes a watch on that instance.
  form_->PaneRowActivated(kPaneGlobals, 24);
  EXPECT_EQ(form_->watches.back().expression, "my_global");
  form_->PaneRowActivated(kPaneInstances, 0);
  const CDebugPane& locals = form_->panes[kPaneFirstLocals];
  EXPECT_EQ(locals.visible, 1);
  EXPECT_EQ(locals.title, "Instance Var: obj_a (" + first + ")");
  EXPECT_EQ(locals.columns[0].size(), 49u);
  form_->PaneRowActivated(kPaneFirstLocals, 0);
  EXPECT_EQ(form_->watches.back().expression, "(" + first + ").x");
  EXPECT_EQ(form_->watches.back().value, std::to_string(static_cast<int>(g_currentRoom->active.head->x)));

  // The same instance again uses its pane; by object name the first one.
  const std::string last = std::to_string(g_currentRoom->active.tail->id);
  Answer("obj_a\n" + last + "\n");
  form_->Command(kDebugShowLocals);
  EXPECT_EQ(form_->panes[kPaneFirstLocals + 1].visible, 0);
  form_->Command(kDebugShowLocals);
  EXPECT_EQ(form_->panes[kPaneFirstLocals + 1].title, "Instance Var: obj_a (" + last + ")");
  for (int32_t i = 0; i < kPaneLocalsCount; ++i) form_->panes[kPaneFirstLocals + i].visible = 1;
  EXPECT_FALSE(form_->ShowLocals(100099));

  form_->panes[kPaneFirstLocals + 2].instanceId = 424242;
  form_->RefreshPanes();
  EXPECT_EQ(form_->panes[kPaneFirstLocals + 2].title, "Instance Var: Unknown (-1)");
}

TEST_F(DebugFormWorld, SettingsComeBackAndTheWatchCountIsNotTrusted) {
  WriteRaw(folder_ / "save/Debug.ini",
           "[DebugForm]\r\nFPSVisible=false\r\nNumWatches=2000000000\r\nWatch0=1/4\r\nWatch1=7\r\n"
           "[GlobalsWindow]\r\nVisible=true\r\nleft=10\r\ntop=20\r\nright=300\r\nbottom=abc\r\n"
           "[MessagesWindow]\r\nVisible=false\r\n");
  g_runFlags.overlayFlags = 2;
  StartRoom(1);
  MakeForm();
  auto start = std::chrono::steady_clock::now();
  form_->Refresh();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_EQ(form_->watches.size(), 2u);
  EXPECT_EQ(Value(0), "0.25");
  EXPECT_EQ(Value(1), "7");
  EXPECT_EQ(g_runFlags.overlayFlags & 2, 0);
  EXPECT_EQ(form_->panes[kPaneGlobals].visible, 1);
  EXPECT_EQ(form_->panes[kPaneGlobals].placement[2], 300);
  EXPECT_EQ(form_->panes[kPaneGlobals].placement[3], 0);
  EXPECT_EQ(form_->panes[kPaneMessages].visible, 0);

  form_->Close();
  std::string written = ReadRaw(folder_ / "save/Debug.ini");
  EXPECT_NE(written.find("Watch0=1/4\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("Watch1=7\r\n"), std::string::npos);
  EXPECT_NE(written.find("NumWatches=2\r\n"), std::string::npos);
  EXPECT_NE(written.find("FPSVisible=false\r\n"), std::string::npos);
  EXPECT_NE(written.find("[]\r\n"), std::string::npos);

  // A second form reads what the first wrote.
  delete form_;
  MakeForm();
  form_->Refresh();
  ASSERT_EQ(form_->watches.size(), 2u);
  EXPECT_EQ(form_->watches[0].expression, "1/4");
  EXPECT_EQ(form_->watches[1].expression, "7");
}

// Watches come from Watch0, Watch1, ... with missing numbers skipped until
// NumWatches are taken, and are written back numbered from 0.
TEST_F(DebugFormWorld, WatchesWithGapsInTheirNumbersLoadAndComeBackRenumbered) {
  struct Case {
    const char* keys;
    std::vector<std::string> loaded;
  };
  const Case cases[] = {
      {"NumWatches=3\r\nWatch2=x + 1\r\n", {"x + 1"}},
      {"NumWatches=2\r\nWatch7=c\r\nWatch1=a\r\nWatch4=b\r\n", {"a", "b"}},
      {"NumWatches=2000000000\r\nWatch2147483647=far\r\nWatch5=near\r\n", {"near", "far"}},
      // Keys "%d" never writes are no watches.
      {"NumWatches=9\r\nWatch01=z\r\nWatch-1=z\r\nWatch=z\r\nWatch2147483648=z\r\nwatch3=z\r\nWatch3x=z\r\n", {}},
      {"NumWatches=-4\r\nWatch0=a\r\n", {}},
      {"Watch0=a\r\n", {}},
  };
  StartRoom(1);
  for (const Case& c : cases) {
    WriteRaw(folder_ / "save/Debug.ini", std::string("[DebugForm]\r\n") + c.keys);
    MakeForm();
    form_->Refresh();
    std::vector<std::string> loaded;
    for (const DebugWatch& watch : form_->watches) loaded.push_back(watch.expression);
    EXPECT_EQ(loaded, c.loaded) << c.keys;
    form_->Close();
    const std::string written = ReadRaw(folder_ / "save/Debug.ini");
    for (size_t i = 0; i < c.loaded.size(); ++i)
      EXPECT_NE(written.find("Watch" + std::to_string(i) + "=" + c.loaded[i] + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("NumWatches=" + std::to_string(c.loaded.size()) + "\r\n"), std::string::npos) << written;
    delete form_;
    form_ = nullptr;
    g_debugForm = nullptr;
  }
}

TEST_F(DebugFormWorld, NoSettingsGiveTheDefaults) {
  StartRoom(1);
  MakeForm();
  form_->Refresh();
  EXPECT_EQ(form_->shown, 1);
  EXPECT_TRUE(form_->watches.empty());
  EXPECT_EQ(form_->panes[kPaneMessages].visible, 1);
  EXPECT_EQ(form_->panes[kPaneGlobals].visible, 0);
  form_->Command(kDebugFpsCheckBox);
  EXPECT_EQ(g_runFlags.overlayFlags & 2, 2);
}

}  // namespace

namespace {

class DebugRunControl : public DebugFormWorld {
 protected:
  void SetUp() override {
    DebugFormWorld::SetUp();
    Timer_SelectClock(TimerClockKind::kVirtual);
    Run_ResetClock();
    Debugger_Install();
  }
  void TearDown() override {
    Debugger_Close();
    DebuggerSeam_Install(DebuggerSeam());
    Timer_SelectClock(TimerClockKind::kFromSwitches);
    g_paused = 0;
    DebugFormWorld::TearDown();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Run_Frame();
  }
  // A command as the view sends it, then the main loop's pump.
  void Send(int32_t id) {
    g_debugForm->Command(id);
    Debugger_BetweenFrames();
  }
};

TEST_F(DebugRunControl, PauseStepRunAndStopActBetweenFramesOnly) {
  StartRoom(1);
  g_currentRoom->speed = 30;
  ASSERT_NE(g_debugForm, nullptr) << "the game start makes the form";
  Frames(2);
  const int32_t start = g_stepCount;

  // A command waits for the pump between frames: a pump inside a script
  // (sleep, a modal dialog) must not step the world.
  g_debugForm->Command(kDebugPause);
  Frames(1);
  EXPECT_EQ(g_stepCount, start + 1);
  Debugger_BetweenFrames();
  EXPECT_EQ(g_paused, 1);
  Frames(10);
  EXPECT_EQ(g_stepCount, start + 1);

  g_debugForm->Command(kDebugStep);
  Frames(1);
  EXPECT_EQ(g_stepCount, start + 1);
  Debugger_BetweenFrames();
  EXPECT_EQ(g_stepCount, start + 2);
  Send(kDebugStep);
  EXPECT_EQ(g_stepCount, start + 3);
  Send(kDebugPause);  // already paused: nothing
  EXPECT_EQ(g_paused, 1);

  {
    ConsoleCapture console;
    Send(kDebugRun);
    EXPECT_NE(console.Text().find("Entering main loop."), std::string::npos);
  }
  EXPECT_EQ(g_paused, 0);
  Send(kDebugStep);  // not paused: nothing
  EXPECT_EQ(g_stepCount, start + 3);
  Frames(30);
  EXPECT_EQ(g_stepCount, start + 33);
  Frames(1);
  EXPECT_EQ(g_debugForm->fpsText.substr(0, 5), "FPS: ");
  EXPECT_EQ(g_debugForm->roomSpeedText, "Room Speed: 30");

  Send(kDebugStop);
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(g_paused, 0);
}

TEST_F(DebugRunControl, ClosingWhilePausedAtGameEndStartsNothing) {
  StartRoom(1);
  Send(kDebugPause);
  g_running = 0;  // the game ended while paused
  ConsoleCapture console;
  Debugger_Close();
  EXPECT_EQ(g_debugForm, nullptr);
  EXPECT_EQ(g_paused, 0);
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(console.Text().find("StartGame()"), std::string::npos);
  EXPECT_EQ(console.Text().find("Entering main loop."), std::string::npos);
}

TEST_F(DebugRunControl, RestartWhilePausedStartsTheGameAgain) {
  StartRoom(1);
  Send(kDebugPause);
  ConsoleCapture console;
  Send(kDebugRestart);
  EXPECT_NE(console.Text().find("StartGame()"), std::string::npos);
  EXPECT_EQ(g_paused, 0);
  EXPECT_EQ(g_running, 1);
  ASSERT_NE(g_debugForm, nullptr) << "the new game has its own form";
}

// Objects whose events run recording code, which outlives the world's
// teardown (it frees the events' code).
class DebugRunEvents : public DebugRunControl {
 protected:
  void TearDown() override {
    DebugRunControl::TearDown();
    code_.reset();
  }
  RecordingCode& Code() {
    if (!code_) code_.emplace();
    return *code_;
  }
  std::optional<RecordingCode> code_;
};

// The main loop as the player runs it: frames with the pump and the
// debugger's turn between them, then the game's end once it stops.
void MainLoop(int limit) {
  for (int frame = 0; frame < limit && g_running == 1; ++frame) {
    Run_Frame();
    Runner_ProcessMessages();
    Debugger_BetweenFrames();
  }
  if (g_running == 0) Run_EndGame();
}

TEST_F(DebugRunEvents, StopEndsTheLoopAfterTheFrameAndTheGameEndEventsRun) {
  RecordingCode& code = Code();
  std::vector<std::string> ran;
  code.onRun = [&](const std::string& text) {
    ran.push_back(text);
    if (text == "step" && std::count(ran.begin(), ran.end(), "step") == 3) g_debugForm->Command(kDebugStop);
  };
  StartRoom(1, -1, [](CObject* object) {
    object->MakeOwnEvent(kEventStep, 0)->code = EventCode_Get().fromText("step");
    object->MakeOwnEvent(kEventOther, kOtherGameEnd)->code = EventCode_Get().fromText("game end");
  });
  g_currentRoom->speed = 30;
  MainLoop(20);
  EXPECT_EQ(g_running, 0);
  // The frame that sent Stop finished; no step ran after it.
  EXPECT_EQ(std::count(ran.begin(), ran.end(), "step"), 3);
  ASSERT_FALSE(ran.empty());
  EXPECT_EQ(ran.back(), "game end");
  EXPECT_EQ(std::count(ran.begin(), ran.end(), "game end"), 1);
  EXPECT_EQ(g_debugForm, nullptr) << "the game's end closed the form";
}

// A Step pressed while a step's script sleeps (and pumps) is kept: it runs
// after the frame, never inside the sleeping step.
TEST_F(DebugRunEvents, AStepSentDuringASleepRunsAfterTheFrame) {
  RecordingCode& code = Code();
  int32_t depth = 0, deepest = 0, sleeps = 0;
  code.onRun = [&](const std::string& text) {
    if (text != "sleep") return;
    deepest = std::max(deepest, ++depth);
    if (sleeps++ == 0) {
      g_debugForm->Command(kDebugStep);
      Timer_WaitMicroseconds(100000);
      Runner_ProcessMessages();
    }
    --depth;
  };
  StartRoom(1, -1,
            [](CObject* object) { object->MakeOwnEvent(kEventStep, 0)->code = EventCode_Get().fromText("sleep"); });
  g_currentRoom->speed = 30;
  Send(kDebugPause);
  Frames(2);
  const int32_t start = g_stepCount;
  const int64_t before = Timer_GetMicroseconds();
  Send(kDebugStep);
  EXPECT_EQ(g_stepCount, start + 1);
  EXPECT_GE(Timer_GetMicroseconds() - before, 100000) << "the script slept";
  EXPECT_EQ(g_debugForm->PendingCommand(), kDebugStep) << "kept for the pump between frames";
  Frames(1);
  EXPECT_EQ(g_stepCount, start + 1) << "a paused frame steps nothing";
  Debugger_BetweenFrames();
  EXPECT_EQ(g_stepCount, start + 2);
  EXPECT_EQ(deepest, 1) << "no step ran inside another";
  EXPECT_EQ(g_paused, 1);
}

// The window on SDL's offscreen desktop (the player opens it unless
// headless): a click on its Pause button pauses the game at the main loop's
// next pump, the window is drawn at every paused frame, and what Debug.ini
// keeps of a pane is where the window placed it.
TEST_F(DebugRunControl, AClickOnTheWindowsPauseButtonPausesTheGame) {
  ASSERT_TRUE(DeviceWindow_StartVideo());
  // A GL window kept for the program's life: the GL driver unloaded with
  // the last one would leave blocks behind.
  static SDL_Window* keeper = SDL_CreateWindow("Keeper", 0, 0, 8, 8, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  static SDL_GLContext keeperGl = keeper == nullptr ? nullptr : SDL_GL_CreateContext(keeper);
  ASSERT_NE(keeperGl, nullptr);
  DialogHost_AllowUnseen(true);
  StartRoom(2);
  g_currentRoom->speed = 30;
  ASSERT_TRUE(DebugView_Open());
  Frames(1);
  DebugViewRect pause;
  ASSERT_TRUE(DebugView_ButtonRect(kDebugPause, &pause)) << "the first refresh drew the window";
  for (Uint32 type : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event event{};
    event.type = type;
    const Sint32 x = static_cast<Sint32>((pause.left + pause.right) / 2);
    const Sint32 y = static_cast<Sint32>((pause.top + pause.bottom) / 2);
    if (type == SDL_MOUSEMOTION) {
      event.motion.windowID = SDL_GetWindowID(DebugView_Window());
      event.motion.x = x;
      event.motion.y = y;
    } else {
      event.button.windowID = SDL_GetWindowID(DebugView_Window());
      event.button.button = SDL_BUTTON_LEFT;
      event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.button.x = x;
      event.button.y = y;
    }
    SDL_PushEvent(&event);
  }
  Native_PumpEvents();
  const int32_t steps = g_stepCount;
  Frames(3);
  EXPECT_EQ(g_paused, 0) << "a command waits for the pump between frames";
  EXPECT_EQ(g_debugForm->PendingCommand(), kDebugPause);
  Debugger_BetweenFrames();
  EXPECT_EQ(g_paused, 1);
  Frames(2);
  EXPECT_EQ(g_stepCount, steps + 3);
  DebugViewRect messages;
  ASSERT_TRUE(DebugView_PaneRect(kPaneMessages, &messages)) << "paused frames draw the window too";
  Debugger_Close();
  EXPECT_FALSE(DebugView_IsOpen());
  const std::string written = ReadRaw(folder_ / "save/Debug.ini");
  // Only the messages pane is shown, so only it writes a placement.
  EXPECT_NE(written.find("left=" + std::to_string(static_cast<int>(messages.left)) + "\r\n"), std::string::npos);
  EXPECT_NE(written.find("top=" + std::to_string(static_cast<int>(messages.top)) + "\r\n"), std::string::npos);
  EXPECT_NE(written.find("bottom=" + std::to_string(static_cast<int>(messages.bottom)) + "\r\n"), std::string::npos);
  DialogHost_AllowUnseen(false);
}

}  // namespace

namespace {

TEST_F(DebugFormWorld, MouseIdNamesTheInstanceUnderThePointer) {
  const int32_t sprite = Sprite_AddEmpty();
  CSprite* record = Sprite_Get(sprite);
  record->bbox = SpriteBox{0, 0, 9, 9};
  record->width = record->height = 10;
  record->frameCount = 1;
  StartRoom(2, sprite);
  CInstance* first = g_currentRoom->active.head;
  first->x = 20;
  first->y = 20;
  first->bboxDirty = 1;
  MakeForm();
  form_->Refresh();
  form_->MouseIdAt(25, 25);
  EXPECT_EQ(form_->mouseIdText, "mouse id: " + std::to_string(first->id));
  first->markedForDeletion = 1;
  form_->MouseIdAt(25, 25);
  EXPECT_EQ(form_->mouseIdText, "mouse id: ");
  form_->MouseIdAt(5, 5);
  EXPECT_EQ(form_->mouseIdText, "mouse id: " + std::to_string(first->next->id));
  form_->MouseIdAt(15, 15);
  EXPECT_EQ(form_->mouseIdText, "mouse id: ");
  first->markedForDeletion = 0;
}

}  // namespace

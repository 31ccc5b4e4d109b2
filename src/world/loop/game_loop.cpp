#include "world/loop/game_loop.h"

#include <ctime>
#include <string>

#include "audio/audio_system.h"
#include "files/file_layer.h"
#include "graphics/device/graphics.h"
#include "graphics/start/graphics_start.h"
#include "platform/switches.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/process.h"
#include "runtime/timer.h"
#include "shell/dialogs.h"
#include "world/input/input.h"
#include "world/input/virtual_keys.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/save/saved_game.h"

namespace {

// The pending load's name may be a found path or a name as a script gave
// it; a name is looked for as every read looks for a file: in the save
// folder, then in the program folder.
void LoadPending() {
  const std::string found = LoadSave_FindFile(g_runValues.loadFileName.c_str());
  Run_LoadGame(found.empty() ? g_runValues.loadFileName.c_str() : found.c_str());
}

struct FrameClock {
  int64_t lastFrame = 0;
  int64_t secondMark = 0;
  int32_t framesThisSecond = 0;
  int64_t lastStep = 0;
  int64_t loopStart = 0;
  int64_t frames = 0;
};

FrameClock g_clock;

// The current room's speed, raised to 1 when below; 60 without a room.
int32_t CurrentSpeed() {
  if (g_currentRoom == nullptr) return 60;
  if (g_currentRoom->speed < 1) g_currentRoom->speed = 1;
  return g_currentRoom->speed;
}

void CountFrame() {
  if (g_clock.lastFrame < g_clock.secondMark) g_clock.secondMark = g_clock.lastFrame;
  if (g_clock.lastFrame / 1000000 > g_clock.secondMark / 1000000) {
    g_fps = g_clock.framesThisSecond;
    g_clock.framesThisSecond = 0;
    g_clock.secondMark = g_clock.lastFrame;
  }
  ++g_clock.framesThisSecond;
}

// After the frame limit of a test run, act as on a quit message.
void CheckFrameLimit() {
  ++g_clock.frames;
  long limit = Switches_Get().maxFrames;
  if (limit >= 0 && g_clock.frames >= limit) g_running = 0;
}

// The step between a frame's begin and end, then the room change it asked
// for; false when the game ended.
bool StepAndActOn() {
  if (g_graphicsResetPending != 0) {
    Graphics::Reset();
    g_graphicsResetPending = 0;
  }
  GR_D3D_Start_Frame();
  Run_Step();
  // Objects and events the step's code deleted may still have been
  // running or walked until now.
  Object_ReleaseRetired();
  IO_DrawVirtualKeys();
  GR_D3D_Finish_Frame(g_newRoom < 0 && g_automaticDraw == 1);
  InputQuery_FrameEnd();
  return RoomChange_ActOn();
}

}  // namespace

bool RoomChange_ActOn() {
  switch (g_newRoom) {
    case kRoomChangeNone: return true;
    case kRoomChangeEndGame:
    case kRoomChangeQuit: g_running = 0; return false;
    case kRoomChangeRestart: Run_EndGame(); break;
    case kRoomChangeLoadGame:
      IO_Clear();
      g_newRoom = kRoomChangeNone;
      LoadPending();
      return true;
    default:
      if (Run_ChangeRoom(g_newRoom)) return true;
      g_running = 0;
      return false;
  }
  if (StartGame()) return true;
  g_running = 0;
  return false;
}

int64_t Run_FrameWait(int32_t speed, int64_t elapsed) {
  double wait = 1000000.0 / speed - static_cast<double>(elapsed);
  if (wait < 0) wait = 0;
  auto micro = static_cast<int64_t>(wait);
  return micro > 1000000 ? 1000000 : micro;
}

void Run_ResetClock() { g_clock = FrameClock(); }

bool Run_Start() {
  if (g_running == 0) {
    g_running = 1;
    IO_GameStarting();
    if (!StartGame()) {
      g_running = 0;
      return false;
    }
  } else {
    g_running = 1;
  }
  // A quit message a pump took while the game started (a fatal error, the
  // window closed) has cleared the running byte: no frame runs.
  g_paused = 0;
  Run_EnterMainLoop();
  return true;
}

int64_t Run_EnterMainLoop() {
  Timer_Init();
  int64_t now = Timer_GetMicroseconds();
  g_clock.lastFrame = now;
  g_clock.secondMark = now;
  g_fps = 0;
  g_clock.framesThisSecond = 0;
  Runner_ProcessMessages();
  g_debugConsole->Output("**********************************.\n");
  g_debugConsole->Output("Entering main loop.\n");
  g_debugConsole->Output("**********************************.\n");
  g_debugConsole->Output("Current Memory Stats\n");
  MemoryManager::DumpTotal();
  g_clock.loopStart = now;
  return now;
}

int64_t Run_Frame() {
  int64_t now = Timer_GetMicroseconds();
  if (now < g_clock.lastFrame) g_clock.lastFrame = now;
  int32_t speed = CurrentSpeed();
  g_runValues.wallClockSeconds = static_cast<int64_t>(std::time(nullptr));
  int64_t sleep = Run_FrameWait(speed, now - g_clock.lastFrame);
  Timer_WaitMicroseconds(sleep);
  g_clock.lastFrame = now + sleep;
  CountFrame();
  Audio_FrameUpdate();
  if (g_paused == 0) {
    if (!StepAndActOn()) {
      CheckFrameLimit();
      return 60;
    }
  } else {
    // A dialog beside the game is still drawn while the game is paused.
    InputQuery_FrameEnd();
    Debugger_Refresh();
  }
  CheckFrameLimit();
  return CurrentSpeed();
}

void Run_MeasureStep() {
  int64_t now = Timer_GetMicroseconds();
  g_runValues.stepDelta = now - g_clock.lastStep;
  g_clock.lastStep = now;
}

void Run_Pause() { g_paused = 1; }

void Run_SingleStep() {
  Runner_ProcessMessages();
  if (StepAndActOn()) Runner_ProcessMessages();
}

void Run_StepIfPaused() {
  if (g_running != 0 && g_paused != 0) Run_SingleStep();
}

void Run_Stop() {
  // The main loop ends after this frame and its exit ends the game, so the
  // game end events run once whether or not the debugger asked.
  g_running = 0;
  g_paused = 0;
}

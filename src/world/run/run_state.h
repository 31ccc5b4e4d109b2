// The run state every part of the world reads: whether the game runs, is
// paused, which room change is pending, the step count and frame rate; and
// the run's values that scripts and the caption read: score, lives, health,
// their caption texts, the cursor sprite, the clock readings.
#pragma once

#include <cstdint>
#include <string>

// Room-change codes held in g_newRoom; 0 and above name a room.
constexpr int32_t kRoomChangeNone = -1;
constexpr int32_t kRoomChangeEndGame = -100;
constexpr int32_t kRoomChangeRestart = -200;
constexpr int32_t kRoomChangeLoadGame = -300;
constexpr int32_t kRoomChangeQuit = -400;

extern uint8_t g_running;
extern uint8_t g_paused;
extern int32_t g_newRoom;
extern uint8_t g_automaticDraw;
extern int32_t g_stepCount;
extern int32_t g_fps;
extern uint64_t g_eventSerial;
// Set by the graphics layer when the device must be reset.
extern uint8_t g_graphicsResetPending;

// Saved games keep the score-keeping values; the rest are refreshed by their
// owners as the game runs.
struct RunValues {
  int32_t score = 0;
  int32_t lives = -1;
  double health = 100.0;
  uint8_t showScore = 0;
  uint8_t showLives = 0;
  uint8_t showHealth = 0;
  // Owned MemoryManager texts; null until the start-up reset.
  char* captionScore = nullptr;
  char* captionLives = nullptr;
  char* captionHealth = nullptr;
  int32_t cursorSprite = -1;
  // The pending room-transition kind.
  int32_t transitionKind = 0;
  // Set by show_score and by the caption action: the window caption is ours.
  uint8_t captionSet = 0;
  // The map of the asynchronous event being run; -1 outside one.
  int32_t asyncLoad = -1;
  int32_t displayAA = 0;
  // Microseconds between the last two steps (delta_time).
  int64_t stepDelta = 0;
  // Wall-clock seconds since 1970, refreshed every frame.
  int64_t wallClockSeconds = 0;
  // The size the GUI pass draws in; negative means the drawing area's.
  int32_t guiWidth = -1;
  int32_t guiHeight = -1;
  // Set to 1 at the end of every room start.
  uint8_t roomEntered = 0;
  // The saved game to load when the code -300 is acted on; "" when none.
  std::string loadFileName;
  // The room mouse as the step's mouse events last saw it, and the step
  // before (entering and leaving an instance compare the two).
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  int32_t previousMouseX = 0;
  int32_t previousMouseY = 0;
};

extern RunValues g_runValues;

// Replaces an owned caption text with a copy of `text` (null clears it).
void RunValues_SetCaption(char** caption, const char* text);

// The run state and values back to program start, the captions freed.
void RunState_Reset();

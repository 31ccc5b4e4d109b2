// One event of an object or a time-line moment: its code and source text,
// read from the game file, compiled during preparation and run for an
// instance. Also the current event that running code and error messages
// read.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

class CCode;
class CInstance;

// Event types; a time-line moment runs as kEventTimeLine.
enum EventType : int32_t {
  kEventCreate = 0,
  kEventDestroy = 1,
  kEventAlarm = 2,
  kEventStep = 3,
  kEventCollision = 4,
  kEventKeyboard = 5,
  kEventMouse = 6,
  kEventOther = 7,
  kEventDraw = 8,
  kEventKeyPress = 9,
  kEventKeyRelease = 10,
  kEventTimeLine = 100000,
};

// Numbers of the events of type kEventOther.
enum OtherEventNumber : int32_t {
  kOtherOutside = 0,
  kOtherBoundary = 1,
  kOtherGameStart = 2,
  kOtherGameEnd = 3,
  kOtherRoomStart = 4,
  kOtherRoomEnd = 5,
  kOtherNoMoreLives = 6,
  kOtherAnimationEnd = 7,
  kOtherPathEnd = 8,
  kOtherNoMoreHealth = 9,
  kOtherUser0 = 10,          // user events 0 to 15 follow on
  kOtherOutsideView0 = 40,   // plus the view, 0 to 7
  kOtherBoundaryView0 = 50,  // plus the view, 0 to 7
};

// Slots per object, one per event type 0 to 11.
constexpr int32_t kEventTypeSlots = 12;

class CEvent {
 public:
  CEvent() = default;
  virtual ~CEvent();
  CEvent(const CEvent&) = delete;
  CEvent& operator=(const CEvent&) = delete;

  // Reads the event record at `offset` (a file offset); a second load
  // replaces the code and text. False when the record or its action lies
  // outside the image.
  bool Load(const GameImage& image, uint64_t offset);
  // Compiles under "Object.<object>.<event>.<action>" from the current
  // event; a failure is reported as fatal. True at once for compiled code.
  bool Compile();
  // Runs the code for (self, other) with the relative flag cleared.
  bool Execute(CInstance* self, CInstance* other);
  // Source text or a compiled entry: the event exists.
  bool HasCode() const { return code != nullptr; }

  CCode* code = nullptr;
  char* text = nullptr;  // owned copy; "" with compiled code
};

extern int32_t g_eventType;
extern int32_t g_eventNumber;
extern int32_t g_eventObject;
extern int32_t g_eventAction;

// Library initialisation code: nothing fills its table, so running it
// answers false and freeing it does nothing.
bool Library_RunInitCode();
void Library_FreeInitCode();

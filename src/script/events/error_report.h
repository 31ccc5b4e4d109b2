// Runtime error reporting: the place of the error (object and event, or time
// line and moment) is put in front of the message, the text is recorded for
// the scripts, written to the debug console, shown in the error dialog when
// the game asks for it, and a fatal error ends the game after this step.
#pragma once

#include <cstdint>
#include <string>

// Where the running code is: the current event and its action.
struct ErrorPlace {
  int32_t eventType = 0;
  int32_t eventNumber = 0;
  int32_t eventObject = 0;  // a time line's index while a moment runs
  int32_t eventAction = 0;
};

// Room-change code that quits the game after a fatal error.
constexpr int32_t kRoomCodeQuitAfterError = -400;

// What the reporter needs from the rest of the engine. A null member does
// nothing (or answers the empty text, or the place of a fresh run).
struct ErrorHooks {
  void (*currentPlace)(ErrorPlace* place) = nullptr;
  std::string (*eventName)(int32_t type, int32_t number) = nullptr;
  std::string (*objectName)(int32_t index) = nullptr;  // "<undefined>" when unknown
  std::string (*timeLineName)(int32_t index) = nullptr;
  void (*refreshDebugger)() = nullptr;
  void (*clearInput)() = nullptr;
  void (*processMessages)() = nullptr;
  // Sets the room-change code and asks the main window to quit.
  void (*requestQuit)(int32_t roomCode) = nullptr;
};
void Error_SetHooks(const ErrorHooks& hooks);

// Longest text Error_Show builds, in bytes, cut on a character boundary.
constexpr int32_t kErrorShowLimit = 32767;

void Error_Show(const char* message, bool fatal);
void Error_Report(const char* text, bool fatal);
// Builds the dialog text and runs the dialog; true when Abort was chosen.
bool Error_ShowDialog(const char* text, bool canIgnore);
// The dialog text as shown: a rule line, then the text with CR, LF and their
// pairs as "\r\n" and tabs as 7 blanks, cut to 2 x length + 256 bytes.
std::string Error_DialogText(const char* text);
// Start-up step; the dialog is made each time it is shown.
void Error_CreateForm();

// error_occurred and error_last as the scripts see them.
bool Error_Occurred();
void Error_SetOccurred(bool occurred);
const char* Error_Last();  // "" before the first error
// A script's own text for error_last; null clears it.
void Error_SetLast(const char* text);
// Set by a fatal report; while set, every report is ignored.
bool Error_Stopping();
// Tests and a fresh run: no stopping, no error, no last text.
void Error_ResetState();

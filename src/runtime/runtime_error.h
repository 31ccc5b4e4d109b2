// Runtime errors of the running game raised below the script engine (the
// physics module's refused calls) reach the engine's reporter through this
// one hook; the reporter puts the place of the error in front of the text,
// records it for the scripts, prints and shows it, and ends the game after
// a fatal one (script/events/error_report.h).
#pragma once

using RuntimeErrorReporter = void (*)(const char* message, bool fatal);

// Null empties the hook again.
void RuntimeError_SetReporter(RuntimeErrorReporter reporter);
bool RuntimeError_Installed();
// Reporting before a reporter was installed is a wiring fault.
void RuntimeError_Show(const char* message, bool fatal);

// A modal message box with one OK button, on top of everything.
#pragma once

// Hook run before the box shows (a pending display reset is applied first).
using MessageBoxPrelude = void (*)();
void MessageBox_SetPrelude(MessageBoxPrelude prelude);

// Shows the text; headless, writes the text and a line feed to standard output.
void ShowMessage(const char* text);

// A fatal error before the game runs: the text as it is in a box titled
// "Korvalith", with no prelude. Headless, or when no box can be shown, the
// text and a line feed go to standard output.
void ShowFatalMessage(const char* text);

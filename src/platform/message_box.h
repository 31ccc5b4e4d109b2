// A modal message box with one OK button, on top of everything.
#pragma once

// Hook run before the box shows (a pending display reset is applied first).
using MessageBoxPrelude = void (*)();
void MessageBox_SetPrelude(MessageBoxPrelude prelude);

// Shows the text; headless, writes the text and a line feed to standard output.
void ShowMessage(const char* text);

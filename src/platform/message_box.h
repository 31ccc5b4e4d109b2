// A modal message box with one OK button, on top of everything.
#pragma once

#include "platform/dialog_box.h"

// Hook run before the box shows (a pending display reset is applied first).
using MessageBoxPrelude = void (*)();
void MessageBox_SetPrelude(MessageBoxPrelude prelude);
// Where the box's title comes from: the game's window caption.
using MessageBoxTitle = const char* (*)();
void MessageBox_SetTitleSource(MessageBoxTitle title);

// What the box shows: the text, under the title the source gives ("" when
// there is none).
DialogBoxContent MessageBox_Content(const char* text);

// Shows the text, drawn in the game's window (or a window of its own when
// that is not on the screen) until OK, Return, Space or Escape closes it. Headless, or
// with no desktop one can see, writes the text (line breaks as line feeds)
// and a line feed to standard output.
void ShowMessage(const char* text);

// A fatal error before the game runs: the text as it is in a box titled
// "Korvalith", with no prelude, drawn as ShowMessage's. Headless, or when
// no box can be shown, the text and a line feed go to standard output.
void ShowFatalMessage(const char* text);

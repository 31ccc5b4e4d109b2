// The system clipboard's text, in UTF-8. While no video system runs (headless
// runs, tests) the clipboard lives inside this process, so scripts still see
// what they put there.
#pragma once

#include <string>

// True when the clipboard holds text, an empty text that we put there
// included.
bool Clipboard_HasText();
// The clipboard's text; "" when it holds none.
std::string Clipboard_GetText();
// Puts the text (null: the empty text) on the clipboard; false when the
// system clipboard refused it.
bool Clipboard_SetText(const char* text);
// Tests only: forgets the in-process clipboard and any remembered empty text.
void Clipboard_Reset();

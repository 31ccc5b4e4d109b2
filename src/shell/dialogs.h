// The game's modal dialogs.
#pragma once

// A yes/no question with the caption as its title; true for Yes. Headless
// the text goes to standard output and the next scripted answer decides.
bool InputQuery_ShowQuestion(const char* caption, const char* text);

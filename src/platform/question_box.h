// A modal question with the buttons Yes and No, over every window.
#pragma once

// True for Yes; drawn as the game's own questions, in a window of its
// own before the game's is shown. Return answers Yes, Escape No. Headless (or without a display) the text
// goes to standard output and the answer is the next scripted one: "No" is
// No, anything else, or none left, is Yes.
bool QuestionBox_Ask(const char* caption, const char* text);

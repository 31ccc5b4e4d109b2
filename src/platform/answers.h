// Scripted answers for dialogs in headless runs: the lines of the file named
// by KORVALITH_ANSWERS, handed out one per question in order.
#pragma once

#include <string>

// The next answer line (trailing CR removed); false when there is no file or
// no line left.
bool Answers_Next(std::string* line);
// Tests only: read the file again from its start on the next question.
void Answers_Reset();
// What a headless dialog shows: its text on standard output, each line
// break ("\r\n", "\n" or a lone "\r") written as a line feed, then a line
// feed.
void Answers_PrintDialogText(const char* text);

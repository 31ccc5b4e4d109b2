// The debugger form in its window: at every refresh the form's texts and
// rows go to the view (platform/debug_view.h), and what the user did
// there is carried out on the form. No window is made headless; the form
// then runs without one.
#pragma once

class CDebugForm;

void DebugWindow_Open();
void DebugWindow_Draw(CDebugForm* form);
// The window's close box was used: the form is to close between frames.
bool DebugWindow_CloseAsked();
void DebugWindow_Close();

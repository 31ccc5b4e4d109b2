// The host of the player's own modal dialogs: it draws a dialog with Dear
// ImGui into a desktop window, the game's window or, when there is none on
// the screen, a small window of the dialog's own, and runs the dialog's loop
// until it has its answer.
//
// Each run makes its own ImGui context (no settings file) and its own GL
// context on the window, so the game's drawing state is never touched; the
// game's context is current again afterwards. While a dialog runs, the
// host takes every desktop event: keys, text and the mouse go to the dialog
// and never reach the game's input state; other events (the game window's
// focus, size, a quit) are handed back to the queue when it ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct SDL_Window;

enum class DialogHostResult {
  kFinished,     // the dialog said it was done
  kClosed,       // its window was closed, or the program was asked to quit
  kUnavailable,  // no desktop one can see, window or GL context: nothing was shown
};

// A dialog's own window: used when the game's window is absent or hidden.
struct DialogOwnWindow {
  const char* title = "";
  int width = 560;
  int height = 400;
  // The close box of the window the dialog is in does nothing: the close
  // is dropped and the dialog stays (a quit signal still ends it).
  bool closeKeepsOpen = false;
};

// One frame of a dialog, drawn between the host's new frame and its render;
// answers false once the dialog is done.
using DialogFrame = std::function<bool()>;

// Runs the dialog modally in `window` (null or hidden: a window of its own,
// gone afterwards). Each turn pumps the desktop's events, draws and presents
// a frame, then waits up to 16 ms for the next event.
DialogHostResult DialogHost_Run(SDL_Window* window, const DialogOwnWindow& own, const DialogFrame& frame);

// Asked at each turn of a dialog's loop: true ends the dialog as closing
// its window would (the program was asked to quit meanwhile).
using DialogQuitCheck = bool (*)();
void DialogHost_SetQuitCheck(DialogQuitCheck check);

// Inside a frame: true when the dialog has a window of its own.
bool DialogHost_InOwnWindow();

// Inside a frame: begins the dialog's panel (always end it with
// DialogHost_EndPanel()). In a window of its own the panel fills it and the
// window carries the title; over the game it is a box centred in the
// window, width x height, with the title on its bar. A window too small for
// that box is filled by the panel alone, without the bar, in a smaller
// font and with less room between its parts, so that all of it is seen:
// true then, so the dialog can lay its parts out closer still.
bool DialogHost_BeginPanel(const char* title, float width, float height);
void DialogHost_EndPanel();

// Inside a frame: the text is drawn in it. A character the font lacks is
// drawn, from the next frame on, by the first installed font that has it.
void DialogHost_ShowsText(const std::string& text);

// Inside the panel: a row of buttons at least `width` wide each (shrunk
// to fit in a small panel), wrapped onto as many rows as the panel's width
// needs, so that each is seen whole. The button `focused` (-1: none) has a
// white border. DialogHost_Buttons answers the index of the one clicked,
// or -1; DialogHost_ButtonsHeight the height they take, so the parts above
// them can leave it.
float DialogHost_ButtonsHeight(const std::vector<const char*>& labels, float width);
int DialogHost_Buttons(const std::vector<const char*>& labels, float width, int focused);

// Inside a frame: true once when the key was pressed this frame (Return,
// the keypad's Enter, Escape).
bool DialogHost_ReturnPressed();
bool DialogHost_EscapePressed();

// A dialog shown beside the running game, over its window: drawn after the
// game's picture each time the window shows one (and at the end of a frame
// the game showed nothing in), it takes the window's keys and text, and the
// mouse while the pointer is over it. The frame answers false once the
// dialog is done; it then goes at the next frame's end. False when it
// cannot be shown (no desktop one can see, the window not shown); one at a
// time, a new one replaces the last.
bool DialogHost_Open(SDL_Window* window, const DialogFrame& frame);
bool DialogHost_IsOpen();
void DialogHost_Close();
// Called at the end of every game frame.
void DialogHost_FrameEnd();

// Tests only: dialogs also on SDL's drivers that show nothing.
void DialogHost_AllowUnseen(bool allow);

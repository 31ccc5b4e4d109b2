// What the main window shows: the graphics device's last finished picture,
// with whatever is drawn over it (the player's own dialogs) just before
// each showing.
#pragma once

// Draws the device's last finished picture into the window's back buffer,
// the device's GL context current afterwards and its state as it was;
// false when there is no device drawing on a window.
using WindowPictureDrawer = bool (*)();
void WindowPicture_SetDrawer(WindowPictureDrawer drawer);
bool WindowPicture_DrawLast();

// Run between drawing the picture and showing it; it may change the current
// GL context, which the caller makes current again before the swap.
using WindowOverlay = void (*)();
void WindowPicture_SetOverlay(WindowOverlay overlay);
void WindowPicture_DrawOverlay();

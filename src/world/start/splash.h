// The splash player: videos, images and texts shown before or between a
// game's rooms. There is nothing to show them with here; each reports
// success so that callers go on.
#pragma once

#include <cstdint>

bool Splash_ShowVideo(const char* file, bool loop);
bool Splash_ShowImage(const char* file, int32_t delay);
bool Splash_ShowText(const char* file, int32_t delay);

// How a video should show, as the video action last asked; kept for a
// player that would show one.
struct SplashVideoFlags {
  bool windowed = false;
  bool fullScreen = true;
};
extern SplashVideoFlags g_splashVideo;

// The splash screens a game may show between rooms: a video, an image or a
// text file. There is no splash player on this platform: each show does
// nothing and reports success, so the callers' failure messages never
// appear.
#pragma once

#include <cstdint>

bool Splash_ShowVideo(const char* fileName, bool loop);
bool Splash_ShowImage(const char* fileName, int32_t delay);
bool Splash_ShowText(const char* fileName, int32_t delay);

// How a video should show, as the video action last asked; kept for a
// player that would show one.
struct SplashVideoFlags {
  bool windowed = false;
  bool fullScreen = true;
};
extern SplashVideoFlags g_splashVideo;

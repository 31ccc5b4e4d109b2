#include "world/start/splash.h"

SplashVideoFlags g_splashVideo;

bool Splash_ShowVideo(const char*, bool) { return true; }

bool Splash_ShowImage(const char*, int32_t) { return true; }

bool Splash_ShowText(const char*, int32_t) { return true; }

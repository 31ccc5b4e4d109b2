// The splash screens: settings nothing reads yet, and shows that the splash
// player answers.
#include <string>

#include "builtins/interaction/handlers.h"
#include "gamefile/splash.h"
#include "script/events/error_report.h"
#include "world/input/input.h"

namespace {

struct SplashSettings {
  bool hasCaption = false;
  std::string caption;
  bool fullScreen = false, mainWindow = false, border = false, adapt = false, top = false, interrupt = false,
       cursor = false, stopKey = false, stopMouse = false;
  int32_t width = 0, height = 0, colour = 0;
  double scale = 0.0;
};
SplashSettings g_splash;

bool Flag(const BuiltinArgs& a, int32_t i) { return a.Int(i) > 0; }

void SetFlag(ScriptValue* args, int32_t argc, bool SplashSettings::*flag) {
  BuiltinArgs a(argc, args);
  g_splash.*flag = Flag(a, 0);
}

// The full-screen choice of the old shows, which then leave the main window.
void ShownFullScreen(const BuiltinArgs& a) {
  g_splash.fullScreen = Flag(a, 1);
  g_splash.mainWindow = !g_splash.fullScreen;
}

void Image(const char* file, int32_t delay) {
  if (!Splash_ShowImage(file, delay)) Error_Show("Image file not found.", false);
  IO_Clear();
}

void Video(const char* file, bool loop) {
  if (!Splash_ShowVideo(file, loop)) Error_Show("Video file not found (or name too long).", false);
  IO_Clear();
}

void Text(const char* file, int32_t delay) {
  if (!Splash_ShowText(file, delay)) Error_Show("Text file not found.", false);
  IO_Clear();
}

}  // namespace

KV_BUILTIN(F_ShowImage) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  Image(a.Text(0), a.Int(2));
}

KV_BUILTIN(F_ShowVideo) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  Video(a.Text(0), a.Int(2) > 0);
}

KV_BUILTIN(F_ShowText) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  g_splash.colour = a.Int(2);
  Text(a.Text(0), a.Int(3));
}

KV_BUILTIN(F_SplashShowImage) {
  BuiltinArgs a(argc, args);
  Image(a.Text(0), a.Int(1));
}

KV_BUILTIN(F_SplashShowVideo) {
  BuiltinArgs a(argc, args);
  Video(a.Text(0), a.Int(1) >= 1);
}

KV_BUILTIN(F_SplashShowText) {
  BuiltinArgs a(argc, args);
  Text(a.Text(0), a.Int(1));
}

KV_BUILTIN(F_SplashSetCaption) {
  BuiltinArgs a(argc, args);
  g_splash.hasCaption = a.IsString(0);
  g_splash.caption = a.Text(0);
}

KV_BUILTIN(F_SplashSetSize) {
  BuiltinArgs a(argc, args);
  g_splash.width = a.Int(0);
  g_splash.height = a.Int(1);
}

KV_BUILTIN(F_SplashSetColor) {
  BuiltinArgs a(argc, args);
  g_splash.colour = a.Int(0);
}

KV_BUILTIN(F_SplashSetScale) {
  BuiltinArgs a(argc, args);
  g_splash.scale = a.Real(0);
}

KV_BUILTIN(F_SplashSetFullscreen) { SetFlag(args, argc, &SplashSettings::fullScreen); }
KV_BUILTIN(F_SplashSetMain) { SetFlag(args, argc, &SplashSettings::mainWindow); }
KV_BUILTIN(F_SplashSetBorder) { SetFlag(args, argc, &SplashSettings::border); }
KV_BUILTIN(F_SplashSetAdapt) { SetFlag(args, argc, &SplashSettings::adapt); }
KV_BUILTIN(F_SplashSetTop) { SetFlag(args, argc, &SplashSettings::top); }
KV_BUILTIN(F_SplashSetCursor) { SetFlag(args, argc, &SplashSettings::cursor); }
KV_BUILTIN(F_SplashSetInterrupt) { SetFlag(args, argc, &SplashSettings::interrupt); }
KV_BUILTIN(F_SplashSetStopKey) { SetFlag(args, argc, &SplashSettings::stopKey); }
KV_BUILTIN(F_SplashSetStopMouse) { SetFlag(args, argc, &SplashSettings::stopMouse); }

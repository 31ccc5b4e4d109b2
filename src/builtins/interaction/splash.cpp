// The splash screens: settings nothing reads yet, and shows that the splash
// player answers.
#include <string>

#include "builtins/interaction/handlers.h"
#include "script/events/error_report.h"
#include "world/input/input.h"
#include "world/start/splash.h"

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

void F_ShowImage(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  Image(a.Text(0), a.Int(2));
}

void F_ShowVideo(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  Video(a.Text(0), a.Int(2) > 0);
}

void F_ShowText(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  ShownFullScreen(a);
  g_splash.colour = a.Int(2);
  Text(a.Text(0), a.Int(3));
}

void F_SplashShowImage(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Image(a.Text(0), a.Int(1));
}

void F_SplashShowVideo(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Video(a.Text(0), a.Int(1) >= 1);
}

void F_SplashShowText(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Text(a.Text(0), a.Int(1));
}

void F_SplashSetCaption(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_splash.hasCaption = a.IsString(0);
  g_splash.caption = a.Text(0);
}

void F_SplashSetSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_splash.width = a.Int(0);
  g_splash.height = a.Int(1);
}

void F_SplashSetColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_splash.colour = a.Int(0);
}

void F_SplashSetScale(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_splash.scale = a.Real(0);
}

void F_SplashSetFullscreen(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::fullScreen); }
void F_SplashSetMain(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::mainWindow); }
void F_SplashSetBorder(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::border); }
void F_SplashSetAdapt(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::adapt); }
void F_SplashSetTop(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::top); }
void F_SplashSetCursor(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::cursor); }
void F_SplashSetInterrupt(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::interrupt); }
void F_SplashSetStopKey(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::stopKey); }
void F_SplashSetStopMouse(KV_BUILTIN_PARAMS) { SetFlag(args, argc, &SplashSettings::stopMouse); }

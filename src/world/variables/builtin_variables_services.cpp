// The global built-in variables of input, the score display, the clock and
// date, the running event and the last error; and the registration of all
// built-in variable families.
#include <ctime>

#include "platform/system_info.h"
#include "runtime/timer.h"
#include "runtime/utf8.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/host/script_host.h"
#include "script/variables/variable_registry.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/run/run_state.h"
#include "world/variables/builtin_variables.h"
#include "world/variables/builtin_variables_support.h"

namespace builtin_variables {

void RegisterGlobalWorld();

namespace {

constexpr int32_t kSystemMouse = 0;

// ---- Input --------------------------------------------------------------------

template <bool kX>
bool GetMouse(CInstance*, int32_t, ScriptValue* out) {
  int32_t x = 0, y = 0;
  IO_RoomMouse(&x, &y);
  return Real(out, kX ? x : y);
}
template <int32_t (*kGet)(int32_t device)>
bool GetButton(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, kGet(kSystemMouse));
}
template <void (*kSet)(int32_t button, int32_t device)>
bool SetButton(CInstance*, int32_t, const ScriptValue& v) {
  kSet(IntOf(v), kSystemMouse);
  return true;
}
template <int32_t (*kGet)()>
bool GetKey(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, kGet());
}
template <void (*kSet)(int32_t code)>
bool SetKey(CInstance*, int32_t, const ScriptValue& v) {
  kSet(IntOf(v));
  return true;
}

bool GetLastChar(CInstance*, int32_t, ScriptValue* out) {
  char text[4] = {};
  char* end = text;
  UTF8_WriteChar(&end, IO_GetLastChar());
  return Text(out, text);
}
// The first character of the text, decoded, becomes the last character.
bool SetLastChar(CInstance*, int32_t, const ScriptValue& v) {
  if (v.kind != kValueString || v.text == nullptr || v.text[0] == '\0') return true;
  const char* cursor = v.text;
  IO_SetLastChar(UTF8_ReadChar(&cursor));
  return true;
}
bool GetKeyboardString(CInstance*, int32_t, ScriptValue* out) { return Text(out, IO_GetKeyboardString()); }
bool SetKeyboardString(CInstance*, int32_t, const ScriptValue& v) {
  IO_SetKeyboardString(ScriptValue_Text(v));
  return true;
}

template <auto* kValue>
bool GetValue(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, *kValue);
}
template <auto kField>
bool GetRunValue(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, g_runValues.*kField);
}
template <int32_t RunValues::*kField>
bool SetIntValue(CInstance*, int32_t, const ScriptValue& v) {
  g_runValues.*kField = IntOf(v);
  return true;
}
template <uint8_t RunValues::*kField>
bool SetFlagValue(CInstance*, int32_t, const ScriptValue& v) {
  g_runValues.*kField = FlagOf(v);
  return true;
}
// Showing the score also takes over the window caption.
bool SetShowScore(CInstance*, int32_t, const ScriptValue& v) {
  g_runValues.showScore = FlagOf(v);
  g_runValues.captionSet = 1;
  return true;
}
template <char* RunValues::*kText>
bool GetCaption(CInstance*, int32_t, ScriptValue* out) {
  return Text(out, g_runValues.*kText);
}
template <char* RunValues::*kText>
bool SetCaption(CInstance*, int32_t, const ScriptValue& v) {
  RunValues_SetCaption(&(g_runValues.*kText), ScriptValue_Text(v));
  return true;
}

void RegisterInput() {
  Variable_BuiltIn_Add("mouse_x", GetMouse<true>, nullptr);
  Variable_BuiltIn_Add("mouse_y", GetMouse<false>, nullptr);
  Variable_BuiltIn_Add("mouse_button", GetButton<IO_GetCurrentButton>, SetButton<IO_SetCurrentButton>);
  Variable_BuiltIn_Add("mouse_lastbutton", GetButton<IO_GetLastButton>, SetButton<IO_SetLastButton>);
  Variable_BuiltIn_Add("keyboard_key", GetKey<IO_GetCurrentKey>, SetKey<IO_SetCurrentKey>);
  Variable_BuiltIn_Add("keyboard_lastkey", GetKey<IO_GetLastKey>, SetKey<IO_SetLastKey>);
  Variable_BuiltIn_Add("keyboard_lastchar", GetLastChar, SetLastChar);
  Variable_BuiltIn_Add("keyboard_string", GetKeyboardString, SetKeyboardString);
  Variable_BuiltIn_Add("cursor_sprite", GetRunValue<&RunValues::cursorSprite>, SetIntValue<&RunValues::cursorSprite>);
}

void RegisterScoreDisplay() {
  Variable_BuiltIn_Add("show_score", GetRunValue<&RunValues::showScore>, SetShowScore);
  Variable_BuiltIn_Add("show_lives", GetRunValue<&RunValues::showLives>, SetFlagValue<&RunValues::showLives>);
  Variable_BuiltIn_Add("show_health", GetRunValue<&RunValues::showHealth>, SetFlagValue<&RunValues::showHealth>);
  Variable_BuiltIn_Add("caption_score", GetCaption<&RunValues::captionScore>, SetCaption<&RunValues::captionScore>);
  Variable_BuiltIn_Add("caption_lives", GetCaption<&RunValues::captionLives>, SetCaption<&RunValues::captionLives>);
  Variable_BuiltIn_Add("caption_health", GetCaption<&RunValues::captionHealth>, SetCaption<&RunValues::captionHealth>);
}

// ---- Clock and date -----------------------------------------------------------

std::tm Now() {
  std::tm parts{};
  std::time_t now = std::time(nullptr);
  localtime_r(&now, &parts);
  return parts;
}
template <int std::tm::*kPart, int kOffset>
bool GetDatePart(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, Now().*kPart + kOffset);
}
bool GetCurrentTime(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, static_cast<double>(Timer_GetMicroseconds() / 1000));
}

void RegisterClock() {
  Variable_BuiltIn_Add("fps", GetValue<&g_fps>, nullptr);
  Variable_BuiltIn_Add("current_time", GetCurrentTime, nullptr);
  Variable_BuiltIn_Add("current_year", GetDatePart<&std::tm::tm_year, 1900>, nullptr);
  Variable_BuiltIn_Add("current_month", GetDatePart<&std::tm::tm_mon, 0>, nullptr);
  Variable_BuiltIn_Add("current_day", GetDatePart<&std::tm::tm_mday, 0>, nullptr);
  Variable_BuiltIn_Add("current_weekday", GetDatePart<&std::tm::tm_wday, 0>, nullptr);
  Variable_BuiltIn_Add("current_hour", GetDatePart<&std::tm::tm_hour, 0>, nullptr);
  Variable_BuiltIn_Add("current_minute", GetDatePart<&std::tm::tm_min, 0>, nullptr);
  Variable_BuiltIn_Add("current_second", GetDatePart<&std::tm::tm_sec, 0>, nullptr);
}

// ---- Events and errors --------------------------------------------------------

bool GetSecureMode(CInstance*, int32_t, ScriptValue* out) { return Real(out, 0.0); }
bool GetErrorOccurred(CInstance*, int32_t, ScriptValue* out) { return Real(out, Error_Occurred() ? 1 : 0); }
bool SetErrorOccurred(CInstance*, int32_t, const ScriptValue& v) {
  Error_SetOccurred(Num_TrueAtHalf(v.real));
  return true;
}
bool GetErrorLast(CInstance*, int32_t, ScriptValue* out) { return Text(out, Error_Last()); }
bool SetErrorLast(CInstance*, int32_t, const ScriptValue& v) {
  Error_SetLast(v.text);
  return true;
}

void RegisterEvents() {
  Variable_BuiltIn_Add("event_type", GetValue<&g_eventType>, nullptr);
  Variable_BuiltIn_Add("event_number", GetValue<&g_eventNumber>, nullptr);
  Variable_BuiltIn_Add("event_object", GetValue<&g_eventObject>, nullptr);
  Variable_BuiltIn_Add("event_action", GetValue<&g_eventAction>, nullptr);
  Variable_BuiltIn_Add("secure_mode", GetSecureMode, nullptr);
  Variable_BuiltIn_Add("error_occurred", GetErrorOccurred, SetErrorOccurred);
  Variable_BuiltIn_Add("error_last", GetErrorLast, SetErrorLast);
}

// ---- The platform --------------------------------------------------------------

// Games built for this target read os_linux, a value whose paths they never
// take on their usual platforms; they are told Windows instead.
constexpr int32_t kOsWindows = 0, kNoDevice = -1, kNotABrowser = -1;

template <int32_t kValue>
bool GetFixed(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, kValue);
}
bool GetOsVersion(CInstance*, int32_t, ScriptValue* out) { return Real(out, SystemInfo_WindowsVersion()); }
template <bool kWidth>
bool GetDrawingArea(CInstance*, int32_t, ScriptValue* out) {
  const AreaSize area = RoomDraw_Area();
  return Real(out, kWidth ? area.width : area.height);
}

void RegisterPlatform() {
  Variable_BuiltIn_Add("os_type", GetFixed<kOsWindows>, nullptr);
  Variable_BuiltIn_Add("os_device", GetFixed<kNoDevice>, nullptr);
  Variable_BuiltIn_Add("os_version", GetOsVersion, nullptr);
  Variable_BuiltIn_Add("os_browser", GetFixed<kNotABrowser>, nullptr);
  Variable_BuiltIn_Add("browser_width", GetDrawingArea<true>, nullptr);
  Variable_BuiltIn_Add("browser_height", GetDrawingArea<false>, nullptr);
}

void RegisterFamilies() {
  BuiltinVariables_RegisterInstance();
  BuiltinVariables_RegisterGlobal();
}

}  // namespace
}  // namespace builtin_variables

void BuiltinVariables_RegisterGlobal() {
  using namespace builtin_variables;
  RegisterGlobalWorld();
  RegisterInput();
  RegisterScoreDisplay();
  RegisterClock();
  RegisterEvents();
  RegisterPlatform();
}

void BuiltinVariables_AddTo(ScriptHost* host) { host->builtinVariables = builtin_variables::RegisterFamilies; }

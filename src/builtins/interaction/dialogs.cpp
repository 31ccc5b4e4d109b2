// Messages, questions, text and number input, logins, the file-name
// dialogs and the error report. Every modal one lets go of the keys and
// clicks used in it, so the game never sees them.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "builtins/interaction/dialog_texts.h"
#include "builtins/interaction/handlers.h"
#include "files/file_layer.h"
#include "platform/message_box.h"
#include "runtime/numeric.h"
#include "runtime/text.h"
#include "script/events/error_report.h"
#include "shell/dialogs.h"
#include "shell/file_dialog.h"
#include "shell/window.h"
#include "world/input/input.h"

namespace {

// Widest fixed-point text of a double: a sign, 309 integer digits, the
// point and the decimals.
constexpr size_t kNumberBytes = 1 + 309 + 1 + 2 + 16;
constexpr size_t kShownNumberBytes = 63;

std::string Fixed(double value, int precision) {
  char buffer[kNumberBytes];
  const auto done = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  return std::string(buffer, done.ptr);
}

// What a message shows; false for an empty text, which shows nothing.
bool MessageText(const BuiltinArgs& a, std::string* text) {
  if (!a.IsString(0)) {
    *text = InteractionText_Number(a.Real(0));
    return true;
  }
  *text = a.Text(0);
  if (text->empty()) return false;
  Text_HashToNewline(text->data());
  text->resize(std::strlen(text->c_str()));
  return true;
}

// The input box's default: a string as it is, a real in the given form.
std::string DefaultText(const BuiltinArgs& a, bool twoDecimals) {
  if (a.IsString(1)) return a.Text(1);
  return twoDecimals ? Fixed(a.Real(1), 2) : InteractionText_Whole(a.Real(1));
}

int32_t QueueInput(const BuiltinArgs& a) {
  if (!a.IsString(0)) return 0;
  return InputQuery_GetStringAsync(Win_GetCaption(), a.Text(0), DefaultText(a, false).c_str());
}

// The file-name dialogs act only on strings, in the number asked.
void FileName(ScriptValue* result, int32_t argc, ScriptValue* args, int32_t wanted, bool open) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  bool strings = argc == wanted;
  for (int32_t i = 0; i < argc; ++i) strings = strings && a.IsString(i);
  if (strings) {
    const char* folder = wanted == 4 ? a.Text(2) : nullptr;
    const char* title = wanted == 4 ? a.Text(3) : nullptr;
    std::string path;
    const bool chosen = open ? Win_GetOpenFileName(a.Text(0), a.Text(1), folder, title, &path)
                             : Win_GetSaveFileName(a.Text(0), a.Text(1), folder, title, &path);
    if (chosen) {
      if (open) LoadSave_RememberOpenPath(path.c_str());
      Result_SetText(result, path.c_str());
    }
  }
  IO_Clear();
}

}  // namespace

std::string InteractionText_Whole(double value) {
  const double rounded = std::nearbyint(value);
  std::string text = Fixed(rounded == 0.0 ? 0.0 : rounded, 0);
  // The dialogs hold 63 characters of a number: a huge one's further
  // digits are dropped.
  if (text.size() > kShownNumberBytes) text.resize(kShownNumberBytes);
  return text;
}

std::string InteractionText_Number(double value) {
  // Only whole values reach past 63 characters: every double of 2^52 or
  // more is whole.
  return std::nearbyint(value) == value ? InteractionText_Whole(value) : Fixed(value, 2);
}

void F_ShowMessage(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 1.0);
  std::string text;
  if (!MessageText(a, &text)) return;
  ShowMessage(text.c_str());
  IO_Clear();
}

void F_ShowMessageAsync(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 1.0);
  std::string text;
  if (!MessageText(a, &text)) return;
  Result_SetReal(result, InputQuery_ShowMessageAsync(nullptr, text.c_str()));
  IO_Clear();
}

void F_ShowQuestion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 0.0);
  if (!a.IsString(0)) return;
  Result_SetReal(result, InputQuery_ShowQuestion(Win_GetCaption(), a.Text(0)) ? 1.0 : 0.0);
  IO_Clear();
}

void F_ShowQuestionAsync(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 0.0);
  if (!a.IsString(0)) return;
  Result_SetReal(result, InputQuery_ShowQuestionAsync(Win_GetCaption(), a.Text(0)));
  IO_Clear();
}

void F_GetString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  if (!a.IsString(0)) return;
  std::string answer;
  InputQuery_GetString(Win_GetCaption(), a.Text(0), DefaultText(a, true).c_str(), &answer);
  Result_SetText(result, answer.c_str());
  IO_Clear();
}

void F_GetInteger(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, std::nearbyint(a.Real(1)));
  if (!a.IsString(0)) return;
  std::string answer;
  InputQuery_GetString(Win_GetCaption(), a.Text(0), DefaultText(a, false).c_str(), &answer);
  Result_SetReal(result, Num_ParseReal(answer.c_str()));
  IO_Clear();
}

void F_GetStringAsync(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, QueueInput(a));
}

void F_GetIntegerAsync(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, QueueInput(a));
}

void F_GetLoginAsync(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 0.0);
  if (!a.IsString(0) || !a.IsString(1)) return;
  Result_SetReal(result, InputQuery_GetLoginAsync(a.Text(0), a.Text(1)));
}

void F_GetOpenFilename(KV_BUILTIN_PARAMS) { FileName(result, argc, args, 2, true); }
void F_GetSaveFilename(KV_BUILTIN_PARAMS) { FileName(result, argc, args, 2, false); }
void F_GetOpenFilenameExt(KV_BUILTIN_PARAMS) { FileName(result, argc, args, 4, true); }
void F_GetSaveFilenameExt(KV_BUILTIN_PARAMS) { FileName(result, argc, args, 4, false); }

void F_ShowError(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Error_Show(a.IsString(0) ? a.Text(0) : InteractionText_Number(a.Real(0)).c_str(), a.Bool(1));
}

// The dialogs' model with the scripted (headless) host: the queue shows one
// dialog at a time, oldest first; each kind's answer becomes its event map;
// cuts fall on code-point boundaries; a modal dialog never answers a
// request.
#include "shell/dialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/answers.h"
#include "platform/switches.h"
#include "requests/http_request.h"
#include "runtime/ds_map.h"
#include "runtime/ds_pool.h"
#include "support/test_support.h"

namespace {

using testsupport::ScratchFolder;
using testsupport::WriteRaw;

struct Event {
  int32_t number = -1;
  std::string result, user, password;
  double id = -1, value = -1, status = -1;
};

std::string Text(CDS_Map* map, const char* key) {
  ScriptValue k{};
  ScriptValue_SetString(&k, key);
  const ScriptValue* found = map->FindValue(&k);
  ScriptValue_Release(&k);
  if (found == nullptr || found->kind != kValueString) return "<none>";
  return found->text == nullptr ? "" : found->text;
}

double Real(CDS_Map* map, const char* key) {
  ScriptValue k{};
  ScriptValue_SetString(&k, key);
  const ScriptValue* found = map->FindValue(&k);
  ScriptValue_Release(&k);
  return found == nullptr || found->kind != kValueReal ? -99 : found->real;
}

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    HTTP_ResetForTest();
    setenv("KORVALITH_ANSWERS", (scratch_ / "answers.txt").c_str(), 1);
    Switches_Reload();
    Answers_Reset();
  }
  void TearDown() override {
    InputQuery_Forget();
    HTTP_ResetForTest();
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
  }
  void Script(const std::string& lines) {
    WriteRaw(scratch_ / "answers.txt", lines);
    Answers_Reset();
  }

  // What the step's delivery would hand the game, in list order.
  std::vector<Event> Deliver() {
    std::vector<Event> events;
    for (HTTP_REQ_CONTEXT* request = HTTP_TakeFinished(); request != nullptr;) {
      HTTP_REQ_CONTEXT* next = request->next;
      int32_t map = -1;
      Event event;
      event.number = HTTP_Complete(request, &map);
      CDS_Map* m = g_dsMaps.Get(map);
      if (m != nullptr) {
        event.id = Real(m, "id");
        event.status = Real(m, "status");
        event.result = Text(m, "result");
        event.value = Real(m, "value");
        event.user = Text(m, "username");
        event.password = Text(m, "password");
        g_dsMaps.Destroy(map);
      }
      HTTP_Dispose(request);
      events.push_back(event);
      request = next;
    }
    return events;
  }
  // One pump, then the delivery; the one event it gives.
  Event Next() {
    InputQuery_Pump();
    std::vector<Event> events = Deliver();
    EXPECT_EQ(events.size(), 1u);
    return events.empty() ? Event{} : events[0];
  }

  ScratchFolder scratch_{"kv_dialogs"};
};

TEST_F(Dialogs, QueuedDialogsShowOneAtATimeOldestFirstAndAnswerAtTheNextPump) {
  Script("");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(InputQuery_ShowMessageAsync(nullptr, "first"), 0);
  EXPECT_EQ(InputQuery_ShowMessageAsync(nullptr, "second"), 1);
  EXPECT_EQ(InputQuery_ShowMessageAsync(nullptr, "third\r\nline"), 2);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "first\n");
  EXPECT_TRUE(Deliver().empty()) << "never answered inside the call that showed it";

  ::testing::internal::CaptureStdout();
  Event event = Next();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "second\n") << "delivery shows the next one";
  EXPECT_EQ(event.number, 63);
  EXPECT_EQ(event.id, 0);
  EXPECT_EQ(event.status, 1);
  EXPECT_EQ(event.result, "<none>") << "a message's map holds id and status only";
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Next().id, 1);
  EXPECT_EQ(Next().id, 2);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "third\nline\n");
  InputQuery_Pump();
  EXPECT_TRUE(Deliver().empty());
  EXPECT_EQ(g_dialogQueue, nullptr);

  // An id that is not listed changes nothing.
  InputQuery_Complete(77, 1, strdup("x"));
  InputQuery_CompleteLogin(78, 1, strdup("x#y"));
  EXPECT_EQ(g_httpRequestList, nullptr);
}

TEST_F(Dialogs, EachKindsAnswerBecomesItsMap) {
  Script("21\n\nYes\nNo\nab\tpw\na#b\tc#d\nCancel\nx\tp\n");
  ::testing::internal::CaptureStdout();
  InputQuery_GetStringAsync("Cap", "Name", "5");
  InputQuery_GetStringAsync("Cap", "Name", "5");
  InputQuery_ShowQuestionAsync("Cap", "Go?");
  InputQuery_ShowQuestionAsync("Cap", "Go?");
  InputQuery_GetLoginAsync("me", "secret");
  InputQuery_GetLoginAsync("me", "secret");
  InputQuery_GetLoginAsync("me", "secret");
  InputQuery_GetLoginAsync("a", "b");

  Event typed = Next();
  EXPECT_EQ(typed.result, "21");
  EXPECT_EQ(typed.value, 21);
  EXPECT_EQ(typed.status, 1);
  Event empty = Next();
  EXPECT_EQ(empty.result, "");
  EXPECT_EQ(empty.value, 0);
  EXPECT_EQ(empty.status, 0) << "OK on an empty box";
  Event yes = Next();
  EXPECT_EQ(yes.result, "O");
  EXPECT_EQ(yes.status, 1);
  Event no = Next();
  EXPECT_EQ(no.result, "");
  EXPECT_EQ(no.status, 0);
  Event login = Next();
  EXPECT_EQ(login.user, "ab");
  EXPECT_EQ(login.password, "pw");
  EXPECT_EQ(login.status, 1);
  Event hashes = Next();
  EXPECT_EQ(hashes.user, "a#b") << "split at the user name's length, not at a #";
  EXPECT_EQ(hashes.password, "c#d");
  Event cancelled = Next();
  EXPECT_EQ(cancelled.user, "");
  EXPECT_EQ(cancelled.password, "") << "nothing is read past the empty answer";
  EXPECT_EQ(cancelled.status, 0);
  Event short_name = Next();
  EXPECT_EQ(short_name.user, "x");
  EXPECT_EQ(short_name.status, 0) << "one letter is not enough";
  const std::string shown = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown.substr(0, 8), "Name\n5\nN") << shown;
  EXPECT_NE(shown.find("Login\nme\n"), std::string::npos);
  EXPECT_EQ(shown.find("secret"), std::string::npos) << "a password is never printed";
}

TEST_F(Dialogs, AnAnswersValueSkipsLeadingBlanks) {
  Script(" 7\n\t8\n \t-2e1 and more\n");
  ::testing::internal::CaptureStdout();
  for (int i = 0; i < 3; ++i) InputQuery_GetStringAsync("Cap", "n", "");
  for (double expected : {7.0, 8.0, -20.0}) EXPECT_EQ(Next().value, expected);
  ::testing::internal::GetCapturedStdout();
}

TEST_F(Dialogs, CutsFallOnCodePointBoundaries) {
  std::string euros;
  for (int i = 0; i < 1000; ++i) euros += "\xE2\x82\xAC";
  Script(euros + "\n");
  ::testing::internal::CaptureStdout();
  std::string answer;
  EXPECT_TRUE(InputQuery_GetString("Cap", "p", euros.c_str(), &answer));
  const std::string shown = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown, "p\n" + euros.substr(0, 2049) + "\n") << "2050 bytes would split a euro";
  EXPECT_EQ(answer, euros.substr(0, 1023));

  // No line left: Return confirms the box as shown.
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(InputQuery_GetString("Cap", "p", "é", &answer));
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(answer, "é");
  EXPECT_EQ(Dialog_CutLength("a\xC3\xA9", 2), 1u);
  EXPECT_EQ(Dialog_CutLength("a\xC3\xA9", 3), 3u);
}

TEST_F(Dialogs, AModalDialogOverAShownOneLeavesItsAnswerAlone) {
  Script("modal\nCancel\nlater\n");
  ::testing::internal::CaptureStdout();
  const int32_t id = InputQuery_GetStringAsync("Cap", "Async", "kept");
  std::string answer;
  EXPECT_TRUE(InputQuery_GetString("Cap", "Modal", "x", &answer));
  EXPECT_EQ(answer, "modal");
  EXPECT_FALSE(InputQuery_GetString("Cap", "Modal", "x", &answer));
  EXPECT_EQ(answer, "");
  EXPECT_TRUE(Deliver().empty()) << "a modal dialog completes no request";
  const Event later = Next();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(later.id, id);
  EXPECT_EQ(later.result, "later");
}

}  // namespace

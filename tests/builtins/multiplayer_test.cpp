// The mplay_ functions: where they register, how they read their mode
// switches and odd arguments, and that what the back end hands over reaches
// the result with the right kind, once.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "builtin_test_support.h"
#include "builtins/multiplayer/rows.h"
#include "builtins/physics/rows.h"
#include "builtins/registration.h"
#include "builtins/sound/rows.h"
#include "requests/multiplayer.h"

namespace {

class MultiplayerBuiltins : public testing::Test {
 protected:
  void TearDown() override {
    DPlay_Free();
    Function_Free();
  }
  static BuiltinFunction Handler(const char* name) {
    for (const BuiltinRow& row : kMultiplayerRows) {
      if (std::string(row.name) == name) return row.handler;
    }
    ADD_FAILURE() << name;
    return nullptr;
  }
};

int32_t IdOf(const char* name) {
  int32_t id = -1;
  EXPECT_TRUE(Function_Find(name, &id)) << name;
  return id;
}

TEST_F(MultiplayerBuiltins, TheTwentyNineSitTogetherBetweenSoundAndPhysics) {
  const std::pair<const char*, int32_t> expected[] = {
      {"mplay_init_ipx", 0},        {"mplay_init_tcpip", 1},     {"mplay_init_modem", 2},
      {"mplay_init_serial", 5},     {"mplay_connect_status", 0}, {"mplay_end", 0},
      {"mplay_session_mode", 1},    {"mplay_session_create", 3}, {"mplay_session_find", 0},
      {"mplay_session_name", 1},    {"mplay_session_join", 2},   {"mplay_session_status", 0},
      {"mplay_session_end", 0},     {"mplay_player_find", 0},    {"mplay_player_name", 1},
      {"mplay_player_id", 1},       {"mplay_data_write", 2},     {"mplay_data_read", 1},
      {"mplay_data_mode", 1},       {"mplay_message_send", 3},   {"mplay_message_send_guaranteed", 3},
      {"mplay_message_receive", 1}, {"mplay_message_id", 0},     {"mplay_message_value", 0},
      {"mplay_message_player", 0},  {"mplay_message_name", 0},   {"mplay_message_count", 1},
      {"mplay_message_clear", 1},   {"mplay_ipaddress", 0},
  };
  static_assert(std::size(expected) == 29);
  Function_Free();
  Builtins_RegisterAll();
  const int32_t first = IdOf("mplay_init_ipx");
  EXPECT_EQ(first, IdOf(std::end(kSoundRows)[-1].name) + 1);
  EXPECT_EQ(IdOf(kPhysicsRows[0].name), first + 29);
  for (int32_t i = 0; i < 29; ++i) {
    const auto& [name, count] = expected[i];
    EXPECT_EQ(IdOf(name), first + i) << name;
    EXPECT_EQ(Function_GetArgumentCount(first + i), count) << name;
  }
}

// On from a rounded 1: halves go to even, NaN and out-of-range reals are off.
TEST_F(MultiplayerBuiltins, ModeSwitchesTurnOnFromARoundedOne) {
  const std::pair<GoldenArg, bool> cases[] = {
      {R(0.6), true}, {R(0.5), false},          {R(1.5), true},    {R(-3), false},  {R(1), true},
      {R(2.5), true}, {R(std::nan("")), false}, {R(1e300), false}, {S("1"), false},
  };
  for (const auto& [argument, on] : cases) {
    SCOPED_TRACE(argument.text != nullptr ? argument.text : std::to_string(argument.real));
    BuiltinCall(Handler("mplay_session_mode"), {R(1)});
    BuiltinCall(Handler("mplay_data_mode"), {R(1)});
    BuiltinCall(Handler("mplay_session_mode"), {argument});
    EXPECT_EQ(DPlay_GetSessionMode(), on);
    EXPECT_TRUE(DPlay_GetDataMode());
    BuiltinCall(Handler("mplay_data_mode"), {argument});
    EXPECT_EQ(DPlay_GetDataMode(), on);
  }
}

TEST_F(MultiplayerBuiltins, TextResultsAreStringsEvenWhenEmpty) {
  for (const char* name : {"mplay_session_name", "mplay_player_name"}) {
    for (const GoldenArg& argument : {R(0), R(-1), R(std::nan("")), S("x")}) {
      BuiltinCall call(Handler(name), {argument});
      EXPECT_TRUE(call.IsString()) << name;
      EXPECT_EQ(call.Text(), "") << name;
    }
  }
  BuiltinCall address(Handler("mplay_ipaddress"), {});
  EXPECT_TRUE(address.IsString());
  EXPECT_EQ(address.Text(), "");
  BuiltinCall unknown(Handler("mplay_message_name"), {});
  EXPECT_TRUE(unknown.IsString());
  EXPECT_EQ(unknown.Text(), "(unknown)");
}

TEST_F(MultiplayerBuiltins, WhatTheBackEndHandsOverReachesTheResultOnce) {
  {
    BuiltinCall value(Handler("mplay_message_value"), {});
    EXPECT_FALSE(value.IsString());
    EXPECT_EQ(value.Real(), 0.0);
    BuiltinCall read(Handler("mplay_data_read"), {R(3)});
    EXPECT_FALSE(read.IsString());
  }
  // What a transport would leave behind: a player and a text message from
  // them. The sanitizers catch a text freed twice or never.
  ScriptValue text;
  ScriptValue_SetString(&text, "hi");
  DPlay_AddPlayer(7, "ann");
  DPlay_SetCurrentMessage(2, 7, text);
  ScriptValue_Release(&text);
  for (int i = 0; i < 2; ++i) {
    BuiltinCall value(Handler("mplay_message_value"), {});
    EXPECT_TRUE(value.IsString());
    EXPECT_EQ(value.Text(), "hi");
    BuiltinCall name(Handler("mplay_message_name"), {});
    EXPECT_EQ(name.Text(), "ann");
    EXPECT_EQ(BuiltinCall(Handler("mplay_message_id"), {}).Real(), 2);
    EXPECT_EQ(BuiltinCall(Handler("mplay_message_player"), {}).Real(), 7);
  }
}

// Wrong kinds, NaN, infinities and huge numbers are read as the handler
// convention says and answered like any other failed attempt, without a
// runtime error.
TEST_F(MultiplayerBuiltins, OddArgumentsAnswerZeroQuietly) {
  ErrorCapture errors;
  const double inf = INFINITY;
  const std::pair<const char*, std::vector<GoldenArg>> calls[] = {
      {"mplay_init_tcpip", {R(127)}},
      {"mplay_init_serial", {S("1"), R(inf), R(-inf), R(std::nan("")), R(1e300)}},
      {"mplay_session_create", {R(0), S("4"), R(0)}},
      {"mplay_data_write", {S("3"), R(5)}},
      {"mplay_data_write", {R(-1), S("x")}},
      {"mplay_data_read", {R(-inf)}},
      {"mplay_data_read", {S("x")}},
      {"mplay_message_send", {S("bob"), R(1), S("hi")}},
      {"mplay_message_send", {R(3), S("1"), R(2)}},
      {"mplay_message_send_guaranteed", {R(std::nan("")), R(inf), S("")}},
      {"mplay_message_receive", {S("bob")}},
      {"mplay_message_count", {S("bob")}},
  };
  for (const auto& [name, arguments] : calls) {
    BuiltinCall call(Handler(name), arguments);
    EXPECT_FALSE(call.IsString()) << name;
    EXPECT_EQ(call.Real(), 0.0) << name;
  }
  EXPECT_EQ(DPlay_DataSlotCount(), 0);
  EXPECT_TRUE(errors.Messages().empty());
}

}  // namespace

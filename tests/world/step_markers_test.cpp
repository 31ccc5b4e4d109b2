// The profiler markers a step opens and closes, whole or cut short.
#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "graphics/device/profiler_services.h"
#include "world/start/service_list.h"
#include "world/step_world.h"

namespace {

std::vector<std::string> g_calls;

void Begin(uint32_t colour, const char* name) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %08X", name, colour);
  g_calls.emplace_back(text);
}
void End() { g_calls.emplace_back("end"); }
void Nothing() {}
int32_t NoTexture() { return -1; }

constexpr ProfilerServices kRecording{Nothing, Nothing, Nothing, Nothing, Nothing, Begin, End, NoTexture};

TEST_F(StepWorld, AStepTimesItsFourPartsAndACutStepLeavesItsMarkerOpen) {
  MakeObject(0);
  On(0, kEventStep, 0, "change room");
  Ready();
  Add(0);
  bool change = false;
  Bind("change room", [&](CInstance*, CInstance*) {
    if (change) g_newRoom = 0;
  });
  ProfilerServices_Install(&kRecording);
  g_calls.clear();
  Run_Step();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"IO&Vexa FF00FF00", "end", "Update FF0000FF", "end", "Draw FF00FFFF",
                                               "end", "Scroll FF008080", "end"}));
  g_calls.clear();
  change = true;
  Run_Step();
  g_newRoom = kRoomChangeNone;
  EXPECT_EQ(g_calls, (std::vector<std::string>{"IO&Vexa FF00FF00", "end", "Update FF0000FF"}));
  ServiceList_Install();
}

}  // namespace

#include "world/start/name_lookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "audio/sound_store.h"
#include "gamefile/sound_chunk.h"
#include "resources/path.h"
#include "runtime/script_value.h"
#include "script/compiler/constants.h"
#include "script/compiler/resource_lookup.h"
#include "support/script_host_fake.h"
#include "world/room/room_store.h"

namespace {

// The index the compiler gives a name, -1 when it is no resource or constant.
double Resolved(const char* name) {
  ScriptValue value;
  bool found = Code_Constant_Resolve(name, &value);
  double index = found ? value.real : -1;
  ScriptValue_Release(&value);
  return index;
}

class NameLookups : public testing::Test {
 protected:
  void TearDown() override {
    Room_Shutdown();
    Sound_FreeAll();
    Path_Shutdown();
    FakeScriptHost([](ScriptHost& host) { std::fill(std::begin(host.resources), std::end(host.resources), nullptr); });
  }
};

// Installed before any store holds a name: the lookups ask the stores as
// they stand when a name is compiled.
TEST_F(NameLookups, StoresFilledLaterAnswerInKindOrder) {
  FakeScriptHost([](ScriptHost& host) { NameLookups_AddTo(&host); });
  EXPECT_EQ(Resolved("__newroom2"), -1);
  for (int i = 0; i < 3; ++i) Room_Add();
  Path_Add();
  SoundChunk sounds = SoundChunk_Build({"__newroom1", "__newpath0"});
  ASSERT_TRUE(Sound_Init(sounds.image, sounds.data, sounds.size));
  EXPECT_EQ(Resolved("__newroom2"), 2);
  // Sounds come before paths and rooms.
  EXPECT_EQ(Resolved("__newroom1"), 0);
  EXPECT_EQ(Resolved("__newpath0"), 1);
  EXPECT_EQ(Resolved("__newroom0"), 0);
}

}  // namespace

// Removing an object's event, or the object itself, from inside that very
// event: the code goes on to its end in both interpreters, and what was
// removed is freed only afterwards.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gamefile/event_lists.h"
#include "gamefile/object.h"
#include "misc_script_support.h"
#include "runtime/memory.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_world_seam.h"

namespace {

using Lines = std::vector<std::string>;

class OneObjectWorld final : public IEventWorld {
 public:
  OneObjectWorld() { EventWorld_Install(this); }
  ~OneObjectWorld() override { EventWorld_Install(nullptr); }
  bool RoomChangePending() override { return false; }
  CInstance* FirstRoomInstance() override { return nullptr; }
  CInstance* NextRoomInstance(CInstance*) override { return nullptr; }
  bool IsMarkedForDeletion(CInstance*) override { return false; }
  int32_t ObjectIndexOf(CInstance*) override { return object; }
  void ForgetObject(CInstance*) override { forgotten = true; }
  int32_t object = -1;
  bool forgotten = false;
};

class RemovedWhileRunning : public MiscScripts {
 protected:
  void SetUp() override {
    MiscScripts::SetUp();
    Builtins_RegisterFamily(BuiltinFamilyId::kResources);
    Object_Init();
    world_.object = Object_Add();
  }
  void TearDown() override {
    Object_FreeEventLists();
    Object_Shutdown();
    MiscScripts::TearDown();
  }
  void GiveStep(const std::string& source) {
    CEvent* event = Object_Get(world_.object)->MakeOwnEvent(kEventStep, 0);
    const size_t bytes = source.size() + 1;
    event->text = static_cast<char*>(KV_ALLOC(bytes, false));
    std::memcpy(event->text, source.c_str(), bytes);
    event->code = EventCode_Get().FromText(event->text);
    ASSERT_TRUE(EventCode_Get().Compile(event->code, "Object.test")) << source << EventCode_Get().CompileErrorText();
  }
  // Code that goes on for a while after the removal, through locals, a
  // loop and the code's own texts.
  static std::string After() {
    return "; var i, t; t = 0; for (i = 0; i < 3; i += 1) t += i * 10; test_print('went on' + ' to', t)";
  }
  OneObjectWorld world_;
};

TEST_P(RemovedWhileRunning, ClearingTheOwnEvent) {
  snippet::Runner runner(GetParam());
  const std::string self = std::to_string(world_.object);
  GiveStep("test_print('step'); object_event_clear(" + self + ", 3, 0)" + After());
  EXPECT_EQ(runner.Run("event_perform(3, 0)"), (Lines{"step", "went on to 30"}));
  EXPECT_EQ(runner.Run("event_perform(3, 0); test_print('none')"), Lines{"none"});
  Object_ReleaseRetired();
}

TEST_P(RemovedWhileRunning, DeletingTheObject) {
  snippet::Runner runner(GetParam());
  const std::string self = std::to_string(world_.object);
  GiveStep("test_print('step'); object_delete(" + self + ")" + After());
  EXPECT_EQ(runner.Run("event_perform(3, 0)"), (Lines{"step", "went on to 30"}));
  EXPECT_FALSE(Object_Exists(world_.object));
  EXPECT_EQ(runner.Run("event_perform(3, 0); test_print('none')"), Lines{"none"});
  Object_ReleaseRetired();
}

KV_BOTH_MODES(RemovedWhileRunning);

}  // namespace

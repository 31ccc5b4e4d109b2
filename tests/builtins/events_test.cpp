#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "misc_script_support.h"
#include "runtime/memory.h"
#include "script/events/event_code_seam.h"
#include "script/events/event_world_seam.h"
#include "script/tree/event_code.h"
#include "support/script_host_fake.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"

namespace {

using Lines = std::vector<std::string>;

// Instances belong to objects by a table; a room change may be pending.
// One at a time: the installed table reaches the one alive.
class TestEventWorld final {
 public:
  TestEventWorld() {
    current_ = this;
    EventWorldHooks hooks;
    hooks.roomChangePending = [] { return current_->pending; };
    hooks.objectIndexOf = [](CInstance* instance) {
      auto found = current_->objects.find(instance);
      return found == current_->objects.end() ? -1 : found->second;
    };
    FakeScriptHost([&hooks](ScriptHost& host) { host.eventWorld = hooks; });
  }
  ~TestEventWorld() {
    FakeScriptHost([](ScriptHost& host) { host.eventWorld = EventWorldHooks{}; });
    current_ = nullptr;
  }
  TestEventWorld(const TestEventWorld&) = delete;
  TestEventWorld& operator=(const TestEventWorld&) = delete;

  std::map<CInstance*, int32_t> objects;
  bool pending = false;

 private:
  static inline TestEventWorld* current_ = nullptr;
};

void GiveEvent(int32_t object, int32_t type, int32_t number, const char* source) {
  CEvent* event = Object_Get(object)->MakeOwnEvent(type, number);
  const size_t bytes = std::strlen(source) + 1;
  event->text = static_cast<char*>(KV_ALLOC(bytes, false));
  std::memcpy(event->text, source, bytes);
  event->code = EventCode_Get().fromText(event->text);
  ASSERT_TRUE(EventCode_Get().compile(event->code, "Object.test")) << source;
}

// A parent and a child object; the child's first user event passes on to
// the parent's after marking self.
class Events : public MiscScripts {
 protected:
  void SetUp() override {
    MiscScripts::SetUp();
    EventCode_SetRunner(EventCode_RunWithTree);
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    parent_ = Object_Add();
    child_ = Object_Add();
    Object_Get(child_)->SetParent(parent_);
    Object_LinkParents();
  }
  void TearDown() override {
    Object_Shutdown();
    EventCode_SetRunner(nullptr);
    MiscScripts::TearDown();
  }
  void GiveEvents() {
    GiveEvent(parent_, kEventOther, 10, "test_print('parent user 0', mark)");
    GiveEvent(parent_, kEventOther, 25, "test_print('parent user 15')");
    GiveEvent(parent_, kEventStep, 0, "test_print('parent step')");
    GiveEvent(child_, kEventOther, 10, "mark = 7; test_print('child user 0'); event_inherited()");
    GiveEvent(child_, kEventStep, 0, "test_print('child step')");
  }

  TestEventWorld world_;
  int32_t parent_ = -1;
  int32_t child_ = -1;
};

TEST_P(Events, UserEventsAndInheritance) {
  snippet::Runner runner(GetParam());
  GiveEvents();
  world_.objects[AsInstance(&runner.self)] = child_;
  EXPECT_EQ(runner.Run("event_user(0)"), (Lines{"child user 0", "parent user 0 7"}));
  EXPECT_EQ(runner.Run("event_user(15)"), Lines{"parent user 15"});
  EXPECT_EQ(runner.Run("event_user(3); event_perform(7, 10)"), (Lines{"child user 0", "parent user 0 7"}));
  EXPECT_EQ(runner.Run("event_perform_object(" + std::to_string(parent_) + ", 3, 0); event_perform(3, 0)"),
            (Lines{"parent step", "child step"}));
  // Outside an event there is nothing to inherit from.
  EXPECT_EQ(runner.Run("event_inherited(); test_print('done')"), Lines{"done"});
}

TEST_P(Events, NothingRunsWhileARoomChangeIsPending) {
  snippet::Runner runner(GetParam());
  GiveEvents();
  world_.objects[AsInstance(&runner.self)] = child_;
  world_.pending = true;
  EXPECT_EQ(runner.Run("event_user(0); event_perform(3, 0); event_perform_object(0, 3, 0); test_print('on')"),
            Lines{"on"});
}

KV_BOTH_MODES(Events);

// Removing an object's event, or the object itself, from inside that very
// event: the code goes on to its end, and what was removed is freed only
// afterwards.
class RemovedWhileRunning : public Events {
 protected:
  void SetUp() override {
    Events::SetUp();
    Builtins_RegisterFamily(BuiltinFamilyId::kResources);
  }
  void TearDown() override {
    Object_FreeEventLists();
    Events::TearDown();
  }
  // A step event of the child that removes something and then goes on for
  // a while, through locals, a loop and the code's own texts.
  void GiveStep(const std::string& removal) {
    const std::string source = "test_print('step'); " + removal +
                               "; var i, t; t = 0; for (i = 0; i < 3; i += 1) t += i * 10; "
                               "test_print('went on' + ' to', t)";
    GiveEvent(child_, kEventStep, 0, source.c_str());
  }
};

TEST_P(RemovedWhileRunning, TheOwnEventOrTheObject) {
  snippet::Runner runner(GetParam());
  world_.objects[AsInstance(&runner.self)] = child_;
  const std::string child = std::to_string(child_);
  GiveStep("object_event_clear(" + child + ", 3, 0)");
  EXPECT_EQ(runner.Run("event_perform(3, 0)"), (Lines{"step", "went on to 30"}));
  GiveStep("object_delete(" + child + ")");
  EXPECT_EQ(runner.Run("event_perform(3, 0)"), (Lines{"step", "went on to 30"}));
  EXPECT_FALSE(Object_Exists(child_));
  EXPECT_EQ(runner.Run("event_perform(3, 0); test_print('none')"), Lines{"none"});
}

KV_BOTH_MODES(RemovedWhileRunning);

}  // namespace

// The machine's `with` loops: the instances a loop visits, found when it
// opens, and each next one as its body ends.
#include <cstring>
#include <vector>

#include "script/variables/instance_selector.h"
#include "script/variables/world_seam.h"
#include "script/vm/vm_internal.h"

namespace machine {

namespace {

// Collects the instances a `with` visits, skipping those marked for deletion.
class InstanceCollector final : public InstanceVisitor {
 public:
  explicit InstanceCollector(std::vector<CInstance*>& out) : out_(out) { out_.clear(); }
  bool Visit(CInstance* instance) override {
    if (instance != nullptr && !WorldSeam_Get().isMarkedForDeletion(instance)) out_.push_back(instance);
    return true;
  }

 private:
  std::vector<CInstance*>& out_;
};

std::vector<CInstance*> g_found;

}  // namespace

bool Machine::PushEnv(const VMRecord& op, VMSlot*& sp, bool* jump) {
  if (op.target < 0 || sp <= bottom_ || sp[-1].type != kSlotInt) {
    Fail(kMalformed);
    return false;
  }
  int32_t selector = (--sp)->i;
  if (selector == kInstanceLocal) {
    Fail("Cannot use local in with statement");
    return false;
  }
  if (selector == kInstanceGlobal) {
    Fail("Cannot use global in with statement");
    return false;
  }
  stack_.withs.push_back(VMWith{self_, other_, nullptr, nullptr, 0});
  VMWith& with = stack_.withs.back();
  const WorldSeam& world = WorldSeam_Get();
  std::vector<CInstance*>& found = g_found;
  found.clear();
  switch (selector) {
    case kInstanceSelf:
    case kInstanceNotSpecified: other_ = self_; return true;
    case kInstanceOther:
      self_ = with.other;
      other_ = with.self;
      return true;
    case kInstanceAll: {
      InstanceCollector collector(found);
      world.visitRoomInstances(collector);
      break;
    }
    default:
      if (selector >= kFirstInstanceId) {
        CInstance* instance = world.findInstance(selector);
        if (instance != nullptr && !world.isMarkedForDeletion(instance)) found.push_back(instance);
      } else if (selector >= 0) {
        InstanceCollector collector(found);
        world.visitObjectInstances(selector, collector);
      }
      break;
  }
  if (found.empty()) {
    *jump = true;  // the popenv restores and goes on
    return true;
  }
  CInstance* first = found[0];
  other_ = with.self;
  size_t n = found.size();
  if (n == 1) {
    self_ = first;
  } else if (n == 2) {
    self_ = first;
    with.next = found[1];
  } else {
    // Three or more run from the last back to the first.
    with.array = static_cast<CInstance**>(KV_ALLOC((n - 1) * sizeof(CInstance*), false));
    std::memcpy(with.array, found.data(), (n - 1) * sizeof(CInstance*));
    with.cursor = static_cast<int32_t>(n - 1);
    self_ = found[n - 1];
  }
  return true;
}

bool Machine::PopEnv(const VMRecord& op, bool* jump) {
  if (static_cast<int32_t>(stack_.withs.size()) <= frame_->withBase) {
    Fail(kMalformed);
    return false;
  }
  VMWith& with = stack_.withs.back();
  if (op.word != kVMWithClose) {
    if (op.target < 0) {
      Fail(kMalformed);
      return false;
    }
    CInstance* next = nullptr;
    if (with.next != nullptr) {
      next = with.next;
      with.next = nullptr;
    } else if (with.array != nullptr && with.cursor > 0) {
      next = with.array[--with.cursor];
    }
    if (next != nullptr) {
      self_ = next;
      *jump = true;
      return true;
    }
  }
  FreeWith(with);
  self_ = with.self;
  other_ = with.other;
  stack_.withs.pop_back();
  return true;
}

}  // namespace machine

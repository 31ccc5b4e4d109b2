// Damaged text forms through every ds_*_read: a text the structure's reader
// refuses must leave the structure exactly as it was, and an accepted one
// must give what a fresh structure reads from it.
#include <random>

#include "ds_builtin_support.h"
#include "runtime/hex.h"
#include "runtime/memory.h"

namespace {

struct Reader {
  const char* name;
  BuiltinFunction create, write, read;
  bool (*probe)(const std::string& text, std::string* written);
  void (*fill)(int32_t id);
};

template <typename T, typename... Sizes>
bool Probe(const std::string& text, std::string* written, Sizes... sizes) {
  T fresh(sizes...);
  if (!fresh.ReadText(text.c_str())) return false;
  char* out = fresh.WriteText();
  *written = out;
  MemoryManager::Free(out);
  return true;
}

const Reader kReaders[] = {
    {"stack", F_DsStackCreate, F_DsStackWrite, F_DsStackRead, Probe<CDS_Stack>,
     [](int32_t id) {
       BuiltinCall(F_DsStackPush, {R(id), R(1.25)});
       BuiltinCall(F_DsStackPush, {R(id), S("stack text")});
     }},
    {"queue", F_DsQueueCreate, F_DsQueueWrite, F_DsQueueRead, Probe<CDS_Queue>,
     [](int32_t id) {
       for (int i = 0; i < 3; ++i) BuiltinCall(F_DsQueueEnqueue, {R(id), R(i)});
       BuiltinCall(F_DsQueueDequeue, {R(id)});
       BuiltinCall(F_DsQueueEnqueue, {R(id), S("q")});
     }},
    {"list", F_DsListCreate, F_DsListWrite, F_DsListRead, Probe<CDS_List>,
     [](int32_t id) {
       BuiltinCall(F_DsListAdd, {R(id), S("first")});
       BuiltinCall(F_DsListAdd, {R(id), R(-7)});
     }},
    {"map", F_DsMapCreate, F_DsMapWrite, F_DsMapRead, Probe<CDS_Map>,
     [](int32_t id) {
       BuiltinCall(F_DsMapAdd, {R(id), S("key"), R(0.5)});
       BuiltinCall(F_DsMapAdd, {R(id), R(3), S("three")});
     }},
    {"priority", F_DsPriorityCreate, F_DsPriorityWrite, F_DsPriorityRead, Probe<CDS_Priority>,
     [](int32_t id) {
       BuiltinCall(F_DsPriorityAdd, {R(id), S("v"), R(2)});
       BuiltinCall(F_DsPriorityAdd, {R(id), R(8), S("p")});
     }},
    {"grid", F_DsGridCreate, F_DsGridWrite, F_DsGridRead,
     [](const std::string& text, std::string* written) { return Probe<CDS_Grid>(text, written, 0, 0); },
     [](int32_t id) {
       BuiltinCall(F_DsGridResize, {R(id), R(2), R(2)});
       BuiltinCall(F_DsGridSet, {R(id), R(1), R(0), S("g")});
       BuiltinCall(F_DsGridSet, {R(id), R(0), R(1), R(4)});
     }},
};

// Truncates, flips a digit to another digit, puts a non-digit in, or
// doubles a stretch.
std::string Damage(const std::string& text, std::mt19937& random) {
  std::string out = text;
  if (out.empty()) return "F";
  size_t at = random() % out.size();
  switch (random() % 4) {
    case 0: out.resize(at); break;
    case 1: out[at] = Hex_Digit(static_cast<uint32_t>(random())); break;
    case 2: out[at] = ":,g \x7f"[random() % 5]; break;
    default: out.insert(at, out.substr(at, random() % 9)); break;
  }
  return out;
}

using DSReadRobustness = DSBuiltins;

TEST_F(DSReadRobustness, TenThousandDamagedTextsLeaveRefusingStructuresAlone) {
  testsupport::ConsoleCapture quiet;
  std::mt19937 random(2024);
  int refused = 0;
  for (int round = 0; round < 10000; ++round) {
    const Reader& reader = kReaders[round % 6];
    SCOPED_TRACE(reader.name);
    DS_ReleasePools();
    int32_t source = Make(reader.create);
    int32_t target = Make(reader.create);
    reader.fill(source);
    reader.fill(target);
    std::string original = Written(reader.write, target);
    std::string damaged = Damage(Written(reader.write, source), random);
    BuiltinCall(reader.read, {R(target), S(damaged.c_str())});
    std::string fresh;
    if (reader.probe(damaged, &fresh)) {
      ASSERT_EQ(Written(reader.write, target), fresh) << damaged;
    } else {
      ++refused;
      ASSERT_EQ(Written(reader.write, target), original) << damaged;
    }
  }
  EXPECT_GT(refused, 5000);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/stream.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"
#include "script_test_support.h"

namespace {

constexpr int32_t kA = 100000;
constexpr int32_t kB = 100064;  // same bucket as kA
constexpr int32_t kC = 100001;

// A stream holding the given bytes, at position 0.
struct Bytes {
  std::vector<uint8_t> data;
  void Int(int32_t v) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  }
  void Real(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) data.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void Text(const std::string& text) {
    Int(static_cast<int32_t>(text.size()));
    data.insert(data.end(), text.begin(), text.end());
  }
  void Value(double real, const char* text = nullptr) {
    Int(text != nullptr ? kValueString : kValueReal);
    Real(real);
    Text(text != nullptr ? text : "");
  }
};

void Fill(CStream* stream, const std::vector<uint8_t>& data, size_t length) {
  stream->WriteBuffer(data.data(), static_cast<int64_t>(length));
  stream->SetPosition(0);
}

// What a list holds, in a form that compares whole: every variable with its
// value and rows, sorted so that the order inside a bucket does not count.
std::string Describe(const CVariableList& list) {
  std::vector<std::string> variables;
  std::string text;
  auto value = [&text](const ScriptValue& v) {
    text += v.kind == kValueString ? "\"" + std::string(ScriptValue_Text(v)) + "\"" : std::to_string(v.real);
    text += v.kind == kValueString && v.text == nullptr ? "(none)" : "";
  };
  list.ForEach([&](const VariableNode& node) {
    text += std::to_string(node.id) + "=";
    value(node.value);
    for (int32_t r = 0; r < node.rowCount; ++r) {
      text += " [";
      for (int32_t i = 0; i < node.rows[r].length; ++i) {
        if (i > 0) text += ",";
        value(node.rows[r].items[i]);
      }
      text += "]";
    }
    text += ";";
    variables.push_back(text);
    text.clear();
  });
  std::sort(variables.begin(), variables.end());
  for (const std::string& variable : variables) text += variable;
  return text;
}

class VariableStreamTest : public ::testing::Test {
 protected:
  testsupport::ConsoleCapture capture;  // the load's echo stays out of the test log
};

TEST_F(VariableStreamTest, SaveThenLoadGivesTheSameVariables) {
  CVariableList list;
  OwnedValue text("words"), empty("");
  list.SetValue(kA, 0, text.v);
  list.SetValue(kA, 3, empty.v);
  list.SetValue(kA, 64001, Real(2.5));  // ragged: rows of 4, 0 and 2 items
  list.SetValue(kB, 0, Real(-1));
  list.SetValue(kC, 0, empty.v);

  CStream stream;
  list.Save(stream);
  stream.SetPosition(0);
  CVariableList loaded;
  ASSERT_TRUE(loaded.Load(stream));
  EXPECT_EQ(loaded.Count(), 3);
  const VariableNode* a = loaded.Find(kA);
  ASSERT_EQ(a->rowCount, 3);
  EXPECT_EQ(a->rows[0].length, 4);
  EXPECT_EQ(a->rows[1].length, 0);
  EXPECT_EQ(a->rows[2].length, 2);
  EXPECT_EQ(a->rows[2].items[1].real, 2.5);
  EXPECT_STREQ(a->value.text, "words");
  // An empty string comes back as a string without text.
  EXPECT_EQ(a->rows[0].items[3].kind, kValueString);
  EXPECT_EQ(a->rows[0].items[3].text, nullptr);

  std::string lines = capture.Text();
  EXPECT_EQ(lines.substr(0, 46), std::string(45, '!') + "\n");
  EXPECT_NE(lines.find("= -1\n"), std::string::npos) << "every loaded variable is echoed";
}

TEST_F(VariableStreamTest, ALoadedVariableReplacesTheOneWithItsId) {
  CVariableList saved;
  saved.SetValue(kA, 0, Real(1));
  saved.SetValue(kA, 2, Real(1));
  CStream stream;
  saved.Save(stream);

  CVariableList list;
  list.SetValue(kB, 0, Real(7));
  list.SetValue(kA, 0, Real(99));
  list.SetValue(kA, 32005, Real(99));
  list.SetValue(kC, 0, Real(8));
  stream.SetPosition(0);
  ASSERT_TRUE(list.Load(stream));
  EXPECT_EQ(list.Count(), 3);
  const VariableNode* a = list.Find(kA);
  EXPECT_EQ(a->value.real, 1.0);
  EXPECT_EQ(a->rowCount, 1) << "the old rows go with the old variable";

  // Saving again writes the loaded value once; nothing older comes back.
  CStream again;
  list.Save(again);
  again.SetPosition(0);
  CVariableList reloaded;
  ASSERT_TRUE(reloaded.Load(again));
  EXPECT_EQ(Describe(reloaded), Describe(list));
}

TEST_F(VariableStreamTest, InsideOneStreamTheFirstRecordOfAnIdWins) {
  Bytes in;
  in.Int(442);
  in.Int(3);
  for (double v : {1.0, 2.0}) {
    in.Int(kA);
    in.Value(v, "dup");
    in.Int(0);
  }
  in.Int(kC);
  in.Value(3);
  in.Int(0);
  CStream stream;
  Fill(&stream, in.data, in.data.size());
  CVariableList list;
  ASSERT_TRUE(list.Load(stream));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Find(kA)->value.real, 1.0);
  EXPECT_EQ(list.Find(kC)->value.real, 3.0);
}

TEST_F(VariableStreamTest, TheIndexByNumberForgetsNodesALoadOrAClearTakesAway) {
  VariableNode* table[CVariableList::kSlots] = {};
  CVariableList list;
  list.SetSlotTable(table);
  list.SetValue(kA, 0, Real(1));
  list.SetValue(kC, 0, Real(2));
  EXPECT_EQ(list.FillSlot(0, kA), list.Find(kA));
  EXPECT_EQ(list.FillSlot(2, kC), list.Find(kC));
  EXPECT_EQ(list.FillSlot(1, kB), nullptr);
  EXPECT_EQ(table[0], list.Find(kA));
  EXPECT_EQ(table[1], nullptr);

  // A load replaces kA's node: the index forgets the old one.
  CVariableList saved;
  saved.SetValue(kA, 0, Real(7));
  CStream stream;
  saved.Save(stream);
  stream.SetPosition(0);
  ASSERT_TRUE(list.Load(stream));
  EXPECT_EQ(table[0], nullptr);
  EXPECT_EQ(table[2], nullptr);
  ASSERT_EQ(list.FillSlot(0, kA), list.Find(kA));
  EXPECT_EQ(table[0]->value.real, 7.0);

  // After a clear the numbers may stand for other names.
  list.Clear();
  EXPECT_EQ(table[0], nullptr);
  list.SetValue(kB, 0, Real(3));
  EXPECT_EQ(list.FillSlot(0, kB), list.Find(kB));
  // The last number is never kept.
  EXPECT_EQ(list.FillSlot(CVariableList::kSlots - 1, kB), list.Find(kB));
  EXPECT_EQ(table[CVariableList::kSlots - 1], nullptr);
}

TEST_F(VariableStreamTest, TheRectangularFormGivesEveryRowTheSameLength) {
  Bytes in;
  in.Int(441);
  in.Int(1);
  in.Int(kA);
  in.Value(5);
  in.Int(2 * 32000 + 3);
  for (int i = 0; i < 6; ++i) in.Value(i, i == 4 ? "four" : nullptr);
  CStream stream;
  Fill(&stream, in.data, in.data.size());
  CVariableList list;
  ASSERT_TRUE(list.Load(stream));
  EXPECT_EQ(Describe(list), "100000=5.000000 [0.000000,1.000000,2.000000] [3.000000,\"four\",5.000000];");
}

TEST_F(VariableStreamTest, AnyCutOfAStreamLeavesTheListUnchanged) {
  CVariableList saved;
  OwnedValue text("some text");
  saved.SetValue(kA, 0, text.v);
  saved.SetValue(kA, 32001, text.v);
  saved.SetValue(kB, 2, Real(3));
  CStream full;
  saved.Save(full);
  std::vector<uint8_t> data(full.GetBuffer(), full.GetBuffer() + full.GetPosition());

  CVariableList list;
  list.SetValue(kA, 0, Real(42));
  const std::string before = Describe(list);
  for (size_t cut = 0; cut < data.size(); ++cut) {
    CStream stream;
    Fill(&stream, data, cut);
    bool loaded = list.Load(stream);
    // Cutting after a whole record count of 0 is not possible here: the count is 2.
    EXPECT_FALSE(loaded) << "cut at " << cut;
    EXPECT_EQ(Describe(list), before) << "cut at " << cut;
  }
}

TEST_F(VariableStreamTest, HostileCountsAndTagsAreRefused) {
  auto refused = [](const Bytes& in) {
    CVariableList list;
    list.SetValue(kA, 0, Real(1));
    CStream stream;
    Fill(&stream, in.data, in.data.size());
    bool loaded = list.Load(stream);
    return !loaded && list.Count() == 1 && list.Find(kA)->value.real == 1.0;
  };
  Bytes hugeCount;
  hugeCount.Int(442);
  hugeCount.Int(0x7FFFFFFF);
  hugeCount.Int(kA);
  EXPECT_TRUE(refused(hugeCount));

  Bytes unknownTag;
  unknownTag.Int(443);
  unknownTag.Int(0);
  EXPECT_TRUE(refused(unknownTag));
  Bytes noVariables;  // a count below 1 loads nothing, and that is no failure
  noVariables.Int(442);
  noVariables.Int(0);
  EXPECT_FALSE(refused(noVariables));

  Bytes oneVariable;
  oneVariable.Int(442);
  oneVariable.Int(1);
  oneVariable.Int(kA);
  oneVariable.Value(0);
  Bytes hugeRows = oneVariable;
  hugeRows.Int(0x40000000);
  for (int i = 0; i < 16; ++i) hugeRows.Int(0);
  EXPECT_TRUE(refused(hugeRows));

  Bytes longRow = oneVariable;
  longRow.Int(1);
  longRow.Int(32001);
  for (int i = 0; i < 32001; ++i) longRow.Value(0);
  EXPECT_TRUE(refused(longRow)) << "no index can reach item 32000 of a row";

  Bytes negativeText;
  negativeText.Int(442);
  negativeText.Int(1);
  negativeText.Int(kA);
  negativeText.Int(kValueString);
  negativeText.Real(0);
  negativeText.Int(-4);
  negativeText.Int(0);
  EXPECT_TRUE(refused(negativeText));

  Bytes hugeExtent = oneVariable;
  hugeExtent.data[0] = 441 & 0xFF;
  hugeExtent.Int(67000 * 32000 + 31999);
  EXPECT_TRUE(refused(hugeExtent));
  hugeExtent.data.resize(hugeExtent.data.size() - 4);
  hugeExtent.Int(-1);
  EXPECT_TRUE(refused(hugeExtent));
}

class GlobalStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { Variable_Global_Init(); }
  void TearDown() override { Variable_Free(); }
  testsupport::ConsoleCapture capture;
};

TEST_F(GlobalStreamTest, SavedGlobalsReplaceTheCurrentOnes) {
  Variable_Global_Set(kA, 0, Real(1));
  Variable_DeclareGlobal(100000 + 10500);
  CStream stream;
  Variable_Global_Save(stream);
  const std::string saved = Describe(*Variable_Global_List());

  Variable_Global_Init();
  Variable_Global_Set(kC, 0, Real(5));
  Variable_Global_Set(kA, 0, Real(6));
  Variable_DeclareGlobal(kC);
  stream.SetPosition(0);
  ASSERT_TRUE(Variable_Global_Load(stream));
  EXPECT_EQ(Describe(*Variable_Global_List()), saved);
  EXPECT_EQ(Variable_GlobalVarFlagCount(), 11000);
  EXPECT_EQ(Variable_IsGlobalVar(100000 + 10500), 1);
  EXPECT_EQ(Variable_IsGlobalVar(kC), 0);
}

TEST_F(GlobalStreamTest, AWrongTagOrACutStreamChangesNothing) {
  Variable_Global_Set(kA, 0, Real(1));
  Variable_DeclareGlobal(kC);
  CStream good;
  Variable_Global_Save(good);
  std::vector<uint8_t> data(good.GetBuffer(), good.GetBuffer() + good.GetPosition());

  Variable_Global_Init();
  Variable_Global_Set(kB, 0, Real(2));
  const std::string before = Describe(*Variable_Global_List());

  std::vector<uint8_t> wrongTag = data;
  wrongTag[0] = 699 & 0xFF;
  CStream stream;
  Fill(&stream, wrongTag, wrongTag.size());
  EXPECT_FALSE(Variable_Global_Load(stream));
  EXPECT_EQ(stream.GetPosition(), 4) << "nothing past the tag is read";
  for (size_t cut : {size_t{0}, size_t{6}, data.size() - 4000, data.size() - 1}) {
    CStream part;
    Fill(&part, data, cut);
    EXPECT_FALSE(Variable_Global_Load(part)) << cut;
  }
  EXPECT_EQ(Describe(*Variable_Global_List()), before);
  EXPECT_EQ(Variable_GlobalVarFlagCount(), 10000);
  EXPECT_EQ(Variable_IsGlobalVar(kC), 0);
}

}  // namespace

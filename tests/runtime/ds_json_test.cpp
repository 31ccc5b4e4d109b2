// JSON text to and from maps and lists: the written text is json-c's print
// of a tree holding the same values, and decoded structures hold what the
// text says, one member per name.
#include <gtest/gtest.h>
#include <json-c/json.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/ds_test_support.h"

namespace {

class DSJson : public testing::Test {
 protected:
  void TearDown() override { DS_ReleasePools(); }
};

std::string Encode(int32_t map) { return TakeText(DS_JsonEncode(map)); }

int32_t NewMap() { return g_dsMaps.Add(new CDS_Map()); }
int32_t NewList() { return g_dsLists.Add(new CDS_List()); }
ScriptValue Nested(int32_t mark, int32_t id) { return ScriptValue{mark, nullptr, static_cast<double>(id)}; }

void Put(int32_t map, const ScriptValue& key, const ScriptValue& value) { g_dsMaps.Get(map)->Add(&key, &value); }
void Put(int32_t map, const char* key, const ScriptValue& value) { Put(map, TestValue(key).v, value); }
void Push(int32_t list, const ScriptValue& value) { g_dsLists.Get(list)->Add(&value); }

// json-c's spaced print of { "v": value }, taking the value.
std::string JsonC(json_object* value) {
  json_object* object = json_object_new_object();
  json_object_object_add(object, "v", value);
  std::string text = json_object_to_json_string_ext(object, JSON_C_TO_STRING_SPACED);
  json_object_put(object);
  return text;
}

std::string Ours(const ScriptValue& value) {
  const int32_t map = NewMap();
  Put(map, "v", value);
  return Encode(map);
}

// The decoded structure in a fixed form: members sorted by name, reals in
// full, nested structures in place.
std::string Dump(const ScriptValue& value);

std::string DumpMap(int32_t id) {
  const CDS_Map* map = g_dsMaps.Get(id);
  if (map == nullptr) return "<no map>";
  std::vector<std::string> members;
  for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
    members.push_back(Dump(e->key) + "=" + Dump(e->value));
  }
  std::sort(members.begin(), members.end());
  std::string out = "{";
  for (const std::string& m : members) out += (out.size() > 1 ? "," : "") + m;
  return out + "}";
}

std::string Dump(const ScriptValue& value) {
  if ((value.kind & kDSNestedMap) != 0) return DumpMap(static_cast<int32_t>(value.real));
  if ((value.kind & kDSNestedList) != 0) {
    CDS_List* list = g_dsLists.Get(static_cast<int32_t>(value.real));
    if (list == nullptr) return "<no list>";
    std::string out = "[";
    for (int32_t i = 0; i < list->Size(); ++i) out += (i > 0 ? "," : "") + Dump(*list->FindValue(i));
    return out + "]";
  }
  if (value.kind == kValueString) return "'" + std::string(ScriptValue_Text(value)) + "'";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value.real);
  return text;
}

TEST_F(DSJson, NumbersAndStringsAreWrittenAsJsonCPrintsThem) {
  const char* reals =
      "0 -0 1 -1 0.1 0.3333333333333333 -1234.5 1e15 1e16 1e17 1e21 1e-7 1e-6 5e-324 "
      "1.7976931348623157e308 nan inf -inf 123456789012345678";
  for (char* end = const_cast<char*>(reals); *end != 0;) {
    const double real = std::strtod(end, &end);
    EXPECT_EQ(Ours(TestValue(real).v), JsonC(json_object_new_double(real))) << real;
  }
  const char* const texts[] = {"",
                               "plain words",
                               "a/b//c",
                               "say \"hi\"",
                               "back\\slash",
                               "\b\f\n\r\t",
                               "\x01\x1f\x10 low",
                               "\x7f del",
                               "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
                               "ends in an escape\n"};
  for (const char* text : texts) {
    EXPECT_EQ(Ours(TestValue(text).v), JsonC(json_object_new_string(text))) << text;
  }
  // Reals from every part of the range, by their bits.
  uint64_t bits = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 20000; ++i) {
    bits = bits * 6364136223846793005u + 1442695040888963407u;
    double real;
    std::memcpy(&real, &bits, sizeof real);
    if (i % 2 == 0) real = std::trunc(real / 1e300 * 1e6) / 64.0;  // short fractions and whole numbers
    ASSERT_EQ(Ours(TestValue(real).v), JsonC(json_object_new_double(real))) << real;
  }
}

// Ids that name nothing, and a structure met again on its own way down,
// are written as null; the same map twice side by side is written twice.
TEST_F(DSJson, NestedIdsThatNameNothingOrLoopBackAreNull) {
  const int32_t map = NewMap(), list = NewList(), inner = NewMap();
  Put(inner, "k", TestValue(2.0).v);
  const ScriptValue items[] = {Nested(kDSNestedMap, 999),   Nested(kDSNestedList, -1),   Nested(kDSNestedMap, map),
                               Nested(kDSNestedList, list), Nested(kDSNestedMap, inner), Nested(kDSNestedMap, inner)};
  for (const ScriptValue& item : items) Push(list, item);
  Put(map, "l", Nested(kDSNestedList, list));
  EXPECT_EQ(Encode(map), R"({ "l": [ null, null, null, null, { "k": 2.0 }, { "k": 2.0 } ] })");
  EXPECT_EQ(Encode(NewMap()), "{ }");
  const int32_t keyed = NewMap();
  Put(keyed, TestValue(-3.5).v, Nested(kDSNestedList, NewList()));
  EXPECT_EQ(Encode(keyed), R"({ "-3": [ ] })");
}

// Keys whose names come out the same make one member, in the place of the
// first in walk order and with the value of the last.
TEST_F(DSJson, KeysWrittenAlikeKeepTheFirstPlaceAndTheLastValue) {
  struct Case {
    double real;
    const char* text;
  };
  const Case cases[] = {{7.2, "7"}, {7.9, "7"}, {-0.0, "0"}, {0.0, "0"}, {12.0, "12"}};
  for (const Case& c : cases) {
    const int32_t id = NewMap();
    Put(id, TestValue(c.real).v, TestValue(1.0).v);
    Put(id, c.text, TestValue(2.0).v);
    Put(id, TestValue(c.real + 0.05).v, TestValue(3.0).v);
    Put(id, "zz", TestValue(4.0).v);
    // Walk order follows the keys' hashes: the member goes where the first
    // of the three alike keys walks, relative to "zz".
    std::string order, lastValue;
    const CDS_Map* map = g_dsMaps.Get(id);
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) {
      const bool zz = e->key.kind == kValueString && std::strcmp(e->key.text, "zz") == 0;
      if (zz || order.find('k') == std::string::npos) order += zz ? 'z' : 'k';
      if (!zz) lastValue = Dump(e->value) + ".0";
    }
    const std::string alike = std::string("\"") + c.text + "\": " + lastValue;
    EXPECT_EQ(Encode(id), order == "kz" ? "{ " + alike + ", \"zz\": 4.0 }" : "{ \"zz\": 4.0, " + alike + " }")
        << c.text;
  }
}

TEST_F(DSJson, DecodedStructuresHoldWhatTheTextSays) {
  struct Case {
    const char* text;
    const char* dump;
  };
  const Case cases[] = {
      {"{}", "{}"},
      {" { \"a\" : [ ] , \"b\" : { } } ", "{'a'=[],'b'={}}"},
      {R"({"a":1,"a":"two","b":null,"a":3})", "{'a'=3}"},
      {R"({"n":[null,true,false,null]})", "{'n'=[0,1,0,0]}"},
      {R"({"x":[[[]],[{"y":[1]}]]})", "{'x'=[[[]],[{'y'=[1]}]]}"},
      {R"({"i":-0,"e":1E2,"f":-1.5e-3,"big":12345678901234567890,"neg":-9223372036854775808})",
       "{'big'=1.2345678901234567e+19,'e'=100,'f'=-0.0015,'i'=0,'neg'=-9.2233720368547758e+18}"},
      {R"({"u":"\u00e9\u20ac\ud83d\ude00","s":"\/\"\\\b\f\n\r\t"})",
       "{'s'='/\"\\\b\f\n\r\t','u'='\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80'}"},
      {R"({"cut":"ab\u0000cd","k\u0000ey":1,"":"empty"})", "{''='empty','cut'='ab','k'=1}"},
      {"  {not json}  ", "{'default'='  {not json}  '}"},
      {"[1,2]", "{'default'='[1,2]'}"},
  };
  for (const Case& c : cases) {
    const int32_t id = DS_JsonDecode(c.text);
    EXPECT_EQ(DumpMap(id), c.dump) << c.text;
    DS_ReleasePools();
  }
}

TEST_F(DSJson, EveryMemberOfALargeObjectIsFoundAndIdsFollowTheText) {
  for (int members : {1, 4, 5, 9, 1000}) {
    std::string text = "{";
    for (int i = 0; i < members; ++i)
      text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":[" + std::to_string(i) + "]";
    const int32_t id = DS_JsonDecode((text + "}").c_str());
    CDS_Map* map = g_dsMaps.Get(id);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Size(), members);
    int32_t walked = 0;
    for (const DSMapEntry* e = map->FirstEntry(); e != nullptr; e = map->NextEntry(e)) ++walked;
    EXPECT_EQ(walked, members);
    for (int i = 0; i < members; ++i) {
      const ScriptValue* list = map->FindValue(&TestValue(("k" + std::to_string(i)).c_str()));
      ASSERT_NE(list, nullptr) << i;
      // Lists are made in the text's order.
      EXPECT_EQ(list->real, i) << i;
      EXPECT_EQ(Describe(g_dsLists.Get(i)->FindValue(0)), "r:" + std::to_string(i));
    }
    DS_ReleasePools();
  }
}

}  // namespace

// json_decode and json_encode between JSON text and nested maps and lists,
// and the HTTP built-ins' ids and event maps against a loopback server.
#include <gtest/gtest.h>

#include <string>

#include "builtin_test_support.h"
#include "builtins/ds/handlers.h"
#include "builtins/files/handlers.h"
#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"
#include "shell/http_request.h"
#include "support/loopback_server.h"

namespace {

class JsonBuiltins : public testing::Test {
 protected:
  void TearDown() override { DS_ReleasePools(); }

  static double Decode(const char* text) { return BuiltinCall(F_JsonDecode, {S(text)}).Real(); }
  static std::string Encode(double map) { return BuiltinCall(F_JsonEncode, {R(map)}).Text(); }
  // A map value as scripts read it.
  static double Real(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Real(); }
  static std::string Text(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Text(); }
  static double Size(BuiltinFunction size, double id) { return BuiltinCall(size, {R(id)}).Real(); }
};

TEST_F(JsonBuiltins, DecodingBuildsNestedMapsAndListsScriptsCanUse) {
  const double m = Decode(R"({"a":1,"b":[1,2,{"c":null}],"d":true,"e":"text","f":2.25})");
  ASSERT_GE(m, 0);
  EXPECT_EQ(Size(F_DsMapSize, m), 5) << "the null member of the inner map is left out, nothing else";
  EXPECT_EQ(Real(m, "a"), 1);
  EXPECT_EQ(Real(m, "d"), 1);
  EXPECT_EQ(Text(m, "e"), "text");
  EXPECT_EQ(Real(m, "f"), 2.25);
  const double list = Real(m, "b");
  ASSERT_EQ(Size(F_DsListSize, list), 3);
  EXPECT_EQ(BuiltinCall(F_DsListFindValue, {R(list), R(1)}).Real(), 2);
  BuiltinCall inner(F_DsListFindValue, {R(list), R(2)});
  EXPECT_EQ(inner.value.kind, kValueReal) << "a nested id reaches scripts as a plain real";
  EXPECT_GT(inner.Real(), m) << "nested maps take their ids after their parent";
  EXPECT_EQ(Size(F_DsMapSize, inner.Real()), 0);

  const double nulls = Decode(R"({"n":[null,"x"],"a":1,"a":2})");
  EXPECT_EQ(BuiltinCall(F_DsListFindValue, {R(Real(nulls, "n")), R(0)}).Real(), 0) << "null is 0 in an array";
  EXPECT_EQ(Real(nulls, "a"), 2) << "a later member of the same name wins";
}

TEST_F(JsonBuiltins, TextWithoutBracesLandsUnderDefault) {
  EXPECT_EQ(Text(Decode("hello"), "default"), "hello");
  EXPECT_EQ(Text(Decode("  {not json}  "), "default"), "  {not json}  ") << "braced text that fails, as given";
  EXPECT_EQ(Text(BuiltinCall(F_JsonDecode, {R(2.5)}).Real(), "default"), "2.50");
  EXPECT_EQ(Decode("say \"hi\""), -1) << "inserted unescaped, a quote breaks the text";
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "{\"a\":";
  deep += "1" + std::string(40, '}');
  EXPECT_EQ(Decode(deep.c_str()), -1) << "json-c's depth limit";
  EXPECT_EQ(g_dsMaps.count, 3) << "nothing is left behind by a refused text";
}

TEST_F(JsonBuiltins, EncodingWritesTheMapsWalkAndSurvivesCycles) {
  EXPECT_EQ(Encode(0), "") << "no map";
  const double m = BuiltinCall(F_DsMapCreate, std::vector<GoldenArg>{}).Real();
  BuiltinCall(F_DsMapAdd, {R(m), R(7.9), S("seven")});
  EXPECT_EQ(Encode(m), R"({ "7": "seven" })");
  BuiltinCall(F_DsMapDestroy, {R(m)});
  EXPECT_EQ(Encode(m), "");

  const char* text = R"({"a":1,"b":[1,"two",{"c":[]}],"d":{"e":"f"}})";
  const double decoded = Decode(text);
  const std::string encoded = Encode(decoded);
  EXPECT_EQ(Encode(Decode(encoded.c_str())), encoded) << "decoding what was written keeps the structure";
  EXPECT_NE(encoded.find(R"("b": [ 1.0, "two", { "c": [ ] } ])"), std::string::npos) << encoded;

  // A map copied into its own child: the child meets itself on the way down.
  const double child = Real(decoded, "d");
  BuiltinCall(F_DsMapCopy, {R(child), R(decoded)});
  const std::string cyclic = Encode(decoded);
  EXPECT_NE(cyclic.find(R"("d": { "b": [ 1.0, "two", { "c": [ ] } ], "a": 1.0, "d": null })"), std::string::npos)
      << cyclic;

  // Nesting beyond the limit is cut short rather than exhausting the stack.
  int32_t top = g_dsMaps.Add(new CDS_Map());
  int32_t at = top;
  ScriptValue key, value;
  ScriptValue_SetString(&key, "k");
  for (int i = 0; i < 600; ++i) {
    const int32_t next = g_dsMaps.Add(new CDS_Map());
    value.kind = kDSNestedMap;
    value.real = next;
    g_dsMaps.Get(at)->Add(&key, &value);
    at = next;
  }
  ScriptValue_Release(&key);
  const std::string deep = Encode(top);
  size_t levels = 0;
  for (size_t p = deep.find("\"k\""); p != std::string::npos; p = deep.find("\"k\"", p + 1)) ++levels;
  EXPECT_EQ(levels, size_t(kDSJsonMaxDepth));
  EXPECT_NE(deep.find("\"k\": null"), std::string::npos);
}

TEST_F(JsonBuiltins, TenThousandSmallObjectsStayWithinTheirMemory) {
  std::string text = "{\"items\":[";
  for (int i = 0; i < 10000; ++i) text += std::string(i ? "," : "") + R"({"x":1,"name":"n","ok":true})";
  text += "]}";
  const uint32_t before = MemoryManager::BytesInUse();
  ASSERT_GE(Decode(text.c_str()), 0);
  EXPECT_LT(MemoryManager::BytesInUse() - before, 40u << 20);
}

class HttpBuiltins : public testing::Test {
 protected:
  void SetUp() override { HTTP_ResetForTest(); }
  void TearDown() override {
    HTTP_ResetForTest();
    DS_ReleasePools();
  }
  // Delivers the newest finished request; its map's id.
  static double Deliver() {
    HTTP_REQ_CONTEXT* request = HTTP_TakeFinished();
    EXPECT_NE(request, nullptr);
    if (request == nullptr) return -1;
    EXPECT_EQ(request->next, nullptr);
    int32_t map = -1;
    EXPECT_EQ(HTTP_Complete(request, &map), 62);
    HTTP_Dispose(request);
    return map;
  }
  static std::string Text(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Text(); }
  static double Real(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Real(); }

  testsupport::LoopbackServer server_;
};

TEST_F(HttpBuiltins, RequestsAnswerTheirIdAndDeliverTheirMap) {
  EXPECT_EQ(BuiltinCall(F_HttpGet, {S("ftp://127.0.0.1/")}).Real(), -1);
  EXPECT_EQ(BuiltinCall(F_HttpGet, {S("HTTP://127.0.0.1/")}).Real(), -1) << "the scheme is case-sensitive";
  EXPECT_EQ(BuiltinCall(F_HttpPostString, {R(3), S("a=1")}).Real(), -1);
  EXPECT_EQ(g_httpRequestList, nullptr);

  server_.On("/hello", testsupport::ServerReply(201, std::string("hi\0there", 8)));
  const std::string url = server_.Url("/hello");
  EXPECT_EQ(BuiltinCall(F_HttpGet, {S(url.c_str())}).Real(), 0);
  double map = Deliver();
  EXPECT_EQ(BuiltinCall(F_DsMapSize, {R(map)}).Real(), 5);
  EXPECT_EQ(Real(map, "id"), 0);
  EXPECT_EQ(Text(map, "url"), url);
  EXPECT_EQ(Text(map, "result"), "hi") << "the text ends at a zero byte";
  EXPECT_EQ(Real(map, "http_status"), 201);
  EXPECT_EQ(Real(map, "status"), 0);

  server_.On("/empty", testsupport::ServerReply(200, ""));
  EXPECT_EQ(BuiltinCall(F_HttpPostString, {S(server_.Url("/empty").c_str()), S("a=1&b=2")}).Real(), 1);
  EXPECT_EQ(server_.Requests().back().body, "a=1&b=2");
  map = Deliver();
  EXPECT_EQ(Real(map, "status"), -1) << "an empty body, whatever the code";
  EXPECT_EQ(Text(map, "result"), "");
  EXPECT_EQ(Real(map, "http_status"), 200);
}

}  // namespace

// json_decode and json_encode between JSON text and nested maps and lists,
// and the HTTP built-ins' ids and event maps against a loopback server.
#include <gtest/gtest.h>

#include <string>

#include "builtin_test_support.h"
#include "builtins/ds/handlers.h"
#include "builtins/files/handlers.h"
#include "requests/http_request.h"
#include "runtime/ds_json.h"
#include "runtime/ds_pool.h"
#include "runtime/memory.h"
#include "support/loopback_server.h"

namespace {

class JsonBuiltins : public testing::Test {
 protected:
  void TearDown() override { DS_ReleasePools(); }

  static double Decode(const char* text) { return BuiltinCall(F_JsonDecode, {S(text)}).Real(); }
  static std::string Encode(double map) { return BuiltinCall(F_JsonEncode, {R(map)}).Text(); }
  // A map value as scripts read it.
  static double Real(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Real(); }
  static std::string Text(double map, const char* key) {
    return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Text();
  }
  static double Size(BuiltinFunction size, double id) { return BuiltinCall(size, {R(id)}).Real(); }
};

// The plain cases run end to end (json_cases); these are the corners.
TEST_F(JsonBuiltins, DecodingCorners) {
  const double m = Decode(R"({"n":[null,"x",{"c":null}],"a":1,"a":2})");
  ASSERT_GE(m, 0);
  const double list = Real(m, "n");
  EXPECT_EQ(BuiltinCall(F_DsListFindValue, {R(list), R(0)}).Real(), 0) << "null is 0 in an array";
  BuiltinCall inner(F_DsListFindValue, {R(list), R(2)});
  EXPECT_EQ(inner.value.kind, kValueReal) << "a nested id reaches scripts as a plain real";
  EXPECT_EQ(Size(F_DsMapSize, inner.Real()), 0) << "the null member is left out";
  EXPECT_EQ(Real(m, "a"), 2) << "a later member of the same name wins";
  EXPECT_EQ(Text(Decode("  {not json}  "), "default"), "  {not json}  ") << "braced text that fails, as given";
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "{\"a\":";
  deep += "1" + std::string(40, '}');
  const int32_t maps = g_dsMaps.count;
  EXPECT_EQ(Decode(deep.c_str()), -1) << "json-c's depth limit";
  EXPECT_EQ(g_dsMaps.count, maps) << "nothing is left behind by a refused text";
}

// Nesting beyond the limit is cut short rather than exhausting the stack.
TEST_F(JsonBuiltins, EncodingStopsAtItsDepth) {
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
  static std::string Text(double map, const char* key) {
    return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Text();
  }
  static double Real(double map, const char* key) { return BuiltinCall(F_DsMapFindValue, {R(map), S(key)}).Real(); }

  testsupport::LoopbackServer server_;
};

// Ids, the POST and the empty body run end to end (http_requests).
TEST_F(HttpBuiltins, SchemesAreExactAndTheResultIsText) {
  EXPECT_EQ(BuiltinCall(F_HttpGet, {S("HTTP://127.0.0.1/")}).Real(), -1) << "the scheme is case-sensitive";
  EXPECT_EQ(BuiltinCall(F_HttpPostString, {R(3), S("a=1")}).Real(), -1);
  EXPECT_EQ(g_httpRequestList, nullptr);
  server_.On("/hello", testsupport::ServerReply(201, std::string("hi\0there", 8)));
  EXPECT_EQ(BuiltinCall(F_HttpGet, {S(server_.Url("/hello").c_str())}).Real(), 0);
  const double map = Deliver();
  EXPECT_EQ(Text(map, "result"), "hi") << "the text ends at a zero byte";
  EXPECT_EQ(Real(map, "http_status"), 201);
  EXPECT_EQ(Real(map, "status"), 0);
}

}  // namespace

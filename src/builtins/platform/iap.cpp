// In-app purchases. No store exists here; a demonstration store with fixed
// content answers instead, in data structures scripts read like any other.
#include "builtins/platform/iap.h"

#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "builtins/ds/handlers.h"
#include "builtins/ds/queues.h"
#include "builtins/platform/handlers.h"
#include "runtime/numeric.h"
#include "world/services/platform_services.h"

namespace {

constexpr int32_t kProductMaps = 16;

struct DemoProduct {
  const char* title;
  const char* description;
  const char* price;
  const char* id;
  const char* status;
};
constexpr DemoProduct kDemoProducts[] = {
    {"Demo product 1", "Demonstration store: a product already bought", "0.99", "demo_product_1", "Purchased"},
    {"Demo product 2", "Demonstration store: a product for sale", "1.99", "demo_product_2", "Available"},
    {"Demo product 3", "Demonstration store: a product being downloaded", "2.99", "demo_product_3", "Downloading"},
    {"Demo product 4", "Demonstration store: a product not offered", "3.99", "demo_product_4", "Unavailable"},
};
constexpr const char* kDemoFiles[] = {"demo_product_1.dat"};

// The structures iap_activate made; -1 before.
struct Store {
  int32_t status = -1;
  int32_t purchases = -1;
  int32_t products[kProductMaps] = {};
  int32_t details = -1;
  int32_t files = -1;
};
Store g_store;
int32_t g_eventQueue = -1;

// An argument for a data-structure handler.
struct Arg {
  Arg(double real) { ScriptValue_SetReal(&value, real); }
  Arg(const char* text) { ScriptValue_SetString(&value, text); }
  ~Arg() { ScriptValue_Release(&value); }
  Arg(const Arg&) = delete;
  Arg& operator=(const Arg&) = delete;
  ScriptValue value;
};

// Calls a data-structure handler as a script would; answers its real.
int32_t Ds(BuiltinFunction handler, std::initializer_list<const Arg*> args) {
  ScriptValue values[3];
  int32_t count = 0;
  for (const Arg* arg : args) values[count++] = arg->value;
  ScriptValue out;
  handler(&out, nullptr, nullptr, count, values);
  const int32_t answer = Num_RoundInt32(out.real);
  ScriptValue_Release(&out);
  return answer;
}

void MapAdd(int32_t map, const char* key, const Arg& value) {
  const Arg id(map), name(key);
  Ds(F_DsMapAdd, {&id, &name, &value});
}

bool Active() { return g_store.status >= 0; }

}  // namespace

void IapEvents_Add(double value) {
  if (g_eventQueue < 0) g_eventQueue = DSQueue_Create();
  const DSQueueItem item{value, nullptr};
  DSQueue_Enqueue(g_eventQueue, 1, &item);
  IapEvents_MarkPending();
}

void Iap_ResetForTest() {
  g_store = Store();
  g_eventQueue = -1;
}

// Every call makes a new set, as a store that starts again would.
void F_IapActivate(KV_BUILTIN_PARAMS) {
  g_store.status = Ds(F_DsMapCreate, {});
  g_store.purchases = Ds(F_DsListCreate, {});
  for (int32_t& product : g_store.products) product = Ds(F_DsMapCreate, {});
  g_store.details = Ds(F_DsMapCreate, {});
  g_store.files = -1;
}

void F_IapStatus(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  if (!Active()) return;
  const Arg status(g_store.status), purchases(g_store.purchases);
  Ds(F_DsMapClear, {&status});
  MapAdd(g_store.status, "status", Arg("Available"));
  MapAdd(g_store.status, "purchases", purchases);
  Ds(F_DsListClear, {&purchases});
  for (size_t i = 0; i < std::size(kDemoProducts); ++i) {
    const DemoProduct& demo = kDemoProducts[i];
    const int32_t map = g_store.products[i];
    const Arg product(map);
    Ds(F_DsMapClear, {&product});
    MapAdd(map, "title", Arg(demo.title));
    MapAdd(map, "description", Arg(demo.description));
    MapAdd(map, "price", Arg(demo.price));
    MapAdd(map, "id", Arg(demo.id));
    MapAdd(map, "status", Arg(demo.status));
    Ds(F_DsListAdd, {&purchases, &product});
  }
  Result_SetReal(result, g_store.status);
}

void F_IapFilesPurchased(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  if (!Active()) return;
  if (g_store.files < 0) g_store.files = Ds(F_DsListCreate, {});
  const Arg files(g_store.files);
  Ds(F_DsListClear, {&files});
  for (const char* name : kDemoFiles) {
    const Arg file(name);
    Ds(F_DsListAdd, {&files, &file});
  }
  Result_SetReal(result, g_store.files);
}

void F_IapAbsent(KV_BUILTIN_PARAMS) {}
void F_IapEventQueue(KV_BUILTIN_PARAMS) { Result_SetReal(result, g_eventQueue); }

#include "runtime/ds_pool.h"

#include <cstdarg>

DSPool<CDS_Stack> g_dsStacks;
DSPool<CDS_Queue> g_dsQueues;
DSPool<CDS_List> g_dsLists;
DSPool<CDS_Map> g_dsMaps;
DSPool<CDS_Priority> g_dsPriorities;
DSPool<CDS_Grid> g_dsGrids;

int32_t DS_NewListSlot() { return g_dsLists.NewSlot(); }

int32_t DS_NewMapSlot() { return g_dsMaps.NewSlot(); }

int32_t DS_CreateMapFromPairs(int32_t count, ...) {
  auto* map = new CDS_Map();
  va_list args;
  va_start(args, count);
  ScriptValue key;
  ScriptValue value;
  for (int32_t i = 0; i < count; ++i) {
    const char* keyText = va_arg(args, const char*);
    double real = va_arg(args, double);
    const char* valueText = va_arg(args, const char*);
    ScriptValue_SetString(&key, keyText);
    if (valueText != nullptr)
      ScriptValue_SetString(&value, valueText);
    else
      ScriptValue_SetReal(&value, real);
    map->Add(&key, &value);
  }
  va_end(args);
  ScriptValue_Release(&key);
  ScriptValue_Release(&value);
  int32_t id = DS_NewMapSlot();
  g_dsMaps.Store(id, map);
  return id;
}

void DS_ReleasePools() {
  g_dsStacks.Release();
  g_dsQueues.Release();
  g_dsLists.Release();
  g_dsMaps.Release();
  g_dsPriorities.Release();
  g_dsGrids.Release();
}

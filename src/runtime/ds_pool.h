// The program-wide pools that give scripts integer ids for their data
// structures. A pool owns its structures; a destroyed id leaves a null slot
// that the next create of that kind takes (lowest first), and the slot
// array grows by 16 when every slot is in use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "runtime/ds_grid.h"
#include "runtime/ds_list.h"
#include "runtime/ds_map.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_queue.h"
#include "runtime/ds_stack.h"
#include "runtime/memory.h"

template <typename T>
struct DSPool {
  int32_t capacity = 0;
  T** items = nullptr;
  int32_t count = 0;
  // Every slot below it is in use, so a search for a free one starts there
  // rather than walking every structure made so far.
  int32_t firstFree = 0;

  // The first null slot, else a new one at the end; nothing is stored.
  int32_t NewSlot() {
    for (int32_t i = firstFree; i < count; ++i) {
      if (items[i] == nullptr) {
        firstFree = i;
        return i;
      }
    }
    if (count == capacity) {
      capacity = count + 16;
      // The block under the slots doubles, so making many structures in a
      // row copies the slot array a few times rather than once per 16.
      const size_t held = MemoryManager::GetSize(items) / sizeof(T*);
      if (held < static_cast<size_t>(capacity)) {
        const size_t grown = std::max(held * 2, static_cast<size_t>(capacity));
        MemoryManager::SetLength(&items, grown * sizeof(T*), __FILE__, __LINE__);
      }
    }
    items[count] = nullptr;
    firstFree = count;
    return count++;
  }
  // Takes ownership of the structure in a new slot; answers its id.
  int32_t Add(T* structure) {
    int32_t id = NewSlot();
    items[id] = structure;
    return id;
  }
  // The structure of a live id, else null.
  T* Get(int32_t id) const { return id >= 0 && id < count ? items[id] : nullptr; }
  // Stores into a slot handed out by NewSlot (ignored for other ids).
  void Store(int32_t id, T* structure) {
    if (id >= 0 && id < count && items[id] == nullptr) items[id] = structure;
  }
  void Destroy(int32_t id) {
    T* structure = Get(id);
    if (structure == nullptr) return;
    items[id] = nullptr;
    if (id < firstFree) firstFree = id;
    delete structure;
  }
  // Deletes every structure and frees the slot array.
  void Release() {
    for (int32_t i = 0; i < count; ++i) delete items[i];
    MemoryManager::Free(items);
    items = nullptr;
    capacity = 0;
    count = 0;
    firstFree = 0;
  }
};

extern DSPool<CDS_Stack> g_dsStacks;
extern DSPool<CDS_Queue> g_dsQueues;
extern DSPool<CDS_List> g_dsLists;
extern DSPool<CDS_Map> g_dsMaps;
extern DSPool<CDS_Priority> g_dsPriorities;
extern DSPool<CDS_Grid> g_dsGrids;

// Free slots of the shared list and map pools, for code that stores its own
// structures there.
int32_t DS_NewListSlot();
int32_t DS_NewMapSlot();

// A new map in the map pool from `count` pairs passed as (const char* key,
// double real, const char* text): string keys, and a string value when its
// text is not null, else the real. Texts are copied. Answers the map's id.
int32_t DS_CreateMapFromPairs(int32_t count, ...);

// Empties all six pools (program exit).
void DS_ReleasePools();

// The data-structure family's table, in its fixed order.
#include "builtins/data/ds_builtins.h"
#include "runtime/fatal.h"
#include "script/function_registry.h"

namespace {

struct FamilyEntry {
  const char* name;
  BuiltinFunction handler;
  int32_t argumentCount;
};

constexpr FamilyEntry kFamily[] = {
    {"ds_set_precision", F_DsSetPrecision, 1},

    {"ds_stack_create", F_DsStackCreate, 0},
    {"ds_stack_destroy", F_DsStackDestroy, 1},
    {"ds_stack_clear", F_DsStackClear, 1},
    {"ds_stack_copy", F_DsStackCopy, 2},
    {"ds_stack_size", F_DsStackSize, 1},
    {"ds_stack_empty", F_DsStackEmpty, 1},
    {"ds_stack_write", F_DsStackWrite, 1},
    {"ds_stack_read", F_DsStackRead, 2},
    {"ds_stack_push", F_DsStackPush, 2},
    {"ds_stack_pop", F_DsStackPop, 1},
    {"ds_stack_top", F_DsStackTop, 1},

    {"ds_queue_create", F_DsQueueCreate, 0},
    {"ds_queue_destroy", F_DsQueueDestroy, 1},
    {"ds_queue_clear", F_DsQueueClear, 1},
    {"ds_queue_copy", F_DsQueueCopy, 2},
    {"ds_queue_size", F_DsQueueSize, 1},
    {"ds_queue_empty", F_DsQueueEmpty, 1},
    {"ds_queue_write", F_DsQueueWrite, 1},
    {"ds_queue_read", F_DsQueueRead, 2},
    {"ds_queue_enqueue", F_DsQueueEnqueue, 2},
    {"ds_queue_dequeue", F_DsQueueDequeue, 1},
    {"ds_queue_head", F_DsQueueHead, 1},
    {"ds_queue_tail", F_DsQueueTail, 1},

    {"ds_list_create", F_DsListCreate, 0},
    {"ds_list_destroy", F_DsListDestroy, 1},
    {"ds_list_clear", F_DsListClear, 1},
    {"ds_list_copy", F_DsListCopy, 2},
    {"ds_list_size", F_DsListSize, 1},
    {"ds_list_empty", F_DsListEmpty, 1},
    {"ds_list_write", F_DsListWrite, 1},
    {"ds_list_read", F_DsListRead, 2},
    {"ds_list_add", F_DsListAdd, 2},
    {"ds_list_insert", F_DsListInsert, 3},
    {"ds_list_replace", F_DsListReplace, 3},
    {"ds_list_delete", F_DsListDelete, 2},
    {"ds_list_find_index", F_DsListFindIndex, 2},
    {"ds_list_find_value", F_DsListFindValue, 2},
    {"ds_list_sort", F_DsListSort, 2},
    {"ds_list_shuffle", F_DsListShuffle, 1},

    {"ds_map_create", F_DsMapCreate, 0},
    {"ds_map_destroy", F_DsMapDestroy, 1},
    {"ds_map_clear", F_DsMapClear, 1},
    {"ds_map_copy", F_DsMapCopy, 2},
    {"ds_map_size", F_DsMapSize, 1},
    {"ds_map_empty", F_DsMapEmpty, 1},
    {"ds_map_write", F_DsMapWrite, 1},
    {"ds_map_read", F_DsMapRead, 2},
    {"ds_map_add", F_DsMapAdd, 3},
    {"ds_map_replace", F_DsMapReplace, 3},
    {"ds_map_delete", F_DsMapDelete, 2},
    {"ds_map_exists", F_DsMapExists, 2},
    {"ds_map_find_value", F_DsMapFindValue, 2},
    {"ds_map_find_first", F_DsMapFindFirst, 1},
    {"ds_map_find_last", F_DsMapFindLast, 1},
    {"ds_map_find_next", F_DsMapFindNext, 2},
    {"ds_map_find_previous", F_DsMapFindPrevious, 2},

    {"ds_priority_create", F_DsPriorityCreate, 0},
    {"ds_priority_destroy", F_DsPriorityDestroy, 1},
    {"ds_priority_clear", F_DsPriorityClear, 1},
    {"ds_priority_copy", F_DsPriorityCopy, 2},
    {"ds_priority_size", F_DsPrioritySize, 1},
    {"ds_priority_empty", F_DsPriorityEmpty, 1},
    {"ds_priority_write", F_DsPriorityWrite, 1},
    {"ds_priority_read", F_DsPriorityRead, 2},
    {"ds_priority_add", F_DsPriorityAdd, 3},
    {"ds_priority_change_priority", F_DsPriorityChangePriority, 3},
    {"ds_priority_find_priority", F_DsPriorityFindPriority, 2},
    {"ds_priority_delete_value", F_DsPriorityDeleteValue, 2},
    {"ds_priority_find_min", F_DsPriorityFindMin, 1},
    {"ds_priority_find_max", F_DsPriorityFindMax, 1},
    {"ds_priority_delete_min", F_DsPriorityDeleteMin, 1},
    {"ds_priority_delete_max", F_DsPriorityDeleteMax, 1},

    {"ds_grid_create", F_DsGridCreate, 2},
    {"ds_grid_destroy", F_DsGridDestroy, 1},
    {"ds_grid_copy", F_DsGridCopy, 2},
    {"ds_grid_resize", F_DsGridResize, 3},
    {"ds_grid_width", F_DsGridWidth, 1},
    {"ds_grid_height", F_DsGridHeight, 1},
    {"ds_grid_clear", F_DsGridClear, 2},
    {"ds_grid_set", F_DsGridSet, 4},
    {"ds_grid_add", F_DsGridAdd, 4},
    {"ds_grid_multiply", F_DsGridMultiply, 4},
    {"ds_grid_set_region", F_DsGridSetRegion, 6},
    {"ds_grid_add_region", F_DsGridAddRegion, 6},
    {"ds_grid_multiply_region", F_DsGridMultiplyRegion, 6},
    {"ds_grid_set_disk", F_DsGridSetDisk, 5},
    {"ds_grid_add_disk", F_DsGridAddDisk, 5},
    {"ds_grid_multiply_disk", F_DsGridMultiplyDisk, 5},
    {"ds_grid_set_grid_region", F_DsGridSetGridRegion, 8},
    {"ds_grid_add_grid_region", F_DsGridAddGridRegion, 8},
    {"ds_grid_multiply_grid_region", F_DsGridMultiplyGridRegion, 8},
    {"ds_grid_get", F_DsGridGet, 3},
    {"ds_grid_get_sum", F_DsGridGetSum, 5},
    {"ds_grid_get_max", F_DsGridGetMax, 5},
    {"ds_grid_get_min", F_DsGridGetMin, 5},
    {"ds_grid_get_mean", F_DsGridGetMean, 5},
    {"ds_grid_get_disk_sum", F_DsGridGetDiskSum, 4},
    {"ds_grid_get_disk_max", F_DsGridGetDiskMax, 4},
    {"ds_grid_get_disk_min", F_DsGridGetDiskMin, 4},
    {"ds_grid_get_disk_mean", F_DsGridGetDiskMean, 4},
    {"ds_grid_value_exists", F_DsGridValueExists, 6},
    {"ds_grid_value_x", F_DsGridValueX, 6},
    {"ds_grid_value_y", F_DsGridValueY, 6},
    {"ds_grid_value_disk_exists", F_DsGridValueDiskExists, 5},
    {"ds_grid_value_disk_x", F_DsGridValueDiskX, 5},
    {"ds_grid_value_disk_y", F_DsGridValueDiskY, 5},
    {"ds_grid_shuffle", F_DsGridShuffle, 1},
    {"ds_grid_write", F_DsGridWrite, 1},
    {"ds_grid_read", F_DsGridRead, 2},
};

// A second record of a name would never be found, so a slip in the table
// would silently hide a built-in.
void CheckNotRegistered([[maybe_unused]] const char* name) {
#ifndef NDEBUG
  int32_t id = -1;
  if (Function_Find(name, &id)) Fatal_InternalError("built-in %s is registered twice", name);
#endif
}

}  // namespace

void Builtins_RegisterDataStructures() {
  for (const FamilyEntry& entry : kFamily) {
    CheckNotRegistered(entry.name);
    Function_Add(entry.name, entry.handler, entry.argumentCount);
  }
}

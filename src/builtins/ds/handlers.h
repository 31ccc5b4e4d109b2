// The data-structure family: stacks, queues, lists, maps, priority queues and
// grids that scripts name by an integer id into the pool of each kind.
//
// Every handler but the creates rounds its id half to even (only
// ds_list_find_index truncates it); an id without a live structure reports
// "Data structure with index does not exist." and leaves the result real 0.
#pragma once

#include "builtins/builtin_args.h"

// The family's message for an id without a structure.
inline constexpr const char* kDSNoStructure = "Data structure with index does not exist.";

KV_BUILTIN(F_DsSetPrecision);

KV_BUILTIN(F_DsStackCreate);
KV_BUILTIN(F_DsStackDestroy);
KV_BUILTIN(F_DsStackClear);
KV_BUILTIN(F_DsStackCopy);
KV_BUILTIN(F_DsStackSize);
KV_BUILTIN(F_DsStackEmpty);
KV_BUILTIN(F_DsStackWrite);
KV_BUILTIN(F_DsStackRead);
KV_BUILTIN(F_DsStackPush);
KV_BUILTIN(F_DsStackPop);
KV_BUILTIN(F_DsStackTop);

KV_BUILTIN(F_DsQueueCreate);
KV_BUILTIN(F_DsQueueDestroy);
KV_BUILTIN(F_DsQueueClear);
KV_BUILTIN(F_DsQueueCopy);
KV_BUILTIN(F_DsQueueSize);
KV_BUILTIN(F_DsQueueEmpty);
KV_BUILTIN(F_DsQueueWrite);
KV_BUILTIN(F_DsQueueRead);
KV_BUILTIN(F_DsQueueEnqueue);
KV_BUILTIN(F_DsQueueDequeue);
KV_BUILTIN(F_DsQueueHead);
KV_BUILTIN(F_DsQueueTail);

KV_BUILTIN(F_DsListCreate);
KV_BUILTIN(F_DsListDestroy);
KV_BUILTIN(F_DsListClear);
KV_BUILTIN(F_DsListCopy);
KV_BUILTIN(F_DsListSize);
KV_BUILTIN(F_DsListEmpty);
KV_BUILTIN(F_DsListWrite);
KV_BUILTIN(F_DsListRead);
KV_BUILTIN(F_DsListAdd);
KV_BUILTIN(F_DsListInsert);
KV_BUILTIN(F_DsListReplace);
KV_BUILTIN(F_DsListDelete);
KV_BUILTIN(F_DsListFindIndex);
KV_BUILTIN(F_DsListFindValue);
KV_BUILTIN(F_DsListSort);
KV_BUILTIN(F_DsListShuffle);

KV_BUILTIN(F_DsMapCreate);
KV_BUILTIN(F_DsMapDestroy);
KV_BUILTIN(F_DsMapClear);
KV_BUILTIN(F_DsMapCopy);
KV_BUILTIN(F_DsMapSize);
KV_BUILTIN(F_DsMapEmpty);
KV_BUILTIN(F_DsMapWrite);
KV_BUILTIN(F_DsMapRead);
KV_BUILTIN(F_DsMapAdd);
KV_BUILTIN(F_DsMapReplace);
KV_BUILTIN(F_DsMapDelete);
KV_BUILTIN(F_DsMapExists);
KV_BUILTIN(F_DsMapFindValue);
KV_BUILTIN(F_DsMapFindFirst);
KV_BUILTIN(F_DsMapFindLast);
KV_BUILTIN(F_DsMapFindNext);
KV_BUILTIN(F_DsMapFindPrevious);

KV_BUILTIN(F_DsPriorityCreate);
KV_BUILTIN(F_DsPriorityDestroy);
KV_BUILTIN(F_DsPriorityClear);
KV_BUILTIN(F_DsPriorityCopy);
KV_BUILTIN(F_DsPrioritySize);
KV_BUILTIN(F_DsPriorityEmpty);
KV_BUILTIN(F_DsPriorityWrite);
KV_BUILTIN(F_DsPriorityRead);
KV_BUILTIN(F_DsPriorityAdd);
KV_BUILTIN(F_DsPriorityChangePriority);
KV_BUILTIN(F_DsPriorityFindPriority);
KV_BUILTIN(F_DsPriorityDeleteValue);
KV_BUILTIN(F_DsPriorityFindMin);
KV_BUILTIN(F_DsPriorityFindMax);
KV_BUILTIN(F_DsPriorityDeleteMin);
KV_BUILTIN(F_DsPriorityDeleteMax);

KV_BUILTIN(F_DsGridCreate);
KV_BUILTIN(F_DsGridDestroy);
KV_BUILTIN(F_DsGridCopy);
KV_BUILTIN(F_DsGridResize);
KV_BUILTIN(F_DsGridWidth);
KV_BUILTIN(F_DsGridHeight);
KV_BUILTIN(F_DsGridClear);
KV_BUILTIN(F_DsGridSet);
KV_BUILTIN(F_DsGridAdd);
KV_BUILTIN(F_DsGridMultiply);
KV_BUILTIN(F_DsGridSetRegion);
KV_BUILTIN(F_DsGridAddRegion);
KV_BUILTIN(F_DsGridMultiplyRegion);
KV_BUILTIN(F_DsGridSetDisk);
KV_BUILTIN(F_DsGridAddDisk);
KV_BUILTIN(F_DsGridMultiplyDisk);
KV_BUILTIN(F_DsGridSetGridRegion);
KV_BUILTIN(F_DsGridAddGridRegion);
KV_BUILTIN(F_DsGridMultiplyGridRegion);
KV_BUILTIN(F_DsGridGet);
KV_BUILTIN(F_DsGridGetSum);
KV_BUILTIN(F_DsGridGetMax);
KV_BUILTIN(F_DsGridGetMin);
KV_BUILTIN(F_DsGridGetMean);
KV_BUILTIN(F_DsGridGetDiskSum);
KV_BUILTIN(F_DsGridGetDiskMax);
KV_BUILTIN(F_DsGridGetDiskMin);
KV_BUILTIN(F_DsGridGetDiskMean);
KV_BUILTIN(F_DsGridValueExists);
KV_BUILTIN(F_DsGridValueX);
KV_BUILTIN(F_DsGridValueY);
KV_BUILTIN(F_DsGridValueDiskExists);
KV_BUILTIN(F_DsGridValueDiskX);
KV_BUILTIN(F_DsGridValueDiskY);
KV_BUILTIN(F_DsGridShuffle);
KV_BUILTIN(F_DsGridWrite);
KV_BUILTIN(F_DsGridRead);

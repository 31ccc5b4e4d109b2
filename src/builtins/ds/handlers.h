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

void F_DsSetPrecision(KV_BUILTIN_PARAMS);

void F_DsStackCreate(KV_BUILTIN_PARAMS);
void F_DsStackDestroy(KV_BUILTIN_PARAMS);
void F_DsStackClear(KV_BUILTIN_PARAMS);
void F_DsStackCopy(KV_BUILTIN_PARAMS);
void F_DsStackSize(KV_BUILTIN_PARAMS);
void F_DsStackEmpty(KV_BUILTIN_PARAMS);
void F_DsStackWrite(KV_BUILTIN_PARAMS);
void F_DsStackRead(KV_BUILTIN_PARAMS);
void F_DsStackPush(KV_BUILTIN_PARAMS);
void F_DsStackPop(KV_BUILTIN_PARAMS);
void F_DsStackTop(KV_BUILTIN_PARAMS);

void F_DsQueueCreate(KV_BUILTIN_PARAMS);
void F_DsQueueDestroy(KV_BUILTIN_PARAMS);
void F_DsQueueClear(KV_BUILTIN_PARAMS);
void F_DsQueueCopy(KV_BUILTIN_PARAMS);
void F_DsQueueSize(KV_BUILTIN_PARAMS);
void F_DsQueueEmpty(KV_BUILTIN_PARAMS);
void F_DsQueueWrite(KV_BUILTIN_PARAMS);
void F_DsQueueRead(KV_BUILTIN_PARAMS);
void F_DsQueueEnqueue(KV_BUILTIN_PARAMS);
void F_DsQueueDequeue(KV_BUILTIN_PARAMS);
void F_DsQueueHead(KV_BUILTIN_PARAMS);
void F_DsQueueTail(KV_BUILTIN_PARAMS);

void F_DsListCreate(KV_BUILTIN_PARAMS);
void F_DsListDestroy(KV_BUILTIN_PARAMS);
void F_DsListClear(KV_BUILTIN_PARAMS);
void F_DsListCopy(KV_BUILTIN_PARAMS);
void F_DsListSize(KV_BUILTIN_PARAMS);
void F_DsListEmpty(KV_BUILTIN_PARAMS);
void F_DsListWrite(KV_BUILTIN_PARAMS);
void F_DsListRead(KV_BUILTIN_PARAMS);
void F_DsListAdd(KV_BUILTIN_PARAMS);
void F_DsListInsert(KV_BUILTIN_PARAMS);
void F_DsListReplace(KV_BUILTIN_PARAMS);
void F_DsListDelete(KV_BUILTIN_PARAMS);
void F_DsListFindIndex(KV_BUILTIN_PARAMS);
void F_DsListFindValue(KV_BUILTIN_PARAMS);
void F_DsListSort(KV_BUILTIN_PARAMS);
void F_DsListShuffle(KV_BUILTIN_PARAMS);

void F_DsMapCreate(KV_BUILTIN_PARAMS);
void F_DsMapDestroy(KV_BUILTIN_PARAMS);
void F_DsMapClear(KV_BUILTIN_PARAMS);
void F_DsMapCopy(KV_BUILTIN_PARAMS);
void F_DsMapSize(KV_BUILTIN_PARAMS);
void F_DsMapEmpty(KV_BUILTIN_PARAMS);
void F_DsMapWrite(KV_BUILTIN_PARAMS);
void F_DsMapRead(KV_BUILTIN_PARAMS);
void F_DsMapAdd(KV_BUILTIN_PARAMS);
void F_DsMapReplace(KV_BUILTIN_PARAMS);
void F_DsMapDelete(KV_BUILTIN_PARAMS);
void F_DsMapExists(KV_BUILTIN_PARAMS);
void F_DsMapFindValue(KV_BUILTIN_PARAMS);
void F_DsMapFindFirst(KV_BUILTIN_PARAMS);
void F_DsMapFindLast(KV_BUILTIN_PARAMS);
void F_DsMapFindNext(KV_BUILTIN_PARAMS);
void F_DsMapFindPrevious(KV_BUILTIN_PARAMS);

void F_DsPriorityCreate(KV_BUILTIN_PARAMS);
void F_DsPriorityDestroy(KV_BUILTIN_PARAMS);
void F_DsPriorityClear(KV_BUILTIN_PARAMS);
void F_DsPriorityCopy(KV_BUILTIN_PARAMS);
void F_DsPrioritySize(KV_BUILTIN_PARAMS);
void F_DsPriorityEmpty(KV_BUILTIN_PARAMS);
void F_DsPriorityWrite(KV_BUILTIN_PARAMS);
void F_DsPriorityRead(KV_BUILTIN_PARAMS);
void F_DsPriorityAdd(KV_BUILTIN_PARAMS);
void F_DsPriorityChangePriority(KV_BUILTIN_PARAMS);
void F_DsPriorityFindPriority(KV_BUILTIN_PARAMS);
void F_DsPriorityDeleteValue(KV_BUILTIN_PARAMS);
void F_DsPriorityFindMin(KV_BUILTIN_PARAMS);
void F_DsPriorityFindMax(KV_BUILTIN_PARAMS);
void F_DsPriorityDeleteMin(KV_BUILTIN_PARAMS);
void F_DsPriorityDeleteMax(KV_BUILTIN_PARAMS);

void F_DsGridCreate(KV_BUILTIN_PARAMS);
void F_DsGridDestroy(KV_BUILTIN_PARAMS);
void F_DsGridCopy(KV_BUILTIN_PARAMS);
void F_DsGridResize(KV_BUILTIN_PARAMS);
void F_DsGridWidth(KV_BUILTIN_PARAMS);
void F_DsGridHeight(KV_BUILTIN_PARAMS);
void F_DsGridClear(KV_BUILTIN_PARAMS);
void F_DsGridSet(KV_BUILTIN_PARAMS);
void F_DsGridAdd(KV_BUILTIN_PARAMS);
void F_DsGridMultiply(KV_BUILTIN_PARAMS);
void F_DsGridSetRegion(KV_BUILTIN_PARAMS);
void F_DsGridAddRegion(KV_BUILTIN_PARAMS);
void F_DsGridMultiplyRegion(KV_BUILTIN_PARAMS);
void F_DsGridSetDisk(KV_BUILTIN_PARAMS);
void F_DsGridAddDisk(KV_BUILTIN_PARAMS);
void F_DsGridMultiplyDisk(KV_BUILTIN_PARAMS);
void F_DsGridSetGridRegion(KV_BUILTIN_PARAMS);
void F_DsGridAddGridRegion(KV_BUILTIN_PARAMS);
void F_DsGridMultiplyGridRegion(KV_BUILTIN_PARAMS);
void F_DsGridGet(KV_BUILTIN_PARAMS);
void F_DsGridGetSum(KV_BUILTIN_PARAMS);
void F_DsGridGetMax(KV_BUILTIN_PARAMS);
void F_DsGridGetMin(KV_BUILTIN_PARAMS);
void F_DsGridGetMean(KV_BUILTIN_PARAMS);
void F_DsGridGetDiskSum(KV_BUILTIN_PARAMS);
void F_DsGridGetDiskMax(KV_BUILTIN_PARAMS);
void F_DsGridGetDiskMin(KV_BUILTIN_PARAMS);
void F_DsGridGetDiskMean(KV_BUILTIN_PARAMS);
void F_DsGridValueExists(KV_BUILTIN_PARAMS);
void F_DsGridValueX(KV_BUILTIN_PARAMS);
void F_DsGridValueY(KV_BUILTIN_PARAMS);
void F_DsGridValueDiskExists(KV_BUILTIN_PARAMS);
void F_DsGridValueDiskX(KV_BUILTIN_PARAMS);
void F_DsGridValueDiskY(KV_BUILTIN_PARAMS);
void F_DsGridShuffle(KV_BUILTIN_PARAMS);
void F_DsGridWrite(KV_BUILTIN_PARAMS);
void F_DsGridRead(KV_BUILTIN_PARAMS);

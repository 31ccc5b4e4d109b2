// The precision of comparisons, and the stack, queue and list built-ins.
#include "builtins/ds/support.h"

void F_DsSetPrecision(KV_BUILTIN_PARAMS) { DS_SetPrecision(BuiltinArgs(argc, args).Real(0)); }

// Stacks.

void F_DsStackCreate(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Create(g_dsStacks, result); }
void F_DsStackDestroy(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Destroy(g_dsStacks, BuiltinArgs(argc, args)); }
void F_DsStackClear(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Clear(g_dsStacks, BuiltinArgs(argc, args)); }
void F_DsStackCopy(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Copy(g_dsStacks, BuiltinArgs(argc, args)); }
void F_DsStackSize(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Size(g_dsStacks, BuiltinArgs(argc, args), result); }
void F_DsStackEmpty(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Empty(g_dsStacks, BuiltinArgs(argc, args), result); }
void F_DsStackWrite(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Write(g_dsStacks, BuiltinArgs(argc, args), result); }

void F_DsStackRead(KV_BUILTIN_PARAMS) { DSShared<CDS_Stack>::Read(g_dsStacks, BuiltinArgs(argc, args)); }

void F_DsStackPush(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Stack* stack = DS_Target(g_dsStacks, in)) stack->Push(DS_ArgValue(in, 1));
}

void F_DsStackPop(KV_BUILTIN_PARAMS) {
  if (CDS_Stack* stack = DS_Target(g_dsStacks, BuiltinArgs(argc, args))) DS_ReturnValue(result, stack->Pop());
}

void F_DsStackTop(KV_BUILTIN_PARAMS) {
  if (CDS_Stack* stack = DS_Target(g_dsStacks, BuiltinArgs(argc, args))) DS_ReturnValue(result, stack->Top());
}

// Queues.

void F_DsQueueCreate(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Create(g_dsQueues, result); }
void F_DsQueueDestroy(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Destroy(g_dsQueues, BuiltinArgs(argc, args)); }
void F_DsQueueClear(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Clear(g_dsQueues, BuiltinArgs(argc, args)); }
void F_DsQueueCopy(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Copy(g_dsQueues, BuiltinArgs(argc, args)); }
void F_DsQueueSize(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Size(g_dsQueues, BuiltinArgs(argc, args), result); }
void F_DsQueueEmpty(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Empty(g_dsQueues, BuiltinArgs(argc, args), result); }
void F_DsQueueWrite(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Write(g_dsQueues, BuiltinArgs(argc, args), result); }

void F_DsQueueRead(KV_BUILTIN_PARAMS) { DSShared<CDS_Queue>::Read(g_dsQueues, BuiltinArgs(argc, args)); }

void F_DsQueueEnqueue(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Queue* queue = DS_Target(g_dsQueues, in)) queue->Enqueue(DS_ArgValue(in, 1));
}

void F_DsQueueDequeue(KV_BUILTIN_PARAMS) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Dequeue());
}

void F_DsQueueHead(KV_BUILTIN_PARAMS) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Head());
}

void F_DsQueueTail(KV_BUILTIN_PARAMS) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Tail());
}

// Lists. Positions out of range are ignored by the list itself.

void F_DsListCreate(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Create(g_dsLists, result); }
void F_DsListDestroy(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Destroy(g_dsLists, BuiltinArgs(argc, args)); }
void F_DsListClear(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Clear(g_dsLists, BuiltinArgs(argc, args)); }
void F_DsListCopy(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Copy(g_dsLists, BuiltinArgs(argc, args)); }
void F_DsListSize(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Size(g_dsLists, BuiltinArgs(argc, args), result); }
void F_DsListEmpty(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Empty(g_dsLists, BuiltinArgs(argc, args), result); }
void F_DsListWrite(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Write(g_dsLists, BuiltinArgs(argc, args), result); }

void F_DsListRead(KV_BUILTIN_PARAMS) { DSShared<CDS_List>::Read(g_dsLists, BuiltinArgs(argc, args)); }

void F_DsListAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Add(DS_ArgValue(in, 1));
}

void F_DsListInsert(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Insert(in.Int(1), DS_ArgValue(in, 2));
}

void F_DsListReplace(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Replace(in.Int(1), DS_ArgValue(in, 2));
}

void F_DsListDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Delete(in.Int(1));
}

// The one handler that truncates its id instead of rounding it.
void F_DsListFindIndex(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Lookup(g_dsLists, in.TruncInt(0))) {
    Result_SetReal(result, list->FindIndex(DS_ArgValue(in, 1)));
  }
}

void F_DsListFindValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) DS_ReturnValue(result, list->FindValue(in.Int(1)));
}

void F_DsListSort(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Sort(in.Bool(1));
}

void F_DsListShuffle(KV_BUILTIN_PARAMS) {
  if (CDS_List* list = DS_Target(g_dsLists, BuiltinArgs(argc, args))) list->Shuffle();
}

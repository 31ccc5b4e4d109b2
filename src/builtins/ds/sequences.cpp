// The precision of comparisons, and the stack, queue and list built-ins.
#include "builtins/ds/support.h"

KV_BUILTIN(F_DsSetPrecision) { DS_SetPrecision(BuiltinArgs(argc, args).Real(0)); }

// Stacks.

DS_SHARED_HANDLERS(Stack, g_dsStacks, CDS_Stack)

KV_BUILTIN(F_DsStackRead) { DSShared<CDS_Stack>::Read(g_dsStacks, BuiltinArgs(argc, args)); }

KV_BUILTIN(F_DsStackPush) {
  BuiltinArgs in(argc, args);
  if (CDS_Stack* stack = DS_Target(g_dsStacks, in)) stack->Push(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsStackPop) {
  if (CDS_Stack* stack = DS_Target(g_dsStacks, BuiltinArgs(argc, args))) DS_ReturnValue(result, stack->Pop());
}

KV_BUILTIN(F_DsStackTop) {
  if (CDS_Stack* stack = DS_Target(g_dsStacks, BuiltinArgs(argc, args))) DS_ReturnValue(result, stack->Top());
}

// Queues.

DS_SHARED_HANDLERS(Queue, g_dsQueues, CDS_Queue)

KV_BUILTIN(F_DsQueueRead) { DSShared<CDS_Queue>::Read(g_dsQueues, BuiltinArgs(argc, args)); }

KV_BUILTIN(F_DsQueueEnqueue) {
  BuiltinArgs in(argc, args);
  if (CDS_Queue* queue = DS_Target(g_dsQueues, in)) queue->Enqueue(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsQueueDequeue) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Dequeue());
}

KV_BUILTIN(F_DsQueueHead) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Head());
}

KV_BUILTIN(F_DsQueueTail) {
  if (CDS_Queue* queue = DS_Target(g_dsQueues, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->Tail());
}

// Lists. Positions out of range are ignored by the list itself.

DS_SHARED_HANDLERS(List, g_dsLists, CDS_List)

KV_BUILTIN(F_DsListRead) { DSShared<CDS_List>::Read(g_dsLists, BuiltinArgs(argc, args)); }

KV_BUILTIN(F_DsListAdd) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Add(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsListInsert) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Insert(in.Int(1), DS_ArgValue(in, 2));
}

KV_BUILTIN(F_DsListReplace) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Replace(in.Int(1), DS_ArgValue(in, 2));
}

KV_BUILTIN(F_DsListDelete) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Delete(in.Int(1));
}

// The one handler that truncates its id instead of rounding it.
KV_BUILTIN(F_DsListFindIndex) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Lookup(g_dsLists, in.TruncInt(0))) {
    Result_SetReal(result, list->FindIndex(DS_ArgValue(in, 1)));
  }
}

KV_BUILTIN(F_DsListFindValue) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) DS_ReturnValue(result, list->FindValue(in.Int(1)));
}

KV_BUILTIN(F_DsListSort) {
  BuiltinArgs in(argc, args);
  if (CDS_List* list = DS_Target(g_dsLists, in)) list->Sort(in.Bool(1));
}

KV_BUILTIN(F_DsListShuffle) {
  if (CDS_List* list = DS_Target(g_dsLists, BuiltinArgs(argc, args))) list->Shuffle();
}

// The map and priority-queue built-ins.
#include "builtins/ds/support.h"

// Maps.

DS_SHARED_HANDLERS(Map, g_dsMaps, CDS_Map)

// A map's reader clears before it reads, so the text is read into a spare map
// first: a refused text leaves the map as it was.
KV_BUILTIN(F_DsMapRead) {
  BuiltinArgs in(argc, args);
  CDS_Map* map = DS_Target(g_dsMaps, in);
  if (map == nullptr || !in.IsString(1)) return;
  CDS_Map read;
  if (read.ReadText(in.Text(1))) map->Copy(&read);
}

KV_BUILTIN(F_DsMapAdd) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) {
    Result_SetReal(result, map->Add(DS_ArgValue(in, 1), DS_ArgValue(in, 2)) ? 1.0 : 0.0);
  }
}

KV_BUILTIN(F_DsMapReplace) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) {
    Result_SetReal(result, map->Replace(DS_ArgValue(in, 1), DS_ArgValue(in, 2)) ? 1.0 : 0.0);
  }
}

KV_BUILTIN(F_DsMapDelete) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) map->Delete(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsMapExists) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) Result_SetReal(result, map->Exists(DS_ArgValue(in, 1)) ? 1.0 : 0.0);
}

KV_BUILTIN(F_DsMapFindValue) {
  BuiltinArgs in(argc, args);
  CDS_Map* map = DS_Target(g_dsMaps, in);
  if (map == nullptr) return;
  DS_ReturnValue(result, map->FindValue(DS_ArgValue(in, 1)));
}

KV_BUILTIN(F_DsMapFindFirst) {
  if (CDS_Map* map = DS_Target(g_dsMaps, BuiltinArgs(argc, args))) DS_ReturnValue(result, map->FindFirst());
}

KV_BUILTIN(F_DsMapFindLast) {
  if (CDS_Map* map = DS_Target(g_dsMaps, BuiltinArgs(argc, args))) DS_ReturnValue(result, map->FindLast());
}

KV_BUILTIN(F_DsMapFindNext) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) DS_ReturnValue(result, map->FindNext(DS_ArgValue(in, 1)));
}

KV_BUILTIN(F_DsMapFindPrevious) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) DS_ReturnValue(result, map->FindPrevious(DS_ArgValue(in, 1)));
}

// Priority queues.

DS_SHARED_HANDLERS(Priority, g_dsPriorities, CDS_Priority)

KV_BUILTIN(F_DsPriorityRead) { DSShared<CDS_Priority>::Read(g_dsPriorities, BuiltinArgs(argc, args)); }

KV_BUILTIN(F_DsPriorityAdd) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) queue->Add(DS_ArgValue(in, 1), DS_ArgValue(in, 2));
}

KV_BUILTIN(F_DsPriorityChangePriority) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) {
    queue->ChangePriority(DS_ArgValue(in, 1), DS_ArgValue(in, 2));
  }
}

KV_BUILTIN(F_DsPriorityFindPriority) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) {
    DS_ReturnValue(result, queue->FindPriority(DS_ArgValue(in, 1)));
  }
}

KV_BUILTIN(F_DsPriorityDeleteValue) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) queue->DeleteValue(DS_ArgValue(in, 1));
}

KV_BUILTIN(F_DsPriorityFindMin) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->FindMin());
}

KV_BUILTIN(F_DsPriorityFindMax) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) DS_ReturnValue(result, queue->FindMax());
}

KV_BUILTIN(F_DsPriorityDeleteMin) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) queue->DeleteMin(result);
}

KV_BUILTIN(F_DsPriorityDeleteMax) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) queue->DeleteMax(result);
}

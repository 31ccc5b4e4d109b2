// The map and priority-queue built-ins.
#include "builtins/ds/support.h"

// Maps.

void F_DsMapCreate(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Create(g_dsMaps, result); }
void F_DsMapDestroy(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Destroy(g_dsMaps, BuiltinArgs(argc, args)); }
void F_DsMapClear(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Clear(g_dsMaps, BuiltinArgs(argc, args)); }
void F_DsMapCopy(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Copy(g_dsMaps, BuiltinArgs(argc, args)); }
void F_DsMapSize(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Size(g_dsMaps, BuiltinArgs(argc, args), result); }
void F_DsMapEmpty(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Empty(g_dsMaps, BuiltinArgs(argc, args), result); }
void F_DsMapWrite(KV_BUILTIN_PARAMS) { DSShared<CDS_Map>::Write(g_dsMaps, BuiltinArgs(argc, args), result); }

// A map's reader clears before it reads, so the text is read into a spare map
// first: a refused text leaves the map as it was.
void F_DsMapRead(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  CDS_Map* map = DS_Target(g_dsMaps, in);
  if (map == nullptr || !in.IsString(1)) return;
  CDS_Map read;
  if (read.ReadText(in.Text(1))) map->Copy(&read);
}

void F_DsMapAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) {
    Result_SetReal(result, map->Add(DS_ArgValue(in, 1), DS_ArgValue(in, 2)) ? 1.0 : 0.0);
  }
}

void F_DsMapReplace(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) {
    Result_SetReal(result, map->Replace(DS_ArgValue(in, 1), DS_ArgValue(in, 2)) ? 1.0 : 0.0);
  }
}

void F_DsMapDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) map->Delete(DS_ArgValue(in, 1));
}

void F_DsMapExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) Result_SetReal(result, map->Exists(DS_ArgValue(in, 1)) ? 1.0 : 0.0);
}

void F_DsMapFindValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  CDS_Map* map = DS_Target(g_dsMaps, in);
  if (map == nullptr) return;
  DS_ReturnValue(result, map->FindValue(DS_ArgValue(in, 1)));
}

void F_DsMapFindFirst(KV_BUILTIN_PARAMS) {
  if (CDS_Map* map = DS_Target(g_dsMaps, BuiltinArgs(argc, args))) DS_ReturnValue(result, map->FindFirst());
}

void F_DsMapFindLast(KV_BUILTIN_PARAMS) {
  if (CDS_Map* map = DS_Target(g_dsMaps, BuiltinArgs(argc, args))) DS_ReturnValue(result, map->FindLast());
}

void F_DsMapFindNext(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) DS_ReturnValue(result, map->FindNext(DS_ArgValue(in, 1)));
}

void F_DsMapFindPrevious(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Map* map = DS_Target(g_dsMaps, in)) DS_ReturnValue(result, map->FindPrevious(DS_ArgValue(in, 1)));
}

// Priority queues.

void F_DsPriorityCreate(KV_BUILTIN_PARAMS) { DSShared<CDS_Priority>::Create(g_dsPriorities, result); }
void F_DsPriorityDestroy(KV_BUILTIN_PARAMS) {
  DSShared<CDS_Priority>::Destroy(g_dsPriorities, BuiltinArgs(argc, args));
}
void F_DsPriorityClear(KV_BUILTIN_PARAMS) { DSShared<CDS_Priority>::Clear(g_dsPriorities, BuiltinArgs(argc, args)); }
void F_DsPriorityCopy(KV_BUILTIN_PARAMS) { DSShared<CDS_Priority>::Copy(g_dsPriorities, BuiltinArgs(argc, args)); }
void F_DsPrioritySize(KV_BUILTIN_PARAMS) {
  DSShared<CDS_Priority>::Size(g_dsPriorities, BuiltinArgs(argc, args), result);
}
void F_DsPriorityEmpty(KV_BUILTIN_PARAMS) {
  DSShared<CDS_Priority>::Empty(g_dsPriorities, BuiltinArgs(argc, args), result);
}
void F_DsPriorityWrite(KV_BUILTIN_PARAMS) {
  DSShared<CDS_Priority>::Write(g_dsPriorities, BuiltinArgs(argc, args), result);
}

void F_DsPriorityRead(KV_BUILTIN_PARAMS) { DSShared<CDS_Priority>::Read(g_dsPriorities, BuiltinArgs(argc, args)); }

void F_DsPriorityAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) queue->Add(DS_ArgValue(in, 1), DS_ArgValue(in, 2));
}

void F_DsPriorityChangePriority(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) {
    queue->ChangePriority(DS_ArgValue(in, 1), DS_ArgValue(in, 2));
  }
}

void F_DsPriorityFindPriority(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) {
    DS_ReturnValue(result, queue->FindPriority(DS_ArgValue(in, 1)));
  }
}

void F_DsPriorityDeleteValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, in)) queue->DeleteValue(DS_ArgValue(in, 1));
}

void F_DsPriorityFindMin(KV_BUILTIN_PARAMS) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args)))
    DS_ReturnValue(result, queue->FindMin());
}

void F_DsPriorityFindMax(KV_BUILTIN_PARAMS) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args)))
    DS_ReturnValue(result, queue->FindMax());
}

void F_DsPriorityDeleteMin(KV_BUILTIN_PARAMS) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) queue->DeleteMin(result);
}

void F_DsPriorityDeleteMax(KV_BUILTIN_PARAMS) {
  if (CDS_Priority* queue = DS_Target(g_dsPriorities, BuiltinArgs(argc, args))) queue->DeleteMax(result);
}

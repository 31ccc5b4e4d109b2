// The path functions over the path store: queries, copies and the editing
// of points. Coordinates, speeds, scales and angles are kept in single
// precision, as the paths hold them.
#include "builtins/resources/handlers.h"
#include "builtins/resources/support.h"
#include "resources/path.h"
#include "runtime/numeric.h"

namespace {

float Single(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

CPath* PathOf(int32_t argc, const ScriptValue* args) { return Path_Get(BuiltinArgs(argc, args).Int(0)); }

void Query(ScriptValue* result, int32_t argc, const ScriptValue* args, double (*field)(const CPath&)) {
  const CPath* path = PathOf(argc, args);
  Resource_SetQuery(result, path != nullptr, path != nullptr ? field(*path) : 0.0);
}

// A field of user point n (a fixed point for n out of range).
void PointQuery(ScriptValue* result, int32_t argc, const ScriptValue* args, float PathPoint::*field) {
  BuiltinArgs a(argc, args);
  const CPath* path = Path_Get(a.Int(0));
  Resource_SetQuery(result, path != nullptr, path != nullptr ? path->GetPoint(a.Int(1)).*field : 0.0);
}

// A field of the position a fraction along the path.
void PositionQuery(ScriptValue* result, int32_t argc, const ScriptValue* args, float PathPoint::*field) {
  BuiltinArgs a(argc, args);
  const CPath* path = Path_Get(a.Int(0));
  Resource_SetQuery(result, path != nullptr, path != nullptr ? path->GetPosition(Single(a, 1)).*field : 0.0);
}

bool Exists(const BuiltinArgs& a, int32_t i, const char* missing) { return Resource_Check(Path_Exists, a, i, missing); }

}  // namespace

void F_PathExists(KV_BUILTIN_PARAMS) { Resource_SetFlag(result, Path_Exists(BuiltinArgs(argc, args).Int(0))); }

void F_PathName(KV_BUILTIN_PARAMS) { Resource_TakeName(result, Path_GetName(BuiltinArgs(argc, args).Int(0))); }

void F_PathGetLength(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetLength()); });
}
void F_PathGetKind(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetKind()); });
}
void F_PathGetClosed(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CPath& p) { return p.GetClosed() ? 1.0 : 0.0; });
}
void F_PathGetPrecision(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetPrecision()); });
}
void F_PathGetNumber(KV_BUILTIN_PARAMS) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetCount()); });
}

void F_PathGetPointX(KV_BUILTIN_PARAMS) { PointQuery(result, argc, args, &PathPoint::x); }
void F_PathGetPointY(KV_BUILTIN_PARAMS) { PointQuery(result, argc, args, &PathPoint::y); }
void F_PathGetPointSpeed(KV_BUILTIN_PARAMS) { PointQuery(result, argc, args, &PathPoint::speed); }
void F_PathGetX(KV_BUILTIN_PARAMS) { PositionQuery(result, argc, args, &PathPoint::x); }
void F_PathGetY(KV_BUILTIN_PARAMS) { PositionQuery(result, argc, args, &PathPoint::y); }
void F_PathGetSpeed(KV_BUILTIN_PARAMS) { PositionQuery(result, argc, args, &PathPoint::speed); }

void F_PathSetKind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetKind(a.Int(1));
}

void F_PathSetClosed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetClosed(a.Bool(1));
}

void F_PathSetPrecision(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetPrecision(a.Int(1));
}

void F_PathAdd(KV_BUILTIN_PARAMS) { Result_SetReal(result, Path_Add()); }

void F_PathDuplicate(KV_BUILTIN_PARAMS) {
  Resource_Duplicate(result, BuiltinArgs(argc, args), Path_Exists, Path_Duplicate,
                     "Trying to duplicate non-existing path.");
}

void F_PathAssign(KV_BUILTIN_PARAMS) {
  Resource_Assign(BuiltinArgs(argc, args), Path_Assign, "Error assigning a path.");
}

void F_PathAppend(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!Exists(a, 0, "Appending to non-existing path.") || !Exists(a, 1, "Appending a non-existing path.")) return;
  Path_Get(a.Int(0))->Append(*Path_Get(a.Int(1)));
}

void F_PathDelete(KV_BUILTIN_PARAMS) {
  Resource_Delete(result, BuiltinArgs(argc, args), Path_Exists, Path_Delete, "Trying to delete non-existing path.");
}

void F_PathAddPoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->AddPoint(Single(a, 1), Single(a, 2), Single(a, 3));
}

void F_PathInsertPoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->InsertPoint(a.Int(1), Single(a, 2), Single(a, 3), Single(a, 4));
}

void F_PathChangePoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->ChangePoint(a.Int(1), Single(a, 2), Single(a, 3), Single(a, 4));
}

void F_PathDeletePoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->DeletePoint(a.Int(1));
}

void F_PathClearPoints(KV_BUILTIN_PARAMS) {
  if (CPath* path = PathOf(argc, args)) path->Clear();
}

void F_PathReverse(KV_BUILTIN_PARAMS) {
  if (CPath* path = PathOf(argc, args)) path->Reverse();
}

void F_PathMirror(KV_BUILTIN_PARAMS) {
  if (CPath* path = PathOf(argc, args)) path->Mirror();
}

void F_PathFlip(KV_BUILTIN_PARAMS) {
  if (CPath* path = PathOf(argc, args)) path->Flip();
}

void F_PathRotate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Rotate(Single(a, 1));
}

void F_PathRescale(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Scale(Single(a, 1), Single(a, 2));
}

void F_PathShift(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Shift(Single(a, 1), Single(a, 2));
}

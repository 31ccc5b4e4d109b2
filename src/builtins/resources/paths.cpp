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

KV_BUILTIN(F_PathExists) { Resource_SetFlag(result, Path_Exists(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_PathName) { Resource_TakeName(result, Path_GetName(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_PathGetLength) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetLength()); });
}
KV_BUILTIN(F_PathGetKind) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetKind()); });
}
KV_BUILTIN(F_PathGetClosed) {
  Query(result, argc, args, [](const CPath& p) { return p.GetClosed() ? 1.0 : 0.0; });
}
KV_BUILTIN(F_PathGetPrecision) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetPrecision()); });
}
KV_BUILTIN(F_PathGetNumber) {
  Query(result, argc, args, [](const CPath& p) { return double(p.GetCount()); });
}

KV_BUILTIN(F_PathGetPointX) { PointQuery(result, argc, args, &PathPoint::x); }
KV_BUILTIN(F_PathGetPointY) { PointQuery(result, argc, args, &PathPoint::y); }
KV_BUILTIN(F_PathGetPointSpeed) { PointQuery(result, argc, args, &PathPoint::speed); }
KV_BUILTIN(F_PathGetX) { PositionQuery(result, argc, args, &PathPoint::x); }
KV_BUILTIN(F_PathGetY) { PositionQuery(result, argc, args, &PathPoint::y); }
KV_BUILTIN(F_PathGetSpeed) { PositionQuery(result, argc, args, &PathPoint::speed); }

KV_BUILTIN(F_PathSetKind) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetKind(a.Int(1));
}

KV_BUILTIN(F_PathSetClosed) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetClosed(a.Bool(1));
}

KV_BUILTIN(F_PathSetPrecision) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->SetPrecision(a.Int(1));
}

KV_BUILTIN(F_PathAdd) { Result_SetReal(result, Path_Add()); }

KV_BUILTIN(F_PathDuplicate) {
  Resource_Duplicate(result, BuiltinArgs(argc, args), Path_Exists, Path_Duplicate,
                     "Trying to duplicate non-existing path.");
}

KV_BUILTIN(F_PathAssign) { Resource_Assign(BuiltinArgs(argc, args), Path_Assign, "Error assigning a path."); }

KV_BUILTIN(F_PathAppend) {
  BuiltinArgs a(argc, args);
  if (!Exists(a, 0, "Appending to non-existing path.") || !Exists(a, 1, "Appending a non-existing path.")) return;
  Path_Get(a.Int(0))->Append(*Path_Get(a.Int(1)));
}

KV_BUILTIN(F_PathDelete) {
  Resource_Delete(result, BuiltinArgs(argc, args), Path_Exists, Path_Delete, "Trying to delete non-existing path.");
}

KV_BUILTIN(F_PathAddPoint) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->AddPoint(Single(a, 1), Single(a, 2), Single(a, 3));
}

KV_BUILTIN(F_PathInsertPoint) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->InsertPoint(a.Int(1), Single(a, 2), Single(a, 3), Single(a, 4));
}

KV_BUILTIN(F_PathChangePoint) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->ChangePoint(a.Int(1), Single(a, 2), Single(a, 3), Single(a, 4));
}

KV_BUILTIN(F_PathDeletePoint) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->DeletePoint(a.Int(1));
}

KV_BUILTIN(F_PathClearPoints) {
  if (CPath* path = PathOf(argc, args)) path->Clear();
}

KV_BUILTIN(F_PathReverse) {
  if (CPath* path = PathOf(argc, args)) path->Reverse();
}

KV_BUILTIN(F_PathMirror) {
  if (CPath* path = PathOf(argc, args)) path->Mirror();
}

KV_BUILTIN(F_PathFlip) {
  if (CPath* path = PathOf(argc, args)) path->Flip();
}

KV_BUILTIN(F_PathRotate) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Rotate(Single(a, 1));
}

KV_BUILTIN(F_PathRescale) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Scale(Single(a, 1), Single(a, 2));
}

KV_BUILTIN(F_PathShift) {
  BuiltinArgs a(argc, args);
  if (CPath* path = Path_Get(a.Int(0))) path->Shift(Single(a, 1), Single(a, 2));
}

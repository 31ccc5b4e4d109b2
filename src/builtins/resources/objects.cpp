// Objects: their fields, parents and events, added and deleted while the
// game runs. A missing object makes a getter answer -1 and a setter do
// nothing.
#include "builtins/resources/handlers.h"
#include "runtime/console.h"
#include "runtime/numeric.h"
#include "world/object/object.h"

namespace {

CObject* ObjectArg(const BuiltinArgs& a) { return Object_Get(a.Int(0)); }

// The field of the object named by the first argument, or -1.
template <typename Field>
void AnswerField(ScriptValue* result, const BuiltinArgs& a, Field field) {
  const CObject* object = ObjectArg(a);
  Result_SetReal(result, object != nullptr ? static_cast<double>(field(*object)) : -1.0);
}

double Flag(const CObject& object, uint32_t bit) { return (object.flags & bit) != 0 ? 1.0 : 0.0; }

void SetFlag(const BuiltinArgs& a, uint32_t bit) {
  CObject* object = ObjectArg(a);
  if (object == nullptr) return;
  if (a.Bool(1)) {
    object->flags |= bit;
  } else {
    object->flags &= ~bit;
  }
}

}  // namespace

void F_ObjectExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, ObjectArg(a) != nullptr ? 1 : 0);
}

void F_ObjectName(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetText(result, Object_GetName(a.Int(0)));
}

void F_ObjectGetSprite(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return o.sprite; });
}
void F_ObjectGetSolid(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return Flag(o, kObjectSolid); });
}
void F_ObjectGetVisible(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return Flag(o, kObjectVisible); });
}
void F_ObjectGetDepth(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return o.depth; });
}
void F_ObjectGetPersistent(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return Flag(o, kObjectPersistent); });
}
void F_ObjectGetMask(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return o.mask; });
}
void F_ObjectGetParent(KV_BUILTIN_PARAMS) {
  AnswerField(result, BuiltinArgs(argc, args), [](const CObject& o) { return o.parent; });
}

// An object is not its own ancestor.
void F_ObjectIsAncestor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CObject* object = ObjectArg(a);
  if (object == nullptr) return Result_SetReal(result, -1);
  Result_SetReal(result, object->HasAncestor(a.Int(1)) ? 1 : 0);
}

void F_ObjectSetSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CObject* object = ObjectArg(a)) object->sprite = a.Int(1);
}

void F_ObjectSetMask(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CObject* object = ObjectArg(a)) object->mask = a.Int(1);
}

void F_ObjectSetSolid(KV_BUILTIN_PARAMS) { SetFlag(BuiltinArgs(argc, args), kObjectSolid); }
void F_ObjectSetVisible(KV_BUILTIN_PARAMS) { SetFlag(BuiltinArgs(argc, args), kObjectVisible); }
void F_ObjectSetPersistent(KV_BUILTIN_PARAMS) { SetFlag(BuiltinArgs(argc, args), kObjectPersistent); }

void F_ObjectSetDepth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CObject* object = ObjectArg(a)) object->depth = a.TruncInt(1);
}

void F_ObjectSetParent(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  switch (Object_SetParent(a.TruncInt(0), a.TruncInt(1))) {
    case ParentChange::kNoParent: Builtin_Error("Setting a non-existing parent."); break;
    case ParentChange::kCycle: Builtin_Error("Creating a cycle in the parent relation."); break;
    case ParentChange::kDone:
    case ParentChange::kNoObject: break;
  }
}

void F_ObjectAdd(KV_BUILTIN_PARAMS) { Result_SetReal(result, Object_Add()); }

void F_ObjectDelete(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t index = a.Int(0);
  if (!Object_Exists(index)) return Builtin_Error("Trying to delete non-existing object.");
  Result_SetReal(result, Object_Delete(index) ? 1 : 0);
}

void F_ObjectEventClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Object_ClearEvent(a.Int(0), a.Int(1), a.Int(2));
}

void F_ObjectEventAdd(KV_BUILTIN_PARAMS) { g_debugConsole->Output("object_event_add :: deprecated function\n"); }

// What every ds_* handler shares: finding the structure an id names, reading
// value arguments safely, handing stored values back, and the members that
// stacks, queues, lists, maps and priority queues have alike.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"
#include "builtins/ds/handlers.h"
#include "runtime/ds_pool.h"
#include "runtime/ds_value.h"
#include "runtime/memory.h"

// The structure of a live id, else the family's error and null.
template <typename T>
T* DS_Lookup(DSPool<T>& pool, int32_t id) {
  T* structure = pool.Get(id);
  if (structure == nullptr) Builtin_Error(kDSNoStructure);
  return structure;
}

// The structure named by argument 0, rounded half to even.
template <typename T>
T* DS_Target(DSPool<T>& pool, const BuiltinArgs& in) {
  return DS_Lookup(pool, in.Int(0));
}

// Argument i as a value; real 0 when the caller passed fewer arguments.
const ScriptValue* DS_ArgValue(const BuiltinArgs& in, int32_t i);

// The result becomes a copy of a stored value, reusing its text buffer when
// it is large enough; null leaves the result real 0.
void DS_ReturnValue(ScriptValue* result, const ScriptValue* stored);

// Members alike for stacks, queues, lists, maps and priority queues.
template <typename T>
struct DSShared {
  static void Create(DSPool<T>& pool, ScriptValue* result) { Result_SetReal(result, pool.Add(new T())); }
  static void Destroy(DSPool<T>& pool, const BuiltinArgs& in) {
    if (DS_Target(pool, in) != nullptr) pool.Destroy(in.Int(0));
  }
  static void Clear(DSPool<T>& pool, const BuiltinArgs& in) {
    if (T* s = DS_Target(pool, in)) s->Clear();
  }
  // The destination is checked first; a structure copied onto itself stays.
  static void Copy(DSPool<T>& pool, const BuiltinArgs& in) {
    T* target = DS_Target(pool, in);
    if (target == nullptr) return;
    T* source = DS_Lookup(pool, in.Int(1));
    if (source == nullptr || source == target) return;
    target->Copy(source);
  }
  static void Size(DSPool<T>& pool, const BuiltinArgs& in, ScriptValue* result) {
    if (T* s = DS_Target(pool, in)) Result_SetReal(result, s->Size());
  }
  static void Empty(DSPool<T>& pool, const BuiltinArgs& in, ScriptValue* result) {
    if (T* s = DS_Target(pool, in)) Result_SetReal(result, s->Empty() ? 1.0 : 0.0);
  }
  static void Write(DSPool<T>& pool, const BuiltinArgs& in, ScriptValue* result) {
    if (T* s = DS_Target(pool, in)) Result_TakeText(result, s->WriteText());
  }
  // Anything but a string leaves the structure as it is, as does a text the
  // structure's reader refuses.
  static void Read(DSPool<T>& pool, const BuiltinArgs& in) {
    T* s = DS_Target(pool, in);
    if (s == nullptr || !in.IsString(1)) return;
    s->ReadText(in.Text(1));
  }
};

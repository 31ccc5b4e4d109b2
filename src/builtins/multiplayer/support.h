// What the multiplayer handlers share: answering a back-end success as 1
// or 0, and reading a mode switch.
#pragma once

#include "builtins/builtin_args.h"

inline void Mplay_SetSuccess(ScriptValue* result, bool success) { Result_SetReal(result, success ? 1.0 : 0.0); }

// The mode switches are on from 1: the argument is rounded first, so 0.6
// turns one on and 0.5 does not.
inline bool Mplay_ModeOn(const BuiltinArgs& a) { return a.Int(0) >= 1; }

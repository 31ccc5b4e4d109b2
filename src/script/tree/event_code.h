// The runner of events' code that the engine joins (ScriptEngine_Join):
// Code_Execute_ShowError, its result dropped.
#pragma once

class CCode;
class CInstance;

bool EventCode_RunWithTree(CCode* code, CInstance* self, CInstance* other);

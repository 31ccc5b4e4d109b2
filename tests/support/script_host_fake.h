// The tests' one way to give the script engine a host: a copy of the
// installed table with the parts a test reaches changed (a recording
// world, the world's instances, no variable families), installed whole, so
// the table the engine holds stays the one ScriptHost_Get reports.
#pragma once

#include "script/host/script_host.h"

template <typename Edit>
void FakeScriptHost(Edit edit) {
  ScriptHost host = ScriptHost_Get();
  edit(host);
  ScriptHost_Install(host);
}

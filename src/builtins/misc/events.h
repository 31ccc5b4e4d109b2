// Raising events from script code: an event of self's own object, a user
// event, an event of a named object, and the parent's version of the event
// now running. Every perform does nothing while a room change is pending.
#pragma once

#include "builtins/builtin_args.h"

void F_EventInherited(KV_BUILTIN_PARAMS);
void F_EventPerform(KV_BUILTIN_PARAMS);
void F_EventUser(KV_BUILTIN_PARAMS);
void F_EventPerformObject(KV_BUILTIN_PARAMS);

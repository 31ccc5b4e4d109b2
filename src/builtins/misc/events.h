// Raising events from script code: an event of self's own object, a user
// event, an event of a named object, and the parent's version of the event
// now running. Every perform does nothing while a room change is pending.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_EventInherited);
KV_BUILTIN(F_EventPerform);
KV_BUILTIN(F_EventUser);
KV_BUILTIN(F_EventPerformObject);

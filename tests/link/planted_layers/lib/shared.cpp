// The top level made to include and call a sub-folder above it.
#include "lib/shared.h"

#include "lib/low/low.h"

int Shared() { return Low() + 1; }

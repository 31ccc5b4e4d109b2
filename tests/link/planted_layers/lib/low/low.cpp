// The lower sub-folder made to include and call the higher one.
#include "lib/low/low.h"

#include "lib/high/high.h"

int Low() { return High() + 1; }

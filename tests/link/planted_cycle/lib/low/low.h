// The lower layer, made to include the higher one and a library above its
// own, so the check has a cycle of each kind to find.
#pragma once

#include "lib/high/high.h"
#include "upper/upper.h"

// The higher layer, which may include the lower one.
#pragma once

#include "lib/low/low.h"

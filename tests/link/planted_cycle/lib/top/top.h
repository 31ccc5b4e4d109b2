// A layer above both: its includes close no cycle and are not reported.
#pragma once

#include "lib/high/high.h"
#include "lib/low/low.h"

// A library above lib/, which lib/ is made to include as well.
#pragma once

#include "lib/top/top.h"

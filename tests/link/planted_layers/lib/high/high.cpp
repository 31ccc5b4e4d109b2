// The higher sub-folder made to include and call a library above lib/.
#include "lib/high/high.h"

#include "upper/upper.h"

int High() { return Upper() + 1; }

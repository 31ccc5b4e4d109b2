#include "upper/upper.h"

int Upper() { return 1; }

// Made to include a backend library's header and an interface, which passes.
#include <SDL.h>

#include "platform/keys.h"

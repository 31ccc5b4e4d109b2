// Made to include a header of a platform backend sub-folder.
#pragma once

#include "platform/sdl/window.h"

// Shared between the room-drawing files.
#pragma once

#include "world/draw/room_draw.h"

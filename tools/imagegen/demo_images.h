// The bundled demo's pictures, drawn here so that the repository holds no
// image files: a ship, a spinning coin, a patrolling mine, a crate, a
// girder, a deck background and a tile set, written as PNG files.
#pragma once

#include <string>

// Writes the pictures into an existing folder; false when one cannot be
// written.
bool DemoImages_Write(const std::string& folder);

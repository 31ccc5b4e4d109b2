// The stores the game file's chunks are read into: rooms, objects, scripts
// and the resources, with the instances made from them.
#pragma once

// Frees all of them (the program's end, or a tool done with the game).
void GameStores_Free();

// Starting and ending the game, and carrying out the room change that a
// step asked for.
#pragma once

// The game start: "StartGame()", the first room, "StartGame() - DONE".
void StartGame();
// The game end: the current room ends with its game-end events.
void Run_EndGame();
// Acts on g_newRoom at the end of a frame; false when the game ended
// (an end or a quit), true otherwise.
bool RoomChange_ActOn();

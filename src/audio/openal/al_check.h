// OpenAL and freealut errors go to the console and never stop the program.
#pragma once

// Reads both libraries' pending errors; each one found writes its line.
void SoundHardware_CheckError();

// The services the player installs at start, one row per subsystem: the
// subsystem's own operations once it is built, its stand-in until then.
// Installing the whole list again puts every service back as it starts.
#pragma once

#include <string>

void ServiceList_Install();
// "Stand-in services: surfaces, audio\n", naming every stand-in of the list
// in list order; empty once every subsystem is built.
std::string ServiceList_StandInLine();
// Debug builds print the stand-in line on the debug console; release
// builds print nothing.
void ServiceList_ReportStandIns();

// Display names of events, keys, mouse events and other events, as error
// messages and compile names show them. Each call returns its own string.
#pragma once

#include <cstdint>
#include <string>

std::string Event_KeyName(int32_t key);
std::string Event_MouseName(int32_t number);
std::string Event_OtherName(int32_t number);
std::string Event_AsyncName(int32_t number);
// "Begin", "End" or "" by step kind.
std::string Event_StepKindName(int32_t number);
// The long name error messages use ("Alarm Event for alarm 0").
std::string Event_Names(int32_t type, int32_t number);
// The short name compile names use ("Alarm 0", "BeginStep").
std::string Event_ShortName(int32_t type, int32_t number);

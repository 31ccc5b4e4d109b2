// A death by a fault (SIGSEGV, SIGILL, SIGBUS, SIGFPE) says where it
// happened: the process writes one line naming the signal, then the stack's
// return addresses with their symbols, to standard error, and then dies by
// the same signal (a shell reports 128 + its number). The handler runs on a
// stack of its own, so that an overflowed stack is reported too.
#pragma once

// Installs the handler for each of the four signals whose action is still
// the default, unless a sanitizer is built in (it reports such deaths
// itself). True when it was installed for all four.
bool CrashSignals_Install();
// False in a build with a sanitizer: Install then does nothing.
bool CrashSignals_Supported();

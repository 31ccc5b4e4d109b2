// Made to include OpenAL, freealut and libffi outside their folders.
#include <AL/al.h>
#include <AL/alut.h>
#include <ffi.h>
